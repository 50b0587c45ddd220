// The POSIX services: loading libraries by name, the program folder, and the shell that starts a
// program with an argument vector in a given folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>

#include "platform/library.h"
#include "platform/xdg_shell.h"

namespace {

namespace fs = std::filesystem;

TEST(SharedLibrary, LoadsByPathAndFindsExportsByName) {
    EXPECT_EQ(platform::SharedLibrary::fileName("QXDLL"), "libQXDLL.so");
    std::string error;
    auto libm = platform::SharedLibrary::open("libm.so.6", &error);
    ASSERT_NE(libm, nullptr) << error;
    using Fn = double (*)(double);
    auto cosine = reinterpret_cast<Fn>(libm->symbol("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(libm->symbol("no_such_export_anywhere"), nullptr);

    EXPECT_EQ(platform::SharedLibrary::open("/no/such/libQXDLL.so", &error), nullptr);
    EXPECT_NE(error.find("libQXDLL"), std::string::npos) << error;
    EXPECT_EQ(platform::SharedLibrary::open("/no/such/libQXDLL.so"), nullptr);  // no error slot: fine
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgramWithATrailingSlash) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "platform_tests"));
}

bool waitFor(const fs::path& p) {
    for (int i = 0; i < 500 && !fs::exists(p); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(p);
}

TEST(XdgShell, StartsTheProgramInTheFolderWithTheTargetAsOneArgument) {
    const fs::path dir = fs::path(VARNOOK_SNAPSHOT_DIR) / "shell_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // "touch" stands in for xdg-open: the file it makes shows the argument and the folder it got.
    platform::XdgShell shell("touch");
    const std::string tricky = "Varnook page; rm -rf x $(echo no).htm";
    shell.open(tricky, dir.string());
    EXPECT_TRUE(waitFor(dir / tricky)) << "the target must arrive as one argument, never through a shell";
    shell.open("second.htm", dir.string());
    EXPECT_TRUE(waitFor(dir / "second.htm"));

    // Finished children are collected, leaving no zombies behind.
    for (int i = 0; i < 500 && shell.running() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        shell.reap();
    }
    EXPECT_EQ(shell.running(), 0u);
    fs::remove_all(dir);
}

TEST(XdgShell, AMissingProgramOrFolderFailsSilently) {
    platform::XdgShell missing("no-such-program-varnook");
    missing.open("page.htm", "/tmp");
    EXPECT_EQ(missing.running(), 0u);
    platform::XdgShell shell("true");
    shell.open("page.htm", "/no/such/folder");  // the child cannot start there; nothing to report
    for (int i = 0; i < 500 && shell.running() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        shell.reap();
    }
    EXPECT_EQ(shell.running(), 0u);
}

}  // namespace
