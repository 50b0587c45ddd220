// The desktop the program runs on: every service the game gets from its platform, with the
// settings store where this system keeps the records, made and owned together. The SDL back end
// and a file store on Linux; the Win32 back end and the registry on Windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // False when no window can be shown (no display); error() tells why.
    bool ok() const;
    std::string error() const;
    // The services, the store included.
    Services services();
    Ui& ui();

    // The program's arguments after its name, as this system's programs read them: on Windows "/?"
    // asks for help (as --help).
    static std::vector<std::string> arguments(int argc, const char* const* argv);
    // Shows what the command line answers with (help, version, a usage error): out is the answer,
    // err the complaint. On Linux they go to standard output and standard error. On Windows, where
    // the program has no console of its own, they go to the output the program was given, else to
    // the console it was started from, else into a message box.
    static void showCommandLineText(const std::string& out, const std::string& err);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace platform
