#include "app/CommandRegistry.h"

#include "resources/CommandIds.h"
#include "resources/MenuTables.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kiv {

namespace {

// Accelerators (table 101) of the commands that something handles: Ctrl+O runs "Open local";
// Ctrl+S, print, the edit keys, the pane keys and Ctrl+Up have no handler here.
QKeySequence shortcutOf(int id)
{
    switch (id) {
    case kCmdFileNew:
        return QKeySequence(Qt::CTRL | Qt::Key_N);
    case kCmdOpenLocal:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case kCmdHelp:
        return QKeySequence(Qt::Key_F1);
    default:
        return {};
    }
}

QString plainText(const char* text) { return QString::fromUtf8(text).remove(QLatin1Char('&')); }

} // namespace

CommandRegistry::CommandRegistry(Route route, QObject* parent) : QObject(parent), route_(std::move(route))
{
    // The menus are built from these tables on every view change; a broken one stops the
    // program here, with the line at fault, rather than in the middle of a menu.
    for (const int id : kiv::menuIds()) {
        const std::string fault = kiv::menuTableFault(kiv::menuEntries(id));
        if (!fault.empty())
            qFatal("Menu table %d cannot be built: %s", id, fault.c_str());
    }
}

QAction* CommandRegistry::action(int id)
{
    auto it = actions_.find(id);
    if (it != actions_.end())
        return it->second;
    auto* a = new QAction(plainText(kiv::toolTipText(id, language_)), this);
    a->setData(id);
    a->setShortcut(shortcutOf(id));
    a->setShortcutContext(Qt::ApplicationShortcut);
    connect(a, &QAction::triggered, this, [this, id] { execute(id); });
    actions_.emplace(id, a);
    applyState(a, id);
    return a;
}

const kiv::CommandMap::Entry* CommandRegistry::find(int id) const
{
    for (const kiv::CommandMap* map : route_()) {
        if (!map)
            continue;
        if (const auto* entry = map->find(id))
            return entry;
    }
    return nullptr;
}

bool CommandRegistry::execute(int id)
{
    const kiv::CommandMap::Entry* entry = find(id);
    const bool enabled = state(id).enabled;
    const bool ran = entry && enabled;
    if (ran)
        entry->run(id);
    updateActions();
    if (ran && onExecuted)
        onExecuted();
    return ran;
}

kiv::CommandUi CommandRegistry::state(int id) const
{
    kiv::CommandUi ui;
    const kiv::CommandMap::Entry* entry = find(id);
    if (!entry)
        ui.enabled = false;
    else if (entry->update)
        entry->update(id, ui);
    return ui;
}

bool CommandRegistry::handled(int id) const { return find(id) != nullptr; }

void CommandRegistry::setLanguage(int language)
{
    language_ = language != 0 ? 1 : 0;
    for (auto& [id, a] : actions_) {
        // Satellite buttons carry the satellite's name, not a command text.
        if (*kiv::toolTipText(id, language_))
            a->setText(plainText(kiv::toolTipText(id, language_)));
    }
}

void CommandRegistry::applyState(QAction* a, int id) const
{
    const kiv::CommandUi ui = state(id);
    a->setEnabled(ui.enabled);
    a->setCheckable(ui.checked.has_value());
    if (ui.checked)
        a->setChecked(*ui.checked);
}

void CommandRegistry::updateActions()
{
    for (auto& [id, a] : actions_)
        applyState(a, id);
}

void CommandRegistry::fillMenuBar(QMenuBar* bar, int menuId)
{
    bar->clear();
    // A command may rebuild the bar from inside one of its menus: delete the old ones later.
    for (QMenu* m : menus_)
        m->deleteLater();
    menus_.clear();

    std::vector<QMenu*> open; // open[level] is the menu that takes entries of level + 1
    for (const kiv::MenuEntry& e : kiv::menuEntries(menuId)) {
        open.resize(e.level);
        QMenu* parent = e.level == 0 ? nullptr : open.back();
        if (e.id == kiv::kPopup) {
            auto* menu = new QMenu(QString::fromUtf8(e.text), bar);
            menus_.push_back(menu);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(menu); });
            if (parent)
                parent->addMenu(menu);
            else
                bar->addMenu(menu);
            open.push_back(menu);
        } else if (e.id == kiv::kSeparator) {
            parent->addSeparator();
        } else {
            QAction* item = parent->addAction(QString::fromUtf8(e.text));
            const int id = e.id;
            item->setData(id);
            connect(item, &QAction::triggered, this, [this, id] { execute(id); });
            applyState(item, id);
        }
    }
}

void CommandRegistry::updateMenu(QMenu* menu)
{
    for (QAction* a : menu->actions()) {
        if (a->menu())
            updateMenu(a->menu());
        else if (!a->isSeparator())
            applyState(a, a->data().toInt());
    }
}

} // namespace kiv
