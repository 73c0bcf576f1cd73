#include "resources/MenuTables.h"

#include "resources/CommandIds.h"

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
    {1, kCmdOpenLocal, "&Open local ...", "&Laden local ..."},
    {1, kCmdOpenFromWeb, "Open from the &web ...", "Lade vom &Internet ..."},
    {1, kCmdSaveSettings, "&Save Settings", "&Save Settings"},
    {1, kCmdRestoreSettings, "&RestoreSettings", "&RestoreSettings"},
    {1, kCmdExit, "&Exit", "&Beenden"},
    {0, P, "&Animation", "&Animation"},
    {1, kCmdPlay, "&Play", "&Play"},
    {1, kCmdPause, "P&ause", "P&ause"},
    {1, kCmdReset, "&Reset", "&Reset"},
    {1, kCmdZoom, "Z&oom", "Z&oom"},
    {1, kCmdDraw, "&Draw", "&Draw"},
    {1, kCmdTime, "&Time ...", "&Zeit ..."},
    {0, P, "&Datas", "&Daten"},
    {1, kCmdSatelliteData, "&Satellitedatas ...", "&Satellitendaten ..."},
    {1, kCmdExport, "&Export ...", "&Export ..."},
};

constexpr Line kTail[] = {
    {0, P, "&Options", "&Optionen"},
    {1, kCmdGeneral, "&General ...", "&Allgemein ..."},
    {1, kCmdWdbLayer, "WDB &Layer ...", "WDB &Layer ..."},
    {1, kCmdObsOptions, "&Obs View ...", "&Obs Ansicht ..."},
    {1, kCmdTime, "&Time ...", "&Zeit ..."},
    {1, P, "A&ctivate", "A&ktivieren"},
    {2, kCmdView3D, "&3D View", "&3D Ansicht"},
    {2, kCmdView2D, "&2D View", "&2D Ansicht"},
    {2, kCmdViewWdb, "&WDB View", "&WDB Ansicht"},
    {2, kCmdViewObs, "&Obs View", "&Obs Ansicht"},
    {1, P, "&Texture", "&Texturen"},
    {2, kCmdTextures, "&Textures ...", "&Texturen ..."},
    {2, kCmdWeather, "&Real Weather Data ...", "&Echtzeit Wetter Daten ..."},
    {1, P, "&Language", "&Sprache"},
    {2, kCmdGerman, "&German", "&Deutsch"},
    {2, kCmdEnglish, "&English", "&English"},
    {1, kCmdToolBar, "T&oolbar", "&Symbolleiste"},
    {1, kCmdStatusBar, "&Statusbar", "S&tatusleiste"},
    {0, P, "&Window", "&Fenster"},
    {1, kCmdArrange, "&Arrange", "&Anordnen"},
    {1, kCmdCascade, "&Cascade", "Über&lappend"},
    {1, kCmdTile, "&Tile", "&Nebeneinander"},
    {1, kCmdArrangeIcons, "&Symbols", "&Symbole anordnen"},
    {0, P, "&?", "&?"},
    {1, kCmdAbout, "&About Kiv ...", "Inf&o über Kiv..."},
};

// The view popups. Each begins with "Go to" and the view's own toggle; the rest are the view's
// own commands, grouped by what they show.
constexpr Line kMapPopup[] = {
    {0, P, "&View 2D", "&Ansicht 2D"},
    {1, kCmdGoTo, "&Go to ...", "&Gehe zu ..."},
    {1, kCmdView2D, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, kCmdName, "&Name", "&Name"},
    {1, kCmdPosition, "&Position", "&Position"},
    {1, kCmdRoute, "&Route", "&Route"},
    {1, kCmdSatelliteStyle, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, S, "", ""},
    {1, kCmdFootprints, "&Footprints", "&Footprints"},
    {1, kCmdFootprintLine, "&Line", "&Linie"},
    {1, kCmdFootprintArea, "&Area", "&Fläche"},
    {1, kCmdFootprintChecked, "C&hecked", "&Kariert"},
    {1, kCmdFootprintColored, "&Colored", "F&arbig"},
    {1, S, "", ""},
    {1, kCmdShadow, "&Shadow", "&Schatten"},
    {1, kCmdMapTexture, "&Texture", "&Texture"},
    {1, kCmdMoon, "&Moon", "&Mond"},
    {1, kCmdSun, "&Sun", "&Sonne"},
    {1, S, "", ""},
    {1, kCmdZoom, "Z&oom", "Z&oom"},
};

