// The audio subsystem's own record: the open device, the effect sounds and
// the music. SDL_mixer is process-wide, so there is one of these at a time.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "audio/recording.h"
#include "audio/sdllibrary.h"

namespace fusefuda {

// The effects are authored at the level they should sound. The synthesiser
// at full volume clips on chords; at this level a full arrangement stays well
// below the effects, as background music should.
constexpr int kMusicVolume = 40;

// Where the music stands, as far as the next play or resume is concerned.
enum class MusicPhase {
    AtStart,  // loaded and never played: a resume starts it from the beginning
    Playing,
    Stopped,  // paused part-way through: a resume goes on from there
    Ended,    // ran to its end: playing it again starts from the beginning
};

struct AudioState {
    // SDL's functions, from the first time the device opened; every SDL call
    // goes through them, and only once a device is or was open.
    const SdlLibrary *sdl = nullptr;
    // 1 while Mix_OpenAudio holds a device, the silent one included. SDL's
    // audio thread wakes for every buffer while a device is open, playing or
    // not, so the device is opened only when something is to be heard.
    int32_t deviceOpen = 0;
    // Effects 113, 114 and 130 in that order, as WAV files: they outlive the
    // device, which is opened and closed around them.
    std::array<QByteArray, 3> effectWaves{};
    // The same effects decoded for the open device; null where there is no
    // sound or no device.
    std::array<Mix_Chunk *, 3> effects{};
    // Closes a device that has had nothing to play for a while (effects only:
    // a loaded piece keeps it open, so that it can resume where it stopped).
    std::unique_ptr<QTimer> quietTimer;
    // SDL work that the GUI thread would stand still for. After start-up,
    // loading the libraries and, for a game that starts with music, opening
    // the device and loading the piece: the window is on screen meanwhile.
    // And closing a quiet device: SDL's close waits for its audio thread to
    // play out two more buffers, about a tenth of a second. Every operation
    // on the GUI thread joins it before it touches SDL or this record.
    std::thread background;

    std::string musicPath;
    // The loaded piece, either recorded and played by SDL_mixer's music hook
    // or played live by SDL_mixer; both null before it is first needed and
    // when loading failed, and every music operation then does nothing.
    std::unique_ptr<Recording> recording;
    Mix_Music *musicDevice = nullptr;
    // A longer piece is played live rather than kept as a recording, which
    // takes 5 MB a minute.
    int32_t longestRecordedSeconds = 600;
    // 1 from the open step until the piece is first played: loading it needs
    // the device, which a game with the music off never opens.
    int32_t musicLoadPending = 0;
    // 1 after the open step has run, whether or not it succeeded; 0 after close.
    int32_t musicOpen = 0;
    MusicPhase musicPhase = MusicPhase::AtStart;

    // SDL_mixer calls its finished hook on the audio thread at the natural end,
    // but also synchronously from halting, freeing and closing. Only a play
    // arms the hook, and every operation that changes the music disarms it and
    // moves to a new generation, so a notice still queued from an older play is
    // recognised as stale when it reaches the GUI thread.
    std::atomic<int32_t> loopArmed{0};
    std::atomic<uint32_t> playGeneration{0};
    std::function<void()> musicEndHandler;
    // Lives on the GUI thread; the audio thread queues the end notice to it.
    // Deleting it drops a notice that is still queued.
    std::unique_ptr<QObject> noticeReceiver;
};

inline bool pieceLoaded(const AudioState *audio) {
    return audio->recording || audio->musicDevice;
}

// Index into AudioState::effects, or -1 for a number that is not an effect.
int effectSlot(int number);
// Decodes every effect for the device just opened; frees them before it closes.
void decodeEffects(AudioState *audio);
void freeEffects(AudioState *audio);

// Opens the device with the libraries given, falling back to the silent
// driver, and decodes the effects for it; starts no timer, so that it can run
// on the background thread.
bool openDevice(AudioState *audio, const SdlLibrary &sdl);
// Loads the piece that waits for the device, now that the device is open.
void loadPendingPiece(AudioState *audio);

// Closes the device when nothing plays and no piece is loaded; otherwise it
// stays open (and the quiet timer looks again later while an effect plays).
// The quiet timer calls it; tests call it to stand in for the timer.
void closeDeviceIfQuiet(AudioState *audio);
// Waits until the work on the background thread is done.
void finishBackgroundWork(AudioState *audio);
// Starts the quiet timer over: the device closes once it has been silent that
// long.
void noteSound(AudioState *audio);

// The hook handed to Mix_HookMusicFinished; runs on whatever thread SDL_mixer
// calls it from. Tests call it to stand in for the audio thread.
void musicFinishedHook();
// Points the hook at the record, or at nothing.
void attachMusicHook(AudioState *audio, bool attach);
// The queued end notice, on the GUI thread: restarts only a natural end of the
// play that is still current.
void musicEndNotice(AudioState *audio, uint32_t generation);

}  // namespace fusefuda
