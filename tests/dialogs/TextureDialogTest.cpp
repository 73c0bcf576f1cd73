// The texture dialog on the offscreen platform: Browse, Preview, Default, Info and OK, with
// pictures read by the program's loader from the test's folder.
#include "dialogs/CImagePreview.h"
#include "dialogs/CTexDlg.h"
#include "imaging/PictureLoader.h"
#include "tests/support/DocumentFixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace kiv;
using namespace kiv::test;

namespace {

class TextureDialogTest : public DocumentTest {
protected:
    TextureDialogTest()
    {
        savePicture("globe.bmp", 64, 32, Qt::blue);
        savePicture("day.bmp", 40, 20, Qt::green);
        savePicture("night.bmp", 30, 10, Qt::black);
        savePicture("wdb.bmp", 20, 10, Qt::white);
        savePicture("chosen.bmp", 16, 8, Qt::red);
    }

    void savePicture(const char* name, int w, int h, Qt::GlobalColor colour) const
    {
        QImage picture(w, h, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(filePath(QString::fromLatin1(name)), "BMP"));
    }

    QString edit(CTexDlg& dialog, const char* id) const
    {
        return dialog.findChild<QLineEdit*>(QString::fromLatin1(id))->text();
    }
    void click(CTexDlg& dialog, const char* id) const
    {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(id));
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    QSize shown(CTexDlg& dialog) const
    {
        const QImage* picture = dialog.preview().GetBitmapInfo();
        return picture ? picture->size() : QSize();
    }

    const TextureNames names_{"globe.bmp", "day.bmp", "night.bmp", "wdb.bmp"};
    PictureLoader pictures_{paths_, services_};
};

} // namespace

TEST_F(TextureDialogTest, OpensWithTheNamesAndThe2DMapInThePreview)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 1);
    EXPECT_EQ(edit(dialog, "1005"), "globe.bmp");
    EXPECT_EQ(edit(dialog, "1007"), "day.bmp");
    EXPECT_EQ(edit(dialog, "1011"), "night.bmp");
    EXPECT_EQ(edit(dialog, "1010"), "wdb.bmp");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp");
    EXPECT_EQ(shown(dialog), QSize(40, 20));
    for (const char* id : {"1043", "1013", "1015", "1014"}) {
        click(dialog, id);
        EXPECT_FALSE(dialog.preview().fileName().isEmpty()) << id;
    }
    EXPECT_EQ(dialog.preview().fileName(), "wdb.bmp");
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST_F(TextureDialogTest, BrowseStartsAtTheGlobeTextureAndChangesOnlyItsRow)
{
    const struct {
        const char* browse;
        const char* title;
        std::optional<QString> answer;
    } cases[] = {{"1012", "Night overlay map", QStringLiteral("chosen.bmp")},
                 {"1008", "Earthtexture filename (2D)", std::nullopt},
                 {"1009", "World Data Base Texture filename", QStringLiteral("chosen.bmp")},
                 {"1041", "Earthtexture filename (3D)", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.browse);
        CTexDlg dialog(names_, services_, paths_, pictures_, 1);
        // Text typed before the Browse is replaced by the names.
        dialog.findChild<QLineEdit*>(QStringLiteral("1007"))->setText(QStringLiteral("typed.bmp"));
        ui_.files.queueAnswer(c.answer);
        click(dialog, c.browse);
        const FileDialogRequest& request = ui_.files.shown().back().request;
        EXPECT_EQ(request.title, c.title);
        EXPECT_EQ(request.initialPath, filePath("globe.bmp"));
        EXPECT_TRUE(request.filter.startsWith(QStringLiteral("All Texturefiles (*.JPG *.jpg")));
        TextureNames expected = names_;
        if (c.answer && QLatin1String(c.browse) == QLatin1String("1012"))
            expected.NightMapFileName = *c.answer;
        if (c.answer && QLatin1String(c.browse) == QLatin1String("1009"))
            expected.WDBMapFileName = *c.answer;
        EXPECT_EQ(edit(dialog, "1005"), expected.TextureErdeFileName);
        EXPECT_EQ(edit(dialog, "1007"), expected.ErdkarteFileName);
        EXPECT_EQ(edit(dialog, "1011"), expected.NightMapFileName);
        EXPECT_EQ(edit(dialog, "1010"), expected.WDBMapFileName);
        // The row is shown either way.
        const QString row = QLatin1String(c.browse) == QLatin1String("1012")   ? expected.NightMapFileName
                            : QLatin1String(c.browse) == QLatin1String("1008") ? expected.ErdkarteFileName
                            : QLatin1String(c.browse) == QLatin1String("1009") ? expected.WDBMapFileName
                                                                                : expected.TextureErdeFileName;
        EXPECT_EQ(dialog.preview().fileName(), row);
        dialog.accept();
        EXPECT_EQ(dialog.values().NightMapFileName, expected.NightMapFileName);
        EXPECT_EQ(dialog.values().WDBMapFileName, expected.WDBMapFileName);
        EXPECT_EQ(dialog.values().ErdkarteFileName, expected.ErdkarteFileName);
    }
}

TEST_F(TextureDialogTest, PreviewShowsTheNameLastSetNotTheTypedOne)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 0);
    dialog.findChild<QLineEdit*>(QStringLiteral("1007"))->setText(QStringLiteral("chosen.bmp"));
    click(dialog, "1013");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp");
    EXPECT_EQ(shown(dialog), QSize(40, 20));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().ErdkarteFileName, "chosen.bmp");
}

TEST_F(TextureDialogTest, DefaultPutsTheProfileDefaultsIntoTheEdits)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 1);
    click(dialog, "11");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp"); // not shown
    dialog.accept();
    EXPECT_EQ(dialog.values().TextureErdeFileName, "clouds.bmp");
    EXPECT_EQ(dialog.values().ErdkarteFileName, "earth2d.bmp");
    EXPECT_EQ(dialog.values().NightMapFileName, "night.bmp");
    EXPECT_EQ(dialog.values().WDBMapFileName, "wdbsmal.bmp");
}

TEST_F(TextureDialogTest, AnUnreadablePictureShowsTheStandardTextureAfterTheMessage)
{
    writeFile("broken.bmp", "BM not a bitmap");
    CTexDlg dialog({"broken.bmp", "broken.bmp", "night.bmp", "wdb.bmp"}, services_, paths_, pictures_, 1);
    EXPECT_EQ(shown(dialog), QSize(512, 256));
    EXPECT_FALSE(ui_.messages.shown().empty());
}

TEST_F(TextureDialogTest, InfoInBothLanguages)
{
    for (const int language : {1, 0}) {
        CTexDlg dialog(names_, services_, paths_, pictures_, language);
        ui_.messages.clear();
        click(dialog, "1042");
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.shown()[0].caption, "Info");
        EXPECT_EQ(ui_.messages.shown()[0].text.startsWith(QStringLiteral("Here you can choose")), language == 1);
    }
}
