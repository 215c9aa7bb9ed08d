#include "codepage.h"

#include <algorithm>
#include <array>
#include <memory>

namespace prim {
namespace {

#include "gb18030_table.inc"

constexpr unsigned kBmpFourByteCount = 39420;
constexpr unsigned kSupplementaryBase = 189000;  // linear index of U+10000
constexpr unsigned kEscapeBase = 1575000;        // FE 30 81 30: past every Unicode character

inline unsigned char B(std::string_view s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

void AppendLinear(Text& out, unsigned lin) {
    char b4 = static_cast<char>(0x30 + lin % 10);
    lin /= 10;
    char b3 = static_cast<char>(0x81 + lin % 126);
    lin /= 126;
    char b2 = static_cast<char>(0x30 + lin % 10);
    lin /= 10;
    char b1 = static_cast<char>(0x81 + lin);
    out += b1;
    out += b2;
    out += b3;
    out += b4;
}

void AppendEscape(Text& out, unsigned char byte) {
    AppendLinear(out, kEscapeBase + byte);
}

// For every basic-plane code point: its two-byte code (lead << 8 | trail), or
// 0x80000000 | its four-byte linear index.
const std::array<unsigned, 0x10000>& Reverse() {
    static const std::unique_ptr<std::array<unsigned, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<unsigned, 0x10000>>();
        t->fill(0);
        for (unsigned i = 0; i < 126 * 190; ++i) {
            unsigned lead = 0x81 + i / 190, slot = i % 190;
            unsigned trail = slot < 63 ? 0x40 + slot : 0x41 + slot;
            (*t)[kTwoByte[i]] = lead << 8 | trail;
        }
        for (const auto& r : kFourByteRuns)
            for (unsigned k = 0; k < r.length; ++k)
                (*t)[r.code + k] = 0x80000000u | (r.linear + k);
        return t;
    }();
    return *table;
}

char32_t FourByteToCodePoint(unsigned lin) {
    if (lin < kBmpFourByteCount) {
        auto it = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), lin,
                                   [](unsigned v, const FourByteRun& r) { return v < r.linear; });
        --it;
        if (lin < it->linear + it->length)
            return it->code + (lin - it->linear);
        return 0xFFFFFFFF;
    }
    if (lin >= kSupplementaryBase && lin <= kSupplementaryBase + 0xFFFFF)
        return 0x10000 + (lin - kSupplementaryBase);
    return 0xFFFFFFFF;
}

inline bool IsTrail(unsigned char t) {
    return t >= 0x40 && t <= 0xFE && t != 0x7F;
}
inline bool IsLead(unsigned char t) {
    return t >= 0x81 && t <= 0xFE;
}
inline bool IsDigit(unsigned char t) {
    return t >= 0x30 && t <= 0x39;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; returns false (pos unchanged) when invalid.
bool NextUtf8(std::string_view s, size_t& pos, char32_t& cp) {
    unsigned char c = B(s, pos);
    int n;
    char32_t v, min;
    if (c < 0x80) {
        cp = c;
        ++pos;
        return true;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 1, v = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 2, v = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 3, v = c & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (pos + n >= s.size())
        return false;
    for (int k = 1; k <= n; ++k) {
        unsigned char t = B(s, pos + k);
        if ((t & 0xC0) != 0x80)
            return false;
        v = v << 6 | (t & 0x3F);
    }
    if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
        return false;
    cp = v;
    pos += n + 1;
    return true;
}

}  // namespace

void AppendCodePoint(Text& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x10000) {
        unsigned e = Reverse()[cp];
        if (e & 0x80000000u) {
            AppendLinear(out, e & 0x7FFFFFFFu);
        } else if (e != 0) {
            out += static_cast<char>(e >> 8);
            out += static_cast<char>(e & 0xFF);
        } else {
            out += '?';  // a lone surrogate: no character to encode
        }
    } else if (cp <= 0x10FFFF) {
        AppendLinear(out, kSupplementaryBase + (cp - 0x10000));
    } else {
        out += '?';
    }
}

