// Sound effects: asynchronous playback of a wave file, a new sound replacing the one playing.
#pragma once

#include <string>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing the file and returns at once. A missing or unreadable file, or a machine
    // without an audio device, gives silence.
    virtual void play(const std::string& path) = 0;
    // Stops whatever is playing.
    virtual void stop() = 0;
};

}  // namespace platform
