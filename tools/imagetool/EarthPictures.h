#pragma once
// The earth pictures the tool draws or converts.

#include <QImage>
#include <QSize>

namespace kiv::imagetool {

// The day map at the given size: the NASA map when installed, else an ocean with a graticule.
QImage dayMap(QSize size);
// The night map: the NASA night lights when installed, else a dark ocean with a faint graticule.
QImage nightMap(QSize size);
// The splash picture: a globe over a night sky with the program's name and version.
QImage splash(const QImage& texture);

} // namespace kiv::imagetool
