#pragma once
// The satellite data dialog: the loaded element sets as a tree (file, records numbered from 1,
// their two lines), the published fields of the selected record and where the satellite is at
// the simulated time. Records may be deleted; on OK the element file is rewritten with the
// records left, in their order, and the caller reloads it.

#include "document/ElementFile.h"

#include <QDialog>

#include <map>
#include <vector>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kiv {

class CKivDoc;

class CSatDlg : public QDialog {
public:
    explicit CSatDlg(CKivDoc& doc, QWidget* parent = nullptr);

    // Runs the dialog; true when it rewrote the element file.
    static bool run(CKivDoc& doc);

    // Shows the fields of the record that holds the item (the record or one of its lines).
    void ShowRecord(QTreeWidgetItem* item);
    // Asks, and removes the selected record on Yes.
    void OnDelete();
    void accept() override;
    bool Modified() const { return modified_; }
    bool Written() const { return written_; }

private:
    QTreeWidgetItem* recordOf(QTreeWidgetItem* item) const;
    QLineEdit* field(const char* id);
    void show(const char* id, const QString& text);
    bool saveElementFile();
    void showInfo();
    QString text(const char* english, const char* german) const;

    CKivDoc& doc_;
    bool english_;
    std::vector<kiv::ElementLines> records_;
    std::map<QString, QLineEdit*> fields_;
    QTreeWidget* tree_;
    QTreeWidgetItem* root_;
    bool modified_ = false;
    bool written_ = false;
};

} // namespace kiv
