#include "drive_table.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "primitives/codepage.h"

namespace platform::posix {
namespace {

void SplitNative(std::string_view native, std::vector<std::string>& parts) {
    std::size_t i = 0;
    while (i < native.size()) {
        std::size_t j = native.find('/', i);
        if (j == native.npos)
            j = native.size();
        std::string_view name = native.substr(i, j - i);
        if (name == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.emplace_back(name);
        }
        i = j + 1;
    }
}

std::string Join(std::string_view root, const std::vector<std::string>& parts) {
    std::string out(root);
    for (const auto& p : parts) {
        if (out.empty() || out.back() != '/')
            out += '/';
        out += p;
    }
    return out;
}

// Length of root when it is a component-wise prefix of path, else 0.
std::size_t PrefixLength(std::string_view root, std::string_view path) {
    if (root == "/")
        return 1;
    if (path.size() < root.size() || path.compare(0, root.size(), root) != 0)
        return 0;
    if (path.size() > root.size() && path[root.size()] != '/')
        return 0;
    return root.size();
}

std::string CurrentNative() {
    char buf[PATH_MAX];
    if (!getcwd(buf, sizeof buf))
        return std::string();
    return buf;
}

inline bool IsSeparator(char32_t cp, bool escaped) {
    return !escaped && (cp == '\\' || cp == '/');
}

}  // namespace

std::string NormalizeNative(std::string_view native) {
    std::vector<std::string> parts;
    SplitNative(native, parts);
    return Join("/", parts);
}

std::string Resolved::Parent(const std::vector<Root>& roots) const {
    std::vector<std::string> up(parts.begin(), parts.end() - (parts.empty() ? 0 : 1));
    return Join(roots[drive].native, up);
}

DriveTable::DriveTable(const std::vector<DriveRoot>& drives) {
    for (const auto& d : drives) {
        char letter = d.letter;
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<char>(letter - 32);
        if (letter < 'A' || letter > 'Z' || IndexOf(letter) >= 0)
            continue;
        Root r{letter, {}, {}, false, 0, 0, d.type, d.label};
        std::string abs = d.nativeRoot;
        if (abs.empty() || abs[0] != '/')
            abs = CurrentNative() + "/" + abs;
        r.native = NormalizeNative(abs);
        char buf[PATH_MAX];
        r.canonical = realpath(r.native.c_str(), buf) ? std::string(buf) : r.native;
        struct stat st;
        if (stat(r.native.c_str(), &st) == 0) {
            r.haveId = true;
            r.dev = st.st_dev;
            r.ino = st.st_ino;
        }
        roots_.push_back(std::move(r));
    }
    std::sort(roots_.begin(), roots_.end(),
              [](const Root& a, const Root& b) { return a.letter < b.letter; });
}

int DriveTable::IndexOf(char letter) const {
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 32);
    for (std::size_t i = 0; i < roots_.size(); ++i)
        if (roots_[i].letter == letter)
            return static_cast<int>(i);
    return -1;
}

int DriveTable::Locate(std::string_view native, std::vector<std::string>* rest) const {
    if (native.empty() || native[0] != '/')
        return -1;
    std::string norm = NormalizeNative(native);
    int best = -1;
    std::size_t bestLen = 0;
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        for (const std::string* root : {&roots_[i].native, &roots_[i].canonical}) {
            std::size_t len = PrefixLength(*root, norm);
            if (len > bestLen) {
                best = static_cast<int>(i);
                bestLen = len;
            }
        }
    }
    if (best >= 0 && rest) {
        rest->clear();
        SplitNative(std::string_view(norm).substr(bestLen), *rest);
    }
    return best;
}

bool DriveTable::Resolve(std::string_view path, Resolved& out) const {
    out = Resolved();
    if (path.empty())
        return false;
    std::size_t pos = 0;
    int drive = -1;
    bool haveDrive = false;
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        drive = IndexOf(path[0]);
        if (drive < 0)
            return false;
        haveDrive = true;
        pos = 2;
    }
    // The path is decoded whole: a 0x5C that is the second byte of a character
    // or an escaped "\" from a name on disk never separates.
    std::vector<std::pair<std::size_t, std::size_t>> names;
    bool leadingSeparator = false, doubleLeading = false, lastWasSeparator = false;
    std::size_t start = pos;
    int index = 0;
    while (pos < path.size()) {
        std::size_t at = pos;
        bool escaped = false;
        char32_t cp = prim::DecodeCharAt(path, pos, &escaped);
        if (cp == 0 && !escaped)
            return false;
        bool sep = IsSeparator(cp, escaped);
        if (sep) {
            if (index == 0)
                leadingSeparator = true;
            if (index == 1 && lastWasSeparator && leadingSeparator)
                doubleLeading = true;
            if (at > start)
                names.emplace_back(start, at);
            start = pos;
        }
        lastWasSeparator = sep;
        ++index;
    }
    if (pos > start)
        names.emplace_back(start, pos);
    out.trailingSeparator = lastWasSeparator;
    if (!haveDrive && doubleLeading)
        return false;  // a network name, not on any drive

    if (haveDrive) {
        out.drive = drive;
        // «C:name» is relative to the current folder when that is on C:.
        std::vector<std::string> here;
        if (!leadingSeparator && Locate(CurrentNative(), &here) == drive)
            out.parts = std::move(here);
    } else {
        out.drive = Locate(CurrentNative(), &out.parts);
        if (out.drive < 0)
            return false;
        if (leadingSeparator)
            out.parts.clear();
    }
    for (auto [b, e] : names) {
        std::string_view name = path.substr(b, e - b);
        if (name == ".")
            continue;
        if (name == "..") {
            if (!out.parts.empty())
                out.parts.pop_back();
            continue;
        }
        std::string native = prim::TextToUtf8(name);
        // Escapes that spell "/", NUL, "." or ".." would name another entry.
        if (native.find('/') != native.npos || native.find('\0') != native.npos || native == "." ||
            native == "..")
            return false;
        out.parts.push_back(std::move(native));
    }
    out.native = Join(roots_[drive < 0 ? out.drive : drive].native, out.parts);
    return true;
}

prim::Text DriveTable::ToDrivePath(std::string_view native) const {
    std::vector<std::string> rest;
    int drive = Locate(native, &rest);
    if (drive < 0)
        return prim::Text();
    prim::Text out;
    out += roots_[drive].letter;
    out += ":\\";
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i)
            out += '\\';
        out += prim::Utf8ToText(rest[i], true);
    }
    return out;
}

bool DriveTable::HoldsDriveRoot(const std::string& native) const {
    char buf[PATH_MAX];
    const std::string canon = realpath(native.c_str(), buf) ? std::string(buf) : native;
    struct stat st;
    bool haveId = stat(native.c_str(), &st) == 0;
    for (const auto& r : roots_) {
        if (haveId && r.haveId && r.dev == st.st_dev && r.ino == st.st_ino)
            return true;
        for (const std::string* a : {&native, &canon})
            for (const std::string* root : {&r.native, &r.canonical})
                if (PrefixLength(*a, *root) != 0)
                    return true;
    }
    return false;
}

bool DriveTable::IsRootId(dev_t dev, ino_t ino) const {
    for (const auto& r : roots_)
        if (r.haveId && r.dev == dev && r.ino == ino)
            return true;
    return false;
}

}  // namespace platform::posix
