#include "dialogs/CAnimDlg.h"

#include "dialogs/DialogControls.h"
#include "dialogs/DialogTexts.h"
#include "platform/ClientAreaDrag.h"
#include "platform/MessageBoxes.h"
#include "platform/Paragraphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kiv {

CAnimDlg::CAnimDlg(const tagQUALITY& quality, const QString& name, MessageBoxes& messages, bool english,
                   QWidget* parent)
    : QDialog(parent), Quality(std::clamp(quality.Qualitaet, 1, 3)), messages_(messages), english_(english)
{
    const QString title = name + QStringLiteral(" Dialogbox");
    setWindowTitle(title);
    title_ = new QLineEdit(title, this);
    title_->setObjectName(QStringLiteral("1051"));

    quality_ = new QComboBox(this);
    quality_->setObjectName(QStringLiteral("1026"));
    quality_->addItems({QStringLiteral("Smooth"), QStringLiteral("Flat"), QStringLiteral("Wire Frame")});
    quality_->setCurrentIndex(Quality - 1);
    connect(quality_, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (item >= 0)
            Quality = item + 1;
    });

    texturing_ = controls::checkBox("Texturing", "1049", quality.Texturing, this);
    lightning_ = controls::checkBox("Lightning", "1046", quality.Lightning, this);
    interpolation_ = controls::checkBox("Texture Interpolation/Nearest", "1012", quality.Interpolation, this);

    auto* renderGroup = new QGroupBox(QStringLiteral("Render quality"), this);
    auto* renderLayout = new QVBoxLayout(renderGroup);
    renderLayout->addWidget(quality_);
    auto* textureGroup = new QGroupBox(QStringLiteral("Texturing / Lighting"), this);
    auto* textureLayout = new QVBoxLayout(textureGroup);
    textureLayout->addWidget(texturing_);
    textureLayout->addWidget(lightning_);
    textureLayout->addWidget(interpolation_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* info = buttons->addButton(QStringLiteral("I N F O"), QDialogButtonBox::HelpRole);
    info->setObjectName(QStringLiteral("1042"));
    connect(info, &QPushButton::clicked, this, &CAnimDlg::OnInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(renderGroup);
    layout->addWidget(textureGroup);
    layout->addWidget(buttons);
    dragByClientArea(this);
}

std::optional<tagQUALITY> CAnimDlg::edit(const tagQUALITY& quality, const QString& name, MessageBoxes& messages,
                                         bool english)
{
    CAnimDlg dialog(quality, name, messages, english);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

tagQUALITY CAnimDlg::values() const
{
    tagQUALITY q;
    q.Qualitaet = Quality;
    q.Lightning = lightning_->isChecked() ? 1 : 0;
    q.Texturing = texturing_->isChecked() ? 1 : 0;
    q.Interpolation = interpolation_->isChecked() ? 1 : 0;
    return q;
}

void CAnimDlg::OnInfo()
{
    messages_.show(helpBox(QStringLiteral("Info"), texts::renderQualityInfo(english_), MessageIcon::None));
}

} // namespace kiv
