// The desktop shell on Linux: xdg-open started as a detached process with an argument vector.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform {

// Implements: Shell::open by starting `program target` in the given folder, in a session of its
// own, with standard input and output on /dev/null. It reports failure when the target file is
// missing (a URL is not checked), the program cannot be started, or it ends with an error within
// the first moments (xdg-open finding nothing to open the file with); a program still running
// then counts as having taken the document.
// Not implemented: waiting for the opened program, reporting errors it meets later.
class XdgShell final : public Shell {
public:
    // How long open() waits to see whether the program fails at once.
    static constexpr int kDefaultWaitMs = 500;
    // The program that opens documents; tests pass another one.
    explicit XdgShell(std::string program = "xdg-open", int waitMs = kDefaultWaitMs)
        : program_(std::move(program)), waitMs_(waitMs) {}
    ~XdgShell() override;
    XdgShell(const XdgShell&) = delete;
    XdgShell& operator=(const XdgShell&) = delete;

    bool open(const std::string& target, const std::string& directory) override;
    // Collects the exit status of finished children so they leave no zombies; never blocks.
    void reap();
    // Children started and not yet collected.
    std::size_t running() const { return children_.size(); }

private:
    std::string program_;
    int waitMs_;
    std::vector<int> children_;
};

}  // namespace platform
