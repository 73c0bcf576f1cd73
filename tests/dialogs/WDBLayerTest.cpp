// The World Data Bank layer sheet: its defaults and ranges, the command that reads the colour
// table before and writes it only on OK, and the sheet's pages, swaps and colour file choice.
#include "dialogs/CWDBDlg.h"
#include "dialogs/WDBLayerCommand.h"
#include "tests/support/DocumentFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace kiv;
using namespace kiv::test;

namespace {

WDBColorTable distinctive()
{
    WDBColorTable t;
    for (int i = 0; i < kWDBColorRecords; ++i) {
        t.colors[i] = 0x02000000u | static_cast<COLORREF>(0x010101 * i);
        t.widths[i] = i % 5;
    }
    return t;
}

std::string bytesOf(const WDBColorTable& t)
{
    const QByteArray b = wdbColorBytes(t);
    return std::string(b.constData(), b.size());
}

} // namespace

TEST(WDBLayerSettings, DefaultsTouchOnlyWhatTheButtonSets)
{
    WDBLayerSettings s;
    s.colors = distinctive();
    s.DrawGrid = 0;
    s.XExtension = 77;
    s.RIV_Layer = 5;
    s.GridStyle = 4;
    s.setDefaults();
    EXPECT_EQ(s.colors.colors[0], 0x02000000u);
    for (int i = 1; i < kWDBColorRecords; ++i)
        EXPECT_EQ(s.colors.colors[i], distinctive().colors[i]) << i;
    for (int i = 1; i <= 29; ++i)
        EXPECT_EQ(s.colors.widths[i], 1) << i;
    EXPECT_EQ(s.colors.widths[30], distinctive().widths[30]);
    EXPECT_EQ(s.colors.widths[0], distinctive().widths[0]);
    EXPECT_EQ(s.RIV_Layer, 0);
    EXPECT_EQ(s.GridStyle, 1);
    EXPECT_EQ(s.DrawGrid, 0);
    EXPECT_EQ(s.XExtension, 77);
}

TEST(WDBLayerSettings, ClampHoldsEveryValueInItsRange)
{
    WDBLayerSettings s;
    s.colors.widths[5] = -4;
    s.colors.widths[6] = 1000;
    s.colors.widths[31] = -7; // not edited by the sheet: kept as it is
    s.XExtension = 0;
    s.GridDistance = 0.0;
    s.CIL_Layer = -1;
    s.clamp();
    EXPECT_EQ(s.colors.widths[5], 0);
    EXPECT_EQ(s.colors.widths[6], kWDBMaxPenWidth);
    EXPECT_EQ(s.colors.widths[31], -7);
    EXPECT_EQ(s.XExtension, 10);
    EXPECT_DOUBLE_EQ(s.GridDistance, 0.01);
    EXPECT_EQ(s.CIL_Layer, 0xFFF);
    s.GridDistance = std::numeric_limits<double>::quiet_NaN();
    s.XExtension = 500;
    s.clamp();
    EXPECT_DOUBLE_EQ(s.GridDistance, 10.0);
    EXPECT_EQ(s.XExtension, 100);
}

namespace {

class WDBLayerCommandTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        CKivDoc& doc = makeDocument();
        ui_.messages.clear(); // what the start-up said
        return doc;
    }
};

} // namespace

