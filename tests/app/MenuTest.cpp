// The menus: every view kind in both languages against the tables, the language
// switch, check marks, enable states and the routing of one id through view, document, frame
// and application.
#include "app/CommandRegistry.h"
#include "resources/CommandIds.h"
#include "resources/MenuTables.h"
#include "tests/app/ShellFixture.h"

#include <QMessageBox>

using namespace kiv;
using namespace kiv::test;

namespace {

struct KindMenu {
    ViewKind kind;
    kiv::MenuView view;
};
const KindMenu kKinds[] = {{ViewKind::Map, kiv::MenuView::Map},
                           {ViewKind::World, kiv::MenuView::World},
                           {ViewKind::WDB, kiv::MenuView::WDB},
                           {ViewKind::Obs, kiv::MenuView::Obs}};

// The Yes button of a standard message box as Qt names it at the moment.
QString yesButtonText()
{
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&'));
}

} // namespace

TEST_F(ShellTest, EveryViewMenuInBothLanguagesMatchesItsTable)
{
    start();
    ASSERT_EQ(frame().ChildFrames().size(), 4u);
    for (int language : {1, 0}) {
        run(language ? kCmdEnglish : kCmdGerman);
        for (const KindMenu& k : kKinds) {
            activate(k.kind);
            const int id = kiv::viewMenuId(k.view, language);
            EXPECT_EQ(frame().CurrentMenuId(), id);
            const std::vector<kiv::MenuEntry> expected = kiv::menuEntries(id);
            const std::vector<kiv::MenuEntry> got = menuBarLines();
            ASSERT_EQ(got.size(), expected.size()) << "menu " << id;
            for (std::size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].level, expected[i].level) << "menu " << id << " line " << i;
                EXPECT_EQ(got[i].id, expected[i].id) << "menu " << id << " line " << i;
                if (expected[i].id != kiv::kSeparator) {
                    EXPECT_EQ(texts_[i], QString::fromUtf8(expected[i].text)) << "menu " << id << " line " << i;
                }
            }
        }
    }
}

TEST_F(ShellTest, GlobeMenusListTheGlobeCommandsInBothLanguages)
{
    start();
    activate(ViewKind::World);
    EXPECT_EQ(frame().CurrentMenuId(), 109);
    QStringList titles;
    for (QAction* a : frame().menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Animation", "&Datas", "&View 3D", "&Options", "&Window", "&?"}));

    run(kCmdGerman); // German, at once, the satellite buttons untouched
    EXPECT_EQ(frame().CurrentMenuId(), 104);
    QMenu* view = frame().menuBar()->actions().at(3)->menu();
    EXPECT_EQ(frame().menuBar()->actions().at(3)->text(), QStringLiteral("&Ansicht 3D"));
    EXPECT_EQ(view->actions().at(0)->text(), QStringLiteral("&Gehe zu ..."));
    EXPECT_EQ(view->actions().at(1)->text(), QStringLiteral("&Anzeigen"));
    int zeit = 0;
    for (QAction* popup : frame().menuBar()->actions()) {
        for (QAction* a : popup->menu()->actions())
            zeit += a->data().toInt() == kCmdTime && a->text() == QStringLiteral("&Zeit ...");
    }
    EXPECT_EQ(zeit, 2); // Animation and Optionen
    EXPECT_EQ(frame().ToolBar()->actions().size(), 13);
}

TEST_F(ShellTest, NoActiveViewGivesTheMapMenuAndNoDocumentMenu101)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShow2D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n");
    ASSERT_EQ(frame().ChildFrames().size(), 1u); // the globe when none is remembered
    run(kCmdView3D);                                  // close it
    EXPECT_TRUE(frame().ChildFrames().empty());
    EXPECT_EQ(frame().CurrentMenuId(), 107);
    run(kCmdView3D); // and the menu reopens it
    EXPECT_EQ(frame().ChildFrames().size(), 1u);

    frame().close(); // the document goes; menu 101 is German only
    EXPECT_EQ(app_->Document(), nullptr);
    EXPECT_EQ(frame().CurrentMenuId(), 101);
    const auto lines = menuBarLines();
    EXPECT_EQ(texts_.front(), QStringLiteral("&Datei"));
    EXPECT_EQ(texts_.at(1), QStringLiteral("&Neu\tStrg+N"));
    EXPECT_EQ(lines.size(), kiv::menuEntries(101).size());
}

