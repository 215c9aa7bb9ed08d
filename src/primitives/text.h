#pragma once
// Texts are byte strings in the process code page (GB18030, a superset of GBK).
// A byte of 0x80 or above starts a two-byte character; positions count from 1,
// -1 means "not found". Every operation is pure and never fails.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace prim {

using Text = std::string;
using TextList = std::vector<Text>;  // counted from 1 by the handlers: element i is [i - 1]
using ByteBlock = std::string;       // bytes of any value

// A local calendar date and time of day, to the second.
struct DateTime {
    int year = 100;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime&) const = default;
};

int TextLength(std::string_view text);
Text TextLeft(std::string_view text, int n);
Text TextRight(std::string_view text, int n);

// First occurrence at or after `start` (1-based; <= 1 means the whole text).
int FindText(std::string_view text, std::string_view sought, int start, bool ignoreCase);
// The same with the start left out.
int FindText(std::string_view text, std::string_view sought, bool ignoreCase);
// Last occurrence; overlapping occurrences count.
int FindTextReverse(std::string_view text, std::string_view sought, bool ignoreCase);

// Splits at every delimiter found on a character boundary; a trailing delimiter
// gives no empty last element, an empty text gives an empty list.
TextList SplitText(std::string_view text, std::string_view delimiter);

Text ConcatText(std::initializer_list<std::string_view> pieces);
bool TextsEqual(std::string_view a, std::string_view b);
// -1, 0 or 1; without case sensitivity ASCII letters and two-byte letters fold.
int CompareText(std::string_view a, std::string_view b, bool caseSensitive);

Text IntToText(std::int32_t n);
std::int32_t RealToInt(double x);
// part 1: date and time, 2: date, 3: time; out-of-range parts are clamped.
Text TimeToText(const DateTime& t, int part = 1);
ByteBlock TextToBytes(std::string_view text);

}  // namespace prim
