// Opening and closing the audio device, and the warm-up after start-up.
#include <QMetaObject>
#include <utility>

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
// The effects are authored at the level they should sound.
constexpr int kEffectVolume = MIX_MAX_VOLUME;
// SDL's audio thread wakes for every buffer while the device is open, so a
// device with nothing to play is closed again. Long enough that a player
// peeking card after card does not wait for it to open each time.
constexpr int kQuietCloseMs = 5000;

bool openOn(const SdlLibrary &sdl, const char *driver) {
    // The hint overrides SDL_AUDIODRIVER for this one attempt only.
    if (driver) sdl.SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    bool initialised = sdl.SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (driver) sdl.SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!initialised) return false;
    if (sdl.Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, 2, kBufferFrames) == 0) return true;
    sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

void closeDevice(AudioState *audio, bool inBackground) {
    audio->quietTimer->stop();
    audio->sdl->Mix_HaltChannel(-1);
    freeEffects(audio);
    // Closing halts the music and calls the finished hook once more.
    attachMusicHook(audio, false);
    audio->deviceOpen = 0;
    const SdlLibrary *sdl = audio->sdl;
    auto close = [sdl] {
        sdl->Mix_CloseAudio();
        sdl->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    };
    if (!inBackground) {
        close();
        return;
    }
    audio->background = std::thread([sdl, close] {
        close();
        // SDL keeps data for each thread that calls it, and frees it by
        // itself only for threads that it started.
        sdl->SDL_TLSCleanup();
    });
}

}  // namespace

AudioState *openAudio() {
    auto *audio = new AudioState;
    audio->noticeReceiver = std::make_unique<QObject>();
    audio->quietTimer = std::make_unique<QTimer>();
    audio->quietTimer->setSingleShot(true);
    audio->quietTimer->setInterval(kQuietCloseMs);
    QObject::connect(audio->quietTimer.get(), &QTimer::timeout,
                     [audio] { closeDeviceIfQuiet(audio); });
    for (int number : {kJoinSound, kClearSound, kPeekSound})
        audio->effectWaves[size_t(effectSlot(number))] = loadSound(number);
    return audio;
}

bool openDevice(AudioState *audio, const SdlLibrary &sdl) {
    // SDL would otherwise take over SIGINT and SIGTERM and turn them into
    // events that nobody reads: the game could then not be ended by them.
    sdl.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Without a usable device the game still runs the same code on the silent
    // driver, so that nothing behaves differently apart from the sound.
    if (!openOn(sdl, nullptr) && !openOn(sdl, "dummy")) return false;
    audio->sdl = &sdl;
    audio->deviceOpen = 1;
    sdl.Mix_AllocateChannels(kEffectChannels);
    sdl.Mix_Volume(-1, kEffectVolume);
    sdl.Mix_VolumeMusic(kMusicVolume);
    attachMusicHook(audio, true);
    decodeEffects(audio);
    return true;
}

bool openAudioDevice(AudioState *audio) {
    if (!audio) return false;
    finishBackgroundWork(audio);
    if (audio->deviceOpen == 1) return true;
    const SdlLibrary *sdl = sdlLibrary();
    if (!sdl || !openDevice(audio, *sdl)) return false;
    // Opened for a piece that then fails to load, it closes again.
    noteSound(audio);
    return true;
}

void warmUpAudio(AudioState *audio, bool withMusic, std::function<void()> ready) {
    if (!audio) return;
    finishBackgroundWork(audio);
    audio->background = std::thread([audio, withMusic, ready = std::move(ready)] {
        const SdlLibrary *sdl = sdlLibrary();
        if (sdl && withMusic && audio->musicLoadPending == 1 && openDevice(audio, *sdl))
            loadPendingPiece(audio);
        if (sdl) sdl->SDL_TLSCleanup();
        QMetaObject::invokeMethod(
            audio->noticeReceiver.get(),
            [audio, ready] {
                finishBackgroundWork(audio);
                noteSound(audio);
                if (ready) ready();
            },
            Qt::QueuedConnection);
    });
}

bool audioDeviceOpen(AudioState *audio) {
    if (!audio) return false;
    finishBackgroundWork(audio);
    return audio->deviceOpen == 1;
}

void noteSound(AudioState *audio) {
    if (audio->deviceOpen == 1) audio->quietTimer->start();
}

void closeDeviceIfQuiet(AudioState *audio) {
    if (!audio) return;
    finishBackgroundWork(audio);
    // A loaded piece belongs to the open device: closing would lose the place
    // where a stopped piece resumes. It stays open until the piece is freed.
    if (audio->deviceOpen != 1 || pieceLoaded(audio)) return;
    if (audio->sdl->Mix_Playing(-1) != 0) {
        audio->quietTimer->start();
        return;
    }
    closeDevice(audio, true);
}

void finishBackgroundWork(AudioState *audio) {
    if (audio->background.joinable()) audio->background.join();
}

void closeAudio(AudioState *audio) {
    if (!audio) return;
    finishBackgroundWork(audio);
    if (audio->musicOpen == 1) closeMusic(audio);
    if (audio->deviceOpen == 1) closeDevice(audio, false);
    delete audio;
}

}  // namespace fusefuda
