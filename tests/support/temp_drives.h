#pragma once
// A fresh drive table on real temporary folders for one test.
//
//   TempDrives drives;                       // C: and D:, run directory C:\app
//   drives.Write(drives.Native('C', "a.txt"), "abc");
//   EXPECT_TRUE(prim::FileExists("C:\\a.txt"));
//   EXPECT_EQ(drives.Read(drives.Native('C', "a.txt")), "abc");
//
// The constructor makes <tmp>/drives-XXXXXX with one empty folder per drive,
// installs them with platform::InstallPosixFileSystem (which makes the run
// directory the current one) and the destructor closes every open file, goes
// back to the former current directory, uninstalls the backend and removes the
// tree. Native paths are UTF-8; drive paths in tests are prim Texts.
//
// Windows has no drive letters to invent: there each drive is a folder under
// %TEMP%, and a test spells its paths through P(): P("C:\\a.txt") is that
// path on POSIX and «<temp>\drives-N\C\a.txt» on Windows. Rows of a table
// that only hold on one system are marked with `On`.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "primitives/drives.h"
#include "primitives/text.h"

namespace testsupport {

// The systems a test row holds on.
enum class On { Both, Posix, Windows };
#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif
constexpr bool Here(On on) {
    return on == On::Both || (on == On::Windows) == kWindows;
}

class TempDrives {
  public:
    struct Drive {
        char letter;
        // Folder under the temporary root; empty: the letter ("C"); ".": the root
        // itself, so that this drive holds every other one.
        std::string folder = {};
        prim::DriveType type = prim::DriveType::Fixed;
        prim::Text label = {};
    };
    struct Options {
        std::vector<Drive> drives{{'C', ""}, {'D', ""}};
        // Native folder under the temporary root, created; the program's folder.
        std::string runFolder = "C/app";
    };

    TempDrives();
    explicit TempDrives(Options options);
    ~TempDrives();
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    // The temporary root, without a trailing "/".
    const std::string& Root() const { return root_; }
    // The native root of a drive, or a UTF-8 path below it ("dir/a.txt").
    std::string Native(char letter, std::string_view below = {}) const;
    // A test's drive path as this system spells it (see above); paths on
    // other drives and relative paths stay as they are.
    prim::Text P(std::string_view drivePath) const;

    // File helpers on native paths; parent folders are made as needed.
    static void Write(const std::string& native, std::string_view bytes);
    static void MakeFolder(const std::string& native);
    // The file's bytes, or nothing when it cannot be read.
    static std::optional<std::string> Read(const std::string& native);
    // True when an entry of that name exists (a dangling link counts).
    static bool Exists(const std::string& native);
    static bool Remove(const std::string& native);
    // Read-only as the system sees it: the write bits, or the attribute.
    static void SetReadOnly(const std::string& native, bool readOnly = true);
    // Symbolic and hard links; false where the system cannot make them.
    static bool Link(const std::string& target, const std::string& link);
    static bool HardLink(const std::string& target, const std::string& link);
    // A named pipe in the file system; false where there are none (Windows).
    static bool MakePipe(const std::string& native);
    // The last-write time, from a local calendar time.
    static bool SetLastWrite(const std::string& native, const prim::DateTime& local);
    // A file of that length (sparse where the system allows it).
    static bool MakeFileOfLength(const std::string& native, std::uint64_t length);
    static void SleepMs(int ms);

  private:
    std::string root_;
    std::string previousDirectory_;
    std::vector<std::pair<char, std::string>> roots_;
};

}  // namespace testsupport

namespace testsupport {

// While it lives, files cannot grow past `bytes`, so that writes fail part-way
// (for root too). Active() is false where the system has no such limit.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    static bool Active();

  private:
    std::uint64_t saved_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace testsupport