constexpr Line kWorldPopup[] = {
    {0, P, "&View 3D", "&Ansicht 3D"},
    {1, kCmdGoTo, "&Go to ...", "&Gehe zu ..."},
    {1, kCmdView3D, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, kCmdGeostationary, "G&eostationairy", "G&eostationär"},
    {1, kCmdStationary, "&Stationairy", "&Stationär"},
    {1, kCmdFollowSatellite, "&Follow Satellite ...", "&Folge Satellit ..."},
    {1, S, "", ""},
    {1, P, "&Beam", "&Strahl"},
    {2, kCmdBeamNone, "&None", "&Keine"},
    {2, kCmdBeamLine, "&Line", "&Linie"},
    {2, kCmdBeamCone, "&Cone", "K&egel"},
    {2, kCmdBeamTransparent, "&Transparent", "&Durchsichtig"},
    {1, kCmdFootprint3D, "&Footprint", "&Footprint"},
    {1, P, "&Route", "&Route"},
    {2, kCmdRouteEarth, "&Earthsystem", "&Erdsystem"},
    {2, kCmdRouteSpace, "&Spacesystem", "&Weltraumsys."},
    {1, kCmdCoordinateCross, "&Coordinate cross", "&Koordinatenkreuz"},
    {1, S, "", ""},
    {1, kCmdSatelliteStyle3D, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, P, "&Quality", "&Qualität"},
    {2, kCmdQualityMouseMove, "&Mousemove ...", "&Mausbewegung ..."},
    {2, kCmdQualityNormal, "&Normal ...", "&Normal ..."},
};

constexpr Line kWDBPopup[] = {
    {0, P, "&View WDB", "&Ansicht WDB"},
    {1, kCmdGoTo, "&Go to ...", "&Gehe zu ..."},
    {1, kCmdViewWdb, "D&eactivate", "&Anzeigen"},
    {1, S, "", ""},
    {1, kCmdDraw, "&Draw", "&Draw"},
    {1, kCmdZoom, "Z&oom", "Z&oom"},
    {1, S, "", ""},
    {1, kCmdName, "&Name", "&Name"},
    {1, kCmdPosition, "&Position", "&Position"},
    {1, kCmdRoute, "&Route", "&Route"},
    {1, S, "", ""},
    {1, kCmdFootprints, "&Footprints", "&Footprints"},
    {1, kCmdFootprintLine, "&Line", "&Linie"},
    {1, kCmdFootprintArea, "&Area", "&Fläche"},
    {1, kCmdFootprintChecked, "C&hecked", "&Kariert"},
    {1, kCmdFootprintColored, "&Colored", "F&arbig"},
    {1, S, "", ""},
    {1, kCmdSatelliteStyle, "&Satellitestyle ...", "&Satellitenstyle ..."},
    {1, kCmdStationary, "&Stationairy", "&Stationär"},
    {1, kCmdFollowSatellite, "&Follow Satellite ...", "&Folge Satellit ..."},
};

