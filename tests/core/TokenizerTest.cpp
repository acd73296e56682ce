#include "host/core/Tokenizer.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

TEST(Tokenizer, GoesOnThroughItsOwnTextOnly)
{
    Tokenizer numbers("120;80;;72");
    Tokenizer other("a--b");
    EXPECT_EQ(numbers.NextToken(";"), "120");
    EXPECT_EQ(other.NextToken("--"), "a"); // a second text leaves the first where it was
    EXPECT_EQ(numbers.NextToken(";"), "80");
    EXPECT_EQ(numbers.NextToken(";"), "");
    EXPECT_EQ(numbers.NextToken(";"), "72");
    EXPECT_EQ(numbers.NextToken(";"), "");
    EXPECT_EQ(numbers.NextToken(";"), "");
    EXPECT_EQ(other.NextToken("--"), "b");
    EXPECT_EQ(other.NextToken("--"), "");
    EXPECT_EQ(Tokenizer("whole").NextToken(""), "whole");
}

} // namespace
