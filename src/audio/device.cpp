// Opening and closing the audio device.
#include <SDL.h>
#include <SDL_mixer.h>

#include "assets/catalogue.h"
#include "audio/AudioState.h"
#include "audio/audio.h"

namespace fusefuda {

namespace {

// The effects are 8 and 11 kHz recordings and a General MIDI soundfont adds
// little above 11 kHz, while synthesising the music at 44.1 kHz costs twice
// the processor time.
constexpr int kSampleRate = 22050;
// About 46 ms: short enough that the peek click follows the button at once.
constexpr int kBufferFrames = 1024;
// One channel is all the effects need: a new effect replaces the old one.
constexpr int kEffectChannels = 1;
// The effects are authored at the level they should sound. The synthesiser
// at full volume clips on chords; at this level a full arrangement stays well
// below the effects, as background music should.
constexpr int kEffectVolume = MIX_MAX_VOLUME;
constexpr int kMusicVolume = 40;

bool openOn(const char *driver) {
    // The hint overrides SDL_AUDIODRIVER for this one attempt only.
    if (driver) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (driver) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!initialised) return false;
    if (Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, 2, kBufferFrames) == 0) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void loadEmbeddedEffects(AudioState *audio) {
    for (int number : {kJoinSound, kClearSound, kPeekSound}) {
        QByteArray wav = loadSound(number);
        loadEffect(audio, number, wav.constData(), static_cast<size_t>(wav.size()));
    }
}

}  // namespace

AudioState *openAudio() {
    auto *audio = new AudioState;
    audio->noticeReceiver = std::make_unique<QObject>();
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into
    // events that nobody reads: the game could then not be ended by them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without a usable device the game still runs the same code on the silent
    // driver, so that nothing behaves differently apart from the sound.
    if (openOn(nullptr) || openOn("dummy")) {
        audio->deviceOpen = 1;
        Mix_AllocateChannels(kEffectChannels);
        Mix_Volume(-1, kEffectVolume);
        Mix_VolumeMusic(kMusicVolume);
        attachMusicHook(audio);
        loadEmbeddedEffects(audio);
    }
    return audio;
}

void closeAudio(AudioState *audio) {
    if (!audio) return;
    if (audio->musicOpen == 1) closeMusic(audio);
    if (audio->deviceOpen == 1) {
        Mix_HaltChannel(-1);
        freeEffects(audio);
        // Closing halts the music and calls the finished hook once more.
        attachMusicHook(nullptr);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audio->deviceOpen = 0;
    }
    delete audio;
}

}  // namespace fusefuda
