#pragma once
// The command registry: one QAction per command id for shortcuts and toolbars,
// the routing of an id through the command maps of the active view, the document, the main
// frame and the application, and the menu bar built from the menu tables. A command that no
// map takes is disabled.

#include "platform/CommandMap.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace kiv {

class CommandRegistry : public QObject {
public:
    // The maps a command passes through, first to last; entries may be null.
    using Route = std::function<std::vector<const kiv::CommandMap*>()>;

    explicit CommandRegistry(Route route, QObject* parent = nullptr);

    // The one action of an id, made on first use with the text of the current language.
    QAction* action(int id);
    // Runs the first handler of the route; false when none takes the id. Afterwards every
    // action's state is brought up to date and onExecuted runs.
    bool execute(int id);
    // After every command that ran: what it changed may show in the views.
    std::function<void()> onExecuted;
    CommandUi state(int id) const;
    bool handled(int id) const;

    // Texts of the actions: 1 English, 0 German.
    void setLanguage(int language);
    int language() const { return language_; }
    // Enable and check states of every action of the registry.
    void updateActions();

    // Replaces the menus of the bar by those of a menu resource. Menu items carry their id in
    // QAction::data() and run it through the route; their states are set when a menu opens.
    void fillMenuBar(QMenuBar* bar, int menuId);
    void updateMenu(QMenu* menu);

private:
    const CommandMap::Entry* find(int id) const;
    void applyState(QAction* action, int id) const;

    Route route_;
    int language_ = 1;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_;
};

} // namespace kiv
