#include "tests/support/ScriptedUiServices.h"

namespace kiv::test {

UiServices ScriptedUiServices::services()
{
    return {messages, files, *this, *this, clock, *this};
}

std::optional<std::uint32_t> ScriptedUiServices::chooseColor(std::uint32_t, const QString&)
{
    ++colorDialogsShown_;
    if (colors_.empty())
        return std::nullopt;
    const std::optional<std::uint32_t> color = colors_.front();
    colors_.pop_front();
    return color;
}

void ScriptedUiServices::beginWait()
{
    ++waitDepth_;
    ++waitCursorsShown_;
}

void ScriptedUiServices::endWait()
{
    --waitDepth_;
}

} // namespace kiv::test
