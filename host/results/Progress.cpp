#include "host/results/Progress.h"

#include "host/core/ComError.h"
#include "host/core/LanguageService.h"

#include <algorithm>

namespace ostrel {

std::int32_t Progress::OpenStep(const QString& module, const QString& text)
{
    ++m_lastStep;
    // Translated when something is reported inside it: most steps (one per stored part of a
    // large document) close without a word.
    m_open.push_back({m_lastStep, module, text});
    return m_lastStep;
}

void Progress::Report(std::int32_t number, std::int32_t severity, const QString& text, const Variant& params)
{
    ProgressEntry entry;
    entry.number = number;
    entry.severity = severity;
    VariantArray parameters;
    if (params.isArray())
        parameters = params.array();
    else if (!params.isEmpty() && !params.isMissing())
        parameters.append(params);
    if (!m_open.empty()) {
        const OpenStepInfo& step = m_open.back();
        entry.step = step.number;
        entry.module = step.module;
        entry.stepText = step.text.isEmpty() ? QString() : LanguageService::instance().Translate(step.module, step.text);
    }
    const QString module = entry.module.isEmpty() ? QStringLiteral("Ostrel") : entry.module;
    entry.text = LanguageService::instance().Translate(module, text, parameters);
    m_log.push_back(entry);
    if (m_listener)
        m_listener(m_log.back());
}

void Progress::CloseStep(std::int32_t step)
{
    // Steps nest: closing one closes whatever a careless loader left open inside it.
    auto found = std::find_if(m_open.begin(), m_open.end(), [step](const OpenStepInfo& info) { return info.number == step; });
    if (found != m_open.end())
        m_open.erase(found, m_open.end());
}

std::int32_t Progress::WorstSeverity() const
{
    std::int32_t worst = 0;
    for (const auto& entry : m_log)
        worst = std::max(worst, entry.severity);
    return worst;
}

QString Progress::SeverityName(std::int32_t severity)
{
    switch (severity) {
    case 1:
        return QStringLiteral("Information");
    case 2:
        return QStringLiteral("Warning");
    case 3:
        return QStringLiteral("Error");
    case 4:
        return QStringLiteral("Critical error");
    default:
        return QStringLiteral("Message");
    }
}

QStringList Progress::Lines() const
{
    QStringList lines;
    for (const auto& entry : m_log) {
        QString line = SeverityName(entry.severity) + QLatin1Char(' ') + ComError::hex(entry.number) + QStringLiteral(": ") + entry.text;
        if (!entry.stepText.isEmpty())
            line += QStringLiteral(" (while: ") + entry.stepText + QLatin1Char(')');
        lines << line;
    }
    return lines;
}

} // namespace ostrel
