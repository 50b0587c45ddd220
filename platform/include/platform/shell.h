// The desktop shell: hands a document to the program the desktop associates with it.
#pragma once

#include <string>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens target with its associated program, detached, and returns soon. directory is the
    // working folder of the started program. False when the target could not be handed to a
    // program: no such file, no program to open it, or one that failed straight away.
    virtual bool open(const std::string& target, const std::string& directory) = 0;
};

}  // namespace platform
