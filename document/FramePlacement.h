#pragma once
// Where a view frame goes in the MDI area. A frame the user placed (one restored from a settings
// archive) stays where it was as long as the mouse can still drag it by its title bar; a frame
// the program opens lies wholly inside the area. Both are never larger than the area.

#include <QRect>
#include <QSize>

#include <functional>

namespace kiv {

// The frame moved the least that leaves a grip of its title bar's label inside the area:
// kTitleGrip pixels wide and kTitleGripRows high, less where the area or the label is smaller.
// `labelOf` gives the label of a frame of a size in the frame's coordinates, as its style lays
// the title bar out: the part a drag moves the frame by, without the buttons beside it. An empty
// area (not laid out yet) bounds nothing.
inline constexpr int kTitleGrip = 40;
inline constexpr int kTitleGripRows = 8;
QRect keptReachable(QRect frame, QSize area, const std::function<QRect(QSize)>& labelOf);

// The frame no larger than the area, moved the least that puts it wholly inside.
QRect keptInside(QRect frame, QSize area);

} // namespace kiv
