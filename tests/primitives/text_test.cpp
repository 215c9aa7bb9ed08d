#include "primitives/text.h"

#include <gtest/gtest.h>

#include <random>

#include "primitives/codepage.h"

using namespace prim;

namespace {

// Two-byte character whose second byte is 0x5C ("\").
const Text kLeadWithBackslash = "\x95\x5C";

TEST(TextCounting, LeftAndRight) {
    struct Case {
        Text text;
        int n;
        Text left, right;
    } cases[] = {
        {"abc", 0, "", ""},       {"abc", -1, "", ""}, {"abc", 5, "abc", "abc"},
        {"abc", 1, "a", "c"},     {"", 1, "", ""},     {U8("中a"), 1, "\xD6", "a"},
        {"abc", 3, "abc", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextLeft(c.text, c.n), c.left) << c.text << " " << c.n;
        EXPECT_EQ(TextRight(c.text, c.n), c.right) << c.text << " " << c.n;
    }
    EXPECT_EQ(TextLength(U8("中文")), 4);
}

TEST(TextSearch, FindTextTable) {
    struct Case {
        Text text, sought;
        int start;  // 1000 means "left out"
        bool ignoreCase;
        int expected;
    } cases[] = {
        {"abc", "", 1000, true, 1},
        {"", "", 1000, true, -1},
        {"abc", "", 9, true, -1},
        {"ABC", "b", 1000, true, 2},
        {"ABC", "b", 1000, false, -1},
        {"aXa", "a", 2, true, 3},
        {"aXa", "a", 0, true, 1},
        {"aXa", "a", -5, true, 1},
        {"aXa", "a", 1000, true, 1},
        {"aXa", "a", 4, true, -1},
        {kLeadWithBackslash, "\\", 1000, true, -1},
        {"a" + kLeadWithBackslash + "\\", "\\", 1000, false, 4},
        {U8("ａ"), U8("Ａ"), 1000, true, -1},  // two-byte letters do not fold
        {"readme.txt", "READ", 1000, true, 1},
        {"ab", "abc", 1000, true, -1},
        {"x\x81", "\x81", 1000, false, 2},  // a lone lead byte at the end is still compared
    };
    for (const auto& c : cases) {
        int got = c.start == 1000 ? FindText(c.text, c.sought, c.ignoreCase)
                                  : FindText(c.text, c.sought, c.start, c.ignoreCase);
        EXPECT_EQ(got, c.expected) << c.text << " / " << c.sought << " start " << c.start;
    }
}

TEST(TextSearch, FindTextReverseTable) {
    EXPECT_EQ(FindTextReverse("c:\\a\\b.txt", "\\", true), 5);
    EXPECT_EQ(FindTextReverse("abc", ".", false), -1);
    EXPECT_EQ(FindTextReverse("aaa", "aa", false), 2);
    EXPECT_EQ(FindTextReverse("abc", "", false), 1);
    EXPECT_EQ(FindTextReverse("", "", false), -1);
    EXPECT_EQ(FindTextReverse("a\\" + kLeadWithBackslash, "\\", false), 2);
    EXPECT_EQ(FindTextReverse("AbA", "a", true), 3);
}

TEST(TextSplit, Table) {
    struct Case {
        Text text, delim;
        TextList expected;
    } cases[] = {
        {"a\r\nb\r\n", "\r\n", {"a", "b"}},
        {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
        {"\r\n", "\r\n", {""}},
        {"", "\r\n", {}},
        {"abc", "\r\n", {"abc"}},
        {".txt", ".", {"", "txt"}},
        {"x.tar.gz", ".", {"x", "tar", "gz"}},
        {"abc", "", {"abc"}},
        {"a" + kLeadWithBackslash + "b\\c", "\\", {"a" + kLeadWithBackslash + "b", "c"}},
        {"\\a\\\\", "\\", {"", "a", ""}},
        {"a;b\x81", ";", {"a", "b\x81"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitText(c.text, c.delim), c.expected) << c.text;
}

TEST(TextMisc, ConcatEqualCompare) {
    EXPECT_EQ(ConcatText({}), "");
    EXPECT_EQ(ConcatText({"", "", ""}), "");
    EXPECT_EQ(ConcatText({"a", "", "bc"}), "abc");
    EXPECT_TRUE(TextsEqual("", Text()));
    EXPECT_FALSE(TextsEqual("a", "A"));
    EXPECT_EQ(CompareText("TXT", "txt", false), 0);
    EXPECT_NE(CompareText("TXT", "txt", true), 0);
    EXPECT_EQ(CompareText(U8("ＡΣЖⅠ"), U8("ａσжⅰ"), false), 0);
    EXPECT_NE(CompareText(U8("ａ"), U8("Ａ"), true), 0);
    EXPECT_EQ(CompareText("ab\x81", "ab", true), 0);  // a lone lead byte is the end
    EXPECT_LT(CompareText("a", "b", true), 0);
    EXPECT_GT(CompareText("b", "a", true), 0);
    EXPECT_LT(CompareText("a", "ab", true), 0);
    EXPECT_EQ(CompareText(U8("中"), U8("中"), false), 0);
}

TEST(TextNumbers, IntRealAndBytes) {
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(2147483647), "2147483647");
    EXPECT_EQ(RealToInt(1023.99), 1023);
    EXPECT_EQ(RealToInt(-2.5), -2);
    EXPECT_EQ(TextToBytes("a\x81"), ByteBlock("a\x81"));
    EXPECT_TRUE(TextToBytes("").empty());
}

TEST(TextTime, Parts) {
    DateTime t{2010, 5, 3, 14, 5, 0};
    EXPECT_EQ(TimeToText(t, 1), U8("2010年5月3日14时5分"));
    EXPECT_EQ(TimeToText(t, 2), U8("2010年5月3日"));
    EXPECT_EQ(TimeToText(t, 3), U8("14时5分0秒"));
    EXPECT_EQ(TimeToText(t, 0), TimeToText(t, 1));
    EXPECT_EQ(TimeToText(t, 7), TimeToText(t, 3));
    EXPECT_EQ(TimeToText({2010, 5, 3, 0, 0, 0}, 1), U8("2010年5月3日"));
    EXPECT_EQ(TimeToText({2010, 5, 3, 14, 0, 0}, 1), U8("2010年5月3日14时"));
    EXPECT_EQ(TimeToText({2010, 5, 3, 14, 0, 9}, 1), U8("2010年5月3日14时0分9秒"));
}

// Random texts of ASCII, two-byte GBK and four-byte GB18030 characters.
Text RandomText(std::mt19937& rng, std::vector<size_t>* starts) {
    std::uniform_int_distribution<int> kind(0, 3), len(0, 12);
    Text t;
    int n = len(rng);
    const char32_t pool[] = {'a',    'B',    '\\',    '.',    ';',    0x4E2D, 0x6587, 0x00E9,
                             0xFF21, 0x20AC, 0x1F600, 0x3042, 0x0436, 0x9555, 0x4E8C};
    std::uniform_int_distribution<size_t> pick(0, std::size(pool) - 1);
    for (int i = 0; i < n; ++i) {
        if (starts)
            starts->push_back(t.size());
        AppendCodePoint(t, pool[pick(rng)]);
    }
    (void)kind;
    return t;
}

// Two-byte stepping: a four-byte character reads as two two-byte characters.
std::vector<size_t> StepStarts(const Text& t) {
    std::vector<size_t> s;
    for (size_t i = 0; i < t.size();) {
        s.push_back(i);
        i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1;
    }
    return s;
}

TEST(TextProperties, SearchesStayOnCharacterBoundaries) {
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        Text t = RandomText(rng, nullptr);
        Text s = RandomText(rng, nullptr).substr(0, 3);
        auto starts = StepStarts(t);
        auto onStart = [&](int pos) {
            return std::find(starts.begin(), starts.end(), static_cast<size_t>(pos - 1)) !=
                   starts.end();
        };
        for (const Text& sought : {s, Text("\\"), Text("\x55"), Text("\x30")}) {
            int f = FindText(t, sought, true);
            int r = FindTextReverse(t, sought, false);
            if (f != -1) {
                EXPECT_TRUE(onStart(f)) << t;
            }
            if (r != -1) {
                EXPECT_TRUE(onStart(r)) << t;
            }
        }
    }
}

TEST(TextProperties, SplitJoinRoundTrip) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        Text t = RandomText(rng, nullptr);
        for (const Text d : {"\\", ";", "."}) {
            TextList parts = SplitText(t, d);
            Text joined;
            for (size_t i = 0; i < parts.size(); ++i)
                joined += (i ? d : "") + parts[i];
            Text expected = t;
            if (!expected.empty() && TextRight(expected, 1) == d &&
                FindTextReverse(expected, d, false) == TextLength(expected))
                expected.pop_back();
            EXPECT_EQ(joined, expected) << t;
        }
    }
}

}  // namespace
