#include "document/DrawnPositions.h"

#include <cmath>

namespace kiv {

namespace {
// A value that stays NaN (a place nothing could be computed for) has not changed.
double change(double now, double before) { return std::isnan(now) && std::isnan(before) ? 0.0 : now - before; }
} // namespace

void DrawnPositions::begin(Mode mode)
{
    mode_ = mode;
    differs_ = false;
    next_ = textAt_ = 0;
    if (mode == Mode::Record) {
        values_.clear();
        texts_.clear();
    }
}

void DrawnPositions::point(double x, double y)
{
    const double xy[] = {x, y};
    values(xy, 1.0);
}

void DrawnPositions::values(std::span<const double> items, double pixelsPerUnit)
{
    if (mode_ == Mode::Record) {
        values_.insert(values_.end(), items.begin(), items.end());
        return;
    }
    if (differs_)
        return;
    if (next_ + items.size() > values_.size()) {
        differs_ = true;
        return;
    }
    double squares = 0.0;
    for (const double v : items) {
        const double d = change(v, values_[next_++]);
        squares += d * d;
    }
    // Written so that a NaN change counts as moved; no change is no move at any scale.
    differs_ = squares != 0.0 && !(std::sqrt(squares) * pixelsPerUnit < kThreshold);
}

void DrawnPositions::exact(double value)
{
    if (mode_ == Mode::Record) {
        values_.push_back(value);
        return;
    }
    if (differs_)
        return;
    differs_ = next_ >= values_.size() || change(value, values_[next_]) != 0.0;
    ++next_;
}

void DrawnPositions::text(std::string_view text)
{
    // Each text ends in a NUL, so that two lists of texts cannot run into each other.
    if (mode_ == Mode::Record) {
        texts_.append(text);
        texts_.push_back('\0');
        return;
    }
    if (differs_)
        return;
    const std::size_t end = textAt_ + text.size();
    differs_ = end >= texts_.size() || std::string_view(texts_).substr(textAt_, text.size()) != text || texts_[end] != '\0';
    textAt_ = end + 1;
}

} // namespace kiv
