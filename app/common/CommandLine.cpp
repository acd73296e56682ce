#include "CommandLine.h"

#include "ExitCode.h"

#include "host/core/AppUtil.h"

#include <QTextStream>

namespace ostrel {

namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("help-all")},
                               QStringLiteral("Shows this help and exits."));
const QCommandLineOption kVersion(QStringLiteral("version"), QStringLiteral("Shows the version and exits."));

QString flagsOf(const QCommandLineOption& option)
{
    QStringList flags;
    for (const QString& name : option.names())
        flags << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = flags.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <%1>").arg(option.valueName());
    return text;
}

QString optionTable(const QList<QCommandLineOption>& options)
{
    int width = 0;
    for (const auto& option : options)
        width = std::max(width, static_cast<int>(flagsOf(option).size()));
    QString text;
    for (const auto& option : options) {
        if (option.flags() & QCommandLineOption::HiddenFromHelp)
            continue;
        text += QStringLiteral("  %1  %2\n").arg(flagsOf(option).leftJustified(width), option.description());
    }
    return text;
}

} // namespace

CommandLine::CommandLine(QString program, QString description)
    : m_program(std::move(program)), m_description(std::move(description))
{
}

void CommandLine::AddGlobalOption(const QCommandLineOption& option)
{
    m_global << option;
}

void CommandLine::AddCommand(const CommandSpec& command)
{
    m_commands << command;
}

const CommandSpec* CommandLine::find(const QString& name) const
{
    for (const auto& command : m_commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

QList<QCommandLineOption> CommandLine::optionsOf(const CommandSpec& command) const
{
    return command.options + m_global + QList<QCommandLineOption>{kHelp, kVersion};
}

bool CommandLine::takesValue(const QString& flag) const
{
    QString name = flag;
    while (name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    if (name.contains(QLatin1Char('=')))
        return false;
    for (const auto& command : m_commands)
        for (const auto& option : optionsOf(command))
            if (option.names().contains(name))
                return !option.valueName().isEmpty();
    return false;
}

// The subcommand is the first argument that is neither an option nor an option's value.
qsizetype CommandLine::commandPosition(const QStringList& arguments) const
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            return -1;
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            if (takesValue(argument))
                ++i;
            continue;
        }
        return i;
    }
    return -1;
}

QString CommandLine::prefix() const
{
    return m_command.isEmpty() ? m_program : m_program + QLatin1Char(' ') + m_command;
}

bool CommandLine::Parse(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList rest = arguments;
    const qsizetype position = commandPosition(arguments);
    m_command.clear();
    if (position >= 0 && find(arguments[position])) {
        m_command = arguments[position];
        rest.removeAt(position);
    }
    const CommandSpec* command = find(m_command);
    if (!command && m_command.isEmpty() && position >= 0) {
        m_exitCode = Fail(err, QStringLiteral("unknown command \"%1\"").arg(arguments[position]));
        return false;
    }

    m_parser = std::make_unique<QCommandLineParser>();
    m_parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser->setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QList<QCommandLineOption> options = command ? optionsOf(*command) : QList<QCommandLineOption>{kHelp, kVersion} + m_global;
    m_parser->addOptions(options);
    m_known.clear();
    for (const auto& option : options)
        m_known << option.names();
    if (!m_parser->parse(QStringList{m_program} + rest)) {
        m_exitCode = Fail(err, m_parser->errorText());
        return false;
    }
    if (m_parser->isSet(kHelp)) {
        out << HelpText(m_command);
        out.flush();
        m_exitCode = exitcode::kPassed;
        return false;
    }
    if (m_parser->isSet(kVersion)) {
        out << VersionText() << '\n';
        out.flush();
        m_exitCode = exitcode::kPassed;
        return false;
    }
    if (!command) {
        m_exitCode = Fail(err, QStringLiteral("no command given"));
        return false;
    }
    m_arguments = m_parser->positionalArguments();
    const auto count = m_arguments.size();
    if (count < command->minArguments) {
        m_exitCode = Fail(err, QStringLiteral("%1 is missing").arg(command->arguments));
        return false;
    }
    if (command->maxArguments >= 0 && count > command->maxArguments) {
        m_exitCode = Fail(err, QStringLiteral("unexpected argument \"%1\"").arg(m_arguments[command->maxArguments]));
        return false;
    }
    m_exitCode = exitcode::kPassed;
    return true;
}

bool CommandLine::defined(const QString& option) const
{
    return m_parser && m_known.contains(option);
}

bool CommandLine::IsSet(const QString& option) const
{
    return defined(option) && m_parser->isSet(option);
}

QString CommandLine::Value(const QString& option) const
{
    return defined(option) ? m_parser->value(option) : QString();
}

QStringList CommandLine::Values(const QString& option) const
{
    return defined(option) ? m_parser->values(option) : QStringList();
}

int CommandLine::Fail(QTextStream& err, const QString& message) const
{
    err << prefix() << ": error: " << message << '\n'
        << "Try \"" << prefix() << " --help\" for more information.\n";
    err.flush();
    return exitcode::kUsage;
}

QString CommandLine::VersionText() const
{
    return QStringLiteral("%1 %2").arg(m_program, ProjectVersion());
}

QString CommandLine::HelpText(const QString& name) const
{
    const CommandSpec* command = find(name);
    const QString usageName = name.isEmpty() ? m_program : m_program + QLatin1Char(' ') + name;
    QString text;
    if (command || name.isEmpty()) {
        if (command) {
            text += QStringLiteral("Usage: %1 [options]%2\n").arg(usageName, command->arguments.isEmpty() ? QString() : QLatin1Char(' ') + command->arguments);
        }
        if (name.isEmpty() && m_commands.size() > (find(QString()) ? 1 : 0))
            text += QStringLiteral("%1 %2 [options] COMMAND [ARGUMENTS]\n")
                        .arg(text.isEmpty() ? QStringLiteral("Usage:") : QStringLiteral("   or:"), m_program);
    }
    text += QLatin1Char('\n') + (command && !name.isEmpty() ? command->summary : m_description) + QLatin1Char('\n');
    if (command && !command->description.isEmpty())
        text += QLatin1Char('\n') + command->description + QLatin1Char('\n');
    text += QStringLiteral("\nOptions:\n") + optionTable(command ? optionsOf(*command) : m_global + QList<QCommandLineOption>{kHelp, kVersion});
    if (name.isEmpty()) {
        QList<const CommandSpec*> named;
        int width = 0;
        for (const auto& other : m_commands) {
            if (other.name.isEmpty())
                continue;
            named << &other;
            width = std::max(width, static_cast<int>(other.name.size()));
        }
        if (!named.isEmpty()) {
            text += QStringLiteral("\nCommands:\n");
            for (const CommandSpec* other : named)
                text += QStringLiteral("  %1  %2\n").arg(other->name.leftJustified(width), other->summary);
            text += QStringLiteral("\n\"%1 COMMAND --help\" shows the options of a command.\n").arg(m_program);
        }
    }
    return text;
}

} // namespace ostrel
