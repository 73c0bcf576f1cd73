#pragma once
// Records every file dialog and answers with the queued paths; with nothing queued, Cancel.

#include "platform/FileDialogs.h"

#include <deque>
#include <vector>

namespace kiv::test {

class ScriptedFileDialogs final : public FileDialogs {
public:
    enum class Kind { Open, Save };
    struct Shown {
        Kind kind;
        FileDialogRequest request;
    };

    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;

    // A path to choose, or nothing for Cancel.
    void queueAnswer(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    const std::vector<Shown>& shown() const { return shown_; }

private:
    std::optional<QString> answer(Kind kind, const FileDialogRequest& request);

    std::deque<std::optional<QString>> answers_;
    std::vector<Shown> shown_;
};

} // namespace kiv::test
