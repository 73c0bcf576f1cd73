#pragma once
// ArrangeViews as plain geometry: from the desktop width, the cell percentage, the
// frame extras and the open views, where each view frame goes and where the main window goes.

#include "document/DocumentViews.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

namespace kiv {

struct ArrangeInput {
    int desktopWidth = 0;
    double autoExtendX = 50.0; // percent of the desktop width for two square cells
    bool autoArrange = true;
    QSize frameExtras;         // outer frame size minus view size
    bool show3D = false;
    bool show2D = false;
    bool showWDB = false;
    bool showObs = false;
};

struct ViewPlacement {
    ViewKind kind;
    QRect rect; // in the MDI area; with keepCorners only the size counts
};

struct Arrangement {
    int cell = 0;                 // s, the side of the square cell
    std::vector<ViewPlacement> frames;
    bool keepCorners = false;     // one view or auto-arrange off: frames keep their corners
    QPoint mainWindowPos;
    std::optional<QSize> total;   // the MDI area the frames fill; none keeps the window's size
};

// How far each cascaded frame sits below and right of the one before: a title bar's height
// (the frame extras are two borders wide, and a title bar and two borders high).
inline int cascadeStep(QSize frameExtras) { return frameExtras.height() - frameExtras.width() / 2; }

// AutoExtendX used within 5..100 percent.
double clampedAutoExtendX(double percent);
Arrangement arrangeViews(const ArrangeInput& in);

} // namespace kiv
