// The link's queue over a transport that only moves bytes: order of messages and dropped
// frames, port failure, closing, counters; and the port map read from the registry store.
#include "host/core/RegistryStore.h"
#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/FrameCodec.h"
#include "host/datalink/Link.h"
#include "host/datalink/LinkSettings.h"
#include "host/datalink/LinkTrace.h"
#include "host/datalink/PortRegistry.h"
#include "tests/support/Failures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

using ostrel::testing::failureOf;

class LoopbackLink : public Link {
public:
    void arrive(const QByteArray& bytes) { receiveBytes(bytes); }
    void die() { failPort(QStringLiteral("unplugged")); }
    QByteArray written;
    int closes = 0;

protected:
    void writeBytes(const QByteArray& frame) override { written += frame; }
    void closeTransport() override { ++closes; }
};

TEST(Link, DroppedFrameFailsOneTakeInArrivalOrder)
{
    LoopbackLink link;
    int wakeUps = 0;
    QObject::connect(&link, &Link::activity, [&] { ++wakeUps; });
    EXPECT_FALSE(link.MessageWaiting());
    EXPECT_EQ(link.TakeMessage(), nullptr);

    QByteArray bad = FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("1")});
    bad[2] = '?';
    link.arrive(FrameCodec::encode(QStringLiteral("irem"), {}) + bad);
    link.arrive(FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("2")}).left(5));
    EXPECT_EQ(wakeUps, 1); // half a frame wakes nobody
    link.arrive(FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("2")}).mid(5));
    EXPECT_EQ(wakeUps, 2);

    ASSERT_TRUE(link.MessageWaiting());
    EXPECT_EQ(link.TakeMessage()->Name(), QStringLiteral("irem"));
    ASSERT_TRUE(link.MessageWaiting());
    EXPECT_EQ(failureOf([&] { link.TakeMessage(); }), kDataLinkCorruptedFrame);
    EXPECT_EQ(link.TakeMessage()->Fields(), QStringList{QStringLiteral("2")});
    EXPECT_FALSE(link.MessageWaiting());

    const LinkCounters counters = link.Counters();
    EXPECT_EQ(counters.received, 2u);
    EXPECT_EQ(counters.dropped, 1u);
}

TEST(Link, FailedPortStillHandsOutWhatArrivedBefore)
{
    LoopbackLink link;
    link.SendMessage(link.CreateMessage(QStringLiteral("GMTD"), Variant(std::int32_t(0))));
    EXPECT_EQ(link.Counters().sent, 1u);
    link.arrive(FrameCodec::encode(QStringLiteral("gmtd"), {}));
    link.die();
    EXPECT_TRUE(link.MessageWaiting());
    EXPECT_TRUE(link.TakeMessage());
    EXPECT_EQ(failureOf([&] { link.MessageWaiting(); }), kDataLinkPortFailure);
    EXPECT_EQ(failureOf([&] { link.TakeMessage(); }), kDataLinkPortFailure);
    EXPECT_EQ(failureOf([&] { link.SendMessage(link.CreateMessage(QStringLiteral("ATST"), Variant())); }),
              kDataLinkPortFailure);
}

TEST(Link, ClosedLinkRefusesAndClosesOnce)
{
    LoopbackLink link;
    link.Close();
    link.Close();
    EXPECT_EQ(link.closes, 1);
    EXPECT_FALSE(link.IsOpen());
    link.arrive(FrameCodec::encode(QStringLiteral("gmtd"), {}));
    EXPECT_EQ(failureOf([&] { link.MessageWaiting(); }), kDataLinkPortFailure);
    EXPECT_EQ(failureOf([&] { link.SendMessage(link.CreateMessage(QStringLiteral("ATST"), Variant())); }),
              kDataLinkPortFailure);
}

TEST(PortRegistry, ReadsThePortsFromTheRegistryStore)
{
    QTemporaryDir dir;
    const QString machine = dir.filePath(QStringLiteral("machine.reg"));
    QFile file(machine);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\DataLink\\Ports\\4]\r\n"
               "\"Instrument\"=\"NB-4410\"\r\n\"Device\"=\"/dev/ttyUSB1\"\r\n\"TimeScale\"=\"5\"\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\DataLink\\Ports\\2]\r\n"
               "\"Instrument\"=\"Other\"\r\n\"Device\"=\"simulator\"\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\DataLink\\Ports\\x]\r\n"
               "\"Instrument\"=\"NB-4410\"\r\n");
    file.close();
    RegistryStore::instance().UseFiles({machine}, dir.filePath(QStringLiteral("user.reg")));

    PortRegistry registry;
    const PortMap ports = registry.Ports();
    RegistryStore::instance().UseDefaultFiles();
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports.at(4).device, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(ports.at(4).values.value(QStringLiteral("TimeScale")), QStringLiteral("5"));
    EXPECT_EQ(ports.at(2).instrument, QStringLiteral("Other"));
    registry.SetPorts(ports);
    EXPECT_EQ(registry.FindPort(QStringLiteral("NB-4410"), QString()), 4);
    EXPECT_EQ(registry.FindPort(QStringLiteral("NB-4410"), QStringLiteral("123")), 0);
}

} // namespace

namespace {

TEST(Link, FlushDiscardsWhatNobodyTookAndTheTraceNamesEachFrame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.log"));
    ASSERT_TRUE(LinkTrace::WriteTo(path));
    LoopbackLink link;
    link.SendMessage(Message::Create(QStringLiteral("GRES"), Variant(300)));
    QByteArray bad = FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("1")});
    bad[bad.size() - 1] = bad.back() == '0' ? '1' : '0';
    link.arrive(FrameCodec::encode(QStringLiteral("atst"), {}) + bad + FrameCodec::encode(QStringLiteral("gres"), {}));
    EXPECT_EQ(link.Flush(), 2); // the dropped frame goes too, but is no message
    EXPECT_FALSE(link.MessageWaiting());
    link.NoteResend(QStringLiteral("GRES"), 2);
    const LinkCounters counters = link.Counters();
    EXPECT_EQ(counters.discarded, 2u);
    EXPECT_EQ(counters.resends, 1u);
    EXPECT_EQ(counters.dropped, 1u);
    LinkTrace::Stop();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString trace = QString::fromUtf8(file.readAll());
    for (const char* line : {"ostrel.link sent <STX>GRES<US>300<ETX>", "decoded atst  - good", "dropped frame (wrong checksum)",
                             "discarded atst", "resend GRES attempt 2"})
        EXPECT_TRUE(trace.contains(QString::fromLatin1(line))) << line;
}

TEST(LinkSettings, ByteTimesComeFromTheSettingsText)
{
    const LinkSettings line = LinkSettings::parse(QStringLiteral("38400,O,8,1"));
    EXPECT_EQ(line.bitsPerByte(), 11);
    EXPECT_EQ(line.WireTimeNs(1), 286458); // 11 bits at 38400 baud
    EXPECT_EQ(line.WireTimeNs(384), 110'000'000);
    EXPECT_EQ(LinkSettings::parse(QStringLiteral("9600,N,8,1")).WireTimeNs(96), 100'000'000);
    EXPECT_EQ(LinkTrace::Readable(QByteArray("\x02" "ab\x1f" "c\x03\x7f", 7)), QStringLiteral("<STX>ab<US>c<ETX><7f>"));
}

} // namespace
