// The built-in defaults, read back the way the program reads them: split at
// CR LF with SplitText and looked up with the readers' own rules. A source edit
// that breaks the shape the readers rely on fails here.
#include "data/data_files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "primitives/codepage.h"
#include "primitives/text.h"

using data::DataFile;
using prim::Text;
using prim::TextList;
using prim::U8;

namespace {

TextList Lines(DataFile f) {
    return prim::SplitText(data::DefaultBytes(f), "\r\n");
}

bool EndsWith(const Text& text, const Text& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), Text::npos, tail) == 0;
}

bool IsUpperAscii(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLowerAscii(char c) {
    return c >= 'a' && c <= 'z';
}

// The extension lookup of a double click: the first header of the same byte
// length whose extension matches without regard to case. Index of the header
// line, or -1.
int FindNote(const TextList& lines, const Text& extension) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!prim::TextsEqual(prim::TextLeft(lines[i], 1), "."))
            continue;
        Text e = prim::SplitText(lines[i], ".").back();
        if (prim::TextLength(e) != prim::TextLength(extension))
            continue;
        if (prim::CompareText(e, extension, false) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// The system-file lookup: the first line that contains the name anywhere.
int FindSystemLine(const TextList& lines, const Text& name) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (prim::FindText(lines[i], name, 1, true) > 0)
            return static_cast<int>(i);
    return -1;
}

