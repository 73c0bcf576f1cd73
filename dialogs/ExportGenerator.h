#pragma once
// Builds the text of an export: for every chosen satellite its name, one row per step of the
// time range (those the kind does not leave out) and an empty line. A satellite that cannot be
// propagated at some step keeps the rows before it, its failure is reported, and the others go
// on. Plain code: the dialog asks its questions before and shows the failures after. A table is
// made at once or piece by piece; the pieces add up to the same text.

#include "dialogs/ExportFormatter.h"
#include "dialogs/ExportOrbit.h"
#include "dialogs/ExportParameters.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

struct ExportFailure {
    std::string satellite; // its name
    Time time;             // the step that could not be propagated
};

struct ExportOutput {
    std::string text; // UTF-8, CR LF line ends
    std::vector<ExportFailure> failures;
    std::int64_t rows = 0; // table rows written, names and empty lines not counted
};

enum class ExportRefusal { StepNotPositive, EndBeforeStart, TooManyRows };

class ExportGenerator {
public:
    // Above this many steps per satellite the user is asked first.
    static constexpr std::int64_t kAskAboveSteps = 1000;
    // No table has more rows than this, all satellites together: about 85 MB of text, two seconds
    // of generating and 700 MB in the editor (see the export benchmarks); ten satellites at
    // 100,000 steps still fit.
    static constexpr std::int64_t kMaxTotalRows = 1'100'000;

    // Whole steps from start to end: each satellite has that many rows plus one.
    static std::int64_t StepCount(const ExportParameters& p);
    // Steps for all satellites, rows plus one each; saturates instead of overflowing.
    static std::int64_t TotalRows(const ExportParameters& p);
    // What makes the parameters impossible to generate, if anything.
    static std::optional<ExportRefusal> Check(const ExportParameters& p);

    // The whole table; empty when Check finds something.
    static ExportOutput Generate(ExportOrbit& orbit, const ExportParameters& p);

    // A table made piece by piece. The orbit object serves this table alone until it is done.
    ExportGenerator(ExportOrbit& orbit, ExportParameters p);
    // Adds at most `steps` more steps of the table to Output(); false once the table is complete.
    bool Continue(std::int64_t steps);
    // What is made so far; its text may be taken away between pieces.
    ExportOutput& Output() { return output_; }

private:
    ExportOrbit& orbit_;
    ExportParameters p_;
    ExportFormatter formatter_;
    std::int64_t steps_;
    double startJd_;
    std::size_t satellite_ = 0; // the satellite being made
    std::int64_t step_ = -1;    // its next step; -1 before its name
    std::string name_;
    ExportOutput output_;
};

} // namespace kiv
