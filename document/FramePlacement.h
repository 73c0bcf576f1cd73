#pragma once
// Where a view frame goes in the MDI area. A frame the user placed (one restored from a settings
// archive) stays where it was as long as the mouse can still reach its title bar; a frame the
// program opens lies wholly inside the area. Both are never larger than the area.

#include <QRect>
#include <QSize>

namespace kiv {

// The frame moved the least that leaves a grip of its title bar (its top `titleHeight` rows)
// inside the area: kTitleGrip pixels wide and kTitleGripRows high, less where the area or the
// title bar is smaller. An empty area (not laid out yet) bounds nothing.
inline constexpr int kTitleGrip = 40;
inline constexpr int kTitleGripRows = 8;
QRect keptReachable(QRect frame, QSize area, int titleHeight);

// The frame no larger than the area, moved the least that puts it wholly inside.
QRect keptInside(QRect frame, QSize area);

} // namespace kiv
