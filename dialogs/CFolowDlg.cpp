#include "dialogs/CFolowDlg.h"

#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kiv;

using kiv::FollowOptions;

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

    list_ = controls::satelliteList(
        satelliteNames, [&options](int row) { return row == options.FollowedSatellite; },
        [this](int row) { OnClickList(row); }, this);

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
        old->setText(controls::kMarkColumn, controls::mark(false));
    list_->topLevelItem(row)->setText(controls::kMarkColumn, controls::mark(true));
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
