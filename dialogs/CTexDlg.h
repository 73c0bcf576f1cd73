#pragma once
// The texture dialog: the four background pictures (globe texture, 2D earth map, night map and
// World Data Bank map), each with its edit, a Browse and a Preview button, and a preview that
// shows pictures without zooming. Browse and Default change the names and show them in the
// edits; a Preview shows the row's name as it was last set by Browse or Default, not the text
// typed since; OK takes the edits.

#include "dialogs/DialogCommands.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace kiv {

class CImagePreview;
class DataPaths;
class PictureSource;
struct UiServices;

class CTexDlg : public QDialog {
public:
    // language: 1 English, otherwise German.
    CTexDlg(const kiv::TextureNames& names, kiv::UiServices& ui, const kiv::DataPaths& paths,
            kiv::PictureSource& pictures, int language, QWidget* parent = nullptr);

    // Runs the dialog: the four names on OK, nothing on Cancel.
    static std::optional<kiv::TextureNames> edit(const kiv::TextureNames& names, kiv::UiServices& ui,
                                                 const kiv::DataPaths& paths, kiv::PictureSource& pictures,
                                                 int language);

    const kiv::TextureNames& values() const { return values_; }
    CImagePreview& preview() { return *preview_; }
    void accept() override;

    // The rows, in the order of the dialog: 3D, 2D, night, WDB.
    enum Row { Globe, Map, Night, WorldDataBank };
    void browse(Row row);
    void showRow(Row row);
    void applyDefaults();
    void showInfo();

private:
    QString& member(Row row);
    void exchangeIntoEdits();

    kiv::TextureNames values_;
    kiv::UiServices& ui_;
    const kiv::DataPaths& paths_;
    bool english_;
    std::array<QLineEdit*, 4> edits_{};
    CImagePreview* preview_;
};

} // namespace kiv
