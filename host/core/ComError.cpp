#include "ComError.h"

#include <new>

namespace ostrel {

ComError::ComError(HResult number, QString source, QString description, int severity)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
      m_severity(severity)
{
    refreshWhat();
}

void ComError::refreshWhat()
{
    m_what = QStringLiteral("%1 (%2): %3").arg(hex(m_number), m_source, m_description).toStdString();
}

QString ComError::hex(HResult number)
{
    return QStringLiteral("0x%1").arg(static_cast<std::uint32_t>(number), 8, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x"));
}

ComError ComError::fromCurrent()
{
    return from(std::current_exception());
}

ComError ComError::from(std::exception_ptr failure)
{
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const ComError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return ComError(kErrOutOfMemory, QString(), QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return ComError(kE_Fail, QString(), QString::fromUtf8(e.what()));
    } catch (...) {
        return ComError(kE_Fail, QString(), QStringLiteral("Unknown failure"));
    }
    return ComError(kE_Fail, QString(), QStringLiteral("No failure is being handled"));
}

} // namespace ostrel
