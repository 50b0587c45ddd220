// The desktop shell on Linux: xdg-open started as a detached process with an argument vector.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform {

// Implements: Shell::open by starting `program target` in the given folder, in a session of its
// own, with standard input and output on /dev/null; it returns at once. Failure is silent.
// Not implemented: waiting for the opened program, reporting its errors.
class XdgShell final : public Shell {
public:
    // The program that opens documents; tests pass another one.
    explicit XdgShell(std::string program = "xdg-open") : program_(std::move(program)) {}
    ~XdgShell() override;
    XdgShell(const XdgShell&) = delete;
    XdgShell& operator=(const XdgShell&) = delete;

    void open(const std::string& target, const std::string& directory) override;
    // Collects the exit status of finished children so they leave no zombies; never blocks.
    void reap();
    // Children started and not yet collected.
    std::size_t running() const { return children_.size(); }

private:
    std::string program_;
    std::vector<int> children_;
};

}  // namespace platform
