// XdgShell: hands a document to xdg-open through posix_spawnp, never through a shell command line.
#include "platform/xdg_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

extern char** environ;

namespace platform {

namespace {

// posix_spawn's attribute and file-action objects, destroyed on every path.
struct SpawnSetup {
    posix_spawnattr_t attr{};
    posix_spawn_file_actions_t actions{};
    bool attrOk = false;
    bool actionsOk = false;
    SpawnSetup() {
        attrOk = posix_spawnattr_init(&attr) == 0;
        actionsOk = posix_spawn_file_actions_init(&actions) == 0;
    }
    ~SpawnSetup() {
        if (attrOk) posix_spawnattr_destroy(&attr);
        if (actionsOk) posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

XdgShell::~XdgShell() { reap(); }

void XdgShell::reap() {
    std::erase_if(children_, [](int pid) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        return r != 0;  // finished, or no longer ours to wait for
    });
}

bool XdgShell::open(const std::string& target, const std::string& directory) {
    reap();
    // A page that is not there is not handed over (a URL is left to the program).
    if (target.find("://") == std::string::npos) {
        const std::string file = target.starts_with('/') || directory.empty() ? target : directory + "/" + target;
        if (access(file.c_str(), R_OK) != 0) return false;
    }
    SpawnSetup setup;
    if (!setup.attrOk || !setup.actionsOk) return false;
    // Its own session, so the opened program outlives us and ignores our terminal's signals.
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&setup.actions, directory.c_str());

    std::string program = program_, document = target;
    char* argv[] = {program.data(), document.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program_.c_str(), &setup.actions, &setup.attr, argv, environ) != 0) return false;

    // xdg-open that finds no program for the file ends at once with a non-zero status; one that
    // found one either hands the file over and ends with 0 or stays to run it.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs_);
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (r < 0) return true;  // not ours to wait for any more (SIGCHLD ignored)
        if (std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    children_.push_back(pid);
    return true;
}

}  // namespace platform
