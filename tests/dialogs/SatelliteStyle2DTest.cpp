// The 2D satellite style dialog and its command: copies of the icon table committed on OK only,
// colours kept and marked after Cancel, the ranges of the number fields, the list and its marks.
#include "dialogs/CDstDlg2d.h"
#include "dialogs/DialogCommands.h"
#include "document/IconListFile.h"
#include "resources/CommandIds.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"
#include "views2d/CWDBView.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

using namespace kiv;
using namespace kiv::test;

namespace {

class SatelliteStyle2DTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nNrOfPoints=50\n");
        views_ = &attachFakeViews({ViewKind::World});
        doc.EnableAnimationTimer(true);
        return doc;
    }

    bool called(const char* what) const { return views_->count(what) > 0; }

    FakeViews* views_ = nullptr;
};

} // namespace

TEST_F(SatelliteStyle2DTest, OkTakesTheValuesTheIconTableAndTheShownFlags)
{
    CKivDoc& doc = start();
    bool timerOff = true;
    commands::satelliteStyle2D(doc, [&](const SatelliteStyle2D& in) {
        timerOff = !frame_.timerOn;
        EXPECT_EQ(in.IconFileName, "kiv.sin");
        EXPECT_EQ(in.icons.loadedSlots(), 3);
        SatelliteStyle2D out = in;
        out.PenWidth = 5;
        out.SatelliteName2D = 1;
        out.ShowCourse2D = 1;
        out.RouteLengthFactor = 2.5f;
        out.shown = {1, 0, 1};
        EXPECT_EQ(out.icons.assign(1, QStringLiteral("p.png")), IconTable::Assigned::Done);
        return std::optional(out);
    });
    EXPECT_TRUE(timerOff);
    EXPECT_TRUE(frame_.timerOn);
    EXPECT_EQ(doc.PenWidth, 5);
    EXPECT_EQ(doc.SatelliteName2D, 1);
    EXPECT_EQ(doc.ShowCourse2D, 1);
    EXPECT_EQ(doc.RouteLengthFactor, 2.5);
    EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{1, 0, 1}));
    EXPECT_EQ(doc.SatInfo[1].iconIndex, 1);
    EXPECT_EQ(doc.Icons[1].fileName, "p.png");
    EXPECT_EQ(doc.Icons[1].refCount, 1);
    EXPECT_EQ(doc.Icons[0].refCount, 2);
    EXPECT_FALSE(doc.Icons[1].icon.isNull());
    const auto saved = loadIconListFile(paths_.writeTarget(QStringLiteral("kiv.sin")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->indices[1], 1);
    EXPECT_EQ(saved->names, std::vector<QString>{QStringLiteral("p.png")});
    EXPECT_TRUE(called("BuildSatelliteLists"));
    EXPECT_FALSE(called("FreeOrbitBuffers"));
    EXPECT_EQ(doc.ColorTableChanged, 0);
}

TEST_F(SatelliteStyle2DTest, TheSwitchesAreThoseOfTheViewTheDialogRunsFrom)
{
    CKivDoc& doc = start();
    doc.WDBMapBitmap = QImage(QSize(360, 180), QImage::Format_RGB32);
    doc.WDBMapBitmap.fill(Qt::white);
    doc.WDBMapWidth = 360;
    doc.WDBMapHeight = 180;
    doc.ShowWDB = 1;
    doc.SatelliteName2D = 1;
    doc.SatellitePos2D = 0;
    doc.SatelliteNameWDB = 0;
    doc.SatellitePosWDB = 1;
    CWDBView view(doc);
    EXPECT_EQ(view.Commands().find(kCmdSatelliteStyle), nullptr) << "without the dialog the document's command runs";
    // The dialog sees the switches it was started with and turns both over.
    std::pair<int, int> seen;
    const Editor<SatelliteStyle2D> flip = [&](const SatelliteStyle2D& in) {
        seen = {in.SatelliteName2D, in.SatellitePos2D};
        SatelliteStyle2D out = in;
        out.SatelliteName2D = !in.SatelliteName2D;
        out.SatellitePos2D = !in.SatellitePos2D;
        return std::optional(out);
    };
    view.SetStyleCommand([&](CWDBView& v) { commands::satelliteStyle2D(doc, flip, v); });
    const CommandMap::Entry* style = view.Commands().find(kCmdSatelliteStyle);
    ASSERT_NE(style, nullptr);

    style->run(kCmdSatelliteStyle);
    EXPECT_EQ(seen, std::pair(0, 1));
    EXPECT_EQ(std::pair(view.State().showNames, view.State().showPositions), std::pair(true, false));
    EXPECT_EQ(std::pair(doc.SatelliteNameWDB, doc.SatellitePosWDB), std::pair(1, 0)) << "the defaults of new views";
    EXPECT_EQ(std::pair(doc.SatelliteName2D, doc.SatellitePos2D), std::pair(1, 0)) << "the 2D map's stay";

    commands::satelliteStyle2D(doc, flip);
    EXPECT_EQ(seen, std::pair(1, 0));
    EXPECT_EQ(std::pair(doc.SatelliteName2D, doc.SatellitePos2D), std::pair(0, 1));
    EXPECT_EQ(std::pair(view.State().showNames, view.State().showPositions), std::pair(true, false))
        << "the World Data Bank view's stay";
    EXPECT_EQ(std::pair(doc.SatelliteNameWDB, doc.SatellitePosWDB), std::pair(1, 0));
}