constexpr Line kObsPopup[] = {
    {0, P, "&View Obs", "&Ansicht Obs"},
    {1, kCmdGoTo, "&Go to ...", "&Gehe zu ..."},
    {1, kCmdViewObs, "D&eactivate", "&Anzeigen"},
    {1, kCmdSatelliteStyle, "&Dialog box ...", "&Dialogbox ..."},
    {1, S, "", ""},
    {1, P, "&Twilight", "&Dämmerung"},
    {2, kCmdTwilightCivil, "Civil (-6 deg)", "Civil (-6 deg)"},
    {2, kCmdTwilightNautical, "Nautical (-12 deg)", "Nautisch (-12 deg)"},
    {2, kCmdTwilightAstronomical, "Astronomical (-18 deg)", "Astronomisch (-18 deg)"},
    {1, S, "", ""},
    {1, kCmdKeep2D, "&Keep it 2D", "&Bleibt 2D"},
    {1, kCmdDrawMan, "&Draw Man", "&Zeichne Maenchen"},
    {1, kCmdHiddenLines, "&Hidden Lines", "&Hidden Lines"},
    {1, kCmdHemisphere, "H&emi Sphere", "H&alb Kugel"},
    {1, kCmdDrawIcons, "&Draw Icons", "&Zeichne Icons"},
    {1, S, "", ""},
    {1, kCmdRoute, "&Route", "&Route"},
    {1, kCmdName, "&Name", "&Name"},
    {1, kCmdPosition, "Pos &Azi/Ele/Dist", "Pos &Azi/Ele/Dist"},
    {1, kCmdPosAscDesc, "Pos Asc / &Desc", "Pos Asc / &Desc"},
    {1, S, "", ""},
    {1, kCmdDrawElevation, "Draw &Elevation", "Zeichne &Elevation"},
    {1, kCmdPrintElevation, "Print E&le Degrees", "Print E&le Degrees"},
    {1, kCmdDrawAzimuth, "Draw A&zimuth", "Zeichne A&zimuth"},
    {1, kCmdPrintAzimuth, "Print A&zi Degrees", "Print A&zi Degrees"},
    {1, kCmdCompassLines, "&Compass Lines", "&Kompass Linien"},
    {1, kCmdPrintCompass, "Print &Compass", "Print &Kompass"},
    {1, S, "", ""},
    {1, kCmdZoom, "Z&oom", "Z&oom"},
};

// The export editor's menu: 118 English, 116 German.
constexpr Line kEditorMenu[] = {
    {0, P, "&File", "&Datei"},
    {1, kCmdFileNew, "&New\tStrg+N", "&Neu\tStrg+N"},
    {1, kCmdFileOpen, "&Open...\tStrg+O", "Ö&ffnen...\tStrg+O"},
    {1, kCmdFileSave, "&Save", "&Speichern"},
    {1, kCmdFileSaveAs, "Save &under ...", "Speichern unter"},
    {1, kCmdFilePrint, "&Print...\tStrg+P", "&Drucken...\tStrg+P"},
    {1, kCmdFilePrintPreview, "P&rint preview", "Sei&tenansicht"},
    {1, kCmdFilePrintSetup, "Print S&etup", "Drucker&einrichtung..."},
    {0, P, "&Edit", "&Edit"},
    {1, kCmdEditUndo, "&Undo", "Rückgängig"},
    {1, kCmdEditCut, "&Cut", "&Ausschneiden"},
    {1, kCmdEditPaste, "&Paste", "&Einfugen"},
    {1, kCmdEditCopy, "C&opy", "&Kopieren"},
    {1, kCmdEditSelectAll, "&Mark all", "Alles markieren"},
    {0, P, "&?", "&?"},
    {1, kCmdHelp, "Help ...", "Hilfe ..."},
};
constexpr int kEditorMenuEnglish = 118;
constexpr int kEditorMenuGerman = 116;

// Menu 101 exists in German only.
constexpr MenuEntry kNoDocument[] = {
    {0, kPopup, "&Datei"},
    {1, kCmdFileNew, "&Neu\tStrg+N"},
    {1, kCmdExit, "&Beenden"},
    {0, kPopup, "&Ansicht"},
    {1, kCmdToolBar, "&Symbolleiste"},
    {1, kCmdStatusBar, "S&tatusleiste"},
    {0, kPopup, "&?"},
    {1, kCmdAbout, "Inf&o über Kiv..."},
};

// Toolbar commands that no menu carries.
constexpr Line kToolbarOnly[] = {
    {0, kCmdDisplayAll, "Display all satellites", "Alle Satelliten anzeigen"},
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
    if (menuId == kEditorMenuEnglish || menuId == kEditorMenuGerman) {
        append(out, kEditorMenu, menuId == kEditorMenuEnglish);
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

std::string menuTableFault(std::span<const MenuEntry> entries)
{
    int popups = 0; // open popups: a line may sit at any level up to this
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& e = entries[i];
        const auto line = [&] { return "line " + std::to_string(i) + " (\"" + (e.text ? e.text : "") + "\")"; };
        if (e.level < 0)
            return line() + " has a negative level";
        if (e.level > popups)
            return line() + " is at level " + std::to_string(e.level) + " with no popup at level " +
                   std::to_string(e.level - 1) + " above it";
        if (e.level == 0 && e.id != kPopup)
            return line() + " is on the menu bar but is not a popup";
        popups = e.id == kPopup ? e.level + 1 : e.level;
    }
    return {};
}

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
