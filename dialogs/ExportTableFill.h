#pragma once
// Puts an export table into the editor. A small table is made at once; a large one piece by
// piece from the event loop, each piece about a frame's time, so that the window keeps painting,
// Cancel and the other controls answer, and a request to end the program is acted on at once.
// The orbit object is this object's own, and everything runs on the thread of the event loop.

#include "dialogs/ExportGenerator.h"
#include "dialogs/LibraryExportOrbit.h"
#include "platform/WaitCursor.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace kiv {

class CEditor;

class ExportTableFill : public QObject {
public:
    // Tables of up to this many rows are made before Start returns.
    static constexpr std::int64_t kAtOnceRows = 5000;

    // The editor and the cursors outlive this object.
    ExportTableFill(CEditor& editor, Cursors& cursors);
    ~ExportTableFill() override;
    ExportTableFill(const ExportTableFill&) = delete;
    ExportTableFill& operator=(const ExportTableFill&) = delete;

    // Starts a table in place of the editor's text (a table still being made is dropped).
    // `finished` gets the satellites that failed once the table is complete.
    void Start(const ExportParameters& p, std::function<void(const std::vector<ExportFailure>&)> finished);
    // Drops a table still being made: the editor is emptied, `finished` not called.
    void Stop();
    bool Running() const { return generator_.has_value(); }

private:
    void piece();
    void finish();

    CEditor& editor_;
    Cursors& cursors_;
    LibraryExportOrbit orbit_;
    std::optional<ExportGenerator> generator_;
    std::optional<WaitCursor> wait_;
    std::function<void(const std::vector<ExportFailure>&)> finished_;
    QTimer timer_;
    std::int64_t pieceSteps_ = 0;
};

} // namespace kiv
