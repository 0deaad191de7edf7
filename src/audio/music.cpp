// The background music: open, play from the start, resume, stop and close.
#include <QFile>
#include <filesystem>
#include <system_error>

#include "audio/AudioState.h"
#include "audio/audio.h"

namespace fusefuda {

namespace {

// Called before anything that halts, frees or replaces the piece: SDL_mixer
// reports those through the same hook as a natural end.
void disarmLoop(AudioState *audio) {
    audio->loopArmed = 0;
    ++audio->playGeneration;
}

void startPlaying(AudioState *audio) {
    ++audio->playGeneration;
    if (audio->recording) {
        // A recording loops by itself for ever: there is no end to hear of.
        audio->recording->play(true);
        audio->musicPhase = MusicPhase::Playing;
        return;
    }
    audio->loopArmed = 1;
    // The synthesiser loops the piece itself, at its end-of-track time. Played
    // once, its end would only be reported when the last release tails and
    // the reverb have died away, seconds later: a silent gap on every loop.
    // The end notice stays armed for a player that stops after all.
    if (audio->sdl->Mix_PlayMusic(audio->musicDevice, -1) == 0) {
        audio->musicPhase = MusicPhase::Playing;
    } else {
        disarmLoop(audio);
    }
}

// SDL_mixer crashes on a folder and would block on a pipe, so only a plain
// file reaches it or the synthesiser.
bool plainFile(const std::string &path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Null on a missing, unreadable or broken file, without a soundfont and
// without a device; the game then simply has no music.
Mix_Music *loadPiece(const AudioState *audio) {
    if (audio->deviceOpen != 1 || !plainFile(audio->musicPath)) return nullptr;
    return audio->sdl->Mix_LoadMUS(audio->musicPath.c_str());
}

// Standard MIDI files are a few kilobytes; anything far larger is left to
// SDL_mixer.
constexpr qint64 kLargestRecordedFile = 16 << 20;

// Null where the piece is to be played live: see Recording::start. Recorded
// at the device's rate, in the device's format.
std::unique_ptr<Recording> recordPiece(const AudioState *audio) {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (audio->sdl->Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS ||
        channels != 2)
        return nullptr;
    QFile file(QString::fromStdString(audio->musicPath));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestRecordedFile) return nullptr;
    // The gain SDL_mixer's own MIDI player gives the synthesiser at the
    // music's volume.
    const float gain = float(kMusicVolume) * 1.2f / MIX_MAX_VOLUME;
    return Recording::start(*audio->sdl, file.readAll(), rate, gain,
                            audio->longestRecordedSeconds);
}

void freeMusic(AudioState *audio) {
    if (audio->recording) {
        // Once the hook is detached, the device's thread no longer reads it.
        audio->sdl->Mix_HookMusic(nullptr, nullptr);
        audio->recording.reset();
    }
    if (audio->musicDevice) audio->sdl->Mix_FreeMusic(audio->musicDevice);
    audio->musicDevice = nullptr;
    // Nothing holds the device open any more once it falls quiet.
    noteSound(audio);
}

// Loads the piece the first time it is to be heard, opening the device for
// it; true when there is a piece to play.
bool pieceReady(AudioState *audio) {
    finishBackgroundWork(audio);
    if (audio->musicLoadPending == 1 && openAudioDevice(audio)) loadPendingPiece(audio);
    return pieceLoaded(audio);
}

}  // namespace

void loadPendingPiece(AudioState *audio) {
    audio->musicLoadPending = 0;
    if (audio->deviceOpen != 1 || !plainFile(audio->musicPath)) return;
    audio->recording = recordPiece(audio);
    if (audio->recording)
        audio->sdl->Mix_HookMusic(Recording::mix, audio->recording.get());
    else
        audio->musicDevice = loadPiece(audio);
}

std::string musicPathFor(const std::string &executablePath) {
    size_t slash = executablePath.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string base = executablePath.substr(nameStart);
    // Only a dot inside the name starts an extension: a leading dot marks a
    // hidden file, and dots in the directories are not looked at.
    size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) base.erase(dot);
    return executablePath.substr(0, nameStart) + base + ".mid";
}

void openMusic(AudioState *audio, const std::string &path) {
    if (!audio) return;
    finishBackgroundWork(audio);
    if (audio->musicOpen == 1) closeMusic(audio);
    audio->musicPath = path;
    audio->musicLoadPending = 1;
    audio->musicPhase = MusicPhase::AtStart;
    audio->musicOpen = 1;
}

void playMusicFromStart(AudioState *audio) {
    if (!audio || !pieceReady(audio)) return;
    disarmLoop(audio);
    // A MIDI piece that was halted part-way goes on from where it was when it
    // is played again, so only a fresh load starts at the beginning. A piece
    // that ran to its end starts over by itself, and a recording simply
    // rewinds.
    if (!audio->recording &&
        (audio->musicPhase == MusicPhase::Playing || audio->musicPhase == MusicPhase::Stopped)) {
        freeMusic(audio);
        audio->musicDevice = loadPiece(audio);
        audio->musicPhase = MusicPhase::AtStart;
        if (!audio->musicDevice) return;
    }
    startPlaying(audio);
}

void resumeMusic(AudioState *audio) {
    if (!audio || !pieceReady(audio)) return;
    switch (audio->musicPhase) {
        case MusicPhase::Playing:
            return;
        case MusicPhase::AtStart:
        case MusicPhase::Ended:
            playMusicFromStart(audio);
            return;
        case MusicPhase::Stopped:
            if (audio->recording) {
                ++audio->playGeneration;
                audio->recording->play(false);
                audio->musicPhase = MusicPhase::Playing;
                return;
            }
            // The piece may have reached its end just before it was stopped;
            // its notice was dropped as stale, so start it over here instead
            // of resuming nothing.
            if (!audio->sdl->Mix_PlayingMusic()) {
                playMusicFromStart(audio);
                return;
            }
            ++audio->playGeneration;
            audio->loopArmed = 1;
            audio->sdl->Mix_ResumeMusic();
            audio->musicPhase = MusicPhase::Playing;
            return;
    }
}

void stopMusic(AudioState *audio) {
    if (!audio) return;
    finishBackgroundWork(audio);
    if (!pieceLoaded(audio) || audio->musicPhase != MusicPhase::Playing) return;
    disarmLoop(audio);
    // Pausing keeps the position, so that turning the music on again resumes.
    if (audio->recording)
        audio->recording->pause();
    else
        audio->sdl->Mix_PauseMusic();
    audio->musicPhase = MusicPhase::Stopped;
}

void closeMusic(AudioState *audio) {
    if (!audio) return;
    finishBackgroundWork(audio);
    disarmLoop(audio);
    if (audio->musicDevice) audio->sdl->Mix_HaltMusic();
    freeMusic(audio);
    audio->musicLoadPending = 0;
    audio->musicPhase = MusicPhase::AtStart;
    audio->musicOpen = 0;
}

bool musicIsOpen(const AudioState *audio) { return audio && audio->musicOpen == 1; }

void setMusicEndHandler(AudioState *audio, std::function<void()> handler) {
    if (audio) audio->musicEndHandler = std::move(handler);
}

}  // namespace fusefuda
