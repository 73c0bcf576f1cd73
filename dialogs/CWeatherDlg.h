#pragma once
// The weather dialog: a satellite weather picture fetched over HTTP into a local file, laid over
// a background map between its corner coordinates in the image preview (where the mouse zooms
// and pans), and handed to the globe, the 2D map or the World Data Bank views. The download
// replaces the local file only when the whole picture arrived with a success status, within the
// size limit, and reads as a picture; during it only Cancel works, and it stops the transfer.

#include "dialogs/DialogCommands.h"
#include "dialogs/DownloadProgress.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace kiv {

class CImagePreview;
class DataPaths;
class PictureSource;
struct UiServices;

class CWeatherDlg : public QDialog {
public:
    // Takes a composed picture for a view: 0 the 2D map, 1 the globe, 2 the World Data Bank map.
    using ApplyBitmap = std::function<void(int kind, const QImage& bitmap)>;

    // language: 1 English, otherwise German.
    CWeatherDlg(const kiv::WeatherSettings& settings, kiv::UiServices& ui, kiv::PictureSource& pictures,
                const kiv::DataPaths& paths, int language, ApplyBitmap apply,
                kiv::HttpClient client = kiv::HttpClient(), QWidget* parent = nullptr);

    // Runs the dialog: the settings on OK, nothing on Cancel.
    static std::optional<kiv::WeatherSettings> edit(const kiv::WeatherSettings& settings, kiv::UiServices& ui,
                                                    kiv::PictureSource& pictures, const kiv::DataPaths& paths,
                                                    int language, ApplyBitmap apply);

    const kiv::WeatherSettings& values() const { return values_; }
    CImagePreview& preview() { return *preview_; }

    void Automatic();
    // True when the picture arrived and was shown.
    bool RetrieveData();
    // True when the weather picture lies over the background in the preview.
    bool Preview();
    void Apply(int kind);
    void Help();
    void accept() override;
    void reject() override;

private:
    // The parts of the dialog, top to bottom and left to right.
    void createFields();
    QLayout* sourceRows();
    QLayout* pictureColumn(kiv::PictureSource& pictures);
    QLayout* boundsGrid();
    QLayout* actionColumn();
    QDialogButtonBox* buttonBox();
    void showStartValues();
    QLineEdit* lineEdit(const char* id);
    QPushButton* button(const char* id, const char* english, const char* german);
    QString text(const char* english, const char* german) const;
    // The fields into the values; false (after the message) when a number is refused.
    bool readFields();
    void showValues();
    void urlChanged(const QString& url);
    void browseBackground();
    void browseLocalFile();
    void setBusy(bool busy);

    kiv::WeatherSettings values_;
    kiv::UiServices& ui_;
    const kiv::DataPaths& paths_;
    bool english_;
    ApplyBitmap apply_;
    kiv::HttpClient client_;
    QComboBox* url_;
    QLineEdit* localFile_;
    QLineEdit* startLat_;
    QLineEdit* startLon_;
    QLineEdit* endLat_;
    QLineEdit* endLon_;
    QLineEdit* background_;
    QCheckBox* keepSize_;
    QLineEdit* width_;
    QLineEdit* height_;
    QPushButton* cancel_;
    kiv::DownloadProgress* progress_;
    QLabel* status_;
    QLabel* zoom_;
    CImagePreview* preview_;
};

} // namespace kiv
