#pragma once
// The host error service. Raise fails the caller with a numbered error; PassOn records a
// caught failure in the error log and lets it go on to the caller.
#include "ComError.h"

#include <QString>
#include <exception>
#include <mutex>
#include <vector>

namespace ostrel {

class ErrorService {
public:
    static ErrorService& instance();

    // Fails with number, source and severity; the description is the host's text for the
    // number (or a generic one). Number 0 with an empty source and severity 1 raises again
    // the failure being handled (call it inside a catch block).
    [[noreturn]] void Raise(const QString& plugIn, HResult number, const QString& source, int severity,
                            const QString& description = QString());

    // Inside a catch block: log the failure being handled, give it the source when it has
    // none, and rethrow it as a ComError.
    [[noreturn]] void PassOn(const QString& source);
    [[noreturn]] void PassOn(const ComError& failure, const QString& source);

    // Inside a catch block: raise the failure being handled again with this source and severity.
    [[noreturn]] void ReportFromError(const QString& plugIn, const QString& source, int severity);

    // The host's own text for a host error number, empty when it has none.
    static QString HostText(HResult number);

    std::vector<ComError> Log() const;
    void ClearLog();

private:
    void record(const ComError& failure);
    mutable std::mutex m_mutex;
    std::vector<ComError> m_log;
};

} // namespace ostrel
