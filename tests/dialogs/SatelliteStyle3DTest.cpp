// The 3D satellite style dialog and its command: the dialog edits copies (styles, model number,
// colours) that only OK takes over; the model buttons, the list and the checked fields.
#include "dialogs/CDrwstDlg.h"
#include "dialogs/DialogCommands.h"
#include "document/BeamFootprint.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"
#include "views3d/PreviewScene.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace kiv;
using namespace kiv::test;

namespace {

class SatelliteStyle3DTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nSatelliteDrawStyle=2\nBeamDrawStyle=1\n"
                                    "BeamAngle=20\nSatModelNrFromFile=1\n");
        views_ = &attachFakeViews({ViewKind::World});
        doc.EnableAnimationTimer(true);
        return doc;
    }

    bool called(const char* what) const { return views_->count(what) > 0; }

    SatelliteStyle3D modelValues()
    {
        writeFile("models.dat", "StartModel\ngluSolidCube {1}\nEndModel\nStartModel\ngluSolidCube {2}\nEndModel\n"
                                "StartModel\n# nothing drawn\nEndModel\n");
        SatelliteStyle3D v;
        v.SatelliteDrawStyle = 4;
        v.SatModelNrFromFile = 1;
        v.SatelliteModelFileName = filePath(QStringLiteral("models.dat"));
        return v;
    }

    FakeViews* views_ = nullptr;
};

} // namespace

TEST_F(SatelliteStyle3DTest, CancelLeavesTheDocumentAsItWas)
{
    CKivDoc& doc = start();
    const SlotColors colorsBefore{doc.SatInfo[1].color[0], doc.SatInfo[1].color[1], doc.SatInfo[1].color[2]};
    bool timerOff = true;
    commands::satelliteStyle3D(doc, [&](const SatelliteStyle3D& in) {
        timerOff = !frame_.timerOn;
        EXPECT_EQ(in.SatelliteDrawStyle, 2);
        EXPECT_EQ(in.BeamDrawStyle, 1);
        EXPECT_EQ(in.colors[1], colorsBefore);
        SatelliteStyle3D edited = in;
        edited.SatelliteDrawStyle = 3;
        edited.colors[1][2] = 0x00010203;
        return std::optional<SatelliteStyle3D>();
    });
    EXPECT_TRUE(timerOff);
    EXPECT_TRUE(frame_.timerOn);
    EXPECT_EQ(doc.SatelliteDrawStyle, 2);
    EXPECT_EQ(doc.BeamDrawStyle, 1);
    EXPECT_EQ((SlotColors{doc.SatInfo[1].color[0], doc.SatInfo[1].color[1], doc.SatInfo[1].color[2]}), colorsBefore);
    EXPECT_EQ(doc.ColorTableChanged, 0);
    EXPECT_TRUE(views_->calls.empty());
}

TEST_F(SatelliteStyle3DTest, OkTakesEverythingBackAndRebuildsTheGlobesLists)
{
    CKivDoc& doc = start();
    const struct {
        double angle;
        float stored;
    } angles[] = {{45.5, 45.5f}, {180.0, static_cast<float>(kMaxBeamAngle)}, {20.0, 20.0f}};
    for (const auto& a : angles) {
        SCOPED_TRACE(a.angle);
        views_->calls.clear();
        commands::satelliteStyle3D(doc, [&](const SatelliteStyle3D& in) {
            SatelliteStyle3D out = in;
            out.SatelliteDrawStyle = 3;
            out.BeamDrawStyle = 3;
            out.TransparencyBeam = 0.25f;
            out.ShowCourse3D = 1;
            out.ShowCourseEarth3D = 1;
            out.NrOfPoints = 70;
            out.RouteLengthFactor = 1.5f;
            out.BeamAngle = a.angle;
            out.SatModelNrFromFile = 2;
            out.shown = {0, 1, 1};
            out.colors[2][1] = 0x00336699;
            return std::optional(out);
        });
        EXPECT_EQ(doc.BeamAngle, a.stored);
        EXPECT_EQ(doc.SatelliteDrawStyle, 3);
        EXPECT_EQ(doc.BeamDrawStyle, 3);
        EXPECT_EQ(doc.TransparencyBeam, 0.25f);
        EXPECT_EQ(doc.ShowCourse3D, 1);
        EXPECT_EQ(doc.ShowCourseEarth3D, 1);
        EXPECT_EQ(doc.NrOfPoints, 70);
        EXPECT_EQ(doc.RouteLengthFactor, 1.5);
        EXPECT_EQ(doc.SatModelNrFromFile, 2);
        EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{0, 1, 1}));
        EXPECT_EQ(doc.SatInfo[2].color[1], 0x00336699u);
        EXPECT_FLOAT_EQ(doc.SatInfo[2].glColor[1][0], 0x99 / 255.0f);
        EXPECT_FLOAT_EQ(doc.SatInfo[2].glColor[1][2], 0x33 / 255.0f);
        EXPECT_EQ(doc.ColorTableChanged, 1);
        EXPECT_TRUE(called("FreeOrbitBuffers"));
        EXPECT_TRUE(called("BuildSatelliteLists"));
        EXPECT_EQ(doc.SatInfo[0].trackLat.size(), 71u);
    }
}

