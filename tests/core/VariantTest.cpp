#include "host/core/Variant.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ostrel;

namespace {

// The number rules themselves are tested in BasicNumberTest; here, that a Variant applies them.

TEST(Variant, ValReadsTheLeadingNumberAndNeverFails)
{
    EXPECT_DOUBLE_EQ(Variant("12a").val(), 12);
    EXPECT_DOUBLE_EQ(Variant(" -3.5kg").val(), -3.5);
    EXPECT_DOUBLE_EQ(Variant().val(), 0);
    EXPECT_DOUBLE_EQ(Variant::null().val(), 0);
    EXPECT_DOUBLE_EQ(Variant::missing().val(), 0);
    EXPECT_DOUBLE_EQ(Variant(std::int32_t{5}).val(), 5);
    EXPECT_DOUBLE_EQ(Variant(VariantArray{}).val(), 0);
}

TEST(Variant, ToIntegersRoundHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(Variant(300.5).toLong(), 300);
    EXPECT_EQ(Variant(-2.5).toLong(), -2);
    EXPECT_EQ(Variant("300.5").toLong(), 300);
    EXPECT_EQ(Variant(" 300.6 ").toLong(), 301);
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(254.5).toByte(), 254);
}

TEST(Variant, ConversionsFailWithBasicErrorNumbers)
{
    const auto number = &ostrel::testing::failureOf;
    EXPECT_EQ(number([] { (void)Variant(2147483647.5).toLong(); }), kErrOverflow);
    EXPECT_EQ(number([] { (void)Variant(32767.5).toInteger(); }), kErrOverflow);
    EXPECT_EQ(number([] { (void)Variant(256.0).toByte(); }), kErrOverflow);
    EXPECT_EQ(number([] { (void)Variant(-1.0).toByte(); }), kErrOverflow);
    EXPECT_EQ(number([] { (void)Variant(1e39).toSingle(); }), kErrOverflow);
    EXPECT_EQ(number([] { (void)Variant("12a").toLong(); }), kErrTypeMismatch);
    EXPECT_EQ(number([] { (void)Variant("").toDouble(); }), kErrTypeMismatch);
    EXPECT_EQ(number([] { (void)Variant::null().toLong(); }), 94);
    EXPECT_EQ(number([] { (void)Variant(VariantArray{}).toLong(); }), kErrTypeMismatch);
}

TEST(Variant, TextConversionsOfScalars)
{
    EXPECT_EQ(Variant(true).toText(), "True");
    EXPECT_EQ(Variant(false).toText(), "False");
    EXPECT_DOUBLE_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_EQ(Variant(true).toLong(), -1);
    EXPECT_TRUE(Variant("True").toBool());
    EXPECT_FALSE(Variant(" false ").toBool());
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant::null().text(), "");
    EXPECT_EQ(Variant(std::int16_t{-12}).toText(), "-12");
    EXPECT_EQ(Variant(std::uint8_t{200}).toText(), "200");
    EXPECT_EQ(Variant("&H1F").toLong(), 31);
    EXPECT_EQ(Variant("1E+3").toLong(), 1000);
    // Numbers as their shortest text, Single ones with single precision.
    EXPECT_EQ(Variant(0.1f).text(), "0.1");
    EXPECT_EQ(Variant(0.1 + 0.2).text(), "0.30000000000000004");
    EXPECT_EQ(Variant(std::int32_t{-7}).text(), "-7");
    EXPECT_EQ(Variant("text").text(), "text");
}

TEST(Variant, CopiesAndComparesArraysByValue)
{
    VariantArray table(2, 3);
    table.at(1, 2) = Variant("x");
    Variant a(table);
    Variant b = a;
    b.array().at(0, 0) = Variant(std::int32_t{1});
    EXPECT_NE(a, b);
    EXPECT_EQ(a.array().at(1, 2), Variant("x"));
    EXPECT_EQ(a.array().upperBound(2), 2);
    EXPECT_THROW(a.array().at(2, 0), ComError);
    EXPECT_THROW((void)VariantArray{}[0], ComError);
    EXPECT_EQ(VariantArray{}.upperBound(), -1);
    EXPECT_NE(Variant(std::int32_t{1}), Variant(1.0)); // same value, another type
}

} // namespace
