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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "primitives/drives.h"
#include "primitives/text.h"

namespace testsupport {

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

    // File helpers on native paths; parent folders are made as needed.
    static void Write(const std::string& native, std::string_view bytes);
    static void MakeFolder(const std::string& native);
    // The file's bytes, or nothing when it cannot be read.
    static std::optional<std::string> Read(const std::string& native);
    // True when an entry of that name exists (a dangling link counts).
    static bool Exists(const std::string& native);

private:
    std::string root_;
    std::string previousDirectory_;
    std::vector<std::pair<char, std::string>> roots_;
};

}  // namespace testsupport
