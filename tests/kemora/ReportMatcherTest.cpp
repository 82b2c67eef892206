#include "platform/kemora/report/ReportMatcher.h"
#include <gtest/gtest.h>

using km::kemora::CompareOp;
using km::kemora::ReportMatcher;

TEST(ReportMatcher, LikeMatchesStarsAndQuestionMarksOverWholeCharacters) {
    EXPECT_TRUE(ReportMatcher::like("", ""));
    EXPECT_TRUE(ReportMatcher::like("", "*"));
    EXPECT_FALSE(ReportMatcher::like("", "?"));
    EXPECT_TRUE(ReportMatcher::like("abc", "a*c"));
    EXPECT_TRUE(ReportMatcher::like("abcbc", "a*bc")); // the star must give back what it took
    EXPECT_FALSE(ReportMatcher::like("abcb", "a*bc"));
    EXPECT_TRUE(ReportMatcher::like("aXbYc", "a?b?c"));
    EXPECT_TRUE(ReportMatcher::like("gr\xC3\xBC"
                                    "n",
                                    "gr?n")); // '?' takes the two bytes of a UTF-8 letter
    EXPECT_FALSE(ReportMatcher::like("gr\xC3\xBC"
                                     "n",
                                     "gr??n"));
    // A long text against many stars stays fast (no exponential backtracking).
    EXPECT_FALSE(ReportMatcher::like(std::string(20000, 'a'), std::string(50, '*') + "b"));
}

TEST(ReportMatcher, ComparesNumbersAsNumbersAndTextsWithoutRegardToCase) {
    EXPECT_TRUE(ReportMatcher::matches("300", CompareOp::Less, "1000"));
    EXPECT_TRUE(ReportMatcher::matches("1e3", CompareOp::Equal, "1000"));
    EXPECT_TRUE(ReportMatcher::matches("Ledger", CompareOp::Equal, "LEDGER"));
    EXPECT_TRUE(ReportMatcher::matches("apple", CompareOp::Less, "Banana"));
    EXPECT_FALSE(ReportMatcher::matches("10 Years", CompareOp::Greater, "9 Years")); // texts, not numbers
    EXPECT_TRUE(ReportMatcher::matches("", CompareOp::Equal, ""));
    EXPECT_TRUE(ReportMatcher::matches("", CompareOp::NotEqual, "x"));
    EXPECT_FALSE(ReportMatcher::matches("", CompareOp::Less, "x"));
    EXPECT_FALSE(ReportMatcher::matches("", CompareOp::GreaterEqual, ""));
    EXPECT_TRUE(ReportMatcher::matches("Payments", CompareOp::Like, "PAY*"));
}
