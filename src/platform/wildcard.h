#pragma once
// Windows-style matching of one name component against a pattern with * and ?,
// byte-wise over UTF-8, ASCII letters case-insensitively. As on Windows a "*"
// before a "." stops at the name's last dot, a "." before a wildcard or at the
// end also matches the end of a name without a dot ("*.*" matches every name,
// "*." only names without a dot), and a "?" at a dot or at the end matches
// nothing.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class WildcardPattern {
  public:
    explicit WildcardPattern(std::string_view utf8);
    bool HasWildcards() const { return kind_ != Kind::Literal; }
    // Compares the name as it is on disk.
    bool Matches(std::string_view name) const;

  private:
    enum class Kind { Literal, All, Suffix, General };
    enum class Op : unsigned char { Byte, Star, DosStar, DosQm, DosDot };
    struct Token {
        Op op;
        unsigned char byte;  // folded, for Byte
    };
    bool Match(std::size_t ti, std::size_t ni, std::string_view name, std::size_t lastDot) const;

    Kind kind_ = Kind::Literal;
    std::string literal_;  // Literal: the name; Suffix: the folded tail after "*"
    std::vector<Token> tokens_;
    mutable std::vector<unsigned char> memo_;  // reused between names
};

}  // namespace platform
