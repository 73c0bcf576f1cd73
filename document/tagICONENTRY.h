#pragma once
// An entry of the icon table: entry 0 is the built-in satellite icon, the others come from the
// icon files named in the icon list.

#include <QImage>
#include <QString>

struct tagICONENTRY {
    QImage icon;      // 32 x 32 with alpha; null until a satellite uses the entry
    QString fileName; // empty for the built-in icon
    int refCount = 0; // loaded satellites whose slot uses the entry
};
