#pragma once
// A town of the town lists, fields in the order the lists' users expect.

#include <QString>

struct tagTOWN {
    QString country;
    QString name;
    double lat = 0.0;   // degrees north
    double lon = 0.0;   // degrees east
    int population = 0; // never negative
    int year = 0;       // of the population figure
    int extra = 0;      // carried through the file unchanged

    friend bool operator==(const tagTOWN&, const tagTOWN&) = default;
};
