// The sample run headless with no instrument on its port: each element fails at once with
// the driver's one message, the automatic operator moves on instead of waiting out a timer,
// and the run exits with the instrument-error code.
#include "app/common/ExitCode.h"
#include "app/ostrel/AutoOperator.h"
#include "app/ostrel/PlugInHost.h"
#include "app/ostrel/RunCommand.h"
#include "host/core/AppUtil.h"
#include "host/core/ComError.h"
#include "host/datalink/DataLinkRoot.h"
#include "tests/support/app/LoadedPlugIn.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

TEST(LinkFailureRunTest, NoInstrumentFailsEachElementAtOnceWithTheInstrumentExitCode)
{
    const auto host = ostrel::testing::loadedPlugIn();
    ASSERT_TRUE(host);
    const QString sample = AppPath() + QStringLiteral("samples/nibp-check.xml");
    ASSERT_TRUE(QFile::exists(sample)) << sample.toStdString();
    auto ports = DataLinkRoot::instance()->PortRegistry();
    ports->SetPorts({{1, PortEntry{QStringLiteral("NB-4410"), QStringLiteral("/dev/does-not-exist"), {}}}});

    QTemporaryDir dir;
    QString output;
    QString errors;
    QTextStream outStream(&output);
    QTextStream errStream(&errors);
    RunCommand command(outStream, errStream);
    command.UsePlugIn(host);
    QElapsedTimer clock;
    clock.start();
    const int status = command.Run(QStringList{sample, QStringLiteral("--operator"), QStringLiteral("auto"),
                                               QStringLiteral("--trace"), dir.filePath(QStringLiteral("trace.log"))});
    const qint64 elapsedMs = clock.elapsed();
    ports->ResetPorts();

    EXPECT_EQ(status, exitcode::kInstrument) << output.toStdString() << errors.toStdString();
    // The automatic operator's grace for a window without "next" is 10 s; a failed element
    // does not wait for it (six elements once took a minute).
    EXPECT_LT(elapsedMs, AutoOperator::kNextWaitMs) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("/dev/does-not-exist"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("did not close")));
}

} // namespace
