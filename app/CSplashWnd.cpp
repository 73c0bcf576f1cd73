#include "app/CSplashWnd.h"

#include "app/AppTexts.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

using namespace kiv;

namespace {

// A picture of our own when the splash resource is missing: night sky, globe and an orbit.
QImage standInPicture()
{
    QImage image(480, 320, QImage::Format_RGB32);
    image.fill(QColor(8, 12, 40));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 80, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(150, 70, 180, 180));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 200, 80), 2));
    p.drawEllipse(QRectF(60, 130, 360, 60));
    return image;
}

} // namespace

CSplashWnd::CSplashWnd(QImage picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(picture.isNull() ? standInPicture() : std::move(picture))
{
    static const QColor kColours[] = {QColor(0, 0, 255), QColor(0, 255, 0), QColor(255, 0, 0)}; // COLORREFs FF0000, 00FF00, 0000FF
    textColor_ = kColours[QRandomGenerator::global()->bounded(3)];
    setFixedSize(picture_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
}

QStringList CSplashWnd::Lines() const
{
    return {QStringLiteral("Kiv Version %1").arg(QLatin1String(kiv::texts::kVersion)), kiv::texts::creditLine(),
            QStringLiteral("Last Updated"), kiv::texts::buildDate()};
}

QFont CSplashWnd::lineFont() const
{
    QFont font(QStringLiteral("Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(18);
    font.setBold(true);
    font.setStretch(130); // wide letters, about as wide as they are high
    return font;
}

QList<QRect> CSplashWnd::LineRects() const
{
    const QFontMetrics metrics(lineFont());
    const int h = metrics.height() / 2;
    const QPoint centre(picture_.width() / 2, picture_.height() / 2);
    const int offsets[] = {-6, -3, 0, 3};
    const QStringList lines = Lines();
    QList<QRect> rects;
    for (int i = 0; i < lines.size(); ++i) {
        const int w = metrics.horizontalAdvance(lines[i]);
        rects.append(QRect(centre.x() - w / 2, centre.y() + offsets[i] * h, w, 2 * h));
    }
    return rects;
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    p.setFont(lineFont());
    p.setPen(textColor_);
    const QStringList lines = Lines();
    const QList<QRect> rects = LineRects();
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(rects[i], Qt::AlignCenter, lines[i]);
}
