#pragma once
// The long information texts of the dialogs' Info buttons, English and German.

#include <QString>

namespace kiv::texts {

QString generalInfo(bool english);
QString satelliteDataInfo(bool english);
QString textureInfo(bool english);
QString weatherHelp(bool english);
QString renderQualityInfo(bool english);

} // namespace kiv::texts
