#pragma once
// The follow dialog: which loaded satellite the globe's camera or the first World Data Bank view
// follows, and how the camera follows it (FollowMode3D 0: looking down at its ground point;
// 1: from beyond the satellite on the line from the earth's centre through it, the satellite in
// the middle of the picture).
// The rows are the satellites of the loaded table, so a row is always a slot that can be
// followed.

#include "dialogs/DialogCommands.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QTreeWidget;

namespace kiv {

class CFolowDlg : public QDialog {
public:
    CFolowDlg(const kiv::FollowOptions& options, const QStringList& satelliteNames, QWidget* parent = nullptr);

    static std::optional<kiv::FollowOptions> edit(const kiv::FollowOptions& options, const QStringList& satelliteNames);

    const kiv::FollowOptions& values() const { return values_; }
    // A click on a row: it becomes the followed one.
    void OnClickList(int row);

private:
    void onFollow3D(QCheckBox* clicked, QCheckBox* other, int mode);

    kiv::FollowOptions values_;
    QTreeWidget* list_;
    QCheckBox* inWdb_;
    QCheckBox* mode0_;
    QCheckBox* mode1_;
};

} // namespace kiv