char32_t DecodeCharAt(std::string_view s, size_t& pos, bool* escaped) {
    if (escaped)
        *escaped = false;
    unsigned char c = B(s, pos);
    if (c < 0x80) {
        ++pos;
        return c;
    }
    if (IsLead(c) && pos + 1 < s.size()) {
        unsigned char t = B(s, pos + 1);
        if (IsTrail(t)) {
            pos += 2;
            unsigned slot = t < 0x7F ? t - 0x40 : t - 0x41;
            return kTwoByte[(c - 0x81) * 190 + slot];
        }
        if (IsDigit(t) && pos + 3 < s.size() && IsLead(B(s, pos + 2)) && IsDigit(B(s, pos + 3))) {
            unsigned lin = (((c - 0x81) * 10 + (t - 0x30)) * 126 + (B(s, pos + 2) - 0x81)) * 10 +
                           (B(s, pos + 3) - 0x30);
            if (lin >= kEscapeBase && lin < kEscapeBase + 256) {
                pos += 4;
                if (escaped)
                    *escaped = true;
                return 0xDC00 + (lin - kEscapeBase);
            }
            char32_t cp = FourByteToCodePoint(lin);
            if (cp != 0xFFFFFFFF) {
                pos += 4;
                return cp;
            }
        }
    }
    ++pos;
    if (escaped)
        *escaped = true;
    return 0xDC00 + c;
}

Text U8(std::string_view utf8) {
    return Utf8ToText(utf8);
}

Text Utf8ToText(std::string_view utf8, bool escapeBackslash) {
    Text out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp;
        if (NextUtf8(utf8, pos, cp)) {
            if (cp == '\\' && escapeBackslash)
                AppendEscape(out, '\\');
            else
                AppendCodePoint(out, cp);
        } else {
            AppendEscape(out, B(utf8, pos));
            ++pos;
        }
    }
    return out;
}

std::string TextToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    size_t pos = 0;
    while (pos < text.size()) {
        bool esc;
        char32_t cp = DecodeCharAt(text, pos, &esc);
        if (esc)
            out += static_cast<char>(cp - 0xDC00);
        else
            AppendUtf8(out, cp);
    }
    return out;
}

std::u16string TextToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = DecodeCharAt(text, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

Text Utf16ToText(std::u16string_view s, bool escapeBackslash) {
    Text out;
    out.reserve(s.size() * 2);
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            AppendCodePoint(out, 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDCFF) {
            AppendEscape(out, static_cast<unsigned char>(c - 0xDC00));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += '?';
        } else if (c == '\\' && escapeBackslash) {
            AppendEscape(out, '\\');
        } else {
            AppendCodePoint(out, c);
        }
    }
    return out;
}

int UpperTwoByteChar(int value) {
    Text two;
    two += static_cast<char>(value >> 8);
    two += static_cast<char>(value & 0xFF);
    size_t pos = 0;
    bool esc;
    char32_t cp = DecodeCharAt(two, pos, &esc);
    if (esc || pos != 2)
        return value;
    char32_t up = cp;
    if (cp >= 0xFF41 && cp <= 0xFF5A) {
        up = cp - 0x20;  // full-width Latin
    } else if ((cp >= 0x03B1 && cp <= 0x03C9 && cp != 0x03C2)) {
        up = cp - 0x20;  // Greek
    } else if (cp == 0x03C2) {
        up = 0x03A3;
    } else if (cp >= 0x0430 && cp <= 0x044F) {
        up = cp - 0x20;  // Cyrillic
    } else if (cp >= 0x0450 && cp <= 0x045F) {
        up = cp - 0x50;
    } else if (cp >= 0x00E0 && cp <= 0x00FE && cp != 0x00F7) {
        up = cp - 0x20;  // Latin-1 letters with accents
    } else if (cp >= 0x0100 && cp <= 0x017F && cp != 0x0130 && cp != 0x0131 && cp != 0x0138 &&
               cp != 0x0149 && cp != 0x017F) {
        bool oddLower = (cp >= 0x0139 && cp <= 0x0148) || (cp >= 0x0179 && cp <= 0x017E);
        if (oddLower ? (cp % 2 == 0) : (cp % 2 == 1))
            up = cp - 1;
    } else if (cp >= 0x01CD && cp <= 0x01DC) {
        if (cp % 2 == 0)
            up = cp - 1;  // pinyin vowels with caron
    } else if (cp >= 0x2170 && cp <= 0x217F) {
        up = cp - 0x10;  // small Roman numerals
    }
    if (up == cp)
        return value;
    Text enc;
    AppendCodePoint(enc, up);
    if (enc.size() != 2)
        return value;
    return static_cast<unsigned char>(enc[0]) * 256 + static_cast<unsigned char>(enc[1]);
}

}  // namespace prim
