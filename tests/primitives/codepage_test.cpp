#include "primitives/codepage.h"

#include <gtest/gtest.h>

#include <random>

using namespace prim;

namespace {

TEST(CodePage, KnownEncodings) {
    EXPECT_EQ(U8("中文"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(U8("↑"), "\xA1\xFC");
    EXPECT_EQ(U8("　"), "\xA1\xA1");
    EXPECT_EQ(U8("€"), "\xA2\xE3");
    EXPECT_EQ(U8("😀"), "\x94\x39\xFC\x36");
    EXPECT_EQ(TextToUtf8("\xD6\xD0\xCE\xC4"), "中文");
}

TEST(CodePage, EveryCodePointRoundTrips) {
    for (char32_t cp = 1; cp <= 0x10FFFF; cp += (cp < 0x10000 ? 1 : 97)) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        Text t;
        AppendCodePoint(t, cp);
        size_t pos = 0;
        bool esc;
        ASSERT_EQ(static_cast<unsigned>(DecodeCharAt(t, pos, &esc)), static_cast<unsigned>(cp));
        ASSERT_FALSE(esc);
        ASSERT_EQ(pos, t.size());
        std::string u8 = TextToUtf8(t);
        ASSERT_EQ(Utf8ToText(u8), t);
        ASSERT_EQ(Utf16ToText(TextToUtf16(t)), t);
    }
}

TEST(CodePage, RandomTextsRoundTripThroughUtf8) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> plane(0, 2);
    for (int i = 0; i < 2000; ++i) {
        Text t;
        for (int k = 0; k < 10; ++k) {
            char32_t cp;
            switch (plane(rng)) {
                case 0:
                    cp = 0x20 + rng() % 0x5F;
                    break;
                case 1:
                    cp = 0x4E00 + rng() % 0x5000;
                    break;
                default:
                    cp = 0x10000 + rng() % 0xF0000;
                    break;
            }
            AppendCodePoint(t, cp);
        }
        EXPECT_EQ(Utf8ToText(TextToUtf8(t)), t);
    }
}

TEST(CodePage, InvalidUtf8AndBackslashAreKeptLosslessly) {
    const std::string names[] = {
        "a\xFF"
        "b",
        "\xC3", "x\\y", "\xE4\xB8", "ok\xED\xA0\x80"};
    for (const auto& n : names) {
        Text t = Utf8ToText(n, true);
        EXPECT_EQ(TextToUtf8(t), n);
        EXPECT_EQ(FindText(t, "\\", false), -1) << "a name must not read as two components";
        EXPECT_EQ(Utf16ToText(TextToUtf16(t), true), t);
    }
    EXPECT_NE(Utf8ToText("a\xFF"), Utf8ToText("a\xFE"));
}

}  // namespace