TEST_F(ShellTest, LanguageSwitchKeepsShortcutsAndChecksTheLanguage)
{
    start();
    run(kCmdGerman);
    EXPECT_TRUE(menuItem(kCmdGerman)->isChecked());
    EXPECT_FALSE(menuItem(kCmdEnglish)->isChecked());
    EXPECT_EQ(yesButtonText(), "Ja") << "Qt's own buttons follow the switch";
    ASSERT_TRUE(doc().SaveSettingsArchive(path("german.set")));
    run(kCmdEnglish);
    EXPECT_TRUE(menuItem(kCmdEnglish)->isChecked());
    EXPECT_EQ(yesButtonText(), "Yes");
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("german.set")));
    EXPECT_EQ(yesButtonText(), "Ja") << "and a restored archive's language";
    app_.reset();
    start("[Allgemein]\nSatellitenfilename=sats.tle\nLanguage=0\n");
    EXPECT_EQ(yesButtonText(), "Ja") << "from the start, before the document's first box";
    QStringList keys;
    for (QAction* a : frame().actions())
        keys << a->shortcut().toString();
    EXPECT_TRUE(keys.contains("Ctrl+N"));
    EXPECT_TRUE(keys.contains("Ctrl+O"));
    EXPECT_FALSE(keys.contains("Ctrl+S"));
}

TEST_F(ShellTest, PlayAndPauseAreCheckedInTheMenuAndOnTheToolbar)
{
    start();
    struct Step {
        int command;
        bool play, pause;
    };
    // Running at factor 1; Play stops and starts the clock, Pause sets the factor to 0 and back.
    const Step steps[] = {{0, true, false}, {kCmdPause, true, true}, {kCmdPlay, false, true},
                          {kCmdPause, false, false}, {kCmdPlay, true, false}};
    for (const Step& s : steps) {
        if (s.command)
            run(s.command);
        frame().Commands().updateActions();
        SCOPED_TRACE(s.command);
        EXPECT_EQ(menuItem(kCmdPlay)->isChecked(), s.play);
        EXPECT_EQ(menuItem(kCmdPause)->isChecked(), s.pause);
        EXPECT_EQ(frame().Commands().action(kCmdPlay)->isChecked(), s.play); // the toolbar button
        EXPECT_EQ(frame().Commands().action(kCmdPause)->isChecked(), s.pause);
    }
}

TEST_F(ShellTest, DrawAndZoomAreEnabledOnlyWhereAViewTakesThem)
{
    start();
    activate(ViewKind::World);
    EXPECT_FALSE(menuItem(kCmdDraw)->isEnabled());
    EXPECT_FALSE(menuItem(kCmdZoom)->isEnabled());
    EXPECT_TRUE(menuItem(kCmdGoTo)->isEnabled()); // the document's
    EXPECT_TRUE(menuItem(kCmdObsOptions)->isEnabled());
    activate(ViewKind::WDB);
    EXPECT_TRUE(menuItem(kCmdDraw)->isEnabled());
    EXPECT_TRUE(menuItem(kCmdZoom)->isEnabled());
    for (ViewKind k : {ViewKind::Map, ViewKind::Obs}) {
        activate(k);
        EXPECT_TRUE(menuItem(kCmdZoom)->isEnabled());
        EXPECT_FALSE(menuItem(kCmdDraw)->isEnabled());
    }
    // Check marks of the view toggles follow the Show flags.
    EXPECT_TRUE(menuItem(kCmdView3D)->isChecked());
    run(kCmdViewObs);
    activate(ViewKind::Map);
    EXPECT_FALSE(menuItem(kCmdViewObs)->isChecked());
}

