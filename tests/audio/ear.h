// Hears what the audio device played: SDL's disk driver writes the mixed
// output to a file, which is read back and cut into 20 ms windows, each named
// after the test tone that dominates it.
#pragma once

#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace fusefuda {
struct AudioState;
}

namespace fusefuda::testing {

// A window with no sound worth the name.
constexpr char kSilence = '.';
// A window with sound but no one clearly dominant tone (a mixture, an onset).
constexpr char kUnclear = '?';

class Ear {
public:
    // Points SDL's disk driver at a fresh file; must come before openAudio.
    // The driver waits pacingMs between buffers, so the music runs a few
    // times faster than real time but a test can still react within a note.
    explicit Ear(std::vector<std::pair<char, double>> tones, int pacingMs = 10);

    // One character per 20 ms window heard so far: a tone's letter, kSilence
    // or kUnclear.
    const std::string &heard();
    // The left channel of everything heard so far.
    const std::vector<int16_t> &samples();
    // Known once the device is open.
    int rate() {
        readMore();
        return rate_;
    }
    int windowFrames() const { return rate_ / 50; }

private:
    void readMore();
    char classify(const int16_t *window) const;

    std::vector<std::pair<char, double>> tones_;
    QTemporaryDir dir_;
    std::string path_;
    long long readBytes_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    std::vector<int16_t> samples_;
    std::string heard_;
};

// Runs the Qt event loop until the condition holds; false if it still does
// not after a generous bound (the bound only stops a broken test from hanging).
bool waitUntil(const std::function<bool()> &condition, int boundMilliseconds = 30000);
// Runs the event loop until every call queued so far has been delivered.
void deliverQueuedCalls();

// Whether the piece plays now, recorded or live: started and not paused.
bool musicSounding(const AudioState *audio);

// Position of the first tone letter at or after from, or npos.
size_t firstTone(const std::string &heard, size_t from = 0);
// Position just past the first run of n silent windows at or after from, or npos.
size_t afterSilence(const std::string &heard, size_t from, size_t n = 10);

}  // namespace fusefuda::testing
