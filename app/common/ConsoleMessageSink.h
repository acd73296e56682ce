#pragma once
// Message boxes of a command-line program, printed to standard error as a Linux tool prints
// its diagnostics: "nb4410: error: NB-4410 Communication Error: No NB-4410 connected. ...".
// Confirmations are answered no: nobody is there to answer.
//
// The driver reports its failures in information boxes (that is what the window shows); on
// a command line an information box therefore reads as an error. Warnings stay warnings.
#include "host/core/MessageService.h"

namespace ostrel {

class ConsoleMessageSink : public IMessageSink {
public:
    explicit ConsoleMessageSink(QString program) : m_program(std::move(program)) {}
    void Show(MessageIcon icon, const QString& text, const QString& title) override;
    bool Confirm(const QString& text, const QString& title) override;

    static const char* Severity(MessageIcon icon);
    // One line: line breaks of a box's text become "; ".
    QString Line(const char* severity, const QString& text, const QString& title) const;
    // A box's text on one line, for any console output: a carriage return left in a line
    // sends a terminal's cursor back, and the rest of the line overwrites its start.
    static QString Flat(const QString& text);

private:
    QString m_program;
};

} // namespace ostrel
