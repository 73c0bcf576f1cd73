#pragma once
// The satellite data dialog: the element file as a tree (file, records numbered from 1, their two
// lines), every record as the file holds it, those the loader refuses marked; the published
// fields of the selected record and where the satellite is at the simulated time. Records may be
// deleted; on OK the element file is rewritten with the records left, in their order, each line
// as read, and the caller reloads it. A file that another program changed while the dialog was
// open is not written over: the user is told, and the dialog shows the file as it is now.

#include "dialogs/ElementFileSnapshot.h"

#include <QDialog>

#include <map>
#include <optional>
#include <vector>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kiv {

class CKivDoc;

class CSatDlg : public QDialog {
public:
    CSatDlg(CKivDoc& doc, ElementFileSnapshot file, QWidget* parent = nullptr);

    // Every record of the document's element file; nothing, after telling the user, when the file
    // cannot be read whole.
    static std::optional<ElementFileSnapshot> readRecords(CKivDoc& doc);
    // Runs the dialog; true when it rewrote the element file.
    static bool run(CKivDoc& doc);

    // Shows the fields of the record that holds the item (the record or one of its lines).
    void ShowRecord(QTreeWidgetItem* item);
    // Asks, and removes the selected record on Yes.
    void OnDelete();
    // Rewrites the file when asked to; a failed write, or a file changed since it was read, is
    // reported and keeps the dialog open.
    void accept() override;
    bool Modified() const { return modified_; }
    bool Written() const { return written_; }

private:
    void fill();
    void showChangedFile();
    QTreeWidgetItem* recordOf(QTreeWidgetItem* item) const;
    QLineEdit* field(const char* id);
    void show(const char* id, const QString& text);
    bool saveElementFile();
    void showInfo();
    QString text(const char* english, const char* german) const;
    QString refusal(std::size_t record, std::size_t firstRefused) const;

    CKivDoc& doc_;
    bool english_;
    ElementFileSnapshot file_;
    std::map<QString, QLineEdit*> fields_;
    QTreeWidget* tree_;
    QTreeWidgetItem* root_;
    bool modified_ = false;
    bool written_ = false;
};

} // namespace kiv
