#pragma once
// Window > Cascade: the frames one behind the other, each moved down and right by a title bar's
// height, each keeping its size as far as the MDI area allows. A frame that would have less
// than half its size left starts a new run at the top-left corner.

#include <QRect>
#include <QSize>

#include <vector>

namespace kiv {

std::vector<QRect> cascadeLayout(const std::vector<QSize>& frameSizes, const QSize& area, int step);

} // namespace kiv
