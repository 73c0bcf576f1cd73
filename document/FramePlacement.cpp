#include "document/FramePlacement.h"

#include <algorithm>

namespace kiv {

namespace {

QSize boundedTo(QSize frame, QSize area)
{
    return {std::clamp(frame.width(), 1, area.width()), std::clamp(frame.height(), 1, area.height())};
}

// The least move of a span [from, from + length) that leaves `grip` of it inside [0, room). The
// span's start stays `grip` inside too, since the window may grow to a minimum size rightward
// and downward.
int reachable(int from, int length, int room, int grip)
{
    grip = std::min(grip, room);
    return std::clamp(from, std::min(grip, length) - length, room - grip);
}

} // namespace

QRect keptReachable(QRect frame, QSize area, int titleHeight)
{
    if (area.isEmpty())
        return frame;
    frame.setSize(boundedTo(frame.size(), area));
    const int title = std::max(titleHeight, 1);
    frame.moveTo(reachable(frame.left(), frame.width(), area.width(), kTitleGrip),
                 reachable(frame.top(), title, area.height(), std::min(kTitleGripRows, title)));
    return frame;
}

QRect keptInside(QRect frame, QSize area)
{
    if (area.isEmpty())
        return frame;
    frame.setSize(boundedTo(frame.size(), area));
    frame.moveTo(std::clamp(frame.left(), 0, area.width() - frame.width()),
                 std::clamp(frame.top(), 0, area.height() - frame.height()));
    return frame;
}

} // namespace kiv
