// nb4410-sim: the NB-4410 simulator on its own. Opens a pseudo-terminal and prints its path
// (or serves a given serial device) until interrupted.
#include "app/common/CommandLine.h"
#include "app/common/ExitCode.h"
#include "sim/Simulator.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

struct OptionName {
    const char* flag;
    const char* key;
    const char* help;
};

const OptionName kValueOptions[] = {
    {"time-scale", "TimeScale", "Simulated seconds per real second (default 1)."},
    {"state", "StateFile", "File that keeps the operator record."},
    {"serial", "SerialNo", "Serial number reported by IREM."},
    {"leak-rate", "LeakRate", "Monitor leak rate in mmHg/min (default 2)."},
    {"release-pressure", "ReleasePressure", "Monitor release pressure in mmHg (default 300)."},
    {"cuff-volume", "CuffVolume", "Cuff volume in ccm (default 140)."},
    {"offset-sys", "OffsetSys", "Offset of the monitor's systolic reading."},
    {"offset-dia", "OffsetDia", "Offset of the monitor's diastolic reading."},
    {"offset-map", "OffsetMap", "Offset of the monitor's mean reading."},
    {"offset-hr", "OffsetHeartRate", "Offset of the monitor's heart-rate reading."},
    {"drop-reply", "DropReply", "Do not send the Nth reply."},
    {"corrupt-reply", "CorruptReply", "Send the Nth reply with a wrong checksum."},
    {"delay-reply", "DelayReply", "Send the Nth reply after 1700 ms."},
    {"wrong-name", "WrongName", "Send the Nth reply with its name in upper case."},
    {"errm", "ErrmCommand", "Answer COMMAND with ERRM CODE (COMMAND:CODE)."},
    {"hang-up-after", "HangUpAfter", "Hang up after N exchanges."},
    {"hang-up-in-test", "HangUpInTest", "Hang up N simulated seconds into a running test."},
};

int openDevice(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path.toStdString());
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tio.c_cflag |= PARENB | PARODD | CLOCAL | CREAD;
        cfsetispeed(&tio, B38400);
        cfsetospeed(&tio, B38400);
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nb4410-sim"));

    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serve this serial device instead of a pseudo-terminal."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption noPacing(QStringLiteral("no-pacing"), QStringLiteral("Reply at once instead of at 38400 baud."));
    ostrel::CommandSpec command{.name = QString(), .summary = QStringLiteral("Runs the simulator until interrupted."), .options = {device, noPacing}};
    for (const OptionName& o : kValueOptions)
        command.options << QCommandLineOption(QString::fromLatin1(o.flag), QString::fromLatin1(o.help), QStringLiteral("VALUE"));
    ostrel::CommandLine parser(QStringLiteral("nb4410-sim"),
                               QStringLiteral("NB-4410 simulator on a pseudo-terminal or a serial device. Prints the path of the\n"
                                              "device it serves, then answers the instrument's commands until SIGINT or SIGTERM."));
    parser.AddCommand(command);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!parser.Parse(arguments, out, err))
        return parser.ExitCode();

    QHash<QString, QString> values;
    for (const OptionName& o : kValueOptions) {
        if (parser.IsSet(QString::fromLatin1(o.flag)))
            values.insert(QString::fromLatin1(o.key), parser.Value(QString::fromLatin1(o.flag)));
    }
    if (parser.IsSet(noPacing.names().front()))
        values.insert(QStringLiteral("Pacing"), QStringLiteral("0"));

    // Signals are taken by sigwait below, not by a handler, so every thread blocks them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    nb4410sim::Simulator simulator;
    int fd = -1;
    try {
        const nb4410sim::SimulatorOptions options = nb4410sim::SimulatorOptions::fromMap(values);
        if (parser.IsSet(device.names().front())) {
            fd = openDevice(parser.Value(device.names().front()));
            simulator.Serve(fd, options);
            std::printf("%s\n", qUtf8Printable(parser.Value(device.names().front())));
        } else {
            std::printf("%s\n", qUtf8Printable(simulator.Start(options)));
        }
        std::fflush(stdout);
    } catch (const std::invalid_argument& e) {
        return parser.Fail(err, QString::fromLocal8Bit(e.what()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nb4410-sim: error: %s\n", e.what()); // the device or pseudo-terminal
        return ostrel::exitcode::kInstrument;
    }

    int signal = 0;
    sigwait(&stopSignals, &signal);
    simulator.Stop();
    if (fd >= 0)
        ::close(fd);
    return 0;
}
