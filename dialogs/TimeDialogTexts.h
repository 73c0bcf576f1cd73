#pragma once
// The time dialog's texts in English and German.

#include <QString>
#include <QStringList>

namespace kiv {

struct TimeDialogTexts {
    QString title;
    QString factorGroup;
    QStringList factorButtons; // real time, minutes, hours, days, sidereal day, month
    QString factorLabel;
    QString stopTime;
    QString accelerate;
    QString setTo;
    QString getLocal;
    QString getGreenwich;
    QStringList fieldLabels; // year, month, day, hour, minute, second
    QString julianDate;
    QString convert;
    QString greenwichClock;
    QString localClock;
    QString colors;
    QString zoom;
    QString rotate;
    QStringList parts; // the 13 parts of a clock, background first
    QString transparency;
    QString defaultColors;
    QString more;
    QString less;
    QString help;
    QString ok;
    QString cancel;
    QString helpText;
    QString rangeCaption;
    QString rangeQuestion;

    static const TimeDialogTexts& of(bool english);
};

} // namespace kiv
