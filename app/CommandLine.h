#pragma once
// What a file named on the command line or dropped on the window does:
// there is only ever one document, so an element-set file becomes its element file through the
// one reload path, and anything else is ignored.

#include <QString>
#include <QStringList>

namespace kiv {

enum class OpenRequest { Ignore, ElementFile };

// An argument beginning with "-e" or "-E" (the embedding switch) and an empty one are ignored,
// like anything that is not a .tle or .sat file (any case). Absolute paths and dropped files,
// which begin with '/', are always files.
OpenRequest classifyOpenRequest(const QString& argument);
// The first program argument, if any (the arguments without the program's name).
QString firstArgument(const QStringList& arguments);

} // namespace kiv
