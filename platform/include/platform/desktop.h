// The desktop the program runs on: every service the game gets from its platform, with the
// settings store where this system keeps the records, made and owned together. The SDL back end
// and a file store on Linux; the Win32 back end and the registry on Windows.
#pragma once

#include <memory>
#include <string>

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

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace platform
