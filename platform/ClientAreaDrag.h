#pragma once
// The option dialogs move when dragged by any free spot of their client area, not only by the
// title bar: a left press that no control takes starts the window manager's move.

class QWidget;

namespace kiv {

// Installs the behaviour on a top-level window; it lives as long as the window.
void dragByClientArea(QWidget* window);

} // namespace kiv
