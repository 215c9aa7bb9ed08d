// The drive table built from the running system.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/posix_install.h"

namespace {

TEST(SystemDrives, HomeFirstRootLastMountsBetween) {
    const char* home = std::getenv("HOME");
    auto config = platform::SystemConfig("/opt/tool/bin/prog");
    EXPECT_EQ(config.runDirectory, "/opt/tool/bin");
    ASSERT_GE(config.drives.size(), 2u);
    EXPECT_EQ(config.drives.front().letter, 'C');
    if (home && *home == '/') {
        EXPECT_EQ(config.drives.front().nativeRoot, home);
    }
    EXPECT_EQ(config.drives.back().letter, 'Z');
    EXPECT_EQ(config.drives.back().nativeRoot, "/");
    char previous = 'B';
    for (const auto& d : config.drives) {
        EXPECT_GT(d.letter, previous);
        previous = d.letter;
        for (const char* pseudo : {"/proc", "/sys", "/dev"})
            EXPECT_NE(d.nativeRoot.rfind(pseudo, 0), 0u) << d.nativeRoot;
    }
    EXPECT_EQ(platform::SystemConfig("/prog").runDirectory, "/");
}

}  // namespace
