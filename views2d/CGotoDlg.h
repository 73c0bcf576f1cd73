#pragma once
// "Go to the specified coordinates": the user picks a town of the small town list or types a
// place, and may add towns to the list or delete them. Returns the latitude (degrees north), the
// longitude (degrees west positive, as the dialog labels it) and the chosen row's text. The list
// is written back to the small towns file on OK only, atomically, and the document's copy is
// refreshed then. Callers load the town lists first (CKivDoc::LoadTowns).

#include "views2d/TownList.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QTreeWidget;

namespace kiv {

class CKivDoc;

class CGotoDlg : public QDialog {
public:
    explicit CGotoDlg(CKivDoc& doc, QWidget* parent = nullptr);

    double Latitude = 0.0;
    double WestLongitude = 0.0;
    QString TownText;

    const kiv::TownList& Towns() const { return towns_; }
    int RecordCount() const { return towns_.size(); }

    void OnClickList();
    void OnCountryEdited(const QString& text);
    void OnAdd();
    void OnDelete();
    void OnInfo();
    void accept() override;
    // Added and deleted towns are written after Cancel too.
    void reject() override;

private:
    QLineEdit* addEdit(int id);
    void buildList();
    void fillRow(int row);
    void selectRow(int row);
    void showFields(const kiv::TownFields& fields);
    kiv::TownFields typedFields() const;
    void showFieldError(kiv::TownFieldError error);
    bool saveTowns();
    bool english() const;

    CKivDoc& doc_;
    kiv::TownList towns_;
    QTreeWidget* list_ = nullptr;
    QLineEdit* country_ = nullptr;
    QLineEdit* population_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* count_ = nullptr;
};

// The place chosen in the go-to dialog.
struct GoToPlace {
    double latitude = 0.0;      // degrees north
    double westLongitude = 0.0; // degrees, west positive
    QString townText;
};

// The town lists read again and the go-to dialog run, with the clock held; the place on OK.
std::optional<GoToPlace> chooseGoToPlace(CKivDoc& doc, QWidget* parent = nullptr);
// The document's "Go to": on OK the globe, when open, looks at the place from the distance 35,
// and the place is kept as the one the globe starts at. The place on OK, for views that follow
// it too (the World Data Bank map centres on it).
std::optional<GoToPlace> runGoTo(CKivDoc& doc, QWidget* parent = nullptr);

} // namespace kiv
