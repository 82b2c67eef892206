#include "platform/runtime/Text.h"
#include "platform/runtime/RuntimeError.h"
#include "support/ExpectError.h"
#include <gtest/gtest.h>

using namespace km::rt;
using km::test::expectError;
using Parts = std::vector<std::string>;

TEST(TextTest, LengthsCountCharacters) {
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("hello"), 5);
    EXPECT_EQ(Len("héllo"), 5);
    EXPECT_EQ(Len("日本"), 2);
    EXPECT_EQ(Len("a😀b"), 3);
    // Invalid bytes count one each: a lone continuation byte, a truncated sequence, an overlong form.
    EXPECT_EQ(Len("a\x80z"), 3);
    EXPECT_EQ(Len("\xE2\x82"), 2);
    EXPECT_EQ(Len("\xC0\xAF"), 2);
    EXPECT_EQ(Len("\xED\xA0\x80"), 3); // an encoded surrogate
}

TEST(TextTest, LeftRightMidTakeCharacters) {
    EXPECT_EQ(Left("héllo", 2), "hé");
    EXPECT_EQ(Left("héllo", 0), "");
    EXPECT_EQ(Left("héllo", 99), "héllo");
    EXPECT_EQ(Right("héllo", 4), "éllo");
    EXPECT_EQ(Right("héllo", 99), "héllo");
    EXPECT_EQ(Right("héllo", 0), "");
    EXPECT_EQ(Mid("héllo", 2, 2), "él");
    EXPECT_EQ(Mid("héllo", 2), "éllo");
    EXPECT_EQ(Mid("héllo", 5, 10), "o");
    EXPECT_EQ(Mid("héllo", 6), "");
    EXPECT_EQ(Mid("héllo", 99, 1), "");
    EXPECT_EQ(Mid("a😀b", 2, 1), "😀");
    EXPECT_EQ(Mid("a\x80z", 2, 1), "\x80");
}

TEST(TextTest, NegativeCountsAndStartsAreInvalid) {
    expectError(5, [] { Left("abc", -1); });
    expectError(5, [] { Right("abc", -1); });
    expectError(5, [] { Mid("abc", 0); });
    expectError(5, [] { InStr("abc", "b", 0); });
}

TEST(TextTest, InStrAnswersCharacterPositions) {
    EXPECT_EQ(InStr("héllo", "l"), 3);
    EXPECT_EQ(InStr("héllo", "l", 4), 4);
    EXPECT_EQ(InStr("héllo", "l", 5), 0);
    EXPECT_EQ(InStr("héllo", "x"), 0);
    EXPECT_EQ(InStr("héllo", "L"), 0); // case-sensitive
    EXPECT_EQ(InStr("", "a"), 0);
    EXPECT_EQ(InStr("abc", "", 2), 2);
    EXPECT_EQ(InStr("abc", "a", 9), 0);
}

TEST(TextTest, CaseMappingCoversTheLatinGreekAndCyrillicLetters) {
    EXPECT_EQ(UCase("abc xyz 123"), "ABC XYZ 123");
    EXPECT_EQ(LCase("ABC XYZ 123"), "abc xyz 123");
    EXPECT_EQ(UCase("àéîõüþ"), "ÀÉÎÕÜÞ");
    EXPECT_EQ(LCase("ÀÉÎÕÜÞ"), "àéîõüþ");
    EXPECT_EQ(UCase("÷×ß"), "÷×ß"); // signs and sharp s stay
    EXPECT_EQ(UCase("ÿ"), "Ÿ");
    EXPECT_EQ(LCase("Ÿ"), "ÿ");
    EXPECT_EQ(UCase("āčęłńőšžĸ"), "ĀČĘŁŃŐŠŽĸ");
    EXPECT_EQ(LCase("ĀČĘŁŃŐŠŽ"), "āčęłńőšž");
    EXPECT_EQ(UCase("αβγωάώς"), "ΑΒΓΩΆΏΣ");
    EXPECT_EQ(LCase("ΑΒΓΩΆΏΣ"), "αβγωάώσ");
    EXPECT_EQ(UCase("привет ёж"), "ПРИВЕТ ЁЖ");
    EXPECT_EQ(LCase("ПРИВЕТ ЁЖ"), "привет ёж");
    EXPECT_EQ(UCase("日本 😀"), "日本 😀");
    EXPECT_EQ(UCase("a\x80z"), "A\x80Z"); // invalid bytes kept as they are
}

