#pragma once
// A failure of the results database (unreachable, refused, a statement that failed). Its text
// never holds a password.
#include <QString>
#include <stdexcept>

namespace ostrel::history {

class HistoryError : public std::runtime_error {
public:
    explicit HistoryError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString Text() const { return m_text; }

private:
    QString m_text;
};

} // namespace ostrel::history
