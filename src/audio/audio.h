// The three sound effects and the looping background music.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace fusefuda {

struct AudioState;

// Holds the embedded effects. The audio device is opened only when something
// is to be heard (an effect, the music) and closed again after a few seconds
// with nothing to play and no piece loaded, so that a quiet game wakes
// nothing. Never fails visibly.
AudioState *openAudio();
void closeAudio(AudioState *audio);
// Opens the device now, falling back to a silent driver; false only when not
// even that opens.
bool openAudioDevice(AudioState *audio);
bool audioDeviceOpen(AudioState *audio);
// For the moment the window has shown its first frame: loads the audio
// libraries on a thread of their own and, with withMusic, opens the device and
// loads the piece there too, so that the window waits for none of it; ready
// then runs on the GUI thread. An operation asked for meanwhile waits for the
// thread, and a sound is not lost.
void warmUpAudio(AudioState *audio, bool withMusic, std::function<void()> ready);

// Replaces the sound of effect 113, 114 or 130 with a WAV file held in memory;
// data that is not a WAV leaves the effect without a sound, so that playing it
// does nothing.
void loadEffect(AudioState *audio, int number, const char *data, size_t size);
// Plays effect 113, 114 or 130 on the one effect channel, opening the device
// first if need be: a new effect cuts the one still playing. The caller
// checks soundOn.
void playEffect(AudioState *audio, int number);

// The music file beside the executable: "<dir>/<base name>.mid".
std::string musicPathFor(const std::string &executablePath);
// Music operations; each fails silently. Opening only names the file: the
// piece is loaded, and the device opened, the first time it is played.
void openMusic(AudioState *audio, const std::string &path);
void playMusicFromStart(AudioState *audio);
void resumeMusic(AudioState *audio);
void stopMusic(AudioState *audio);
void closeMusic(AudioState *audio);
bool musicIsOpen(const AudioState *audio);
// Called on the GUI thread when the piece reaches its natural end (not after a
// stop or close); the window then plays it again from the start.
void setMusicEndHandler(AudioState *audio, std::function<void()> handler);

}  // namespace fusefuda