TEST_F(WDBLayerCommandTest, CancelWritesNothingAndOkWritesTheEditedTable)
{
    CKivDoc& doc = start();
    writeFile("wdb.col", bytesOf(distinctive()));
    writeFile("other.col", bytesOf(defaultWDBColors()));
    const QByteArray before = readFile("wdb.col");
    const int riv = doc.RIV_Layer;

    // The sheet sees the file's colours; choosing another file and cancelling overwrites nothing.
    commands::editWDBLayers(doc, [&](const WDBLayerSettings& s) -> std::optional<WDBLayerSettings> {
        EXPECT_EQ(s.colors, distinctive());
        return std::nullopt;
    });
    EXPECT_EQ(readFile("wdb.col"), before);
    EXPECT_EQ(readFile("other.col"), wdbColorBytes(defaultWDBColors()));
    EXPECT_EQ(doc.RIV_Layer, riv);

    commands::editWDBLayers(doc, [&](const WDBLayerSettings& s) -> std::optional<WDBLayerSettings> {
        WDBLayerSettings e = s;
        e.colors.colors[4] = 0x0000FF;
        e.colors.widths[4] = 99; // clamped to 20
        e.RIV_Layer = 3;
        e.GridDistance = -1;
        return e;
    });
    WDBColorTable written = defaultWDBColors();
    const QByteArray after = readFile("wdb.col");
    ASSERT_EQ(after.size(), 264);
    readWDBColors(std::string_view(after.constData(), 264), written);
    EXPECT_EQ(written.colors[4], 0x0000FFu);
    EXPECT_EQ(written.widths[4], kWDBMaxPenWidth);
    EXPECT_EQ(written.colors[31], distinctive().colors[31]); // held records written as read
    EXPECT_EQ(doc.RIV_Layer, 3);
    EXPECT_DOUBLE_EQ(doc.GridDistance, 0.01);
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST_F(WDBLayerCommandTest, AMissingTableIsSaidOnceAndAFailedWriteIsReportedAsSuch)
{
    CKivDoc& doc = start();
    // Below a plain file: there is no such file, and it cannot be written.
    writeFile("plain", "x");
    doc.WDBColorFileName = filePath(QStringLiteral("plain/missing.col"));
    commands::editWDBLayers(doc, [&](const WDBLayerSettings& s) -> std::optional<WDBLayerSettings> {
        EXPECT_EQ(s.colors, defaultWDBColors()); // a defined palette, not garbage
        return s;
    });
    ASSERT_EQ(ui_.messages.shown().size(), 2u);
    EXPECT_TRUE(ui_.messages.texts()[0].contains(QStringLiteral("could'nt find the colortablefile")));
    EXPECT_FALSE(ui_.messages.texts()[1].contains(QStringLiteral("could'nt find")));
    EXPECT_TRUE(ui_.messages.texts()[1].contains(QStringLiteral("missing.col")));
}

namespace {

class CWDBDlgTest : public DocumentTest {
protected:
    CWDBDlg& open(const WDBLayerSettings& s = WDBLayerSettings{})
    {
        dialog_ = std::make_unique<CWDBDlg>(s, services_, paths_);
        return *dialog_;
    }
    template <class T>
    T* find(QWidget* page, const char* id)
    {
        return page->findChild<T*>(QString::fromLatin1(id));
    }
    std::unique_ptr<CWDBDlg> dialog_;
};

} // namespace

TEST_F(CWDBDlgTest, PagesSwapInPlaceAndKeepTheirSettings)
{
    CWDBDlg& dlg = open();
    QTabWidget& tabs = dlg.tabs();
    ASSERT_EQ(tabs.count(), 7);
    tabs.setCurrentIndex(2);
    QWidget* first = tabs.widget(2);
    find<QCheckBox>(first, "1186")->click(); // layer 4: CIL bit 0
    find<QPushButton>(first, "1241")->click();
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(tabs.count(), 7);
    QWidget* second = tabs.widget(2);
    ASSERT_NE(second, first);
    EXPECT_EQ(tabs.tabText(2), QStringLiteral("CIL - Layer"));
    find<QCheckBox>(second, "1196")->click(); // layer 15: CIL bit 11
    find<QPushButton>(second, "1244")->click();
    EXPECT_EQ(tabs.widget(2), first);
    EXPECT_TRUE(find<QCheckBox>(first, "1186")->isChecked());
    EXPECT_EQ(dlg.values().CIL_Layer, 1 | (1 << 11));

    // The river pair at its own tab; RIV' has five layers, 22..26 (bits 6..10).
    tabs.setCurrentIndex(3);
    find<QPushButton>(tabs.widget(3), "1241")->click();
    QWidget* rivMore = tabs.widget(3);
    EXPECT_EQ(find<QCheckBox>(rivMore, "1196"), nullptr);
    find<QCheckBox>(rivMore, "1194")->click();
    EXPECT_EQ(dlg.values().RIV_Layer, 1 << 10);
    find<QSpinBox>(rivMore, "1229")->setValue(7);
    EXPECT_EQ(dlg.values().colors.widths[22], 7);
}

TEST_F(CWDBDlgTest, GridStyleZoomBitsAndDefaults)
{
    WDBLayerSettings s;
    s.GridStyle = 2;
    s.ZoomStyle = 0;
    CWDBDlg& dlg = open(s);
    QWidget* grid = dlg.tabs().widget(5);
    EXPECT_TRUE(find<QRadioButton>(grid, "1193")->isChecked());
    find<QRadioButton>(grid, "1194")->click();
    EXPECT_EQ(dlg.values().GridStyle, 4);
    QWidget* general = dlg.tabs().widget(0);
    find<QCheckBox>(general, "1196")->click();
    EXPECT_EQ(dlg.values().ZoomStyle, 8);

    ui_.messages.queueAnswer(MessageAnswer::No);
    dlg.setDefaults();
    EXPECT_EQ(dlg.values().GridStyle, 4);
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    dlg.setDefaults();
    EXPECT_EQ(dlg.values().GridStyle, 1);
    EXPECT_TRUE(find<QRadioButton>(grid, "1191")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(general, "1191")->isChecked());
}

TEST_F(CWDBDlgTest, AChosenColourFileIsReadAtOnce)
{
    writeFile("chosen.col", bytesOf(distinctive()));
    CWDBDlg& dlg = open();
    ui_.files.queueAnswer(filePath(QStringLiteral("chosen.col")));
    find<QPushButton>(dlg.tabs().widget(0), "1008")->click();
    EXPECT_EQ(dlg.values().colors, distinctive());
    EXPECT_EQ(dlg.values().WDBColorFileName, filePath(QStringLiteral("chosen.col")));
    // A file that is not there: the message, and the colours stay.
    ui_.files.queueAnswer(filePath(QStringLiteral("gone.col")));
    find<QPushButton>(dlg.tabs().widget(0), "1008")->click();
    EXPECT_EQ(dlg.values().colors, distinctive());
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.captions()[0], QStringLiteral("Attention"));
}
