#pragma once
// The wire trace: every frame a link sends and receives, with its bytes and what the decoder
// made of it, in the logging category "ostrel.link" (debug level), and the link's failures
// (dropped frames, discarded replies, resends) at info level. WriteTo sends the trace, and the
// failures that steps deliberately ignore ("ostrel.steps", info level), to a file, so that a
// technician can hand a support engineer what happened on the line.
#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

namespace ostrel {

Q_DECLARE_LOGGING_CATEGORY(lcLink)

class LinkTrace {
public:
    // Enables the categories and appends every message of an "ostrel." category to path, one
    // line each with the time; other messages go where they went before. False when the file
    // cannot be opened.
    static bool WriteTo(const QString& path);
    // Stops writing (closes the file); the categories go back to their defaults.
    static void Stop();
    // The bytes as a reader sees them: printable text as is, control bytes by name (<STX>).
    static QString Readable(const QByteArray& bytes);
};

} // namespace ostrel
