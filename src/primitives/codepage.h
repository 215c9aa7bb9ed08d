#pragma once
// The process code page, GB18030, at its two borders: UTF-8 (POSIX file names)
// and UTF-16 (the window, Windows file names). Both directions are lossless for
// names on disk: a byte that is not valid UTF-8 (and, in names, a "\") becomes
// an escape sequence from the four-byte range that no Unicode character uses,
// and such an escape turns back into the same raw byte.
#include <string>
#include <string_view>

#include "text.h"

namespace prim {

// Interface texts are written as UTF-8 literals; this turns one into a Text.
Text U8(std::string_view utf8);

// UTF-8 -> Text. Invalid UTF-8 bytes become escapes; with escapeBackslash a "\"
// does too, so a file name never reads as two path components.
Text Utf8ToText(std::string_view utf8, bool escapeBackslash = false);
// Text -> UTF-8. Escapes and bytes that do not form a character become raw bytes.
std::string TextToUtf8(std::string_view text);

// Text -> UTF-16; escapes and undecodable bytes become lone surrogates U+DC00 + byte.
std::u16string TextToUtf16(std::string_view text);
// UTF-16 -> Text; a lone surrogate U+DC00 + byte becomes the escape for that byte,
// any other lone surrogate becomes "?".
Text Utf16ToText(std::u16string_view utf16, bool escapeBackslash = false);

// Upper-case form of a two-byte character (value lead * 256 + trail), through
// Unicode; a character that does not decode is returned unchanged.
int UpperTwoByteChar(int value);

// Encodes one code point (escapes excluded) into GB18030 bytes.
void AppendCodePoint(Text& out, char32_t cp);
// Decodes the character at pos: its code point, or for an escape or undecodable
// byte 0xDC00 + the byte, with *escaped set. Advances pos.
char32_t DecodeCharAt(std::string_view text, size_t& pos, bool* escaped = nullptr);

}  // namespace prim
