// Every test executable runs inside a QApplication on the offscreen platform, so widgets,
// timers and the event loop behave as in the application. The user's registry file is a
// temporary one, so no test reads or writes the developer's own settings; so is the data
// folder, where the service history and its outbox are kept.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir userDir;
    if (qEnvironmentVariableIsEmpty("OSTREL_USER_REGISTRY"))
        qputenv("OSTREL_USER_REGISTRY", QFile::encodeName(userDir.filePath(QStringLiteral("user.reg"))));
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        qputenv("XDG_DATA_HOME", QFile::encodeName(userDir.path()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
