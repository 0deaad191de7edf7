// The three sound effects on their one channel.
#include <SDL.h>
#include <SDL_mixer.h>

#include "assets/catalogue.h"
#include "audio/AudioState.h"
#include "audio/audio.h"

namespace fusefuda {

namespace {
// Starting an effect on this channel stops the one still playing there.
constexpr int kEffectChannel = 0;
}  // namespace

int effectSlot(int number) {
    switch (number) {
        case kJoinSound:
            return 0;
        case kClearSound:
            return 1;
        case kPeekSound:
            return 2;
        default:
            return -1;
    }
}

void freeEffects(AudioState *audio) {
    for (Mix_Chunk *&chunk : audio->effects) {
        // Freeing a chunk halts the channel that plays it.
        if (chunk) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

void loadEffect(AudioState *audio, int number, const char *data, size_t size) {
    int slot = effectSlot(number);
    if (!audio || slot < 0) return;
    Mix_Chunk *&chunk = audio->effects[slot];
    if (chunk) Mix_FreeChunk(chunk);
    chunk = nullptr;
    if (audio->deviceOpen != 1 || !data || size == 0 || size > INT32_MAX) return;
    SDL_RWops *bytes = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (bytes) chunk = Mix_LoadWAV_RW(bytes, 1);
}

void playEffect(AudioState *audio, int number) {
    int slot = effectSlot(number);
    if (!audio || slot < 0 || !audio->effects[slot]) return;
    Mix_PlayChannel(kEffectChannel, audio->effects[slot], 0);
}

}  // namespace fusefuda
