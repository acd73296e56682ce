#include "ErrorService.h"

#include <QHash>
#include <QLoggingCategory>

namespace ostrel {

namespace {

Q_LOGGING_CATEGORY(lcErrors, "ostrel.errors", QtWarningMsg)

// The host's own texts for the numbers the host and its plug-ins raise without a description.
const QHash<std::uint32_t, QString>& hostTexts()
{
    static const QHash<std::uint32_t, QString> texts{
        {0x8004A229u, QStringLiteral("The plug-in has not been initialised.")},
        {0x8004A22Cu, QStringLiteral("The test catalogue file is invalid.")},
        {0x8004A233u, QStringLiteral("The requested test is not in the plug-in's catalogue.")},
        {0x8004A28Du, QStringLiteral("The settings text does not belong to this plug-in.")},
        {0x8004A28Eu, QStringLiteral("The plug-in's registry key could not be opened.")},
        {0x8004A2C0u, QStringLiteral("The test could not be started.")},
        {0x8004A2C1u, QStringLiteral("The test could not be performed.")},
        {0x8004A2C2u, QStringLiteral("The test could not be completed.")},
        {0x8004A2C8u, QStringLiteral("The test element has not been initialised.")},
        {0x8004A2CDu, QStringLiteral("The test element is busy.")},
        {0x8004A3C2u, QStringLiteral("A configuration parameter is missing.")},
        {0x8004A3C3u, QStringLiteral("The configuration could not be stored.")},
        {0x8004A3EBu, QStringLiteral("The stored result could not be read.")},
        {0x8004A3ECu, QStringLiteral("The result could not be stored.")},
        {0x8004A3FFu, QStringLiteral("The stored measurement could not be read.")},
        {0x8004A400u, QStringLiteral("The measurement could not be stored.")},
        {0x8004A424u, QStringLiteral("Communication error on the data link.")},
        {0x8004A425u, QStringLiteral("The data link did not answer in time.")},
        {0x8004A4EEu, QStringLiteral("The stored limits could not be read.")},
        {0x80047730u, QStringLiteral("The stored document could not be read.")},
        {0x80047737u, QStringLiteral("The stored element is not of the expected kind.")},
        {0x80040154u, QStringLiteral("Class not registered.")},
        {0x80040111u, QStringLiteral("The class is not available.")},
        {0x80004002u, QStringLiteral("No such interface supported.")},
        {0x80004003u, QStringLiteral("Object variable not set.")},
        {0x80004005u, QStringLiteral("Unspecified failure.")},
        {0x80070057u, QStringLiteral("Invalid argument.")},
    };
    return texts;
}

} // namespace

ErrorService& ErrorService::instance()
{
    static ErrorService service;
    return service;
}

QString ErrorService::HostText(HResult number)
{
    return hostTexts().value(static_cast<std::uint32_t>(number));
}

void ErrorService::Raise(const QString& plugIn, HResult number, const QString& source, int severity,
                         const QString& description)
{
    if (number == 0 && source.isEmpty() && severity == 1) {
        if (std::current_exception())
            throw; // the failure being handled goes on unchanged
        throw ComError(kE_Fail, plugIn, QStringLiteral("No failure to raise again"), 1);
    }
    QString text = description;
    if (text.isEmpty())
        text = HostText(number);
    if (text.isEmpty())
        text = QStringLiteral("Error %1").arg(ComError::hex(number));
    throw ComError(number, source, text, severity);
}

void ErrorService::PassOn(const QString& source)
{
    PassOn(ComError::fromCurrent(), source);
}

void ErrorService::PassOn(const ComError& failure, const QString& source)
{
    ComError passed = failure;
    if (passed.source().isEmpty())
        passed.setSource(source);
    record(passed);
    throw passed;
}

void ErrorService::ReportFromError(const QString& plugIn, const QString& source, int severity)
{
    ComError failure = ComError::fromCurrent();
    if (failure.description().isEmpty())
        failure = ComError(failure.number(), source, HostText(failure.number()), severity);
    failure.setSource(source);
    failure.setSeverity(severity);
    qCDebug(lcErrors) << plugIn << "reports" << failure.what();
    record(failure);
    throw failure;
}

void ErrorService::record(const ComError& failure)
{
    qCDebug(lcErrors) << "passed on:" << failure.what();
    std::lock_guard lock(m_mutex);
    constexpr size_t kMaxLogEntries = 1000;
    if (m_log.size() >= kMaxLogEntries)
        m_log.erase(m_log.begin());
    m_log.push_back(failure);
}

std::vector<ComError> ErrorService::Log() const
{
    std::lock_guard lock(m_mutex);
    return m_log;
}

void ErrorService::ClearLog()
{
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

} // namespace ostrel
