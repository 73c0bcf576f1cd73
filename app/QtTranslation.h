#pragma once
// Qt's own texts, the standard buttons of message boxes and the file dialogs, in the program's
// language: Qt's German translation is installed while the language is German and removed for
// English. Without it a German box would name buttons ("Ja", "Abbrechen") that read "Yes" and
// "Cancel".

#include <QTranslator>

namespace kiv {

class QtTranslation {
public:
    // Idempotent; a missing translation file is said once on the standard error, and Qt's texts
    // stay English.
    void follow(bool english);

private:
    QTranslator german_;
    bool installed_ = false;
    bool tried_ = false;
};

} // namespace kiv
