#include "host/datalink/DataLinkErrors.h"
#include "host/datalink/FrameCodec.h"
#include "host/datalink/FrameDecoder.h"
#include "host/datalink/Message.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

using ostrel::testing::failureOf;

QByteArray frameOf(const QByteArray& payload)
{
    return FrameCodec::wrap(payload);
}

} // namespace

TEST(FrameCodec, CrcIsCcittFalse)
{
    EXPECT_EQ(FrameCodec::crc16("123456789"), 0x29B1);
    EXPECT_EQ(FrameCodec::crc16(""), 0xFFFF);
}

TEST(FrameCodec, EncodesNameFieldsAndUppercaseChecksum)
{
    const QByteArray frame = FrameCodec::encode(QStringLiteral("GRES"), {QStringLiteral("300")});
    const QByteArray payload("GRES\x1F" "300");
    const QByteArray crc = QByteArray::number(FrameCodec::crc16(payload), 16).rightJustified(4, '0').toUpper();
    EXPECT_EQ(frame, QByteArray("\x02") + payload + QByteArray("\x03") + crc);
}

TEST(Message, ParametersBecomeFields)
{
    struct Case {
        Variant parameter;
        QStringList fields;
    };
    const std::vector<Case> cases{
        {Variant(std::int32_t(0)), {QStringLiteral("0")}},
        {Variant(2.5), {QStringLiteral("2.5")}},
        {Variant(250.0f), {QStringLiteral("250")}},
        {Variant(QStringLiteral("Jörg")), {QStringLiteral("Jörg")}},
        {Variant(VariantArray{}), {}},
        {Variant(VariantArray{Variant(QStringLiteral("300")), Variant(std::int32_t(250)), Variant(QString())}),
         {QStringLiteral("300"), QStringLiteral("250"), QString()}},
    };
    for (const Case& c : cases) {
        const MessagePtr message = Message::Create(QStringLiteral("STST"), c.parameter);
        EXPECT_EQ(message->Fields(), c.fields);
        FrameDecoder decoder;
        const auto frames = decoder.feed(message->Frame());
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].name, QStringLiteral("STST"));
        EXPECT_EQ(frames[0].fields, c.fields);
    }
}

TEST(Message, RefusesWhatCannotGoOnTheWire)
{
    const std::vector<std::pair<QString, Variant>> cases{
        {QStringLiteral("GRE"), Variant(std::int32_t(0))},
        {QStringLiteral("GR3S"), Variant(std::int32_t(0))},
        {QStringLiteral("PMTD"), Variant(QStringLiteral("line\nbreak"))},
        {QStringLiteral("PMTD"), Variant(VariantArray{Variant(QStringLiteral("ok")), Variant(QStringLiteral("tab\there"))})},
        {QStringLiteral("PMTD"), Variant(QString(1100, QLatin1Char('x')))},
        {QStringLiteral("STST"), Variant(VariantArray{Variant(VariantArray{})})},
    };
    for (const auto& [name, parameter] : cases)
        EXPECT_EQ(failureOf([&] { Message::Create(name, parameter); }), kDataLinkInvalidMessage) << qPrintable(name);
}

TEST(Message, ParametersByIndex)
{
    Message message(QStringLiteral("irem"), {QStringLiteral("A1"), QStringLiteral("2.0")});
    const Variant all = message.Parameters(-1);
    ASSERT_TRUE(all.isArray());
    EXPECT_EQ(all.array().upperBound(), 1);
    EXPECT_EQ(all.array()[1].toText(), QStringLiteral("2.0"));
    EXPECT_EQ(message.Parameters(0).toText(), QStringLiteral("A1"));
    EXPECT_EQ(failureOf([&] { message.Parameters(2); }), kErrSubscript);
}

