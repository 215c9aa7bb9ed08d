#include "text.h"

#include "codepage.h"

namespace prim {
namespace {

inline unsigned char B(std::string_view s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

inline char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : static_cast<char>(c);
}

bool SameBytes(std::string_view text, size_t at, std::string_view sought, bool ignoreCase) {
    for (size_t k = 0; k < sought.size(); ++k) {
        unsigned char a = B(text, at + k), b = B(sought, k);
        if (a == b)
            continue;
        if (!ignoreCase || FoldAscii(a) != FoldAscii(b))
            return false;
    }
    return true;
}

// Walks candidates from `from` on character boundaries; calls hit(pos0) for each
// match, stopping when it returns false.
template <class Hit>
void Scan(std::string_view text, size_t from, std::string_view sought, bool ignoreCase, Hit hit) {
    const size_t len = text.size(), m = sought.size();
    size_t c = from;
    while (c + m <= len) {
        if (SameBytes(text, c, sought, ignoreCase) && !hit(c))
            return;
        if (B(text, c) >= 0x80) {
            if (c + 1 >= len)
                return;
            c += 2;
        } else {
            c += 1;
        }
    }
}

}  // namespace

int TextLength(std::string_view text) {
    return static_cast<int>(text.size());
}

Text TextLeft(std::string_view text, int n) {
    if (n <= 0)
        return Text();
    return Text(text.substr(0, static_cast<size_t>(n)));
}

Text TextRight(std::string_view text, int n) {
    if (n <= 0)
        return Text();
    if (static_cast<size_t>(n) >= text.size())
        return Text(text);
    return Text(text.substr(text.size() - static_cast<size_t>(n)));
}

int FindText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    const int len = TextLength(text);
    const int first = start <= 1 ? 1 : start;
    if (first > len)
        return -1;  // empty window
    if (sought.empty())
        return 1;
    int found = -1;
    Scan(text, static_cast<size_t>(first - 1), sought, ignoreCase, [&](size_t c) {
        found = static_cast<int>(c) + 1;
        return false;
    });
    return found;
}

int FindText(std::string_view text, std::string_view sought, bool ignoreCase) {
    return FindText(text, sought, 1, ignoreCase);
}

int FindTextReverse(std::string_view text, std::string_view sought, bool ignoreCase) {
    if (sought.empty())
        return text.empty() ? -1 : 1;
    int found = -1;
    Scan(text, 0, sought, ignoreCase, [&](size_t c) {
        found = static_cast<int>(c) + 1;
        return true;
    });
    return found;
}

TextList SplitText(std::string_view text, std::string_view delimiter) {
    TextList out;
    if (text.empty())
        return out;
    if (delimiter.empty()) {
        out.emplace_back(text);
        return out;
    }
    const size_t len = text.size(), m = delimiter.size();
    size_t seg = 0, c = 0;
    while (c + m <= len) {
        if (text.compare(c, m, delimiter) == 0) {
            out.emplace_back(text.substr(seg, c - seg));
            c += m;
            seg = c;
        } else if (B(text, c) >= 0x80) {
            if (c + 1 >= len)
                break;
            c += 2;
        } else {
            c += 1;
        }
    }
    if (seg < len)
        out.emplace_back(text.substr(seg));
    return out;
}

Text ConcatText(std::initializer_list<std::string_view> pieces) {
    size_t n = 0;
    for (auto p : pieces)
        n += p.size();
    Text out;
    out.reserve(n);
    for (auto p : pieces)
        out.append(p);
    return out;
}

bool TextsEqual(std::string_view a, std::string_view b) {
    return a == b;
}

int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
    size_t i = 0, j = 0;
    // Reads one character's value; -1 at the end (a lone lead byte counts as the end).
    auto next = [caseSensitive](std::string_view s, size_t& p) -> int {
        if (p >= s.size())
            return -1;
        unsigned char c = B(s, p);
        if (c < 0x80) {
            ++p;
            return caseSensitive ? c : static_cast<unsigned char>(FoldAscii(c));
        }
        if (p + 1 >= s.size()) {
            p = s.size();
            return -1;
        }
        int v = c * 256 + B(s, p + 1);
        p += 2;
        return caseSensitive ? v : UpperTwoByteChar(v);
    };
    for (;;) {
        int x = next(a, i), y = next(b, j);
        if (x != y)
            return x < y ? -1 : 1;
        if (x < 0)
            return 0;
    }
}

Text IntToText(std::int32_t n) {
    return std::to_string(n);
}

std::int32_t RealToInt(double x) {
    return static_cast<std::int32_t>(x);
}

Text TimeToText(const DateTime& t, int part) {
    static const Text kYear = U8("年"), kMonth = U8("月"), kDay = U8("日"), kHour = U8("时"),
                      kMinute = U8("分"), kSecond = U8("秒");
    if (part < 1)
        part = 1;
    if (part > 3)
        part = 3;
    auto n = [](int v) { return std::to_string(v); };
    Text out;
    if (part <= 2)
        out = n(t.year) + kYear + n(t.month) + kMonth + n(t.day) + kDay;
    if (part == 3 || (part == 1 && t.second != 0)) {
        out += n(t.hour) + kHour + n(t.minute) + kMinute + n(t.second) + kSecond;
    } else if (part == 1 && t.minute != 0) {
        out += n(t.hour) + kHour + n(t.minute) + kMinute;
    } else if (part == 1 && t.hour != 0) {
        out += n(t.hour) + kHour;
    }
    return out;
}

ByteBlock TextToBytes(std::string_view text) {
    return ByteBlock(text);
}

}  // namespace prim
