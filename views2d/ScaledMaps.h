#pragma once
// The day and night maps at the window's size. Scaling a 2048-pixel map costs milliseconds, so
// the scaled copies are kept until the window's size or a map changes.

#include <QImage>
#include <QSize>

namespace kiv {

class ScaledMaps {
public:
    // Rescales what changed; true when anything did.
    bool update(const QImage& day, const QImage& night, QSize size);

    const QImage& day() const { return day_; }
    const QImage& night() const { return night_; }
    // Smooth scaling, given up for good once a night map of 16 bits per pixel or fewer is seen.
    bool smooth() const { return smooth_; }

private:
    QImage scaled(const QImage& source, QRgb fallback) const;

    QSize size_;
    qint64 dayKey_ = 0;
    qint64 nightKey_ = 0;
    QImage day_;
    QImage night_;
    bool smooth_ = true;
};

} // namespace kiv