TEST_F(SatelliteStyle2DTest, NewRoutePointsReloadAndKeepTheChosenShownFlags)
{
    CKivDoc& doc = start();
    commands::satelliteStyle2D(doc, [](const SatelliteStyle2D& in) {
        SatelliteStyle2D out = in;
        out.NrOfPoints = 80;
        out.shown = {0, 1, 1};
        return std::optional(out);
    });
    EXPECT_TRUE(called("FreeOrbitBuffers"));
    EXPECT_EQ(doc.NrOfPoints, 80);
    EXPECT_EQ(doc.SatInfo[1].trackLat.size(), 81u);
    EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{0, 1, 1}));
}

TEST_F(SatelliteStyle2DTest, CancelLeavesTheIconsAndKeepsMarkedColours)
{
    CKivDoc& doc = start();
    const std::string sinBefore = [&] {
        QFile f(paths_.writeTarget(QStringLiteral("kiv.sin")));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }();
    for (const bool recolour : {false, true}) {
        SCOPED_TRACE(recolour);
        views_->calls.clear();
        commands::satelliteStyle2D(doc, [&](const SatelliteStyle2D& in) {
            SatelliteStyle2D edited = in;
            edited.icons.assignAll(QStringLiteral("all.png"));
            edited.PenWidth = 9;
            if (recolour)
                doc.SatInfo[2].color[0] = 0x00123456;
            return std::optional<SatelliteStyle2D>();
        });
        EXPECT_EQ(doc.ColorTableChanged, recolour ? 1 : 0);
        EXPECT_EQ(called("BuildSatelliteLists"), recolour);
        EXPECT_NE(doc.PenWidth, 9);
        EXPECT_TRUE(doc.Icons[1].fileName.isEmpty());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(doc.SatInfo[i].iconIndex, 0);
        EXPECT_EQ(doc.Icons[0].refCount, 3);
        QFile f(paths_.writeTarget(QStringLiteral("kiv.sin")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().toStdString(), sinBefore);
    }
}

TEST_F(SatelliteStyle2DTest, NumberFieldsAreCheckedOnOk)
{
    CKivDoc& doc = start();
    SatelliteStyle2D values = commands::satelliteStyle2DOf(doc);
    values.PenWidth = 2;
    const struct {
        const char* points;
        const char* length;
        const char* pen;
        bool accepted;
    } cases[] = {
        {"9", "1", "2", false},   {"501", "1", "2", false}, {"10", "1.1", "2", true}, {"500", "0", "2", false},
        {"50", "50.5", "2", false}, {"50", "1", "0", false}, {"50", "1", "21", false}, {"50", "x", "2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " " << c.length << " " << c.pen);
        ui_.messages.clear();
        CDstDlg2d dialog(doc, values);
        child<QLineEdit>(dialog, "1146")->setText(QString::fromLatin1(c.points));
        child<QLineEdit>(dialog, "1148")->setText(QString::fromLatin1(c.length));
        child<QLineEdit>(dialog, "1159")->setText(QString::fromLatin1(c.pen));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(ui_.messages.shown().size(), c.accepted ? 0u : 1u);
        if (c.accepted) {
            EXPECT_EQ(dialog.values().RouteLengthFactor, 1.1);
            EXPECT_EQ(dialog.values().NrOfPoints, 10);
        }
    }
}

TEST_F(SatelliteStyle2DTest, TheListMarksShownSatellitesAndColoursGoToTheChosenSlot)
{
    CKivDoc& doc = start();
    SatelliteStyle2D values = commands::satelliteStyle2DOf(doc);
    values.shown = {1, 0, 1};
    CDstDlg2d dialog(doc, values);
    auto* list = child<QTreeWidget>(dialog, "1098");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(1)->text(1), "2");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "X");
    EXPECT_EQ(list->topLevelItem(1)->text(2), " ");

    for (const int language : {1, 0}) {
        ui_.messages.clear();
        doc.Language = language;
        CDstDlg2d fresh(doc, values);
        child<QPushButton>(fresh, "1063")->click();
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.captions().at(0), language ? "Attention" : "Achtung");
        EXPECT_EQ(ui_.messages.texts().at(0), language ? "You must first choose the satellite, befor you can change the color."
                                                       : "Sie müssen zuerst den Satelliten auswählen, dessen Farbe sie ändern möchten");
        EXPECT_EQ(ui_.colorDialogsShown(), 0);
    }

    list->setCurrentItem(list->topLevelItem(1));
    list->itemClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(list->topLevelItem(1)->text(2), "X");
    doc.SatInfo[1].glColor[2][3] = 0.25f;
    ui_.queueColor(0x00336699);
    child<QPushButton>(dialog, "1063")->click();
    EXPECT_EQ(doc.SatInfo[1].color[2], 0x00336699u);
    EXPECT_FLOAT_EQ(doc.SatInfo[1].glColor[2][0], 0x99 / 255.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[1].glColor[2][1], 0x66 / 255.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[1].glColor[2][2], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[1].glColor[2][3], 0.25f);

    child<QPushButton>(dialog, "1075")->click();
    EXPECT_EQ((std::array{doc.SatInfo[1].color[0], doc.SatInfo[1].color[1], doc.SatInfo[1].color[2]}),
              (std::array<COLORREF, 3>{0x020000FF, 0x008080FF, 0x02FFFFFF}));

    dialog.accept();
    EXPECT_EQ(dialog.values().shown[1], 1);
    EXPECT_EQ(dialog.values().shown[0], 1);
}

