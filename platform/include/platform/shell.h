// The desktop shell: hands a document to the program the desktop associates with it.
#pragma once

#include <string>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens target with its associated program, detached, and returns at once. Failure is silent.
    // directory is the working folder of the started program.
    virtual void open(const std::string& target, const std::string& directory) = 0;
};

}  // namespace platform