TEST(FrameDecoder, SplitFramesAndNoiseBetweenFrames)
{
    const QByteArray a = FrameCodec::encode(QStringLiteral("irem"), {QStringLiteral("1"), QStringLiteral("2")});
    const QByteArray b = FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("300"), QStringLiteral("0")});
    const QByteArray stream = QByteArray("noise\xff\x03") + a + QByteArray("\r\n12") + b;

    for (int chunk : {1, 2, 3, 7, 1000}) {
        FrameDecoder decoder;
        std::vector<DecodedFrame> frames;
        for (qsizetype i = 0; i < stream.size(); i += chunk) {
            auto part = decoder.feed(QByteArrayView(stream).sliced(i, std::min<qsizetype>(chunk, stream.size() - i)));
            frames.insert(frames.end(), part.begin(), part.end());
        }
        ASSERT_EQ(frames.size(), 2u) << chunk;
        EXPECT_EQ(frames[0].name, QStringLiteral("irem"));
        EXPECT_EQ(frames[1].fields, (QStringList{QStringLiteral("300"), QStringLiteral("0")}));
        EXPECT_EQ(decoder.counters().received, 2u);
        EXPECT_EQ(decoder.counters().dropped, 0u);
        EXPECT_GT(decoder.counters().bytesSkipped, 0u);
    }
}

TEST(FrameDecoder, DropsBrokenFramesAndRecoversOnTheNextOne)
{
    using Reason = DecodedFrame::DropReason;
    QByteArray badCrc = frameOf("GRES\x1F" "1");
    badCrc[badCrc.size() - 1] = badCrc.back() == '0' ? '1' : '0';
    QByteArray lowerCrc = frameOf("GRES\x1F" "1");
    lowerCrc = lowerCrc.left(lowerCrc.size() - 4) + lowerCrc.right(4).toLower();
    const bool crcHasLetters = lowerCrc != frameOf("GRES\x1F" "1");

    struct Case {
        const char* what;
        QByteArray bytes;
        Reason reason;
    };
    std::vector<Case> cases{
        {"wrong checksum", badCrc, Reason::Checksum},
        {"oversize", frameOf("GRES\x1F" + QByteArray(1030, 'x')), Reason::Oversize},
        {"name of three letters", frameOf("GRE\x1F" "1"), Reason::BadName},
        {"name with a digit", frameOf("GR1S"), Reason::BadName},
        {"empty payload", frameOf(""), Reason::BadName},
        {"line feed inside", frameOf("GRES\x1F" "1\n2"), Reason::ControlByte},
        {"DEL inside", frameOf("GRES\x1F\x7F"), Reason::ControlByte},
        {"cut by a new STX", QByteArray("\x02GRES\x1F" "12"), Reason::Unterminated},
        {"checksum cut short", QByteArray("\x02GRES\x03" "1A"), Reason::Unterminated},
        {"checksum with a space", QByteArray("\x02GRES\x03" "1A 2"), Reason::Checksum},
    };
    if (crcHasLetters)
        cases.push_back({"lower-case checksum", lowerCrc, Reason::Checksum});

    const QByteArray good = FrameCodec::encode(QStringLiteral("gres"), {QStringLiteral("ok")});
    for (const Case& c : cases) {
        FrameDecoder decoder;
        const auto frames = decoder.feed(c.bytes + good);
        ASSERT_EQ(frames.size(), 2u) << c.what;
        EXPECT_EQ(frames[0].kind, DecodedFrame::Kind::Dropped) << c.what;
        EXPECT_EQ(frames[0].reason, c.reason) << c.what;
        EXPECT_EQ(frames[1].kind, DecodedFrame::Kind::Message) << c.what;
        EXPECT_EQ(frames[1].fields, QStringList{QStringLiteral("ok")}) << c.what;
        EXPECT_EQ(decoder.counters().dropped, 1u) << c.what;
    }
}

TEST(FrameDecoder, PayloadOfExactly1024BytesIsAccepted)
{
    const QByteArray payload = "GRES\x1F" + QByteArray(1024 - 5, 'x');
    FrameDecoder decoder;
    const auto frames = decoder.feed(frameOf(payload));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].kind, DecodedFrame::Kind::Message);
    EXPECT_EQ(frames[0].fields[0].size(), 1019);
}

TEST(FrameDecoder, EmptyFieldsAndUtf8Survive)
{
    const QStringList fields{QString(), QStringLiteral("Überprüfung"), QString()};
    FrameDecoder decoder;
    const auto frames = decoder.feed(FrameCodec::encode(QStringLiteral("gmtd"), fields));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].fields, fields);
}