TEST_F(SatelliteStyle3DTest, TheModelButtonsStayWithinTheModelsThatDraw)
{
    CKivDoc& doc = start();
    CDrwstDlg dialog(modelValues(), {}, services_, true);
    auto* next = child<QPushButton>(dialog, "1276");
    auto* previous = child<QPushButton>(dialog, "1277");
    EXPECT_TRUE(next->isEnabled());
    const int steps[][2] = {{+1, 2}, {+1, 2}, {-1, 1}, {-1, 1}, {+1, 2}};
    for (const auto& s : steps) {
        (s[0] > 0 ? next : previous)->click();
        EXPECT_EQ(dialog.values().SatModelNrFromFile, s[1]);
    }
    EXPECT_EQ(doc.SatModelNrFromFile, 1); // the document waits for OK

    child<QComboBox>(dialog, "1120")->setCurrentIndex(3);
    EXPECT_EQ(dialog.values().SatelliteDrawStyle, 3);
    EXPECT_EQ(dialog.look().body.style, 3);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(previous->isEnabled());
    child<QComboBox>(dialog, "1020")->setCurrentIndex(2);
    EXPECT_EQ(dialog.look().beamDrawStyle, 2);
}

TEST_F(SatelliteStyle3DTest, TypedBeamValuesReachThePreviewAndOkChecksTheFields)
{
    CKivDoc& doc = start();
    SatelliteStyle3D values = commands::satelliteStyle3DOf(doc);
    values.BeamAngle = 20.0;
    values.TransparencyBeam = 1.0f;
    CDrwstDlg dialog(values, {}, services_, doc.Language != 0);
    child<QLineEdit>(dialog, "1150")->setText(QStringLiteral("180"));
    child<QLineEdit>(dialog, "1143")->setText(QStringLiteral("0.4"));
    // The angle as the document will keep it.
    EXPECT_EQ(dialog.look().beamAngle, static_cast<float>(kMaxBeamAngle));
    EXPECT_FLOAT_EQ(dialog.look().transparency, 0.4f);
    child<QLineEdit>(dialog, "1150")->setText(QStringLiteral("-5"));
    EXPECT_EQ(dialog.look().beamAngle, 0.0);

    const struct {
        const char* field;
        const char* text;
        bool accepted;
    } cases[] = {{"1146", "9", false}, {"1146", "501", false}, {"1143", "1.5", false},
                 {"1150", "-5", false}, {"1148", "0", false},  {"1150", "180", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field << " " << c.text);
        ui_.messages.clear();
        CDrwstDlg fresh(values, {}, services_, true);
        child<QLineEdit>(fresh, c.field)->setText(QString::fromLatin1(c.text));
        fresh.accept();
        EXPECT_EQ(fresh.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(ui_.messages.shown().size(), c.accepted ? 0u : 1u);
    }
}

TEST_F(SatelliteStyle3DTest, ColoursAndMarksGoToTheCopy)
{
    CKivDoc& doc = start();
    SatelliteStyle3D values = commands::satelliteStyle3DOf(doc);
    values.shown = {1, 0, 0};
    values.colors[1] = {1, 2, 3};
    const QStringList names{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (const bool english : {true, false}) {
        ui_.messages.clear();
        CDrwstDlg dialog(values, names, services_, english);
        child<QPushButton>(dialog, "1075")->click();
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.captions().at(0), english ? "Attention" : "Achtung");
    }
    const COLORREF docColor = doc.SatInfo[1].color[0];
    CDrwstDlg dialog(values, names, services_, true);
    auto* list = child<QTreeWidget>(dialog, "1098");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(2), "X");
    list->setCurrentItem(list->topLevelItem(1));
    list->itemClicked(list->topLevelItem(1), 0);
    ui_.queueColor(0x00ABCDEF);
    child<QPushButton>(dialog, "1071")->click();
    EXPECT_EQ(dialog.values().colors[1][0], 0x00ABCDEFu);
    EXPECT_EQ(doc.SatInfo[1].color[0], docColor);
    child<QPushButton>(dialog, "1075")->click();
    EXPECT_EQ(dialog.values().colors[1], (SlotColors{0x020000FF, 0x008080FF, 0x02FFFFFF}));
    dialog.accept();
    EXPECT_EQ(dialog.values().shown[1], 1);
}

TEST_F(SatelliteStyle3DTest, ManualAndAutomaticTurning)
{
    CKivDoc& doc = start();
    CDrwstDlg dialog(commands::satelliteStyle3DOf(doc), {}, services_, true);
    EXPECT_TRUE(dialog.turningAutomatically());
    for (const char* id : {"1279", "1281", "1283", "1285", "1092"})
        EXPECT_FALSE(child<QPushButton>(dialog, id)->isEnabled()) << id;
    child<QPushButton>(dialog, "1275")->click();
    EXPECT_FALSE(dialog.turningAutomatically());
    for (const char* id : {"1279", "1281", "1283", "1285", "1092"})
        EXPECT_TRUE(child<QPushButton>(dialog, id)->isEnabled()) << id;
    EXPECT_FALSE(child<QPushButton>(dialog, "1275")->isEnabled());
    child<QPushButton>(dialog, "1092")->click();
    EXPECT_TRUE(dialog.turningAutomatically());
}

