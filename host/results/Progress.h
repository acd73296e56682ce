#pragma once
// The load progress object and its log: loaders open a step, report into it and close it. The
// application shows the log after loading a sequence; tests read it.
#include "host/contract/IProgress.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ostrel {

struct ProgressEntry {
    std::int32_t step = 0;   // the step it was reported into (0: outside any step)
    QString module;
    QString stepText;        // translated text of that step
    std::int32_t number = 0; // error number
    std::int32_t severity = 0;
    QString text;            // translated, parameters filled in
};

class Progress : public IProgress {
public:
    std::int32_t OpenStep(const QString& module, const QString& text) override;
    void Report(std::int32_t number, std::int32_t severity, const QString& text, const Variant& params) override;
    void CloseStep(std::int32_t step) override; // closes that step and any opened after it

    const std::vector<ProgressEntry>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    std::int32_t OpenStepCount() const { return static_cast<std::int32_t>(m_open.size()); }
    std::int32_t StepsOpened() const { return m_lastStep; }
    // The highest severity reported so far (0: nothing reported).
    std::int32_t WorstSeverity() const;
    // One line per entry: "Warning 0x8004A3FF: text (while: step text)".
    QStringList Lines() const;
    static QString SeverityName(std::int32_t severity);

    // Called for every new entry (the application's live log).
    void SetListener(std::function<void(const ProgressEntry&)> listener) { m_listener = std::move(listener); }

private:
    struct OpenStepInfo {
        std::int32_t number;
        QString module;
        QString text;
    };
    std::vector<OpenStepInfo> m_open;
    std::vector<ProgressEntry> m_log;
    std::int32_t m_lastStep = 0;
    std::function<void(const ProgressEntry&)> m_listener;
};

} // namespace ostrel
