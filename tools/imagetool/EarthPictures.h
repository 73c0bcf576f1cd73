#pragma once
// The earth pictures the tool draws or converts.

#include <QImage>
#include <QSize>

namespace kiv::imagetool {

// The day map at the given size: the NASA map when installed, else an ocean with a graticule.
QImage dayMap(QSize size);
// The night map: the NASA night lights when installed, else a dark ocean with a faint graticule.
QImage nightMap(QSize size);
// The globe texture with clouds: the grey cloud map laid over the picture by a "screen" blend,
// which lightens under the clouds and leaves the clear sky as it was. Without a readable cloud
// map the picture as it is.
QImage cloudyEarth(const QImage& earth, const QString& cloudMap);
// The splash picture: a night sky with the program's name and version at the top, the earth
// at the bottom, and the middle left clear for the lines the splash window writes.
QImage splash(const QImage& texture);

} // namespace kiv::imagetool
