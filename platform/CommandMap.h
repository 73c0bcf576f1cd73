#pragma once
// A command map: a window, the document or the application binds command ids (or a range of
// ids) to a handler and an optional update handler that decides whether the command is enabled
// and checked. The application routes each id through the maps of the active view, the
// document, the main frame and itself; an id that no map takes is shown disabled.

#include <functional>
#include <optional>
#include <vector>

namespace kiv {

// What an update handler may say about a command; without one a handled command is enabled.
struct CommandUi {
    bool enabled = true;
    std::optional<bool> checked; // set: the item shows a check box

    void Enable(bool on) { enabled = on; }
    void SetCheck(bool on) { checked = on; }
};

class CommandMap {
public:
    using Run = std::function<void(int id)>;
    using Update = std::function<void(int id, CommandUi& ui)>;

    struct Entry {
        int first;
        int last;
        Run run;
        Update update;
    };

    void on(int id, std::function<void()> run, std::function<void(CommandUi&)> update = {})
    {
        Update u;
        if (update)
            u = [update = std::move(update)](int, CommandUi& ui) { update(ui); };
        entries_.push_back({id, id, [run = std::move(run)](int) { run(); }, std::move(u)});
    }
    void onRange(int first, int last, Run run, Update update = {})
    {
        entries_.push_back({first, last, std::move(run), std::move(update)});
    }

    // The first entry that takes the id, or nullptr.
    const Entry* find(int id) const
    {
        for (const Entry& e : entries_) {
            if (id >= e.first && id <= e.last)
                return &e;
        }
        return nullptr;
    }

private:
    std::vector<Entry> entries_;
};

} // namespace kiv
