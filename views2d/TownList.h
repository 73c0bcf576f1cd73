#pragma once
// The go-to dialog's working copy of the small town list: the rows in display order (sorted by
// "country,name" without regard to case, equal texts in the order they came), the typed fields
// a row fills in when clicked, and the checks a town passes before it is added. The dialog is a
// thin widget over this; the file is the town file of document/TownFile.h.

#include "document/tagTOWN.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace kiv {

// The dialog's edit fields as typed. The longitude is west-positive, as the dialog labels it.
struct TownFields {
    QString country;
    QString name;
    QString latitude;
    QString westLongitude;
    QString population;
};

// A typed field that could not be taken, for the message that says which and why.
enum class TownFieldError { None, Latitude, Longitude, Population, Country, Name, NoName };

class TownList {
public:
    explicit TownList(std::span<const tagTOWN> towns = {});

    int size() const { return static_cast<int>(rows_.size()); }
    const tagTOWN& at(int row) const { return rows_.at(row); }
    std::span<const tagTOWN> towns() const { return rows_; }
    bool modified() const { return modified_; }

    // "country,name", the text the list shows and sorts by.
    static QString rowText(const tagTOWN& town);
    // The fields a click on the row fills in.
    TownFields fieldsOf(int row) const;
    // The first row whose text begins with the prefix, ignoring case; nullopt when none does.
    std::optional<int> findPrefix(const QString& prefix) const;

    // Inserts the town at its sorted place (after rows of the same text) and returns the row.
    int insert(const tagTOWN& town);
    // Checks the typed fields and inserts the town they describe; the row it went to, or the
    // first field that is wrong (nothing is inserted then).
    struct AddResult {
        std::optional<int> row;
        TownFieldError error = TownFieldError::None;
    };
    AddResult add(const TownFields& fields);
    // Removes a row; a row outside the list changes nothing.
    bool remove(int row);

private:
    std::vector<tagTOWN> rows_;
    bool modified_ = false;
};

// The typed latitude and west longitude as the dialog returns them, range-checked; a decimal
// comma is taken as the point.
std::optional<double> parseLatitude(const QString& text);
std::optional<double> parseWestLongitude(const QString& text);

} // namespace kiv
