#pragma once
// The three data files in the program's folder: their names, the two ways a path
// to them is formed, and the built-in defaults written when one is missing.
// Names and defaults are Texts (code-page bytes); nothing here touches the disk.
#include "primitives/text.h"

namespace data {

enum class DataFile { SystemFileNotes, ExtensionList, ExtensionNotes };

// Startup tests, and where missing writes, the files in this order.
inline constexpr DataFile kStartupOrder[] = {DataFile::SystemFileNotes, DataFile::ExtensionList,
                                             DataFile::ExtensionNotes};

// "WINDOWS系统文件详解.txt", "后缀名列表.txt" or "后缀解说.txt".
prim::Text FileName(DataFile f);
// "\" + name: joined to RunDirectory() for the existence test and the default write.
prim::Text BackslashLiteral(DataFile f);
// "/" + name: joined to RunDirectory() for every read.
prim::Text SlashLiteral(DataFile f);

// The default exactly as stored: GBK, CR LF after every line, no byte-order mark.
// The block lives for the whole run.
const prim::ByteBlock& DefaultBytes(DataFile f);

}  // namespace data
