#include "document/FramePlacement.h"

#include <algorithm>

namespace kiv {

namespace {

QSize boundedTo(QSize frame, QSize area)
{
    return {std::clamp(frame.width(), 1, area.width()), std::clamp(frame.height(), 1, area.height())};
}

// The least move of a span [from + offset, from + offset + length) that leaves `grip` of it
// inside [0, room), as the new `from`. The span's start stays `grip` inside too, since the window
// may grow to a minimum size rightward and downward. Wide arithmetic: `from` may be any int.
int reachable(int from, int offset, int length, int room, int grip)
{
    grip = std::min(grip, room);
    const long long lowest = std::min(grip, length) - length;
    const long long start = std::clamp(static_cast<long long>(from) + offset, lowest, static_cast<long long>(room - grip));
    return static_cast<int>(start - offset);
}

} // namespace

QRect keptReachable(QRect frame, QSize area, const std::function<QRect(QSize)>& labelOf)
{
    if (area.isEmpty())
        return frame;
    frame.setSize(boundedTo(frame.size(), area));
    const QRect label = labelOf(frame.size());
    frame.moveTo(reachable(frame.left(), label.left(), label.width(), area.width(), kTitleGrip),
                 reachable(frame.top(), label.top(), label.height(), area.height(), kTitleGripRows));
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
