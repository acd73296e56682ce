#include "host/core/BasicNumber.h"
#include "host/core/ComError.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ostrel;

namespace {

struct LeadingCase {
    const char* text;
    double expected;
};

TEST(BasicNumber, LeadingNumberReadsTheNumberAtTheStart)
{
    const LeadingCase cases[] = {
        {"12a", 12},       {"abc", 0},       {"", 0},          {"  42", 42},       {"-3.5kg", -3.5},
        {"1 2 3", 123},    {"1.5.6", 1.5},   {"2e3", 2000},    {"2e", 2},          {"2e+", 2},
        {"1E-2x", 0.01},   {".5", 0.5},      {"+7", 7},        {"-", 0},           {"300.6", 300.6},
        {"12,5", 12},      {"1d2", 100},     {"\t9", 9},       {"0x10", 0},        {"e5", 0},
        {"1e-999", 0},     {"1e999", std::numeric_limits<double>::infinity()},
        {"-1e999x", -std::numeric_limits<double>::infinity()},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(BasicNumber, WholeNumberTakesTheWholeTextOrNothing)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {" 300.6 ", 300.6}, {"+7", 7},          {"-1.5E+3", -1500}, {"&H1F", 31}, {"&hff", 255},
        {"12a", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt}, {"1 2", std::nullopt},
        {"&H", std::nullopt},  {"&HG", std::nullopt}, {"True", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(wholeNumber(QString::fromLatin1(text)), expected) << text;
}

TEST(BasicNumber, RoundingToIntegersTakesHalvesToTheEvenNeighbour)
{
    const std::pair<double, std::int32_t> cases[] = {
        {300.5, 300}, {300.6, 301}, {301.5, 302}, {0.5, 0},   {1.5, 2},     {2.5, 2},
        {-0.5, 0},    {-1.5, -2},   {-2.5, -2},   {-2.6, -3}, {299.4, 299}, {2147483647.0, 2147483647},
        {-2147483648.0, -2147483647 - 1},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundToLong(value), expected) << value;
    EXPECT_EQ(roundToInteger(2.5), 2);
    EXPECT_EQ(roundToInteger(-32768.4), -32768);
    EXPECT_EQ(roundToByte(254.5), 254);
}

TEST(BasicNumber, RoundingOutsideTheTypeOverflows)
{
    const auto number = &ostrel::testing::failureOf;
    EXPECT_EQ(number([] { roundToLong(2147483647.5); }), kErrOverflow); // rounds up to 2^31
    EXPECT_EQ(number([] { roundToLong(-2147483649.0); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToLong(std::numeric_limits<double>::quiet_NaN()); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToLong(std::numeric_limits<double>::infinity()); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToInteger(32767.5); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToInteger(-32768.6); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToByte(255.5); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToByte(-1.0); }), kErrOverflow);
    EXPECT_EQ(number([] { roundToInteger(-32768.4); }), 0);
}

TEST(BasicNumber, NumberToTextIsTheShortestTextThatReadsBack)
{
    const std::pair<double, const char*> doubles[] = {
        {0, "0"},         {1, "1"},           {-1, "-1"},          {0.1, "0.1"},        {1.5, "1.5"},
        {100000, "100000"}, {123456789012345.0, "123456789012345"}, {1e15, "1E+15"}, {1.25e20, "1.25E+20"},
        {0.00001, "0.00001"}, {1e-6, "1E-6"}, {0.1 + 0.2, "0.30000000000000004"},
        {-2147179416.0, "-2147179416"}, {300.5, "300.5"}, {1234.5678, "1234.5678"},
    };
    for (const auto& [value, expected] : doubles)
        EXPECT_EQ(numberToText(value), QString::fromLatin1(expected)) << expected;
    EXPECT_EQ(numberToText(-0.0), "0");
    EXPECT_EQ(numberToText(std::numeric_limits<double>::infinity()), "Infinity");

    EXPECT_EQ(numberToText(0.1f), "0.1");
    EXPECT_EQ(numberToText(12.3f), "12.3");
    EXPECT_EQ(numberToText(16777217.0f), "16777216");

    // Every text reads back to the same value, whatever the magnitude.
    for (double v : {1.0 / 3, 2.0 / 3 * 1e-300, 5e-324, 1.7976931348623157e308, 123.456e-7, 9007199254740993.0}) {
        EXPECT_EQ(wholeNumber(numberToText(v)), v) << qPrintable(numberToText(v));
        EXPECT_EQ(leadingNumber(numberToText(v)), v) << qPrintable(numberToText(v));
    }
    for (float v : {1.0f / 3, 3.4028235e38f, 1e-45f, 0.7f, 1234.567f})
        EXPECT_EQ(static_cast<float>(wholeNumber(numberToText(v)).value_or(0)), v) << qPrintable(numberToText(v));
}

TEST(BasicNumber, FormatsRoundAsTheNumberIsWritten)
{
    struct Case {
        double value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {2.675, "0.00", "2.68"},  {2.449, "0.0", "2.4"},   {2.45, "0.0", "2.5"},     {2.5, "0", "3"},
        {3.5, "0", "4"},          {-2.5, "0", "-3"},       {0.4, "0", "0"},          {-0.4, "0", "0"},
        {-0.04, "0.0", "0.0"},    {7, "00", "07"},         {123, "00", "123"},       {0.05, "0.0", "0.1"},
        {9.96, "0.0", "10.0"},    {99.995, "0.00", "100.00"}, {1e-10, "0.00", "0.00"}, {120, "0.0", "120.0"},
        {1234.5678, "0", "1235"}, {0, "0.00", "0.00"},     {-12.345, "0.00", "-12.35"}, {1e20, "0", "100000000000000000000"},
        {0.125, "0.##", "0.13"},  {0.1, "0.##", "0.1"},    {5, "0.##", "5"},         {0.5, ".0", ".5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, QString::fromLatin1(c.format)), QString::fromLatin1(c.expected))
            << c.value << " " << c.format;
}

} // namespace