TEST(DataFiles, NamesAndPathForms) {
    const struct {
        DataFile file;
        const char* name;
    } cases[] = {
        {DataFile::SystemFileNotes, "WINDOWS系统文件详解.txt"},
        {DataFile::ExtensionList, "后缀名列表.txt"},
        {DataFile::ExtensionNotes, "后缀解说.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(data::FileName(c.file), U8(c.name));
        EXPECT_EQ(data::BackslashLiteral(c.file), "\\" + U8(c.name));
        EXPECT_EQ(data::SlashLiteral(c.file), "/" + U8(c.name));
    }
    EXPECT_EQ(std::vector<DataFile>(std::begin(data::kStartupOrder), std::end(data::kStartupOrder)),
              (std::vector<DataFile>{DataFile::SystemFileNotes, DataFile::ExtensionList,
                                     DataFile::ExtensionNotes}));
}

TEST(DataFiles, StoredFormOfEveryDefault) {
    const struct {
        DataFile file;
        size_t bytes, lines;
    } cases[] = {
        {DataFile::SystemFileNotes, 21050, 663},
        {DataFile::ExtensionList, 80, 16},
        {DataFile::ExtensionNotes, 23989, 629},
    };
    for (const auto& c : cases) {
        const prim::ByteBlock& b = data::DefaultBytes(c.file);
        SCOPED_TRACE(prim::TextToUtf8(data::FileName(c.file)));
        EXPECT_EQ(&b, &data::DefaultBytes(c.file)) << "one block for the whole run";
        EXPECT_EQ(b.size(), c.bytes);
        EXPECT_EQ(Lines(c.file).size(), c.lines);
        EXPECT_TRUE(EndsWith(b, "\r\n"));
        EXPECT_NE(b.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
        EXPECT_EQ(b.find('\0'), Text::npos);
        EXPECT_EQ(b.find('\x1A'), Text::npos);
        for (const Text& line : Lines(c.file))
            EXPECT_EQ(line.find_first_of("\r\n"), Text::npos) << "only CR LF ends a line";
        // GBK: every byte of 0x80 or above leads a pair whose second byte is 0x40-0xFE.
        for (size_t i = 0; i < b.size(); ++i) {
            auto lead = static_cast<unsigned char>(b[i]);
            if (lead < 0x80)
                continue;
            ASSERT_LT(i + 1, b.size());
            auto trail = static_cast<unsigned char>(b[++i]);
            ASSERT_TRUE(lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE &&
                        trail != 0x7F)
                << "byte " << i;
        }
    }
}

TEST(DataFiles, ExtensionListIsSixteenExtensions) {
    EXPECT_EQ(Lines(DataFile::ExtensionList),
              (TextList{"txt", "jpg", "bmp", "jpeg", "jpe", "jfif", "gif", "tiff", "tif", "png",
                        "exe", "dll", "z", "7z", "rar", "mdb"}));
}

TEST(DataFiles, ExtensionNotesShape) {
    const TextList lines = Lines(DataFile::ExtensionNotes);
    struct Entry {
        Text extension, description;
        int header;
    };
    std::vector<Entry> entries;
    std::map<Text, int> further;  // lines outside entries, by the entry they follow
    for (size_t i = 0; i < lines.size(); ++i) {
        if (prim::TextsEqual(prim::TextLeft(lines[i], 1), ".")) {
            ASSERT_LT(i + 1, lines.size()) << "the notes end with a header line";
            EXPECT_EQ(prim::SplitText(lines[i], ".").size(), 2u) << lines[i] << ": one dot only";
            const Text& description = lines[i + 1];
            EXPECT_FALSE(description.empty()) << lines[i];
            EXPECT_FALSE(prim::TextsEqual(prim::TextLeft(description, 1), ".")) << lines[i];
            entries.push_back({lines[i].substr(1), description, static_cast<int>(i)});
            ++i;
        } else {
            ASSERT_FALSE(entries.empty()) << "a stray line before the first entry";
            ++further[entries.back().extension];
        }
    }
    ASSERT_EQ(entries.size(), 298u);

    int furtherTotal = 0;
    for (const auto& [extension, count] : further)
        furtherTotal += count;
    EXPECT_EQ(furtherTotal, 33);
    std::set<Text> followed;
    for (const auto& [extension, count] : further)
        followed.insert(extension);
    EXPECT_EQ(followed,
              (std::set<Text>{"adm", "gif", "jpeg2000", "jpg", "jpg2000", "png", "svg", "tiff"}));
    EXPECT_EQ(further["adm"], 1);
    EXPECT_EQ(lines[FindNote(lines, "adm") + 2], "") << "an empty line after .adm";

    auto at = [&](size_t i) { return entries[i].extension; };
    EXPECT_EQ((TextList{at(0), at(1), at(2)}), (TextList{"ACA", "ace", "acf"}));
    const size_t n = entries.size();
    EXPECT_EQ((TextList{at(n - 3), at(n - 2), at(n - 1)}), (TextList{"z", "zip", "GHO"}));

    std::map<Text, Text> firstNote;
    for (const Entry& e : entries)
        firstNote.emplace(e.extension, e.description);
    const struct {
        const char* extension;
        const char* description;
    } samples[] = {{"acf", "系统管理配置"},
                   {"txt", "文本文件"},
                   {"z", "一种压缩文件"},
                   {"GHO", "系统镜像文件"}};
    for (const auto& s : samples)
        EXPECT_EQ(firstNote[s.extension], U8(s.description));

    TextList upper;
    int lower = 0, threeBytes = 0;
    std::map<Text, int> occurrences;  // folded to lower case
    for (const Entry& e : entries) {
        const Text& x = e.extension;
        EXPECT_TRUE(x.size() >= 1 && x.size() <= 8) << x;
        threeBytes += x.size() == 3;
        bool hasUpper = false, hasLower = false;
        Text folded;
        for (char c : x) {
            hasUpper |= IsUpperAscii(c);
            hasLower |= IsLowerAscii(c);
            folded += IsUpperAscii(c) ? static_cast<char>(c + 32) : c;
        }
        EXPECT_FALSE(hasUpper && hasLower) << x;
        if (hasUpper)
            upper.push_back(x);
        else
            ++lower;
        ++occurrences[folded];
    }
    EXPECT_EQ(lower, 290);
    EXPECT_EQ(upper, (TextList{"ACA", "ADE", "ADN", "ADP", "AIF", "AIFC", "AIFF", "GHO"}));
    EXPECT_EQ(threeBytes, 272);
    std::map<Text, int> duplicates;
    for (const auto& [x, count] : occurrences)
        if (count > 1)
            duplicates[x] = count;
    EXPECT_EQ(duplicates,
              (std::map<Text, int>{
                  {"aif", 2}, {"asf", 2}, {"asp", 3}, {"crd", 2}, {"dat", 2}, {"xlc", 2}}));

    // Every listed extension has a note.
    for (const Text& x : Lines(DataFile::ExtensionList))
        EXPECT_GE(FindNote(lines, x), 0) << x;
}

TEST(DataFiles, ExtensionLookupsOfTheDefaults) {
    const TextList lines = Lines(DataFile::ExtensionNotes);
    auto firstHeader = [&](const char* header) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == header)
                return static_cast<int>(i);
        return -1;
    };
    const struct {
        const char* extension;
        const char* header;  // the first entry for it, as stored
    } cases[] = {
        {"JPG", ".jpg"},   {"AIF", ".aif"}, {"aif", ".aif"}, {"asp", ".asp"},
        {"tar.gz", ".gz"}, {"GHO", ".GHO"}, {"gho", ".GHO"}, {"jpg2000", ".jpg2000"},
    };
    for (const auto& c : cases) {
        Text extension = prim::SplitText(c.extension, ".").back();  // as a double click takes it
        int found = FindNote(lines, extension);
        EXPECT_GE(found, 0) << c.extension;
        EXPECT_EQ(found, firstHeader(c.header)) << c.extension;
    }
    EXPECT_LT(firstHeader(".aif"), firstHeader(".AIF"));
    EXPECT_EQ(FindNote(lines, "qqq"), -1);
}

