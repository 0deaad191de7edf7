// The piece as a recording. A loop of a fixed piece sounds the same every
// time, so the synthesiser renders it once, faster than real time, and the
// device then plays the samples in a loop; the synthesiser and its soundfont
// are freed as soon as the piece is rendered.
#pragma once

#include <QByteArray>
#include <atomic>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

#include "audio/sdllibrary.h"

namespace fusefuda {

struct FluidLibrary;
struct Synthesiser;

class Recording {
public:
    // Starts recording a standard MIDI file, in 16-bit stereo at the device's
    // rate and with the synthesiser's gain at the music's volume: renders the
    // first second at once and the rest on a thread of low priority. Null
    // when the piece is to be played live instead: without FluidSynth or a
    // soundfont, for a file the synthesiser cannot read, and for a piece that
    // lasts longer than longestSeconds.
    static std::unique_ptr<Recording> start(const SdlLibrary &sdl, const QByteArray &midi,
                                            int rate, float gain, int longestSeconds);
    // Stops the renderer if it is still at work. The hook must be detached.
    ~Recording();
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;

    // On the GUI thread; the device's thread follows at its next buffer.
    void play(bool fromStart);
    void pause();
    bool playing() const;

    // SDL_mixer's music hook, on the device's thread: the next stretch of the
    // recording, from its start again once the loop is complete, with the
    // tail of the last notes over the start of every repeat. Where the
    // renderer is behind, the rest of the buffer stays silent and the music
    // waits for it.
    static void SDLCALL mix(void *recording, Uint8 *stream, int bytes);

    // Frames rendered so far, as left and right 16-bit samples.
    size_t renderedFrames() const { return rendered_.load(std::memory_order_acquire); }
    const int16_t *samples() const { return samples_; }
    // The loop's length in frames, from the start to the piece's
    // end-of-track; 0 until the renderer has reached it. The tail follows it,
    // and is known once rendered whole.
    size_t loopFrames() const { return loop_.load(std::memory_order_acquire); }
    size_t tailFrames() const { return tail_.load(std::memory_order_acquire); }
    bool synthesiserFreed() const { return synthesiserFreed_.load(); }
    // Waits until the renderer has rendered the piece and freed the
    // synthesiser.
    void finishRendering();

private:
    Recording(const FluidLibrary &fluid, std::unique_ptr<Synthesiser> synthesiser,
              size_t capacity, int rate);
    void renderBlock();
    // The tail ends where it falls silent.
    void endTail(size_t loop);
    void renderRest();

    const FluidLibrary &fluid_;
    // Only the thread that renders touches it: start(), then the renderer.
    std::unique_ptr<Synthesiser> synthesiser_;
    int endTick_ = INT_MAX;
    const size_t rate_;
    size_t written_ = 0;  // frames, the tail's included
    size_t lastAudible_ = 0;
    bool tailEnded_ = false;
    std::thread renderer_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> synthesiserFreed_{false};

    // Room for the longest piece that is recorded and its tail, reserved but
    // untouched until rendered into. The renderer writes past rendered_ and
    // loop_ + tail_ only, the device reads below them only.
    int16_t *samples_ = nullptr;
    size_t capacity_ = 0;  // frames
    std::atomic<size_t> rendered_{0};
    std::atomic<size_t> loop_{0};
    std::atomic<size_t> tail_{0};

    // From the GUI thread to the device's: bit 0 is set while playing, the
    // bits above count the rewinds to the start.
    std::atomic<uint32_t> request_{0};
    // The device's thread's own.
    uint32_t rewindsSeen_ = 0;
    size_t position_ = 0;
    size_t tailNow_ = 0;  // none on the first time through
};

}  // namespace fusefuda
