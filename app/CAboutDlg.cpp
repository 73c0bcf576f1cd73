#include "app/CAboutDlg.h"

#include "app/AppTexts.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

CAboutDlg::CAboutDlg(kiv::MessageBoxes& messages, int language, QWidget* parent)
    : QDialog(parent), messages_(messages), language_(language)
{
    setWindowTitle(QStringLiteral("About Kiv"));
    auto* version = new QLabel(QStringLiteral("Kiv, Version %1").arg(QLatin1String(kiv::texts::kVersion)), this);
    version->setObjectName(QStringLiteral("1380"));
    auto* date = new QLabel(QStringLiteral("Last update %1").arg(kiv::texts::buildDate()), this);
    date->setObjectName(QStringLiteral("1381"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* info = buttons->addButton(QStringLiteral("Info"), QDialogButtonBox::ActionRole);
    info->setObjectName(QStringLiteral("10"));
    connect(info, &QPushButton::clicked, this, &CAboutDlg::OnInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(version);
    layout->addWidget(date);
    layout->addWidget(buttons);
}

void CAboutDlg::OnInfo()
{
    char library[256] = {};
    CSGP4_SDP4::GetVersion(library, sizeof library);
    messages_.show({.caption = QStringLiteral("Info"),
                    .text = kiv::texts::aboutInfo(language_ == 0 ? 0 : 1) + QString::fromLatin1(library),
                    .buttons = kiv::MessageButtons::Ok,
                    .icon = kiv::MessageIcon::Information});
}

} // namespace kiv