TEST(DataFiles, SystemFileNotesShape) {
    const TextList lines = Lines(DataFile::SystemFileNotes);
    const Text heading = U8("　↑ ");  // after the letter
    const Text ideographicSpace = U8("　");

    ASSERT_TRUE(EndsWith(lines[0], U8("　A　↑ "))) << "the introduction ends with A";
    EXPECT_EQ(prim::FindText(lines[0], " - ", true), -1);

    struct Entry {
        Text name, description;
        int line;
        bool blankBeforeHyphen, trailingBlank;
        char headingAtEnd;  // 0 for none
    };
    std::vector<Entry> entries;
    Text ownHeadings;
    for (size_t i = 1; i < lines.size(); ++i) {
        Text line = lines[i];
        if (line.size() >= 1 && IsUpperAscii(line[0]) &&
            (line.substr(1) == heading || line.substr(1) == U8("↑ "))) {
            ownHeadings += line[0];
            EXPECT_EQ(line.substr(1) == heading, line[0] != 'J') << line;
            continue;
        }
        Entry e{};
        e.line = static_cast<int>(i);
        int hyphen = prim::FindText(line, "- ", true);
        ASSERT_GT(hyphen, 1) << line;
        e.name = line.substr(0, hyphen - 1);
        e.blankBeforeHyphen = EndsWith(e.name, " ");
        if (e.blankBeforeHyphen)
            e.name.pop_back();
        Text rest = line.substr(hyphen + 1);
        if (EndsWith(rest, heading) && rest.size() > heading.size() &&
            IsUpperAscii(rest[rest.size() - heading.size() - 1])) {
            e.headingAtEnd = rest[rest.size() - heading.size() - 1];
            rest.resize(rest.size() - heading.size() - 1);
            EXPECT_TRUE(EndsWith(rest, ideographicSpace)) << line;
            while (EndsWith(rest, ideographicSpace))
                rest.resize(rest.size() - 2);
        }
        e.trailingBlank = EndsWith(rest, " ");
        if (e.trailingBlank)
            rest.pop_back();
        e.description = rest;
        EXPECT_FALSE(e.description.empty()) << line;
        entries.push_back(e);
    }

    ASSERT_EQ(entries.size(), 652u);
    EXPECT_EQ(ownHeadings, "BCIJKMNQUW");
    EXPECT_EQ(entries.front().name, "ACCESS.CHM");
    EXPECT_EQ(entries.back().name, "XGA.DRV");

    Text endHeadings;
    std::map<Text, int> count;
    int notCapitals = 0;
    TextList withoutExtension, noBlankBeforeHyphen, noTrailingBlank;
    char letter = 'A';
    for (size_t k = 0; k < entries.size(); ++k) {
        const Entry& e = entries[k];
        if (k > 0) {
            EXPECT_LE(prim::CompareText(entries[k - 1].name, e.name, false), 0) << e.name;
        }
        ++count[e.name];
        bool capitals = true;
        for (char c : e.name)
            capitals &= !IsLowerAscii(c);
        notCapitals += !capitals;
        if (prim::FindText(e.name, ".", false) < 0)
            withoutExtension.push_back(e.name);
        if (!e.blankBeforeHyphen)
            noBlankBeforeHyphen.push_back(e.name);
        if (!e.trailingBlank)
            noTrailingBlank.push_back(e.name);
        // Each entry stands after the heading of its letter.
        char first = e.name[0];
        if (IsLowerAscii(first))
            first = static_cast<char>(first - 32);
        if (first != letter) {
            EXPECT_EQ(lines[e.line - 1], first == 'J' ? U8("J↑ ") : Text(1, first) + heading)
                << e.name;
            letter = first;
        }
        if (e.headingAtEnd) {
            endHeadings += e.headingAtEnd;
            letter = e.headingAtEnd;
        }
    }
    EXPECT_EQ(endHeadings, "DEFGHLOPRSTVX");
    EXPECT_EQ(notCapitals, 4);
    EXPECT_EQ(withoutExtension, (TextList{"DEFRAG", "DISKCOMP", "SAMPLEVIDEOS"}));
    EXPECT_EQ(noBlankBeforeHyphen, TextList{"SIZEWE.ANI"});
    EXPECT_EQ(noTrailingBlank, TextList{"XGA.DRV"});
    TextList twice;
    for (const auto& [name, n] : count) {
        EXPECT_LE(n, 2) << name;
        if (n > 1)
            twice.push_back(name);
    }
    EXPECT_EQ(twice, (TextList{"CTRLPAN.EXE", "FLSIMTD.VXD", "NOTEPAD.EXE"}));

    std::map<Text, Text> firstDescription;
    for (const Entry& e : entries)
        firstDescription.emplace(e.name, e.description);
    const struct {
        const char* name;
        const char* description;
    } samples[] = {{"ACCSTAT.EXE", "辅助状态指示器"},
                   {"CALC.EXE", "计算器应用程序"},
                   {"XCOPY32.EXE", "文件拷贝程序"}};
    for (const auto& s : samples)
        EXPECT_EQ(firstDescription[s.name], U8(s.description));

    for (const Entry& e : entries) {
        if (e.name == "USER32.DLL") {
            EXPECT_EQ(e.headingAtEnd, 'V');
        }
    }

    // No line mentions a name before the name's own first line does.
    std::set<Text> seen;
    for (const Entry& e : entries) {
        if (seen.insert(e.name).second) {
            EXPECT_EQ(FindSystemLine(lines, e.name), e.line) << e.name;
        }
    }
}

TEST(DataFiles, SystemFileLookupsOfTheDefaults) {
    const TextList lines = Lines(DataFile::SystemFileNotes);
    auto firstStartingWith = [&](const char* name) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(name, 0) == 0)
                return static_cast<int>(i);
        return -1;
    };
    const struct {
        const char* selected;
        int line;
    } cases[] = {
        {"calc.exe", firstStartingWith("CALC.EXE ")},
        {"ALC.EXE", firstStartingWith("CALC.EXE ")},
        {"A", 0},
        {"NOTEPAD.EXE", firstStartingWith("NOTEPAD.EXE ")},
        {"USER32.DLL", firstStartingWith("USER32.DLL ")},
        {"a.txt;b.txt", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindSystemLine(lines, c.selected), c.line) << c.selected;
    EXPECT_EQ(lines[FindSystemLine(lines, "calc.exe")], U8("CALC.EXE - 计算器应用程序 "));
    EXPECT_TRUE(EndsWith(lines[FindSystemLine(lines, "USER32.DLL")], U8("　V　↑ ")));
}

}  // namespace
