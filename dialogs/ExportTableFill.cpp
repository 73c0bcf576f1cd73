#include "dialogs/ExportTableFill.h"

#include "dialogs/CEditor.h"

#include <QElapsedTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace kiv {

namespace {

// A piece, the editor's share included, takes about this long: the window paints some thirty
// times a second and a request to end the program waits no longer than that.
constexpr std::int64_t kPieceNs = 30'000'000;
constexpr std::int64_t kFirstPieceSteps = 256;
constexpr std::int64_t kMinPieceSteps = 16;
constexpr std::int64_t kMaxPieceSteps = std::int64_t{1} << 16;

} // namespace

ExportTableFill::ExportTableFill(CEditor& editor, Cursors& cursors) : editor_(editor), cursors_(cursors)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] { piece(); });
}

ExportTableFill::~ExportTableFill() = default;

void ExportTableFill::Start(const ExportParameters& p,
                            std::function<void(const std::vector<ExportFailure>&)> finished)
{
    Stop();
    generator_.emplace(orbit_, p);
    finished_ = std::move(finished);
    wait_.emplace(cursors_);
    editor_.BeginTable();
    if (ExportGenerator::TotalRows(p) <= kAtOnceRows) {
        pieceSteps_ = std::numeric_limits<std::int64_t>::max();
        piece();
        return;
    }
    pieceSteps_ = kFirstPieceSteps;
    timer_.start();
}

void ExportTableFill::Stop()
{
    if (!generator_)
        return;
    timer_.stop();
    generator_.reset();
    finished_ = nullptr;
    editor_.SetTable(QString());
    wait_.reset();
}

void ExportTableFill::piece()
{
    QElapsedTimer clock;
    clock.start();
    const bool more = generator_->Continue(pieceSteps_);
    std::string& text = generator_->Output().text;
    editor_.AppendTable(QString::fromStdString(text));
    text.clear(); // keeps the buffer's capacity for the next piece
    if (!more) {
        finish();
        return;
    }
    // As many steps next time as fit the time of a piece at this piece's pace.
    const std::int64_t took = std::max<std::int64_t>(clock.nsecsElapsed(), 1);
    pieceSteps_ = std::clamp(pieceSteps_ * kPieceNs / took, kMinPieceSteps, kMaxPieceSteps);
}

void ExportTableFill::finish()
{
    timer_.stop();
    const std::vector<ExportFailure> failures = std::move(generator_->Output().failures);
    generator_.reset();
    editor_.EndTable();
    wait_.reset();
    if (auto finished = std::exchange(finished_, nullptr))
        finished(failures);
}

} // namespace kiv
