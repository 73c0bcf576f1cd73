#pragma once
// The About box: version and build date, and an Info button whose box tells what
// Kiv is, in the document's language, with the orbit library's version.

#include <QDialog>

namespace platform {
class MessageBoxes;
}

class CAboutDlg : public QDialog {
public:
    // language: 1 English, 0 German, -1 no document (English).
    CAboutDlg(platform::MessageBoxes& messages, int language, QWidget* parent = nullptr);

    void OnInfo();

private:
    platform::MessageBoxes& messages_;
    int language_;
};
