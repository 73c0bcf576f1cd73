#include "dialogs/CFolowDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kiv;

using kiv::FollowOptions;

namespace {
constexpr int kMarkColumn = 2;
} // namespace

CFolowDlg::CFolowDlg(const FollowOptions& options, const QStringList& satelliteNames, QWidget* parent)
    : QDialog(parent), values_(options)
{
    setWindowTitle(QStringLiteral("Follow a Satellite"));
    inWdb_ = new QCheckBox(QStringLiteral("Follow in WDB-View"), this);
    inWdb_->setObjectName(QStringLiteral("1250"));
    inWdb_->setChecked(options.FollowInWDB != 0);
    connect(inWdb_, &QCheckBox::toggled, this, [this](bool on) { values_.FollowInWDB = on ? 1 : 0; });
    mode0_ = new QCheckBox(this);
    mode0_->setObjectName(QStringLiteral("1249"));
    mode1_ = new QCheckBox(this);
    mode1_->setObjectName(QStringLiteral("1251"));
    if (options.FollowIn3D)
        (options.FollowMode3D == 1 ? mode1_ : mode0_)->setChecked(true);
    connect(mode0_, &QCheckBox::clicked, this, [this] { onFollow3D(mode0_, mode1_, 0); });
    connect(mode1_, &QCheckBox::clicked, this, [this] { onFollow3D(mode1_, mode0_, 1); });

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("1098"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Satellite Name"), QStringLiteral("Nr"), QStringLiteral("X")});
    for (int i = 0; i < satelliteNames.size(); ++i) {
        auto* row = new QTreeWidgetItem(list_, {satelliteNames[i], QString::number(i + 1),
                                                i == options.FollowedSatellite ? QStringLiteral("X") : QStringLiteral(" ")});
        for (int c = 0; c < 3; ++c)
            row->setTextAlignment(c, Qt::AlignCenter);
    }
    list_->header()->resizeSection(0, 112);
    list_->header()->resizeSection(1, 30);
    list_->header()->resizeSection(2, 20);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OnClickList(list_->indexOfTopLevelItem(item)); });

    auto* mode = new QHBoxLayout;
    mode->addWidget(mode0_);
    mode->addWidget(new QLabel(QStringLiteral("1< Follow in 3D View >2"), this));
    mode->addWidget(mode1_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Follow a Satellite"), this));
    layout->addWidget(inWdb_);
    layout->addLayout(mode);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

std::optional<FollowOptions> CFolowDlg::edit(const FollowOptions& options, const QStringList& satelliteNames)
{
    CFolowDlg dialog(options, satelliteNames);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

void CFolowDlg::OnClickList(int row)
{
    if (row < 0 || row >= list_->topLevelItemCount())
        return;
    if (QTreeWidgetItem* old = list_->topLevelItem(values_.FollowedSatellite))
        old->setText(kMarkColumn, QStringLiteral(" "));
    list_->topLevelItem(row)->setText(kMarkColumn, QStringLiteral("X"));
    values_.FollowedSatellite = row;
}

void CFolowDlg::onFollow3D(QCheckBox* clicked, QCheckBox* other, int mode)
{
    if (clicked->isChecked()) {
        other->setChecked(false);
        values_.FollowIn3D = 1;
        values_.FollowMode3D = mode;
    } else {
        values_.FollowIn3D = 0;
    }
}