TEST_F(ShellTest, TheStyleDialogOfAWorldDataBankViewRunsFromItsOwnCommands)
{
    start();
    for (const CChildFrame* child : frame().ChildFrames()) {
        const bool own = child->Commands()->find(kCmdSatelliteStyle) != nullptr;
        EXPECT_EQ(own, child->Kind() == ViewKind::WDB || child->Kind() == ViewKind::Obs)
            << "the 2D map's runs from the document's";
    }
}

TEST(CommandRouting, TheFirstMapOnTheRouteTakesTheCommand)
{
    std::vector<std::string> log;
    kiv::CommandMap view, document, frame, app;
    view.on(1, [&] { log.push_back("view"); });
    document.on(1, [&] { log.push_back("document"); });
    document.on(2, [&] { log.push_back("document"); });
    frame.on(2, [&] { log.push_back("frame"); });
    frame.on(3, [&] { log.push_back("frame"); }, [](kiv::CommandUi& ui) { ui.Enable(false); });
    app.on(4, [&] { log.push_back("app"); });
    app.on(3, [&] { log.push_back("app"); });
    const kiv::CommandMap* active = &view;
    CommandRegistry registry([&] { return std::vector<const kiv::CommandMap*>{active, &document, &frame, &app}; });

    EXPECT_TRUE(registry.execute(1));
    EXPECT_TRUE(registry.execute(2));
    EXPECT_FALSE(registry.execute(3)); // disabled by the frame: the application never sees it
    EXPECT_TRUE(registry.execute(4));
    EXPECT_FALSE(registry.execute(5));
    EXPECT_EQ(log, (std::vector<std::string>{"view", "document", "app"}));
    EXPECT_FALSE(registry.state(5).enabled);
    EXPECT_FALSE(registry.action(5)->isEnabled());

    active = nullptr; // no view: the document takes it
    log.clear();
    registry.execute(1);
    EXPECT_EQ(log, (std::vector<std::string>{"document"}));
}

TEST(MenuTables, EveryTableBuildsAndABrokenOneIsNamedByItsLine)
{
    for (const int id : kiv::menuIds())
        EXPECT_EQ(kiv::menuTableFault(kiv::menuEntries(id)), "") << "menu " << id;
    using kiv::kPopup;
    const struct {
        std::vector<kiv::MenuEntry> lines;
        const char* fault;
    } cases[] = {
        {{{0, kPopup, "&File"}, {1, kPopup, "Sub"}, {2, 1, "Deep"}, {1, kiv::kSeparator, ""}, {0, kPopup, "?"}}, ""},
        {{{0, kPopup, "&File"}, {1, kPopup, "Empty"}, {0, kPopup, "?"}}, ""},
        {{{0, 1, "Loose"}}, "line 0 (\"Loose\") is on the menu bar but is not a popup"},
        {{{0, kPopup, "&File"}, {1, 1, "Open"}, {0, kiv::kSeparator, ""}},
         "line 2 (\"\") is on the menu bar but is not a popup"},
        {{{0, kPopup, "&File"}, {2, 1, "Deep"}}, "line 1 (\"Deep\") is at level 2 with no popup at level 1 above it"},
        {{{1, 1, "Orphan"}}, "line 0 (\"Orphan\") is at level 1 with no popup at level 0 above it"},
        {{{0, kPopup, "&File"}, {1, 1, "Open"}, {2, 2, "Under an item"}},
         "line 2 (\"Under an item\") is at level 2 with no popup at level 1 above it"},
        {{{-1, kPopup, "Up"}}, "line 0 (\"Up\") has a negative level"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kiv::menuTableFault(c.lines), c.fault);
}
