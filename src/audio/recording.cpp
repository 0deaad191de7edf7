#include "audio/recording.h"

#include <malloc.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "audio/fluidlibrary.h"

namespace fusefuda {

// FluidSynth's synthesiser with the soundfont and the piece loaded, set up
// as SDL_mixer sets up its own for MIDI, so that the recording sounds as the
// live music does.
struct Synthesiser {
    const FluidLibrary &fluid;
    fluid_settings_t *settings = nullptr;
    fluid_synth_t *synth = nullptr;
    fluid_player_t *player = nullptr;

    explicit Synthesiser(const FluidLibrary &library) : fluid(library) {}
    ~Synthesiser() {
        if (player) fluid.delete_fluid_player(player);
        if (synth) fluid.delete_fluid_synth(synth);
        if (settings) fluid.delete_fluid_settings(settings);
    }
};

namespace {

constexpr int kChannels = 2;
// A piece's length is estimated from the tempo at its start; the room
// reserved is a fifth longer than the longest piece recorded, and a piece
// that slows down beyond even that loops where the room ends.
constexpr double kRoomForTempoChanges = 1.2;
// Room for the last notes' release and echo after the end-of-track. The
// game's tune dies away within three seconds; a note left hanging would ring
// for ever, and is cut here.
constexpr int kLongestTailSeconds = 10;
// Within this of silence the tail is the synthesiser's dither and nothing
// else.
bool audible(int16_t sample) { return sample > 2 || sample < -2; }

// The soundfonts that SDL_mixer would load, the way it loads them: one that
// fails is passed over.
int SDLCALL loadSoundfont(const char *path, void *synthesiser) {
    auto *s = static_cast<Synthesiser *>(synthesiser);
    s->fluid.fluid_synth_sfload(s->synth, path, 1);
    return 1;
}

std::unique_ptr<Synthesiser> makeSynthesiser(const FluidLibrary &fluid, const SdlLibrary &sdl,
                                             const QByteArray &midi, int rate, float gain) {
    auto s = std::make_unique<Synthesiser>(fluid);
    s->settings = fluid.new_fluid_settings();
    if (!s->settings) return nullptr;
    // A rate the synthesiser does not take would change the music's speed.
    double taken = 0;
    if (fluid.fluid_settings_setnum(s->settings, "synth.sample-rate", rate) != FLUID_OK ||
        fluid.fluid_settings_getnum(s->settings, "synth.sample-rate", &taken) != FLUID_OK ||
        taken != rate)
        return nullptr;
    // Only the instruments the piece chooses are read from the soundfont,
    // when it chooses them: they sound the same, and the rest of the
    // soundfont never comes into memory, where it would leave freed memory
    // behind that the process cannot hand back.
    fluid.fluid_settings_setint(s->settings, "synth.dynamic-sample-loading", 1);
    s->synth = fluid.new_fluid_synth(s->settings);
    if (!s->synth) return nullptr;
    sdl.Mix_EachSoundFont(loadSoundfont, s.get());
    if (fluid.fluid_synth_sfcount(s->synth) == 0) return nullptr;
    fluid.fluid_synth_set_gain(s->synth, gain);
    s->player = fluid.new_fluid_player(s->synth);
    if (!s->player || fluid.fluid_player_add_mem(s->player, midi.constData(), size_t(midi.size())) != FLUID_OK)
        return nullptr;
    fluid.fluid_player_play(s->player);
    return s;
}

// Ticks to the quarter note from the header; 0 for time in SMPTE frames,
// which no estimate here reads, and for what is no standard MIDI file.
int ticksPerQuarter(const QByteArray &midi) {
    if (midi.size() < 14 || !midi.startsWith("MThd")) return 0;
    const int division = (uint8_t(midi[12]) << 8) | uint8_t(midi[13]);
    return division & 0x8000 ? 0 : division;
}

}  // namespace

Recording::Recording(const FluidLibrary &fluid, std::unique_ptr<Synthesiser> synthesiser,
                     size_t capacity, int rate)
    : fluid_(fluid),
      synthesiser_(std::move(synthesiser)),
      rate_(size_t(rate)),
      capacity_(capacity) {
    // Reserved, not committed: only the pages rendered into take memory,
    // and they all go back at once when the recording is freed.
    void *room = mmap(nullptr, capacity * kChannels * sizeof(int16_t), PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    samples_ = room == MAP_FAILED ? nullptr : static_cast<int16_t *>(room);
}

Recording::~Recording() {
    cancel_ = true;
    if (renderer_.joinable()) renderer_.join();
    synthesiser_.reset();
    if (samples_) munmap(samples_, capacity_ * kChannels * sizeof(int16_t));
}

std::unique_ptr<Recording> Recording::start(const SdlLibrary &sdl, const QByteArray &midi,
                                            int rate, float gain, int longestSeconds) {
    const FluidLibrary *fluid = fluidLibrary();
    const int division = ticksPerQuarter(midi);
    if (!fluid || division == 0 || rate <= 0 || longestSeconds <= 0) return nullptr;
    std::unique_ptr<Synthesiser> synthesiser = makeSynthesiser(*fluid, sdl, midi, rate, gain);
    if (!synthesiser) return nullptr;
    const auto capacity =
        size_t((longestSeconds * kRoomForTempoChanges + kLongestTailSeconds) * rate);
    std::unique_ptr<Recording> recording(new Recording(*fluid, std::move(synthesiser), capacity, rate));
    if (!recording->samples_) return nullptr;

    // The first block reads the file and sends what lies at its start, the
    // opening tempo among it. A file it cannot read ends the play at once.
    recording->renderBlock();
    const Synthesiser &s = *recording->synthesiser_;
    const int ticks = fluid->fluid_player_get_total_ticks(s.player);
    if (fluid->fluid_player_get_status(s.player) == FLUID_PLAYER_DONE || ticks <= 0) return nullptr;
    const double seconds = double(ticks) * fluid->fluid_player_get_midi_tempo(s.player) / 1e6 / division;
    if (seconds > longestSeconds) return nullptr;
    recording->endTick_ = ticks;

    // The first second at once, so that the music can start straight away;
    // the rest while it plays.
    while (recording->renderedFrames() < size_t(rate) && recording->loopFrames() == 0)
        recording->renderBlock();
    recording->renderer_ = std::thread(&Recording::renderRest, recording.get());
    return recording;
}

// Live synthesis loops the piece where the player reaches its end-of-track,
// within the block that sends the last events, and the notes still sounding
// ring on over the new start. So the recording is the piece up to that
// block, and then, as the synthesiser goes on without a new start, their
// release and echo: the tail, mixed over the start of every repeat.
void Recording::renderBlock() {
    Synthesiser &s = *synthesiser_;
    // The player moves on between the synthesiser's blocks: rendering one at a
    // time finds the block of the end-of-track.
    const auto block = size_t(fluid_.fluid_synth_get_internal_bufsize(s.synth));
    const size_t at = written_;
    size_t loop = loopFrames();
    if (at + block > capacity_ || (loop != 0 && at - loop >= kLongestTailSeconds * rate_)) {
        endTail(loop != 0 ? loop : at);
        return;
    }
    int16_t *out = samples_ + at * kChannels;
    fluid_.fluid_synth_write_s16(s.synth, int(block), out, 0, kChannels, out, 1, kChannels);
    written_ = at + block;
    const bool done = fluid_.fluid_player_get_status(s.player) == FLUID_PLAYER_DONE;
    if (loop == 0 && (done || fluid_.fluid_player_get_current_tick(s.player) >= endTick_)) {
        loop_.store(at, std::memory_order_release);
        loop = at;
    } else if (loop == 0) {
        rendered_.store(written_, std::memory_order_release);
    }
    if (loop == 0) return;
    if (std::any_of(out, out + block * kChannels, audible)) lastAudible_ = written_;
    // The player ends some seconds after every note has died away; the
    // echo has died away well before.
    if (done || written_ - std::max(lastAudible_, loop) > rate_ / 2) endTail(loop);
}

void Recording::endTail(size_t loop) {
    if (loopFrames() == 0) loop_.store(loop, std::memory_order_release);
    size_t tail = written_ > loop ? written_ - loop : 0;
    const int16_t *start = samples_ + loop * kChannels;
    while (tail > 0 && !audible(start[2 * tail - 2]) && !audible(start[2 * tail - 1])) --tail;
    tail_.store(tail, std::memory_order_release);
    tailEnded_ = true;
}

void Recording::renderRest() {
    pthread_setname_np(pthread_self(), "music recorder");
    // Behind everything else the process and the machine do: a second of
    // music takes the synthesiser well under a hundredth of a second.
    setpriority(PRIO_PROCESS, id_t(gettid()), 19);
    while (!cancel_ && !tailEnded_) renderBlock();
    synthesiser_.reset();
    // The soundfont's samples and the synthesiser's many small blocks leave
    // free memory behind; hand it back.
    malloc_trim(0);
    synthesiserFreed_ = true;
}

void Recording::finishRendering() {
    if (renderer_.joinable()) renderer_.join();
}

void Recording::play(bool fromStart) {
    uint32_t request = request_.load(std::memory_order_relaxed);
    if (fromStart) request += 2;
    request_.store(request | 1, std::memory_order_release);
}

void Recording::pause() {
    request_.store(request_.load(std::memory_order_relaxed) & ~1u, std::memory_order_release);
}

bool Recording::playing() const { return (request_.load() & 1) != 0; }

void SDLCALL Recording::mix(void *recording, Uint8 *stream, int bytes) {
    auto *r = static_cast<Recording *>(recording);
    const uint32_t request = r->request_.load(std::memory_order_acquire);
    if (request >> 1 != r->rewindsSeen_) {
        r->rewindsSeen_ = request >> 1;
        r->position_ = 0;
        r->tailNow_ = 0;
    }
    // SDL_mixer hands the buffer over silent.
    if ((request & 1) == 0) return;
    auto *out = reinterpret_cast<int16_t *>(stream);
    size_t wanted = size_t(bytes) / (kChannels * sizeof(int16_t));
    while (wanted > 0) {
        const size_t loop = r->loopFrames();
        if (loop != 0 && r->position_ >= loop) {
            r->position_ = 0;
            r->tailNow_ = r->tail_.load(std::memory_order_acquire);
        }
        const size_t ready = loop != 0 ? loop : r->renderedFrames();
        const size_t n = std::min(wanted, ready - r->position_);
        if (n == 0) return;
        const int16_t *from = r->samples_ + r->position_ * kChannels;
        std::memcpy(out, from, n * kChannels * sizeof(int16_t));
        if (r->position_ < r->tailNow_) {
            const int16_t *tail = r->samples_ + (loop + r->position_) * kChannels;
            const size_t overlap = std::min(n, r->tailNow_ - r->position_) * kChannels;
            for (size_t i = 0; i < overlap; ++i)
                out[i] = int16_t(std::clamp(out[i] + tail[i], INT16_MIN, INT16_MAX));
        }
        out += n * kChannels;
        wanted -= n;
        r->position_ += n;
    }
}

}  // namespace fusefuda
