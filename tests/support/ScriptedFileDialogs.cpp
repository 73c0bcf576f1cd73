#include "tests/support/ScriptedFileDialogs.h"

namespace kiv::test {

std::optional<QString> ScriptedFileDialogs::openFile(const FileDialogRequest& request)
{
    return answer(Kind::Open, request);
}

std::optional<QString> ScriptedFileDialogs::saveFile(const FileDialogRequest& request)
{
    return answer(Kind::Save, request);
}

std::optional<QString> ScriptedFileDialogs::answer(Kind kind, const FileDialogRequest& request)
{
    shown_.push_back({kind, request});
    if (answers_.empty())
        return std::nullopt;
    const std::optional<QString> path = answers_.front();
    answers_.pop_front();
    return path;
}

} // namespace kiv::test
