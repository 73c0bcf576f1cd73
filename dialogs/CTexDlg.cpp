#include "dialogs/CTexDlg.h"

#include "dialogs/CImagePreview.h"
#include "dialogs/DialogTexts.h"
#include "document/SettingsTable.h"
#include "platform/ClientAreaDrag.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

namespace {

struct RowControls {
    const char* english;
    const char* german;
    const char* edit;
    const char* browse;
    const char* preview;
    const char* title; // of the file dialog, the same in both languages
};

constexpr std::array<RowControls, 4> kRows{{
    {.english = "Earth 3D", .german = "Erde 3D", .edit = "1005", .browse = "1041", .preview = "1043",
     .title = "Earthtexture filename (3D)"},
    {.english = "Earth 2D", .german = "Erde 2D", .edit = "1007", .browse = "1008", .preview = "1013",
     .title = "Earthtexture filename (2D)"},
    {.english = "Night", .german = "Nacht", .edit = "1011", .browse = "1012", .preview = "1015",
     .title = "Night overlay map"},
    {.english = "WDB View", .german = "WDB View", .edit = "1010", .browse = "1009", .preview = "1014",
     .title = "World Data Base Texture filename"},
}};

const char* const kTextureFilter =
    "All Texturefiles (*.JPG *.jpg *.jpeg *.JPEG *.BMP *.bmp *.PCX *.pcx *.TIF *.tif *.TIFF *.tiff *.GIF *.gif "
    "*.EMF *.emf *.ICO *.ico *.WMF *.wmf);;Texturefiles (*.jpg) (*.JPG *.jpg *.jpeg *.JPEG);;Texturefiles (*.bmp) "
    "(*.BMP *.bmp);;Texturefiles (*.pcx) (*.PCX *.pcx);;Texturefiles (*.tif) (*.TIF *.tif *.TIFF *.tiff);;"
    "Texturefiles (*.gif) (*.GIF *.gif);;Texturefiles (*.emf) (*.EMF *.emf);;Texturefiles (*.ico) (*.ICO *.ico);;"
    "Texturefiles (*.wmf) (*.WMF *.wmf)";

} // namespace

CTexDlg::CTexDlg(const TextureNames& names, UiServices& ui, const DataPaths& paths, PictureSource& pictures,
                 int language, QWidget* parent)
    : QDialog(parent), values_(names), ui_(ui), paths_(paths), english_(language == 1)
{
    setWindowTitle(inLanguage(english_, "Texture Dialogbox", "Textur Dialogbox"));
    auto* grid = new QGridLayout;
    for (int r = 0; r < 4; ++r) {
        const RowControls& c = kRows[r];
        const Row row = static_cast<Row>(r);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(c.edit));
        edit->setMinimumWidth(280);
        edits_[r] = edit;
        auto* browse = new QPushButton(inLanguage(english_, "Browse", "Suchen"), this);
        browse->setObjectName(QString::fromLatin1(c.browse));
        connect(browse, &QPushButton::clicked, this, [this, row] { this->browse(row); });
        auto* show = new QPushButton(inLanguage(english_, "Preview", "Vorschau"), this);
        show->setObjectName(QString::fromLatin1(c.preview));
        connect(show, &QPushButton::clicked, this, [this, row] { showRow(row); });
        grid->addWidget(new QLabel(inLanguage(english_, c.english, c.german), this), r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(browse, r, 2);
        grid->addWidget(show, r, 3);
    }

    auto* placeholder = new QWidget(this);
    placeholder->setObjectName(QStringLiteral("1004"));
    placeholder->setFixedSize(256, 128);
    preview_ = new CImagePreview(pictures, ui.messages, english_, nullptr, placeholder);
    preview_->setGeometry(placeholder->rect());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(inLanguage(english_, "Cancel", "Abbruch"));
    QPushButton* defaults = buttons->addButton(inLanguage(english_, "Default", "Standard"), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("11"));
    connect(defaults, &QPushButton::clicked, this, &CTexDlg::applyDefaults);
    QPushButton* info = buttons->addButton(QStringLiteral("I n f o"), QDialogButtonBox::HelpRole);
    info->setObjectName(QStringLiteral("1042"));
    connect(info, &QPushButton::clicked, this, &CTexDlg::showInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTexDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lower = new QHBoxLayout;
    lower->addWidget(placeholder);
    lower->addStretch(1);
    lower->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(lower);
    dragByClientArea(this);

    exchangeIntoEdits();
    preview_->ShowFile(values_.ErdkarteFileName);
}

std::optional<TextureNames> CTexDlg::edit(const TextureNames& names, UiServices& ui, const DataPaths& paths,
                                          PictureSource& pictures, int language)
{
    CTexDlg dialog(names, ui, paths, pictures, language);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

QString& CTexDlg::member(Row row)
{
    switch (row) {
    case Globe:
        return values_.TextureErdeFileName;
    case Map:
        return values_.ErdkarteFileName;
    case Night:
        return values_.NightMapFileName;
    case WorldDataBank:
        break;
    }
    return values_.WDBMapFileName;
}

void CTexDlg::exchangeIntoEdits()
{
    for (int r = 0; r < 4; ++r)
        edits_[r]->setText(member(static_cast<Row>(r)));
}

// Every row's dialog starts at the globe texture's file, where the program finds it.
void CTexDlg::browse(Row row)
{
    const std::optional<QString> path = ui_.files.openFile(
        {.title = QString::fromLatin1(kRows[static_cast<std::size_t>(row)].title),
         .filter = QString::fromLatin1(kTextureFilter),
         .defaultSuffix = QString(),
         .initialPath = paths_.dialogStart(values_.TextureErdeFileName)});
    if (path)
        member(row) = *path;
    exchangeIntoEdits();
    showRow(row);
}

void CTexDlg::showRow(Row row) { preview_->ShowFile(member(row)); }

void CTexDlg::applyDefaults()
{
    KivSettings defaults;
    applyDefaultSettings(defaults);
    values_ = {.TextureErdeFileName = defaults.TextureErdeFileName,
               .ErdkarteFileName = defaults.ErdkarteFileName,
               .NightMapFileName = defaults.NightMapFileName,
               .WDBMapFileName = defaults.WDBMapFileName};
    exchangeIntoEdits();
}

void CTexDlg::showInfo()
{
    ui_.messages.show(helpBox(QStringLiteral("Info"), texts::textureInfo(english_), MessageIcon::None));
}

void CTexDlg::accept()
{
    for (int r = 0; r < 4; ++r)
        member(static_cast<Row>(r)) = edits_[r]->text();
    QDialog::accept();
}

} // namespace kiv
