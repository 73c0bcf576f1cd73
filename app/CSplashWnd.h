#pragma once
// The splash window: the splash picture centred on the screen with four lines of
// text in a colour drawn at random from red, green and blue. It is not kept on top, so that a
// loader's message box during start-up is never hidden behind it.

#include <QImage>
#include <QStringList>
#include <QWidget>

namespace kiv {

class CSplashWnd : public QWidget {
public:
    explicit CSplashWnd(QImage picture, QWidget* parent = nullptr);

    QColor TextColor() const { return textColor_; }
    QStringList Lines() const;
    // Where each line is written over the picture.
    QList<QRect> LineRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont lineFont() const;

    QImage picture_;
    QColor textColor_;
};

} // namespace kiv
