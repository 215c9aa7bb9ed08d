#pragma once
// File primitives: synchronous, on the UI thread, never throwing. Paths are
// Windows-style Texts («C:\dir\a.txt», both separators); the installed file
// system backend maps them. Failures are results: 0, false, empty, -1, or the
// date-time 100-01-01 00:00:00.
#include <cstdint>
#include <string_view>

#include "text.h"

namespace prim {

constexpr int kAttrReadOnly = 1;
constexpr int kAttrHidden = 2;
constexpr int kAttrSystem = 4;
constexpr int kAttrDirectory = 16;
constexpr int kAttrArchive = 32;

// Folder of the program file, without a trailing separator («D:\Tools», «C:»).
Text RunDirectory();
// True when an entry matches (wildcards allowed in the last component); a path
// ending with a separator never matches.
bool FileExists(std::string_view path);
// Opens an existing, writable file for reading and writing at position 0; 0 on failure.
int OpenFile(std::string_view path);
// From the position to the end, cut at the first NUL or 0x1A (two-byte stepping).
Text ReadAllText(int file);
// Writes text + CR LF at the position; on failure the file is left as it was.
bool WriteTextLine(int file, std::string_view text);
void CloseFile(int file);
void CloseAllFiles();
// Creates or empties the file and writes the bytes.
bool WriteFileBytes(std::string_view path, std::string_view bytes);
// Creates a new file with the bytes only when nothing of that name exists.
bool CreateNewFileBytes(std::string_view path, std::string_view bytes);
bool DeleteFile(std::string_view path);
// Removes a folder and everything below it; refuses drive roots and folders
// that hold another drive's root.
bool DeleteDirectory(std::string_view path);
bool MoveFile(std::string_view from, std::string_view to);
int GetFileAttributes(std::string_view path);
bool SetFileAttributes(std::string_view path, int bits);
std::int32_t GetFileSize(std::string_view path);
DateTime GetFileTime(std::string_view path);

}  // namespace prim
