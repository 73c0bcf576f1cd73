#pragma once
// The satellite model language: text files of blocks from a "StartModel" line to an "EndModel"
// line, one statement a line, named after the GL and GLU calls they make ("glBegin
// (GL_TRIANGLES)", "glColor3f {1, 0, 0}", "gluSolidCube {0.8}", a vertex "{1, 2, 3}", ...).
// Keywords are found anywhere in a line, "#" makes a comment, and what is not understood is
// ignored. Model k is the k-th block; model 0 starts at the top of the file.

#include "platform/LineReader.h"
#include "views3d/GlSink.h"

#include <array>
#include <string_view>

namespace kiv {

struct ModelRead {
    int startModels = 0; // "StartModel" lines read
    bool drew = false;   // a primitive, cube, sphere or cylinder was issued
};

// Reads model number `model` from the lines and issues it to the sink, between a push and a pop
// of the matrix and with face culling off; the reader is left after the line that ended the
// model. Only "glEnd" ends a primitive; transforms, solids and a second "glBegin" inside one are
// ignored. A primitive the model leaves open is ended before the matrix is popped.
ModelRead readSatelliteModel(LineReader& lines, int model, GlSink& sink, Detail detail);

// The statement's values: after the first "{" (or from the start of the line), one number each,
// every further one after the next ","; with no further ",", the last number again. Count 1 to
// 4; unread values, and every value for another count, are 0. Malformed, infinite and NaN
// numbers read as 0.
std::array<double, 4> parseModelArguments(std::string_view line, int count);

} // namespace kiv
