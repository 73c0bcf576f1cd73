#pragma once
// What a picture was drawn from, kept so that a view can tell whether the present state would
// draw a different picture. The picture lists its items in the same order when it draws
// (record) and when it asks (moved): places in pixels, which count as moved from half a pixel
// on, and values drawn as they are (counts, track times, label texts), which count at any
// change. Only what the clock moves needs listing: every other change redraws anyway.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class DrawnPositions {
public:
    // Half a pixel: below it the picture would come out the same, up to rounding.
    static constexpr double kThreshold = 0.5;

    // The items of the picture just drawn, as `list(*this)` gives them.
    template <typename List>
    void record(const List& list)
    {
        begin(Mode::Record);
        list(*this);
        recorded_ = true;
    }
    // Whether the items `list(*this)` gives now differ from those recorded; true while nothing
    // is recorded.
    template <typename List>
    bool moved(const List& list)
    {
        if (!recorded_)
            return true;
        begin(Mode::Compare);
        list(*this);
        return differs_ || next_ != values_.size() || textAt_ != texts_.size();
    }
    // The picture no longer shows what was recorded.
    void forget() { recorded_ = false; }

    // A place in pixels.
    void point(double x, double y);
    // Values that move the picture by up to pixelsPerUnit pixels per unit of their change
    // (taken as the Euclidean length of the change of all of them).
    void values(std::span<const double> items, double pixelsPerUnit);
    void exact(double value);
    void text(std::string_view text);
    // True once a comparison has found a difference: the list may stop early.
    bool decided() const { return mode_ == Mode::Compare && differs_; }

private:
    enum class Mode { Record, Compare };
    void begin(Mode mode);

    Mode mode_ = Mode::Record;
    bool recorded_ = false;
    bool differs_ = false;
    std::vector<double> values_;
    std::string texts_;
    std::size_t next_ = 0;
    std::size_t textAt_ = 0;
};

} // namespace kiv
