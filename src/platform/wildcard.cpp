#include "platform/wildcard.h"

namespace platform {
namespace {

inline unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// Bytes of the UTF-8 character at pos: a lead byte and its continuation bytes.
std::size_t CharLength(std::string_view s, std::size_t pos) {
    unsigned char c = static_cast<unsigned char>(s[pos]);
    std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    std::size_t k = 1;
    while (k < n && pos + k < s.size() && (static_cast<unsigned char>(s[pos + k]) & 0xC0) == 0x80)
        ++k;
    return k;
}

}  // namespace

WildcardPattern::WildcardPattern(std::string_view p) {
    if (p.find_first_of("*?") == std::string_view::npos) {
        literal_ = p;
        return;
    }
    if (p == "*" || p == "*.*") {
        kind_ = Kind::All;
        return;
    }
    std::string_view tail = p.substr(1);
    // "*.ext": the star may take anything before the tail, which then holds the
    // name's last dot, so a case-insensitive ends-with is the whole rule.
    if (p.size() > 2 && p[0] == '*' && p[1] == '.' && tail.find_first_of("*?") == tail.npos &&
        tail.back() != '.') {
        kind_ = Kind::Suffix;
        for (char c : tail)
            literal_ += static_cast<char>(Fold(static_cast<unsigned char>(c)));
        return;
    }
    kind_ = Kind::General;
    for (std::size_t i = 0; i < p.size(); ++i) {
        char c = p[i];
        bool last = i + 1 == p.size();
        char next = last ? 0 : p[i + 1];
        if (c == '?') {
            tokens_.push_back({Op::DosQm, 0});
        } else if (c == '*') {
            tokens_.push_back({next == '.' ? Op::DosStar : Op::Star, 0});
        } else if (c == '.' && (last || next == '*' || next == '?')) {
            tokens_.push_back({Op::DosDot, 0});
        } else {
            tokens_.push_back({Op::Byte, Fold(static_cast<unsigned char>(c))});
        }
    }
}

bool WildcardPattern::Matches(std::string_view name) const {
    switch (kind_) {
        case Kind::Literal:
            return name == literal_;
        case Kind::All:
            return true;
        case Kind::Suffix: {
            if (name.size() < literal_.size())
                return false;
            std::size_t off = name.size() - literal_.size();
            for (std::size_t i = 0; i < literal_.size(); ++i)
                if (Fold(static_cast<unsigned char>(name[off + i])) !=
                    static_cast<unsigned char>(literal_[i]))
                    return false;
            return true;
        }
        case Kind::General:
            break;
    }
    std::size_t lastDot = name.rfind('.');
    if (lastDot == name.npos)
        lastDot = name.size();
    memo_.assign((tokens_.size() + 1) * (name.size() + 1), 0);
    return Match(0, 0, name, lastDot);
}

bool WildcardPattern::Match(std::size_t ti, std::size_t ni, std::string_view name,
                            std::size_t lastDot) const {
    const std::size_t n = name.size();
    unsigned char& seen = memo_[ti * (n + 1) + ni];
    if (seen)
        return seen == 2;
    bool result = false;
    if (ti == tokens_.size()) {
        result = ni == n;
    } else {
        const Token& t = tokens_[ti];
        switch (t.op) {
            case Op::Byte:
                result = ni < n && Fold(static_cast<unsigned char>(name[ni])) == t.byte &&
                         Match(ti + 1, ni + 1, name, lastDot);
                break;
            case Op::Star:
                result = Match(ti + 1, ni, name, lastDot) ||
                         (ni < n && Match(ti, ni + 1, name, lastDot));
                break;
            case Op::DosStar:
                result = Match(ti + 1, ni, name, lastDot) ||
                         (ni < lastDot && Match(ti, ni + 1, name, lastDot));
                break;
            case Op::DosQm:
                if (ni == n || name[ni] == '.') {
                    std::size_t tj = ti;
                    while (tj < tokens_.size() && tokens_[tj].op == Op::DosQm)
                        ++tj;
                    result = Match(tj, ni, name, lastDot);
                } else {
                    result = Match(ti + 1, ni + CharLength(name, ni), name, lastDot);
                }
                break;
            case Op::DosDot:
                result = ni == n ? Match(ti + 1, ni, name, lastDot)
                                 : name[ni] == '.' && Match(ti + 1, ni + 1, name, lastDot);
                break;
        }
    }
    seen = result ? 2 : 1;
    return result;
}

}  // namespace platform
