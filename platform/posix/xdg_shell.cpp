// XdgShell: hands a document to xdg-open through posix_spawnp, never through a shell command line.
#include "platform/xdg_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

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

void XdgShell::open(const std::string& target, const std::string& directory) {
    reap();
    SpawnSetup setup;
    if (!setup.attrOk || !setup.actionsOk) return;
    // Its own session, so the opened program outlives us and ignores our terminal's signals.
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&setup.actions, directory.c_str());

    std::string program = program_, document = target;
    char* argv[] = {program.data(), document.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program_.c_str(), &setup.actions, &setup.attr, argv, environ) == 0) children_.push_back(pid);
}

}  // namespace platform