TEST_F(SatelliteStyle2DTest, IconPanelEditsTheCopyAndLoadsAnotherIconList)
{
    CKivDoc& doc = start();
    IconIndices indices{};
    indices[2] = 1;
    IconNames names{};
    names[1] = QStringLiteral("q.png");
    ASSERT_TRUE(saveIconListFile(filePath(QStringLiteral("other.sin")), indices, names).ok);

    SatelliteStyle2D values = commands::satelliteStyle2DOf(doc);
    values.IconFileName = doc.IconFileName;
    IconIndices current{};
    values.icons = IconTable(doc.Icons, current, doc.SatelliteCount, [&doc](const QString& n) { return doc.IconImage(n); });
    CDstDlg2d dialog(doc, values);
    EXPECT_FALSE(dialog.panelOpen());
    child<QPushButton>(dialog, "14")->click();
    EXPECT_TRUE(dialog.panelOpen());
    auto* icons = child<QListWidget>(dialog, "1100");
    ASSERT_EQ(icons->count(), 3);

    child<QPushButton>(dialog, "17")->click();
    EXPECT_EQ(ui_.messages.texts().back(), "First check a Item !!!");
    EXPECT_EQ(ui_.messages.captions().back(), "Warning");

    icons->setCurrentRow(0);
    ui_.files.queueAnswer(QStringLiteral("p.png"));
    child<QPushButton>(dialog, "17")->click();
    EXPECT_EQ(dialog.values().icons.indices()[0], 1);
    EXPECT_EQ(dialog.values().icons.entries()[1].fileName, "p.png");
    EXPECT_EQ(doc.Icons[1].fileName, QString()); // the document's table is not touched
    icons->itemClicked(icons->item(0));
    EXPECT_EQ(child<QLineEdit>(dialog, "1037")->text(), "p.png");
    icons->itemClicked(icons->item(1));
    EXPECT_EQ(child<QLineEdit>(dialog, "1037")->text(), "Standard Icon");

    ui_.files.queueAnswer(filePath(QStringLiteral("other.sin")));
    child<QPushButton>(dialog, "23")->click();
    EXPECT_EQ(dialog.values().IconFileName, filePath(QStringLiteral("other.sin")));
    EXPECT_EQ(child<QLineEdit>(dialog, "1254")->text(), filePath(QStringLiteral("other.sin")));
    EXPECT_EQ(dialog.values().icons.indices()[0], 0);
    EXPECT_EQ(dialog.values().icons.indices()[2], 1);
    EXPECT_EQ(dialog.values().icons.entries()[1].fileName, "q.png");
    EXPECT_EQ(dialog.values().icons.entries()[1].refCount, 1);
}

TEST_F(SatelliteStyle2DTest, TheFoldButtonShowsTheChosenSatellitesIcon)
{
    CKivDoc& doc = start();
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(filePath(QStringLiteral("red.png"))));
    SatelliteStyle2D values;
    values.IconFileName = doc.IconFileName;
    IconIndices current{};
    values.icons = IconTable(doc.Icons, current, doc.SatelliteCount, [&doc](const QString& n) { return doc.IconImage(n); });
    CDstDlg2d dialog(doc, values);
    auto* fold = child<QPushButton>(dialog, "14");
    const auto centre = [fold] { return fold->icon().pixmap(32, 32).toImage().pixelColor(16, 16); };
    ASSERT_FALSE(fold->icon().isNull()); // the standard icon while no satellite is chosen
    const QColor standard = centre();
    EXPECT_NE(standard, QColor(Qt::red));

    auto* icons = child<QListWidget>(dialog, "1100");
    icons->setCurrentRow(1);
    ui_.files.queueAnswer(filePath(QStringLiteral("red.png")));
    child<QPushButton>(dialog, "17")->click();
    EXPECT_EQ(centre(), QColor(Qt::red)) << "the new icon of the satellite chosen in the panel";
    auto* list = child<QTreeWidget>(dialog, "1098");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(centre(), standard);
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(centre(), QColor(Qt::red));
}
