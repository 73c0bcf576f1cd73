#pragma once
// The menus of the program as data: menu 101 without a document, and for each view
// kind the German and the English menu (102/107 2D map, 104/109 globe, 110/113 World Data Bank,
// 111/115 observer), and the export editor's menu (118 English, 116 German). Every view menu is the same File, Animation and Datas popups, the view's
// own popup, then Options, Window and "?".

#include <span>
#include <string>
#include <vector>

namespace kiv {

// One line of a menu: a popup title (id kPopup), a command, or a separator (id kSeparator).
// Level 0 is the menu bar; an entry's children follow it at the next level.
struct MenuEntry {
    int level;
    int id;
    const char* text;
};
constexpr int kPopup = 0;
constexpr int kSeparator = -1;

constexpr int kMenuNoDocument = 101;

// Kinds as the menus know them; "none" is no known view active.
enum class MenuView { None, Map, World, WDB, Obs };

// The menu resource id for the active view kind and Language (1 English, 0 German).
int viewMenuId(MenuView view, int language);
// The entries of a menu resource, or nothing for an unknown id.
std::vector<MenuEntry> menuEntries(int menuId);
// Every menu resource id.
std::span<const int> menuIds();
// What makes a menu's lines unbuildable, or empty when they build: a level-0 line that is not a
// popup, a line deeper than the popup it would belong to, a negative level.
std::string menuTableFault(std::span<const MenuEntry> entries);

// The text of a command for tooltips and the window's own actions: its first text in the view
// menus of the language (with its '&' marks), or the toolbar's text for commands that no menu
// has; empty for an unknown id.
const char* toolTipText(int id, int language);

} // namespace kiv
