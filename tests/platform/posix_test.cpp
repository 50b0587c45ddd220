// The POSIX services: loading libraries by name, the program folder, and the shell that starts a
// program with an argument vector in a given folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
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

// A stand-in for xdg-open in the folder: it appends "<argument count>|<folder>|<first argument>"
// to its log, then sleeps and ends with the given status.
fs::path standIn(const fs::path& dir, const std::string& name, int status, double sleepSeconds = 0) {
    const fs::path script = dir / name;
    std::ofstream(script) << "#!/bin/sh\necho \"$#|$PWD|$1\" >> \"$(dirname \"$0\")/" << name << ".log\"\nsleep "
                          << sleepSeconds << "\nexit " << status << "\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

std::string readLog(const fs::path& script) {
    std::ifstream in(script.string() + ".log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path freshFolder(const std::string& name) {
    const fs::path dir = fs::path(VARNOOK_SNAPSHOT_DIR) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return fs::canonical(dir);
}

TEST(XdgShell, StartsTheProgramInTheFolderWithTheTargetAsOneArgument) {
    const fs::path dir = freshFolder("shell_test");
    const std::string tricky = "Varnook page; rm -rf x $(echo no).htm";
    std::ofstream(dir / tricky) << "<html></html>";
    std::ofstream(dir / "second.htm") << "<html></html>";
    const fs::path opener = standIn(dir, "opener", 0);
    platform::XdgShell shell(opener.string());
    EXPECT_TRUE(shell.open(tricky, dir.string()));
    EXPECT_TRUE(shell.open((dir / "second.htm").string(), "/"));
    EXPECT_EQ(readLog(opener), "1|" + dir.string() + "|" + tricky + "\n1|/|" + (dir / "second.htm").string() + "\n")
        << "the target must arrive as one argument, never through a shell";
    fs::remove_all(dir);
}

TEST(XdgShell, ReportsWhatCannotBeHandedToAProgram) {
    const fs::path dir = freshFolder("shell_fail_test");
    std::ofstream(dir / "page.htm") << "<html></html>";
    const fs::path opener = standIn(dir, "opener", 0);

    // No page: the program is not even started.
    EXPECT_FALSE(platform::XdgShell(opener.string()).open("missing.htm", dir.string()));
    EXPECT_FALSE(platform::XdgShell(opener.string()).open((dir / "missing.htm").string(), "/"));
    EXPECT_EQ(readLog(opener), "");
    // No program, or a folder it cannot start in.
    EXPECT_FALSE(platform::XdgShell("no-such-program-varnook").open("page.htm", dir.string()));
    EXPECT_FALSE(platform::XdgShell(opener.string()).open((dir / "page.htm").string(), "/no/such/folder"));
    // xdg-open finding nothing to open the page with ends at once with status 3.
    EXPECT_FALSE(platform::XdgShell(standIn(dir, "nothing", 3).string()).open("page.htm", dir.string()));
    // A URL is left to the program to find.
    EXPECT_TRUE(platform::XdgShell(opener.string()).open("https://example.org/", dir.string()));
    fs::remove_all(dir);
}

TEST(XdgShell, AProgramStillRunningAfterTheWaitHasTakenThePageAndIsCollectedLater) {
    const fs::path dir = freshFolder("shell_slow_test");
    std::ofstream(dir / "page.htm") << "<html></html>";
    platform::XdgShell shell(standIn(dir, "viewer", 1, 0.3).string(), 50);
    EXPECT_TRUE(shell.open("page.htm", dir.string())) << "a viewer that runs on is no failure, whatever it ends with";
    EXPECT_EQ(shell.running(), 1u);
    // Finished children are collected, leaving no zombies behind.
    for (int i = 0; i < 500 && shell.running() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        shell.reap();
    }
    EXPECT_EQ(shell.running(), 0u);
    fs::remove_all(dir);
}

}  // namespace
