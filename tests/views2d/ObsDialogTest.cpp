// The observer options dialog: twilight presets and typed values, the automatic steps, colours,
// folding, range checks, and the options command copying in and out of the document.
#include "tests/support/DocumentFixture.h"
#include "views2d/CObsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace kiv;
using namespace kiv::test;

namespace {

class ObsDialogTest : public DocumentTest {
protected:
    CObsDlg& open(ObsOptions options = {})
    {
        options.sky.twilight = -18.0;
        dialog_ = std::make_unique<CObsDlg>(options, 1, colorDialogs(), ui_.messages);
        return *dialog_;
    }
    ColorDialogs& colorDialogs() { return services_.colors; }
    template <class W>
    W& child(int id)
    {
        return *dialog_->findChild<W*>(QString::number(id));
    }
    std::vector<bool> radios() { return {child<QRadioButton>(1168).isChecked(), child<QRadioButton>(1195).isChecked(), child<QRadioButton>(1188).isChecked()}; }
    void typeTwilight(const char* text)
    {
        child<QLineEdit>(1206).setText(text);
        dialog_->OnUserTwilight();
    }

    std::unique_ptr<CObsDlg> dialog_;
};

TEST_F(ObsDialogTest, TwilightPresetsAndTypedValues)
{
    CObsDlg& dialog = open();
    EXPECT_EQ(radios(), (std::vector<bool>{false, false, true}));
    typeTwilight("-12");
    EXPECT_EQ(radios(), (std::vector<bool>{false, true, false}));
    typeTwilight("-7.5");
    EXPECT_EQ(radios(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(dialog.Options().sky.twilight, -7.5);
    dialog.OnPreset(0);
    EXPECT_EQ(child<QLineEdit>(1206).text(), "-6");
    EXPECT_EQ(radios(), (std::vector<bool>{true, false, false}));
}

TEST_F(ObsDialogTest, AutomaticStepsBringTheOldStepsBack)
{
    CObsDlg& dialog = open();
    child<QLineEdit>(1213).setText("20");
    child<QLineEdit>(1217).setText("10");
    dialog.OnAutomatic();
    EXPECT_EQ(child<QLineEdit>(1213).text(), "36");
    EXPECT_EQ(child<QLineEdit>(1217).text(), "15");
    EXPECT_TRUE(child<QPushButton>(1219).isChecked());
    dialog.OnAutomatic();
    EXPECT_EQ(child<QLineEdit>(1213).text(), "20");
    EXPECT_EQ(child<QLineEdit>(1217).text(), "10");
}

TEST_F(ObsDialogTest, ColourCancelChangesNothingAndAChoiceIsTaken)
{
    ObsOptions options;
    options.sky.background = 0x400000;
    CObsDlg& dialog = open(options);
    ui_.queueColor(std::nullopt);
    dialog.OnColor(0);
    EXPECT_EQ(dialog.Options().sky.background, 0x400000u);
    ui_.queueColor(0x123456);
    dialog.OnColor(0);
    EXPECT_EQ(dialog.Options().sky.background, 0x123456u);
    EXPECT_EQ(ui_.colorDialogsShown(), 2);
}

TEST_F(ObsDialogTest, OpensFoldedAndRefusesFieldsOutOfRange)
{
    struct Case {
        int id;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {{1174, "90.5", false}, {1192, "-181", false}, {1211, "101", false}, {1211, "-1", true},
                          {1206, "-90.1", false}, {1213, "0", false},   {1217, "91", false},  {1217, "7.5", true},
                          {1174, "abc", false}};
    for (const Case& c : cases) {
        CObsDlg& dialog = open();
        EXPECT_FALSE(dialog.Expanded());
        child<QLineEdit>(c.id).setText(c.text);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.id << " " << c.text;
    }
    EXPECT_EQ(ui_.messages.shown().size(), 7u);
}

TEST_F(ObsDialogTest, FieldsShowTheirValuesWholeFromTheSign)
{
    // An observer at 11.6° E, as single-precision settings hold it.
    ObsOptions options;
    options.westLongitude = 0.0 - static_cast<float>(11.6);
    options.latitude = static_cast<float>(48.1234);
    options.altitude = static_cast<float>(0.523);
    options.sky.azimuthStep = static_cast<float>(22.5);
    open(options);
    dialog_->OnAdvanced();
    dialog_->show();
    QApplication::processEvents();
    const struct {
        int id;
        const char* text;
    } cases[] = {{1192, "-11.6"}, {1174, "48.1234"}, {1211, "0.523"}, {1206, "-18"}, {1213, "22.5"}, {1217, "15"}};
    for (const auto& c : cases) {
        QLineEdit& edit = child<QLineEdit>(c.id);
        EXPECT_EQ(edit.text(), c.text) << c.id;
        EXPECT_EQ(edit.cursorPosition(), 0) << c.id;
        // Room for the longest value of any field, six decimals and a sign.
        EXPECT_GT(edit.contentsRect().width() - edit.textMargins().left() - edit.textMargins().right(),
                  edit.fontMetrics().horizontalAdvance(QStringLiteral("-180.000000")))
            << c.id;
    }
}

TEST_F(ObsDialogTest, GermanTextsAndMessages)
{
    dialog_ = std::make_unique<CObsDlg>(ObsOptions{}, 0, colorDialogs(), ui_.messages);
    EXPECT_EQ(dialog_->windowTitle(), "Observer Ansicht");
    EXPECT_EQ(child<QCheckBox>(1157).text(), "Zeige Namen");
    child<QLineEdit>(1174).setText("95");
    dialog_->accept();
    EXPECT_NE(dialog_->result(), QDialog::Accepted);
    ASSERT_EQ(ui_.messages.texts().size(), 1u);
    EXPECT_EQ(ui_.messages.texts()[0], "Bitte geben Sie eine Zahl zwischen -90 und 90 ein.");
}

TEST_F(ObsDialogTest, OptionsCommandCopiesInAndOutOfTheDocument)
{
    CKivDoc& doc = makeDocument();
    FakeViews& view = attachFakeViews({ViewKind::Obs});
    doc.fUserLon = 11.5;
    doc.bOBSDrawCompas = 0;
    doc.bOBSDrawCoord = 1;
    const auto answer = [&](bool ok) {
        QTimer::singleShot(0, [&, ok] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->template findChild<QLineEdit*>(QStringLiteral("1192"))->text(), "-11.5");
            EXPECT_FALSE(dialog->template findChild<QCheckBox*>(QStringLiteral("1171"))->isChecked());
            dialog->template findChild<QLineEdit*>(QStringLiteral("1174"))->setText("48.1");
            ok ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    EXPECT_FALSE(runObserverOptions(doc));
    EXPECT_EQ(doc.fUserLat, 0.0);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"StoreObsSettings"}));
    answer(true);
    EXPECT_TRUE(runObserverOptions(doc));
    EXPECT_EQ(doc.fUserLat, 48.1);
    EXPECT_EQ(doc.fUserLon, 11.5);
    EXPECT_EQ(doc.bOBSDrawCoord, 0);
    EXPECT_EQ(view.calls.back(), "LoadObsSettings");
}

} // namespace
