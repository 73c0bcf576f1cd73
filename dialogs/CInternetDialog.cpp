#include "dialogs/CInternetDialog.h"

#include "dialogs/DownloadRules.h"
#include "document/SettingsTable.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

CInternetDialog::CInternetDialog(const WebDownload& request, UiServices& ui, const DataPaths& paths, int language,
                                 HttpClient client, QWidget* parent)
    : QDialog(parent), request_(request), ui_(ui), paths_(paths), english_(language == 1), client_(client)
{
    setWindowTitle(inLanguage(english_, "Open from the web", "Lade vom Internet"));
    url_ = new QComboBox(this);
    url_->setObjectName(QStringLiteral("1376"));
    url_->setEditable(true);
    url_->setMinimumWidth(480); // room for a whole address
    for (const QString& entry : request.urls) {
        if (!entry.isEmpty())
            url_->addItem(entry);
    }
    url_->setCurrentIndex(url_->count() > 0 ? 0 : -1);
    url_->setEditText(request.urls[0].isEmpty() ? defaultElementSetUrl() : request.urls[0]);
    localFile_ = new QLineEdit(QStringLiteral("internet.tle"), this);
    localFile_->setObjectName(QStringLiteral("1369"));
    browse_ = new QPushButton(inLanguage(english_, "Browse", "Suchen"), this);
    browse_->setObjectName(QStringLiteral("1315"));
    connect(browse_, &QPushButton::clicked, this, &CInternetDialog::browse);
    progress_ = new DownloadProgress(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(inLanguage(english_, "Cancel", "Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CInternetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInternetDialog::reject);

    auto* file = new QHBoxLayout;
    file->addWidget(localFile_, 1);
    file->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(inLanguage(english_, "Please type in the full URL of the remote Satellite TLE file.",
                                            "Bitte geben Sie die komplette URL der TLE Datei an."),
                                 this));
    layout->addWidget(url_);
    layout->addWidget(new QLabel(inLanguage(english_, "The file is then stored locally under the name :",
                                            "Die Datei ist dann lokal gespeichert unter :"),
                                 this));
    layout->addLayout(file);
    layout->addWidget(progress_);
    layout->addWidget(new QLabel(QStringLiteral("Ok."), this));
    layout->addWidget(buttons);
}

std::optional<WebDownload> CInternetDialog::edit(const WebDownload& request, UiServices& ui, const DataPaths& paths,
                                                 int language)
{
    CInternetDialog dialog(request, ui, paths, language);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

WebDownload CInternetDialog::values() const
{
    WebDownload done = request_;
    done.url = url_->currentText().trimmed();
    done.localFileName = localFile_->text().trimmed();
    return done;
}

void CInternetDialog::browse()
{
    const std::optional<QString> path = ui_.files.saveFile(
        {.title = inLanguage(english_, "Load new Satellite-Datas", "Lade neuen Satelliten-Datensatz"),
         .filter = QStringLiteral("Satellite Files (*.tle; *.sat) (*.TLE *.tle *.SAT *.sat)"),
         .defaultSuffix = QString(),
         .initialPath = localFile_->text(),
         .confirmOverwrite = false});
    if (path)
        localFile_->setText(*path);
}

void CInternetDialog::setBusy(bool busy)
{
    for (QWidget* w : std::initializer_list<QWidget*>{url_, localFile_, browse_, ok_})
        w->setEnabled(!busy);
}

QString CInternetDialog::Download()
{
    const WebDownload wanted = values();
    const QString wrong = inLanguage(english_, "Wrong: ", "Fehler: ");
    if (wanted.localFileName.isEmpty())
        return wrong + inLanguage(english_, "no local file name is given for the download",
                                  "für den Download ist kein lokaler Dateiname angegeben");
    setBusy(true);
    const HttpResult result = progress_->download(client_, wanted.url, paths_.writeTarget(wanted.localFileName),
                                                  downloads::elementSets(english_));
    setBusy(false);
    cancelled_ = result.outcome == HttpResult::Outcome::Cancelled;
    progress_->setValue(result ? DownloadProgress::kEnd : 0);
    return result ? QStringLiteral("YES") : wrong + result.describe(english_);
}

void CInternetDialog::accept()
{
    if (progress_->running())
        return;
    const QString r = Download();
    if (r == QLatin1String("YES")) {
        QDialog::accept();
        return;
    }
    if (cancelled_)
        return;
    const MessageAnswer again = ui_.messages.show(
        {.caption = inLanguage(english_, "Attention", "Achtung"),
         .text = inLanguage(english_, "Could not download file.\n%1\nDo you want to try again ?",
                            "Die Datei konnte nicht geladen werden.\n%1\nWollen Sie es noch einmal versuchen ?")
                     .arg(r),
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Question});
    if (again != MessageAnswer::Yes)
        QDialog::reject();
}

void CInternetDialog::reject()
{
    if (!progress_->cancel())
        QDialog::reject();
}

} // namespace kiv
