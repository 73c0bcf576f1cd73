#include "dialogs/ClockColorEditor.h"

#include "platform/TypedNumbers.h"
#include "platform/Numbers.h"

#include <algorithm>

namespace kiv {

namespace {

int byteOf(float component) { return std::clamp(static_cast<int>(component * 255.0f), 0, 255); }

} // namespace

const std::array<Rgba, kClockEntries>& ClockColorEditor::table(int clock) const
{
    return tables_.at(clock);
}

Rgba& ClockColorEditor::entry(int clock, int part)
{
    return tables_.at(clock).at(part);
}

COLORREF ClockColorEditor::swatch(int clock, int part) const
{
    const Rgba& c = table(clock).at(part);
    return rgb(byteOf(c[0]), byteOf(c[1]), byteOf(c[2])) | kPaletteFlag;
}

void ClockColorEditor::setColor(int clock, int part, COLORREF color)
{
    Rgba& c = entry(clock, part);
    c[0] = static_cast<float>(redOf(color) / 255.0);
    c[1] = static_cast<float>(greenOf(color) / 255.0);
    c[2] = static_cast<float>(blueOf(color) / 255.0);
    changed_ = true;
}

QString ClockColorEditor::alphaText(int clock, int part) const
{
    return QString::fromStdString(formatFixed(table(clock).at(part)[3]));
}

bool ClockColorEditor::takeAlphaText(int clock, int part, std::string_view text)
{
    const std::optional<double> value = decimalNumber(text);
    if (!value || !(*value >= 0.0 && *value <= 1.0))
        return false;
    entry(clock, part)[3] = static_cast<float>(*value);
    changed_ = true;
    return true;
}

void ClockColorEditor::restoreDefaults()
{
    for (auto& table : tables_)
        std::copy(defaultClockColors().begin(), defaultClockColors().end(), table.begin());
    changed_ = true;
}

} // namespace kiv
