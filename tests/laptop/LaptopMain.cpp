// The tests of this folder run on an offscreen screen of 1366x768 pixels at 96 dpi, the
// smallest laptop screen the window is made for; the rest is as every test executable has it.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [{"name": "Laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    if (qEnvironmentVariableIsEmpty("OSTREL_USER_REGISTRY"))
        qputenv("OSTREL_USER_REGISTRY", QFile::encodeName(dir.filePath(QStringLiteral("user.reg"))));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
