// The audio subsystem's own record: the open device, the effect sounds and
// the music. SDL_mixer is process-wide, so there is one of these at a time.
#pragma once

#include <SDL_mixer.h>

#include <QObject>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace fusefuda {

// Where the music stands, as far as the next play or resume is concerned.
enum class MusicPhase {
    AtStart,  // loaded and never played: a resume starts it from the beginning
    Playing,
    Stopped,  // paused part-way through: a resume goes on from there
    Ended,    // ran to its end: playing it again starts from the beginning
};

struct AudioState {
    // 1 once Mix_OpenAudio succeeded on some driver, the silent one included.
    int32_t deviceOpen = 0;
    // Effects 113, 114 and 130 in that order; null where there is no sound.
    std::array<Mix_Chunk *, 3> effects{};

    std::string musicPath;
    // The loaded piece; null when opening failed, and every music operation
    // then does nothing.
    Mix_Music *musicDevice = nullptr;
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

// Index into AudioState::effects, or -1 for a number that is not an effect.
int effectSlot(int number);
void freeEffects(AudioState *audio);

// The hook handed to Mix_HookMusicFinished; runs on whatever thread SDL_mixer
// calls it from. Tests call it to stand in for the audio thread.
void musicFinishedHook();
// Points the hook at the record (or at nothing, with null).
void attachMusicHook(AudioState *audio);
// The queued end notice, on the GUI thread: restarts only a natural end of the
// play that is still current.
void musicEndNotice(AudioState *audio, uint32_t generation);

}  // namespace fusefuda
