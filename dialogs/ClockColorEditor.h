#pragma once
// The colour editing of the time dialog on the document's two clock tables (0 the Greenwich
// clock, 1 the local clock), edited in place: swatch colours, the chooser's result, typed
// transparency and the default colours. Every change is remembered, so that the caller saves
// the colour file, also when the dialog is cancelled.

#include "document/ColorTableFile.h"
#include "platform/ColorRef.h"

#include <QString>

#include <string_view>

namespace kiv {

class ClockColorEditor {
public:
    static constexpr COLORREF kPaletteFlag = 0x02000000;

    explicit ClockColorEditor(ClockColorTables& tables) : tables_(tables) {}

    const std::array<Rgba, kClockEntries>& table(int clock) const;
    // The swatch of a part: each of red, green and blue times 255, cut to 0..255 (the colour
    // file allows components up to 10), marked palette-relative.
    COLORREF swatch(int clock, int part) const;
    // The chooser's colour: red, green and blue become byte / 255; alpha stays.
    void setColor(int clock, int part, COLORREF color);
    // "%f" of the part's alpha.
    QString alphaText(int clock, int part) const;
    // A typed alpha: taken when the text is a number from 0 to 1 alone; true then.
    bool takeAlphaText(int clock, int part, std::string_view text);
    // Both tables back to the default colours.
    void restoreDefaults();

    bool changed() const { return changed_; }

private:
    Rgba& entry(int clock, int part);

    ClockColorTables& tables_;
    bool changed_ = false;
};

} // namespace kiv
