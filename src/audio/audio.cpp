// Stand-in until sound lands.
#include "audio/audio.h"

namespace fusefuda {
struct AudioState {};
AudioState *openAudio() { return new AudioState; }
void closeAudio(AudioState *audio) { delete audio; }
void playEffect(AudioState *, int) {}
std::string musicPathFor(const std::string &) { return {}; }
void openMusic(AudioState *, const std::string &) {}
void playMusicFromStart(AudioState *) {}
void resumeMusic(AudioState *) {}
void stopMusic(AudioState *) {}
void closeMusic(AudioState *) {}
bool musicIsOpen(const AudioState *) { return false; }
void setMusicEndHandler(AudioState *, std::function<void()>) {}
}  // namespace fusefuda
