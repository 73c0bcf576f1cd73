#include "views2d/ScaledMaps.h"

namespace kiv {

QImage ScaledMaps::scaled(const QImage& source, QRgb fallback) const
{
    if (size_.isEmpty())
        return {};
    if (source.isNull()) {
        QImage plain(size_, QImage::Format_RGB32);
        plain.fill(fallback);
        return plain;
    }
    const Qt::TransformationMode mode = smooth_ ? Qt::SmoothTransformation : Qt::FastTransformation;
    return source.scaled(size_, Qt::IgnoreAspectRatio, mode).convertToFormat(QImage::Format_RGB32);
}

bool ScaledMaps::update(const QImage& day, const QImage& night, QSize size)
{
    const bool resized = size != size_;
    const bool dayChanged = resized || day.cacheKey() != dayKey_ || day_.isNull() != size.isEmpty();
    const bool nightChanged = resized || night.cacheKey() != nightKey_ || night_.isNull() != size.isEmpty();
    if (!dayChanged && !nightChanged)
        return false;
    size_ = size;
    if (!night.isNull() && night.depth() <= 16)
        smooth_ = false;
    if (dayChanged) {
        day_ = scaled(day, qRgb(40, 70, 140));
        dayKey_ = day.cacheKey();
    }
    if (nightChanged) {
        night_ = scaled(night, qRgb(0, 0, 0));
        nightKey_ = night.cacheKey();
    }
    return true;
}

} // namespace kiv
