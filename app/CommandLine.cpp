#include "app/CommandLine.h"

namespace kiv {

OpenRequest classifyOpenRequest(const QString& argument)
{
    if (argument.isEmpty())
        return OpenRequest::Ignore;
    // '/' begins every absolute path here, so only '-' marks a switch.
    if (argument.size() >= 2 && argument[0] == QLatin1Char('-') &&
        (argument[1] == QLatin1Char('e') || argument[1] == QLatin1Char('E')))
        return OpenRequest::Ignore;
    if (argument.endsWith(QLatin1String(".tle"), Qt::CaseInsensitive) ||
        argument.endsWith(QLatin1String(".sat"), Qt::CaseInsensitive))
        return OpenRequest::ElementFile;
    return OpenRequest::Ignore;
}

QString firstArgument(const QStringList& arguments) { return arguments.size() > 1 ? arguments.at(1) : QString(); }

} // namespace kiv
