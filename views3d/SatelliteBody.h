#pragma once
// A satellite's body as the globe's model list and the style dialog's preview draw it, centred
// at the origin, into the current GL context (normally a list being compiled).

#include "views3d/SceneGeometry.h"

#include <QString>

namespace kiv {

// SatelliteDrawStyle: 0 nothing, 1 a point, 2 a cube, 3 a sphere, 4 a model of the model file.
enum SatelliteStyle { kNoBody = 0, kPointBody = 1, kCubeBody = 2, kSphereBody = 3, kModelBody = 4 };

struct SatelliteBody {
    int style = kNoBody;
    QString modelFile;   // style 4: the model file and the model in it
    int modelNumber = 0;
    Detail detail;
};

struct ModelFileRead {
    bool opened = false;
    // The number of models in the file when the chosen model drew something, else 0.
    int modelCount = 0;
};

// The body, a cube of edge 1.0 for a model file that cannot be opened, or also for a model that
// draws nothing when cubeForEmptyModel is set. Style 4 reports what the file held.
ModelFileRead drawSatelliteBody(const SatelliteBody& body, bool cubeForEmptyModel);

// The same report without drawing, for stepping through a file's models.
ModelFileRead countSatelliteModels(const QString& modelFile, int modelNumber);

} // namespace kiv
