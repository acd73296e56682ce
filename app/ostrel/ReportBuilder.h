#pragma once
// The printed record of a sequence: a header (device under test, instruments, date,
// technician, overall verdict) and then each element's own report, rendered to PDF and HTML.
#include <QString>
#include <memory>

namespace ostrel {

class IRunContext;
class IStandards;
class Report;
class SequenceDocument;

class ReportBuilder {
public:
    static constexpr std::int32_t kFailuresOnly = 0x10;

    // context: the run context the elements print their limits with (its standards selection).
    // A run context for printing outside a run: the sequence's instruments and standards.
    static std::shared_ptr<IRunContext> MakeContext(const SequenceDocument& document, std::shared_ptr<IStandards> selected);

    static std::shared_ptr<Report> Build(const SequenceDocument& document, const std::shared_ptr<IRunContext>& context,
                                         bool failuresOnly);
};

} // namespace ostrel
