#include "resources/MenuTables.h"

#include <array>

namespace kiv {

namespace {

// A line in both languages: English first, then German.
struct Line {
    int level;
    int id;
    const char* en;
    const char* de;
};

constexpr int P = kPopup;
constexpr int S = kSeparator;

constexpr Line kHead[] = {
    {0, P, "&File", "&Datei"},
    {1, 32910, "&Open local ...", "&Laden local ..."},
    {1, 32956, "Open from the &web ...", "Lade vom &Internet ..."},
    {1, 32887, "&Save Settings", "&Save Settings"},
    {1, 32888, "&RestoreSettings", "&RestoreSettings"},
    {1, 57665, "&Exit", "&Beenden"},
    {0, P, "&Animation", "&Animation"},
    {1, 32777, "&Play", "&Play"},
    {1, 32771, "P&ause", "P&ause"},
    {1, 32772, "&Reset", "&Reset"},
    {1, 32877, "Z&oom", "Z&oom"},
    {1, 32878, "&Draw", "&Draw"},
    {1, 32789, "&Time ...", "&Zeit ..."},
    {0, P, "&Datas", "&Daten"},
    {1, 32790, "&Satellitedatas ...", "&Satellitendaten ..."},
    {1, 32945, "&Export ...", "&Export ..."},
};

constexpr Line kTail[] = {
    {0, P, "&Options", "&Optionen"},
    {1, 32788, "&General ...", "&Allgemein ..."},
    {1, 32911, "WDB &Layer ...", "WDB &Layer ..."},
    {1, 32915, "&Obs View ...", "&Obs Ansicht ..."},
    {1, 32789, "&Time ...", "&Zeit ..."},
    {1, P, "A&ctivate", "A&ktivieren"},
    {2, 32916, "&3D View", "&3D Ansicht"},
    {2, 32792, "&2D View", "&2D Ansicht"},
    {2, 32909, "&WDB View", "&WDB Ansicht"},
    {2, 32914, "&Obs View", "&Obs Ansicht"},
    {1, P, "&Texture", "&Texturen"},
    {2, 32781, "&Textures ...", "&Texturen ..."},
    {2, 32955, "&Real Weather Data ...", "&Echtzeit Wetter Daten ..."},
    {1, P, "&Language", "&Sprache"},
    {2, 32907, "&German", "&Deutsch"},
    {2, 32908, "&English", "&English"},
    {1, 59392, "T&oolbar", "&Symbolleiste"},
    {1, 59393, "&Statusbar", "S&tatusleiste"},
    {0, P, "&Window", "&Fenster"},
    {1, 32918, "&Arrange", "&Anordnen"},
    {1, 57650, "&Cascade", "Über&lappend"},
    {1, 57651, "&Tile", "&Nebeneinander"},
    {1, 57649, "&Symbols", "&Symbole anordnen"},
    {0, P, "&?", "&?"},
    {1, 57664, "&About Kiv ...", "Inf&o über Kiv..."},
};

// The view popups. Each begins with "Go to" and the view's own toggle; the rest are the view's
// commands (Parts 3.104, 4.102, 3.111, 3.108), grouped as their Parts list them.
constexpr Line kMapPopup[] = {
    {0, P, "&View 2D", "&Ansicht 2D"},
    {1, 32785, "&Go to ...", "&Gehe zu ..."},
    {1, 32792, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, 32808, "&Name", "&Name"},
    {1, 32809, "&Position", "&Position"},
    {1, 32807, "&Route", "&Route"},
    {1, 32798, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, S, "", ""},
    {1, 32815, "&Footprints", "&Footprints"},
    {1, 32884, "&Line", "&Linie"},
    {1, 32812, "&Area", "&Fläche"},
    {1, 32885, "C&hecked", "&Kariert"},
    {1, 32886, "&Colored", "F&arbig"},
    {1, S, "", ""},
    {1, 32954, "&Shadow", "&Schatten"},
    {1, 32957, "&Texture", "&Texture"},
    {1, 32952, "&Moon", "&Mond"},
    {1, 32953, "&Sun", "&Sonne"},
    {1, S, "", ""},
    {1, 32877, "Z&oom", "Z&oom"},
};

constexpr Line kWorldPopup[] = {
    {0, P, "&View 3D", "&Ansicht 3D"},
    {1, 32785, "&Go to ...", "&Gehe zu ..."},
    {1, 32916, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, 32797, "G&eostationairy", "G&eostationär"},
    {1, 32913, "&Stationairy", "&Stationär"},
    {1, 32912, "&Follow Satellite ...", "&Folge Satellit ..."},
    {1, S, "", ""},
    {1, P, "&Beam", "&Strahl"},
    {2, 32806, "&None", "&Keine"},
    {2, 32803, "&Line", "&Linie"},
    {2, 32804, "&Cone", "K&egel"},
    {2, 32805, "&Transparent", "&Durchsichtig"},
    {1, 32879, "&Footprint", "&Footprint"},
    {1, P, "&Route", "&Route"},
    {2, 32800, "&Earthsystem", "&Erdsystem"},
    {2, 32801, "&Spacesystem", "&Weltraumsys."},
    {1, 32816, "&Coordinate cross", "&Koordinatenkreuz"},
    {1, S, "", ""},
    {1, 32791, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, P, "&Quality", "&Qualität"},
    {2, 32783, "&Mousemove ...", "&Mausbewegung ..."},
    {2, 32784, "&Normal ...", "&Normal ..."},
};

constexpr Line kWDBPopup[] = {
    {0, P, "&View WDB", "&Ansicht WDB"},
    {1, 32785, "&Go to ...", "&Gehe zu ..."},
    {1, 32909, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, 32878, "&Draw", "&Draw"},
    {1, 32877, "Z&oom", "Z&oom"},
    {1, S, "", ""},
    {1, 32808, "&Name", "&Name"},
    {1, 32809, "&Position", "&Position"},
    {1, 32807, "&Route", "&Route"},
    {1, S, "", ""},
    {1, 32815, "&Footprints", "&Footprints"},
    {1, 32884, "&Line", "&Linie"},
    {1, 32812, "&Area", "&Fläche"},
    {1, 32885, "C&hecked", "&Kariert"},
    {1, 32886, "&Colored", "F&arbig"},
    {1, S, "", ""},
    {1, 32798, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, 32913, "&Stationairy", "&Stationär"},
    {1, 32912, "&Follow Satellite ...", "&Folge Satellit ..."},
};

constexpr Line kObsPopup[] = {
    {0, P, "&View Obs", "&Ansicht Obs"},
    {1, 32785, "&Go to ...", "&Gehe zu ..."},
    {1, 32914, "D&eactivate", "&Anzeigen"},
    {1, 32798, "&Dialog box ...", "&Dialogbox ..."},
    {1, S, "", ""},
    {1, P, "&Twilight", "&Dämmerung"},
    {2, 32926, "Civil (-6 deg)", "Civil (-6 deg)"},
    {2, 32927, "Nautical (-12 deg)", "Nautisch (-12 deg)"},
    {2, 32928, "Astronomical (-18 deg)", "Astronomisch (-18 deg)"},
    {1, S, "", ""},
    {1, 32923, "&Keep it 2D", "&Bleibt 2D"},
    {1, 32920, "&Draw Man", "&Zeichne Maenchen"},
    {1, 32919, "&Hidden Lines", "&Hidden Lines"},
    {1, 32921, "H&emi Sphere", "H&alb Kugel"},
    {1, 32924, "&Draw Icons", "&Zeichne Icons"},
    {1, S, "", ""},
    {1, 32807, "&Route", "&Route"},
    {1, 32808, "&Name", "&Name"},
    {1, 32809, "Pos &Azi/Ele/Dist", "Pos &Azi/Ele/Dist"},
    {1, 32934, "Pos Asc / &Desc", "Pos Asc / &Desc"},
    {1, S, "", ""},
    {1, 32931, "Draw &Elevation", "Zeichne &Elevation"},
    {1, 32937, "Print E&le Degrees", "Print E&le Degrees"},
    {1, 32932, "Draw A&zimuth", "Zeichne A&zimuth"},
    {1, 32938, "Print A&zi Degrees", "Print A&zi Degrees"},
    {1, 32929, "&Compass Lines", "&Kompass Linien"},
    {1, 32933, "Print &Compass", "Print &Kompass"},
    {1, S, "", ""},
    {1, 32877, "Z&oom", "Z&oom"},
};

// Menu 101 exists in German only.
constexpr MenuEntry kNoDocument[] = {
    {0, kPopup, "&Datei"},
    {1, 57600, "&Neu\tStrg+N"},
    {1, 57665, "&Beenden"},
    {0, kPopup, "&Ansicht"},
    {1, 59392, "&Symbolleiste"},
    {1, 59393, "S&tatusleiste"},
    {0, kPopup, "&?"},
    {1, 57664, "Inf&o über Kiv..."},
};

// Toolbar commands that no menu carries.
constexpr Line kToolbarOnly[] = {
    {0, 32821, "Display all satellites", "Alle Satelliten anzeigen"},
};

struct ViewMenu {
    MenuView view;
    int german;
    int english;
    std::span<const Line> popup;
};

constexpr ViewMenu kViewMenus[] = {
    {MenuView::Map, 102, 107, kMapPopup},
    {MenuView::World, 104, 109, kWorldPopup},
    {MenuView::WDB, 110, 113, kWDBPopup},
    {MenuView::Obs, 111, 115, kObsPopup},
};

constexpr std::array<int, 9> kMenuIds{101, 102, 107, 104, 109, 110, 113, 111, 115};

void append(std::vector<MenuEntry>& out, std::span<const Line> lines, bool english)
{
    for (const Line& l : lines)
        out.push_back({l.level, l.id, english ? l.en : l.de});
}

} // namespace

int viewMenuId(MenuView view, int language)
{
    for (const ViewMenu& m : kViewMenus) {
        if (m.view == view)
            return language != 0 ? m.english : m.german;
    }
    return language != 0 ? 107 : 102; // no known view: the 2D map's menu
}

std::vector<MenuEntry> menuEntries(int menuId)
{
    std::vector<MenuEntry> out;
    if (menuId == kMenuNoDocument) {
        out.assign(std::begin(kNoDocument), std::end(kNoDocument));
        return out;
    }
    for (const ViewMenu& m : kViewMenus) {
        if (menuId != m.german && menuId != m.english)
            continue;
        const bool english = menuId == m.english;
        append(out, kHead, english);
        append(out, m.popup, english);
        append(out, kTail, english);
    }
    return out;
}

std::span<const int> menuIds() { return kMenuIds; }

const char* toolTipText(int id, int language)
{
    const bool english = language != 0;
    for (const Line& l : kToolbarOnly) {
        if (l.id == id)
            return english ? l.en : l.de;
    }
    for (const ViewMenu& m : kViewMenus) {
        for (const MenuEntry& e : menuEntries(english ? m.english : m.german)) {
            if (e.id == id)
                return e.text;
        }
    }
    return "";
}

} // namespace kiv
