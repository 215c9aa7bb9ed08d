// Windows-style matching of the last path component.
#include "platform/wildcard.h"

#include <gtest/gtest.h>

using platform::WildcardPattern;

namespace {

TEST(Wildcard, MatchesAsWindowsDoes) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        {"*", "abc", true},
        {"*.*", "abc", true},
        {"*.*", ".bashrc", true},
        {"*.*", "a.b.c", true},
        {"*.txt", "a.txt", true},
        {"*.txt", "a.TXT", true},
        {"*.TXT", "a.txt", true},
        {"*.txt", ".txt", true},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", "atxt", false},
        {"*.txt", "a.txtx", false},
        {"*.tar.gz", "a.tar.gz", true},
        {"*.", "readme", true},
        {"*.", "read.me", false},
        {"a.*", "a", true},
        {"a.*", "a.b", true},
        {"a.*", "ab", false},
        {"?", "a", true},
        {"?", "ab", false},
        {"?", "中", true},   // one character, however many bytes
        {"??", "中", true},  // a ? at the end may match nothing
        {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"*.t?t", "x.TXT", true},
        {"*.t?t", "x.tt", false},
        {"a*z", "abcz", true},
        {"a*z", "abczq", false},
        {"*中*", "文中文", true},
        {"*中*", "文文", false},
        {"ÄB*", "äb", false},  // only ASCII letters fold
        {"*b*b*b*b*b*b*b*c", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", false},
        {"a.txt", "A.TXT", false},  // no wildcard: the exact name
        {"a.txt", "a.txt", true},
    };
    for (const auto& c : cases) {
        WildcardPattern p(c.pattern);
        EXPECT_EQ(p.Matches(c.name), c.match) << c.pattern << " ~ " << c.name;
    }
}

TEST(Wildcard, ReusedPatternKeepsAnswering) {
    WildcardPattern p("*x?");
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(p.Matches("ax1"));
        EXPECT_FALSE(p.Matches("a1"));
        EXPECT_TRUE(p.Matches("a very long name that ends with xy"));
    }
}

}  // namespace
