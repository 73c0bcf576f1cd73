// The render quality dialog and its command: the choice list, the title, the Info text, and the
// record written to the profile file on OK, at once, and on OK only.
#include "dialogs/CAnimDlg.h"
#include "dialogs/DialogCommands.h"
#include "document/SettingsTable.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"

#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace kiv;
using namespace kiv::test;

namespace {

class RenderQualityTest : public DocumentTest {};

} // namespace

TEST_F(RenderQualityTest, TheListShowsTheRecordAndAChoiceComesBack)
{
    const struct {
        int quality;
        QString shown;
    } cases[] = {{1, "Smooth"}, {2, "Flat"}, {3, "Wire Frame"}, {0, "Smooth"}, {7, "Wire Frame"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quality);
        CAnimDlg dialog({c.quality, 0, 1, 0}, QStringLiteral("MouseMove"), services_.messages, true);
        auto* list = child<QComboBox>(dialog, "1026");
        EXPECT_EQ(list->currentText(), c.shown);
        EXPECT_EQ(child<QLineEdit>(dialog, "1051")->text(), "MouseMove Dialogbox");
        EXPECT_EQ(dialog.windowTitle(), "MouseMove Dialogbox");
        list->setCurrentIndex(1);
        child<QCheckBox>(dialog, "1046")->setChecked(true);
        child<QCheckBox>(dialog, "1049")->setChecked(false);
        EXPECT_EQ(dialog.values(), (tagQUALITY{2, 1, 0, 0}));
    }
}

TEST_F(RenderQualityTest, InfoFollowsTheLanguage)
{
    for (const bool english : {true, false}) {
        ui_.messages.clear();
        CAnimDlg dialog({}, QStringLiteral("Normal"), services_.messages, english);
        child<QPushButton>(dialog, "1042")->click();
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.captions().at(0), "Info");
        EXPECT_TRUE(ui_.messages.texts().at(0).startsWith(english ? "With the help of this dialogbox"
                                                                  : "Mit Hilfe dieser Dialogbox"));
    }
}

TEST_F(RenderQualityTest, OkStoresTheRecordAndItsProfileKeysCancelNothing)
{
    CKivDoc& doc = makeDocument("[Allgemein]\nNrOfPoints=35\n");
    doc.EnableAnimationTimer(true);
    const tagQUALITY mouseBefore = doc.MouseMove;
    const QByteArray profileBefore = doc.Context().profile.toBytes();
    bool timerOff = true;
    QString titled;
    const auto answer = [&](std::optional<tagQUALITY> result) {
        return [&, result](const QString& name, const tagQUALITY& q) -> std::optional<tagQUALITY> {
            timerOff = timerOff && !frame_.timerOn;
            titled = name;
            EXPECT_EQ(q, name == "Normal" ? doc.Normal : doc.MouseMove);
            return result;
        };
    };

    commands::editQuality(doc, QualityRecord::MouseMove, answer(std::nullopt));
    EXPECT_EQ(titled, "MouseMove");
    EXPECT_EQ(doc.MouseMove, mouseBefore);
    EXPECT_EQ(doc.Context().profile.toBytes(), profileBefore);
    EXPECT_FALSE(QFile::exists(doc.Context().profile.path()));

    // Written since the start by someone else: OK leaves it as it is and adds the one record.
    const QByteArray meanwhile = "[Allgemein]\nNrOfPoints=99\n[MouseMove]\nMouseMoveQualitaet=3\n";
    writeFile("kiv.ini", meanwhile.toStdString());
    commands::editQuality(doc, QualityRecord::Normal, answer(tagQUALITY{2, 0, 1, 0}));
    EXPECT_EQ(readFile("kiv.ini"), meanwhile + "[Normal]\nNormalQualitaet=2\nNormalLightning=FALSE\n"
                                               "NormalTexturing=TRUE\nNormalInterpolation=FALSE\n");
    EXPECT_EQ(titled, "Normal");
    EXPECT_EQ(doc.Normal, (tagQUALITY{2, 0, 1, 0}));
    EXPECT_EQ(doc.MouseMove, mouseBefore);
    const IniProfile& profile = doc.Context().profile;
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("Normal"), QStringLiteral("NormalQualitaet"), 0), 2);
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("Normal"), QStringLiteral("NormalLightning"), {}), "FALSE");
    tagQUALITY read;
    IniProfile onDisk(profile.path());
    ASSERT_TRUE(onDisk.load());
    loadQuality(QStringLiteral("Normal"), read, onDisk);
    EXPECT_EQ(read, doc.Normal) << "in the profile file at once, as a crash would find it";

    commands::editQuality(doc, QualityRecord::MouseMove, answer(tagQUALITY{9, 1, 1, 1}));
    EXPECT_EQ(doc.MouseMove.Qualitaet, 3);
    EXPECT_TRUE(timerOff);
    EXPECT_TRUE(frame_.timerOn);
}

TEST_F(RenderQualityTest, AHandEditedQualityIsBroughtIntoRangeWhenRead)
{
    IniProfile profile;
    profile.parse("[Normal]\nNormalQualitaet=9\n[MouseMove]\nMouseMoveQualitaet=-4\n");
    KivSettings settings;
    loadSettings(settings, profile);
    EXPECT_EQ(settings.Normal.Qualitaet, 3);
    EXPECT_EQ(settings.MouseMove.Qualitaet, 1);
}