TEST(TextTest, FoldingComparesWithoutRegardToCase) {
    EXPECT_EQ(foldCase("Straße ÉTÉ"), "straße été");
    EXPECT_TRUE(equalsNoCase("Application", "APPLICATION"));
    EXPECT_TRUE(equalsNoCase("Ωμέγα", "ΩΜΈΓΑ"));
    EXPECT_TRUE(equalsNoCase("ΟΔΟΣ", "οδος")); // final sigma
    EXPECT_TRUE(equalsNoCase("", ""));
    EXPECT_FALSE(equalsNoCase("abc", "abd"));
    EXPECT_FALSE(equalsNoCase("abc", "ab"));
    EXPECT_LT(compareNoCase("apple", "Banana"), 0);
    EXPECT_GT(compareNoCase("banana", "APPLE"), 0);
    EXPECT_LT(compareNoCase("ab", "ABC"), 0);
    EXPECT_GT(compareNoCase("abc", "AB"), 0);
    EXPECT_EQ(compareNoCase("ÉCOLE", "école"), 0);
}

// UTF-16 code units: U+10000 and above are surrogate pairs (0xD800..0xDBFF first), which sort
// below U+E000..U+FFFF although their UTF-8 bytes (F0..F4) sort above (EE, EF).
TEST(TextTest, ExactComparisonFollowsUtf16CodeUnits) {
    const std::string privateUse = "\xEE\x80\x80";  // U+E000
    const std::string replacement = "\xEF\xBF\xBD"; // U+FFFD
    const std::string emoji = "\xF0\x9F\x98\x80";   // U+1F600
    const std::string hangul = "\xED\x9F\xBB";      // U+D7FB, just below the surrogates
    struct Case {
        std::string a, b;
        int order;
    };
    for (const Case& c : std::vector<Case>{{"", "", 0},
                                           {"B", "a", -1},
                                           {"ab", "abc", -1},
                                           {"\xC3\x84", "z", 1},
                                           {hangul, emoji, -1},
                                           {emoji, privateUse, -1},
                                           {emoji, replacement, -1},
                                           {"x" + emoji + "1", "x" + privateUse, -1},
                                           {privateUse, replacement, -1},
                                           {emoji, "\xF0\x9F\x98\x81", -1},
                                           {"a\xFF", "a\xFE", 1},
                                           {emoji + "b", emoji + "a", 1}}) {
        EXPECT_EQ(compareUtf16(c.a, c.b), c.order) << c.a << " / " << c.b;
        EXPECT_EQ(compareUtf16(c.b, c.a), -c.order) << c.b << " / " << c.a;
        EXPECT_EQ(lessUtf16(c.a, c.b), c.order < 0);
    }
}

TEST(TextTest, ReplaceEveryOccurrence) {
    EXPECT_EQ(Replace("#DDIDS# and #DDIDS#", "#DDIDS#", "42"), "42 and 42");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Replace("abc", "B", "x"), "abc");
    EXPECT_EQ(Replace("abc", "b", ""), "ac");
    EXPECT_EQ(Replace("a", "a", "aa"), "aa"); // no re-scan of the replacement
}

TEST(TextTest, SplitKeepsEmptyPartsButNotAnEmptyText) {
    EXPECT_EQ(Split("", "//"), Parts{});
    EXPECT_EQ(Split("a//b", "//"), (Parts{"a", "b"}));
    EXPECT_EQ(Split("a//", "//"), (Parts{"a", ""}));
    EXPECT_EQ(Split("//a", "//"), (Parts{"", "a"}));
    EXPECT_EQ(Split("a////b", "//"), (Parts{"a", "", "b"}));
    EXPECT_EQ(Split("abc", "//"), Parts{"abc"});
    EXPECT_EQ(Split("abc", ""), Parts{"abc"});
    EXPECT_EQ(Split("a\r\nb", vbCrLf), (Parts{"a", "b"}));
}

TEST(TextTest, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
}
