#pragma once
// The About box: version and build date, and an Info button whose box tells what
// Kiv is, in the document's language, with the orbit library's version.

#include <QDialog>

namespace kiv {

class MessageBoxes;

class CAboutDlg : public QDialog {
public:
    // language: 1 English, 0 German, -1 no document (English).
    CAboutDlg(kiv::MessageBoxes& messages, int language, QWidget* parent = nullptr);

    void OnInfo();

private:
    kiv::MessageBoxes& messages_;
    int language_;
};

} // namespace kiv
