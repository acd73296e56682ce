#pragma once
// The one failure type of the platform: a 32-bit error number (COM-style, written as its
// unsigned hexadecimal form), the source that raised it, a description and a severity 1..4.
#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace ostrel {

using HResult = std::int32_t;

constexpr HResult hr(std::uint32_t value) { return static_cast<HResult>(value); }

// Platform numbers every library may raise.
constexpr HResult kE_Fail = hr(0x80004005u);
constexpr HResult kE_NoInterface = hr(0x80004002u);
constexpr HResult kE_Pointer = hr(0x80004003u);
constexpr HResult kE_InvalidArg = hr(0x80070057u);
constexpr HResult kClassNotAvailable = hr(0x80040111u);
constexpr HResult kClassNotRegistered = hr(0x80040154u);
// Basic run-time errors keep their small numbers.
constexpr HResult kErrOverflow = 6;
constexpr HResult kErrOutOfMemory = 7;
constexpr HResult kErrSubscript = 9;
constexpr HResult kErrTypeMismatch = 13;
constexpr HResult kErrObjectRequired = 424;
constexpr HResult kErrFileNotFound = 53;

class ComError : public std::exception {
public:
    ComError() = default;
    ComError(HResult number, QString source, QString description, int severity = 1);

    HResult number() const noexcept { return m_number; }
    const QString& source() const noexcept { return m_source; }
    const QString& description() const noexcept { return m_description; }
    int severity() const noexcept { return m_severity; }

    void setSource(const QString& source) { m_source = source; refreshWhat(); }
    void setSeverity(int severity) { m_severity = severity; }

    const char* what() const noexcept override { return m_what.c_str(); }

    // The failure being handled (inside a catch block) as a ComError: a ComError as it is,
    // std::bad_alloc as "Out of memory", any other exception as E_FAIL with its text.
    static ComError fromCurrent();
    static ComError from(std::exception_ptr failure);

    // "0x8004A468" for logs and the command-line tools.
    static QString hex(HResult number);

private:
    void refreshWhat();

    HResult m_number = 0;
    QString m_source;
    QString m_description;
    int m_severity = 1;
    std::string m_what;
};

} // namespace ostrel
