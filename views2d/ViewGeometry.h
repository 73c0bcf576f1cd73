#pragma once
// Where a flat view's frame goes when the user asks it to fit the picture, and where the picture
// goes on a printed page.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace kiv {

struct FrameFit {
    QRect frame;      // in the MDI area
    bool unmaximise;  // a maximised frame is restored first
};

// The frame for a picture of `base` pixels in an MDI area of `area`, the view sitting inside
// its frame with the given insets. A picture that fits (equality counts) gets a centred frame
// just big enough; one that does not gets the full height at the area's top-left corner.
FrameFit fitFrame(QSize area, const QMargins& insets, QSize base);

// The largest rectangle of the picture's proportions inside the page, centred.
QRect fitToPage(QSize picture, const QRect& page);

} // namespace kiv
