#include "data/data_files.h"

#include <cstddef>
#include <string_view>

#include "data/stored_defaults.h"
#include "primitives/codepage.h"

namespace data {
namespace {

struct FileInfo {
    std::string_view utf8Name;
    const unsigned char* bytes;
    const std::size_t& size;
};

const FileInfo& Info(DataFile f) {
    static const FileInfo kInfo[] = {
        {"WINDOWS系统文件详解.txt", stored::kSystemFileNotes, stored::kSystemFileNotesSize},
        {"后缀名列表.txt", stored::kExtensionList, stored::kExtensionListSize},
        {"后缀解说.txt", stored::kExtensionNotes, stored::kExtensionNotesSize},
    };
    return kInfo[static_cast<int>(f)];
}

prim::ByteBlock Stored(DataFile f) {
    return prim::ByteBlock(reinterpret_cast<const char*>(Info(f).bytes), Info(f).size);
}

}  // namespace

prim::Text FileName(DataFile f) {
    return prim::U8(Info(f).utf8Name);
}

prim::Text BackslashLiteral(DataFile f) {
    return "\\" + FileName(f);
}

prim::Text SlashLiteral(DataFile f) {
    return "/" + FileName(f);
}

const prim::ByteBlock& DefaultBytes(DataFile f) {
    // Built once on first use, so callers may keep the reference.
    static const prim::ByteBlock kBlocks[] = {Stored(DataFile::SystemFileNotes),
                                              Stored(DataFile::ExtensionList),
                                              Stored(DataFile::ExtensionNotes)};
    return kBlocks[static_cast<int>(f)];
}

}  // namespace data
