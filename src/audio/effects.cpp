// The three sound effects on their one channel.
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

namespace {

void decodeEffect(AudioState *audio, size_t slot) {
    Mix_Chunk *&chunk = audio->effects[slot];
    if (chunk) audio->sdl->Mix_FreeChunk(chunk);
    chunk = nullptr;
    const QByteArray &wav = audio->effectWaves[slot];
    if (audio->deviceOpen != 1 || wav.isEmpty()) return;
    // Decoding converts the sound to the device's format, so it waits for
    // the device.
    SDL_RWops *bytes = audio->sdl->SDL_RWFromConstMem(wav.constData(), int(wav.size()));
    if (bytes) chunk = audio->sdl->Mix_LoadWAV_RW(bytes, 1);
}

}  // namespace

void decodeEffects(AudioState *audio) {
    for (size_t slot = 0; slot < audio->effects.size(); ++slot) decodeEffect(audio, slot);
}

void freeEffects(AudioState *audio) {
    for (Mix_Chunk *&chunk : audio->effects) {
        // Freeing a chunk halts the channel that plays it.
        if (chunk) audio->sdl->Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

void loadEffect(AudioState *audio, int number, const char *data, size_t size) {
    int slot = effectSlot(number);
    if (!audio || slot < 0) return;
    finishBackgroundWork(audio);
    bool none = !data || size == 0 || size > INT32_MAX;
    audio->effectWaves[size_t(slot)] = none ? QByteArray() : QByteArray(data, qsizetype(size));
    decodeEffect(audio, size_t(slot));
}

void playEffect(AudioState *audio, int number) {
    int slot = effectSlot(number);
    // An effect without a sound opens nothing.
    if (!audio || slot < 0 || audio->effectWaves[size_t(slot)].isEmpty()) return;
    if (!openAudioDevice(audio) || !audio->effects[size_t(slot)]) return;
    audio->sdl->Mix_PlayChannel(kEffectChannel, audio->effects[size_t(slot)], 0);
    noteSound(audio);
}

}  // namespace fusefuda
