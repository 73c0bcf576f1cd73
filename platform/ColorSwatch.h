#pragma once
// A colour swatch of the option dialogs: a framed field filled with a colour, a caption centred
// on it in black or white, whichever reads better. Without a colour it shows the window's own
// background. A click calls onClicked.

#include "platform/ColorRef.h"

#include <QFrame>

#include <functional>
#include <optional>

namespace kiv {

class ColorSwatch : public QFrame {
public:
    explicit ColorSwatch(const QString& caption, QWidget* parent = nullptr);

    void setColor(std::optional<COLORREF> color);
    std::optional<COLORREF> color() const { return color_; }
    QString caption() const { return caption_; }

    QSize sizeHint() const override;

    std::function<void()> onClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    std::optional<COLORREF> color_;
};

} // namespace kiv
