// The end-of-piece notice: from SDL_mixer's audio thread to the GUI thread.
#include <QMetaObject>
#include <atomic>

#include "audio/AudioState.h"

namespace fusefuda {

namespace {
// SDL_mixer's hook carries no user data.
std::atomic<AudioState *> hookTarget{nullptr};
}  // namespace

void attachMusicHook(AudioState *audio, bool attach) {
    hookTarget = attach ? audio : nullptr;
    audio->sdl->Mix_HookMusicFinished(attach ? musicFinishedHook : nullptr);
}

void musicFinishedHook() {
    AudioState *audio = hookTarget.load();
    // Halting, freeing and closing call this too; they disarm first.
    if (!audio || audio->loopArmed.load() != 1) return;
    uint32_t generation = audio->playGeneration.load();
    // SDL_mixer holds its audio lock here, so nothing may call back into it:
    // the notice is only queued, and the GUI thread acts on it.
    QMetaObject::invokeMethod(
        audio->noticeReceiver.get(), [audio, generation] { musicEndNotice(audio, generation); },
        Qt::QueuedConnection);
}

void musicEndNotice(AudioState *audio, uint32_t generation) {
    // A stop, close or new play since the piece ended makes the notice stale:
    // acting on it would start music that the player has just turned off.
    if (generation != audio->playGeneration.load() || audio->loopArmed.load() != 1 ||
        audio->musicPhase != MusicPhase::Playing)
        return;
    audio->loopArmed = 0;
    audio->musicPhase = MusicPhase::Ended;
    if (audio->musicEndHandler) audio->musicEndHandler();
}

}  // namespace fusefuda
