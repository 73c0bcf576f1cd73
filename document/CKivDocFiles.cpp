// CKivDoc: the colour table, the icon list and the town lists.
#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "document/IconTable.h"
#include "document/TownFile.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"

using namespace kiv;

void CKivDoc::LoadColorTable()
{
    const QString path = ResolvedPath(ColorTableFileName);
    const auto reading = RecoverCutOffWrite(path);
    const auto read = loadColorTableFile(path);
    if (!read) {
        context_.ui.messages.show(fileMessages::colorTableNotFound(English(), ColorTableFileName));
        return;
    }
    // A short file leaves the globe's colours of the slots it does not cover as they were, so
    // that those satellites do not turn black.
    for (int i = 0; i < kMaxSatellites; ++i) {
        tagSATINFO& info = SatInfo[i];
        for (int c = 0; c < 3; ++c) {
            info.color[c] = read->table.slotColors[i][c];
            if (i >= read->slotsRead)
                continue;
            const Rgba gl = glColorOf(info.color[c]);
            std::copy(gl.begin(), gl.end(), info.glColor[c]);
        }
    }
    ClockColors = read->table.clockColors;
}

bool CKivDoc::SaveColorTable()
{
    ColorTable table;
    for (int i = 0; i < kMaxSatellites; ++i)
        std::copy(std::begin(SatInfo[i].color), std::end(SatInfo[i].color), table.slotColors[i].begin());
    table.clockColors = ClockColors;
    const kiv::WriteResult written = saveColorTableFile(context_.paths.writeTarget(ColorTableFileName), table);
    ClockColors = table.clockColors; // what the file holds now, out-of-range components cleared
    if (!written) {
        context_.ui.messages.show(fileMessages::couldNotWrite(English(), written));
        return false;
    }
    ColorTableChanged = 0;
    return true;
}

void CKivDoc::OfferToSaveColorTable(const char* en, const char* de)
{
    if (!ColorTableChanged)
        return;
    const MessageAnswer answer =
        context_.ui.messages.show({.caption = QStringLiteral("Attention !"),
                                   .text = inLanguage(English(), en, de).arg(ColorTableFileName),
                                   .buttons = MessageButtons::YesNo,
                                   .icon = MessageIcon::Exclamation});
    if (answer == MessageAnswer::Yes)
        SaveColorTable();
    ColorTableChanged = 0;
}

void CKivDoc::LoadIconNames()
{
    const QString path = ResolvedPath(IconFileName);
    const auto reading = RecoverCutOffWrite(path);
    const auto read = loadIconListFile(path);
    if (!read) {
        context_.ui.messages.show(fileMessages::iconListNotFound(English(), IconFileName));
        return;
    }
    IconIndices indices{};
    applyIconList(Icons, indices, *read);
    for (int i = 0; i < kMaxSatellites; ++i)
        SatInfo[i].iconIndex = indices[i];
    RecountIcons();
}

bool CKivDoc::SaveIconNames()
{
    IconIndices indices{};
    IconNames names{};
    for (int i = 0; i < kMaxSatellites; ++i) {
        indices[i] = SatInfo[i].iconIndex;
        names[i] = Icons[i].fileName;
    }
    const kiv::WriteResult written = saveIconListFile(context_.paths.writeTarget(IconFileName), indices, names);
    if (!written)
        context_.ui.messages.show(fileMessages::couldNotWrite(English(), written));
    return written.ok;
}

void CKivDoc::LoadTowns()
{
    if (SmalTownCount > 0 && BigTownCount > 0)
        return;
    if (!towns_.namesTaken) {
        towns_ = {.namesTaken = true, .anyMissing = false, .smallName = WDBSmalTowns, .bigName = WDBBigTowns};
    }
    const auto load = [&](const QString& name, QString& remembered, std::vector<tagTOWN>& list, int& count) {
        const QString path = ResolvedPath(name);
        const auto reading = RecoverCutOffWrite(path);
        auto read = loadTownFile(path);
        if (!read) {
            // Said once per file name, not at every go-to.
            if (!towns_.anyMissing || name != remembered) {
                remembered = name;
                context_.ui.messages.show(fileMessages::townFileNotFound(English(), name));
            }
            towns_.anyMissing = true;
            return;
        }
        list = std::move(*read);
        count = static_cast<int>(list.size());
    };
    load(WDBSmalTowns, towns_.smallName, SmalTowns, SmalTownCount);
    load(WDBBigTowns, towns_.bigName, BigTowns, BigTownCount);
}
