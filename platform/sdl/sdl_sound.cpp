// SdlSound: wave files through SDL2_mixer on one channel, so a new sound cuts off the playing one.
#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl.h"

namespace platform {

namespace {

constexpr int kChannel = 0;
constexpr int kChunkSize = 1024;

}  // namespace

void SdlSound::ChunkFree::operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }

SdlSound::SdlSound(bool open) {
    // No audio device is no failure: the game just stays silent.
    if (!open || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, kChunkSize) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(1);
    ok_ = true;
}

SdlSound::~SdlSound() {
    if (!ok_) return;
    Mix_HaltChannel(-1);
    chunks_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::play(const std::string& path) {
    if (!ok_) return;
    // Asking for a sound stops the current one even when the new file cannot be played.
    Mix_HaltChannel(kChannel);
    auto it = chunks_.find(path);
    if (it == chunks_.end()) {
        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        if (chunk == nullptr) return;  // missing or unreadable: silence (tried again next time)
        it = chunks_.emplace(path, std::unique_ptr<Mix_Chunk, ChunkFree>(chunk)).first;
    }
    Mix_PlayChannel(kChannel, it->second.get(), 0);
}

void SdlSound::stop() {
    if (ok_) Mix_HaltChannel(kChannel);
}

}  // namespace platform
