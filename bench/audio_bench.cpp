// Processor cost of the background music: how much of one core it takes to
// mix one second of the recorded music or to synthesise it live, and of
// silence with the music stopped; what recording the piece costs once; and
// how the music starts and loops. SDL's disk driver writes to /dev/null as
// fast as the mixer runs, so each iteration is one second of sound, and the
// process CPU time per iteration is the share of a core that playing it in
// real time costs.
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <vector>

#include "assets/catalogue.h"
#include "audio/AudioState.h"
#include "audio/audio.h"
#include "soundfiles.h"

namespace fusefuda {
namespace {

std::mutex mixedLock;
std::condition_variable mixedChanged;
long long mixedFrames = 0;
// The left channel of what was mixed, while it is wanted.
bool keepMixed = false;
std::vector<int16_t> keptMixed;

void countMixed(void *, Uint8 *stream, int bytes) {
    std::lock_guard<std::mutex> lock(mixedLock);
    mixedFrames += bytes / 4;  // 16-bit stereo
    if (keepMixed) {
        const auto *frames = reinterpret_cast<const int16_t *>(stream);
        for (int i = 0; i < bytes / 4; ++i) keptMixed.push_back(frames[2 * i]);
    }
    mixedChanged.notify_all();
}

void waitForFrames(long long frames) {
    std::unique_lock<std::mutex> lock(mixedLock);
    long long until = mixedFrames + frames;
    mixedChanged.wait(lock, [until] { return mixedFrames >= until; });
}

// About as busy as a game's background tune: a piano chord on every beat, a
// bass line and a flute melody in eighth notes, 16 bars at 120 beats a minute.
QByteArray representativePiece() {
    using soundfiles::midiBytes;
    std::vector<soundfiles::MidiEvent> events = {
        {0, 0, midiBytes({0xC0, 0})}, {0, 0, midiBytes({0xC1, 32})}, {0, 0, midiBytes({0xC2, 73})}};
    // Each note ends where the next begins: note-offs go first.
    auto note = [&events](int channel, int key, int velocity, uint32_t at, uint32_t length) {
        events.push_back({at, 1, midiBytes({0x90 | channel, key, velocity})});
        events.push_back({at + length, 0, midiBytes({0x80 | channel, key, 0})});
    };
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    const int melody[8] = {72, 74, 76, 79, 77, 76, 74, 72};
    for (int bar = 0; bar < 16; ++bar) {
        for (int beat = 0; beat < 4; ++beat) {
            const uint32_t at = uint32_t(bar * 4 + beat) * 480;
            const int *chord = chords[bar % 4];
            for (int i = 0; i < 3; ++i) note(0, chord[i], 70, at, 480);
            note(1, chord[0] - 24, 90, at, 480);
            for (int half = 0; half < 2; ++half)
                note(2, melody[(beat * 2 + half + bar) % 8], 100, at + uint32_t(half) * 240, 240);
        }
    }
    return soundfiles::midiFile(0, 480, {soundfiles::trackChunk(std::move(events))});
}

struct Room {
    QTemporaryDir dir;
    AudioState *audio = nullptr;
    int rate = 0;

    // With the device left closed, the silent driver opens it later, as the
    // tests' driver does.
    explicit Room(bool deviceNow = true) {
        setenv("SDL_AUDIODRIVER", deviceNow ? "disk" : "dummy", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        audio = openAudio();
        if (!deviceNow) return;
        openAudioDevice(audio);
        Uint16 format;
        int channels;
        Mix_QuerySpec(&rate, &format, &channels);
        Mix_SetPostMix(countMixed, nullptr);
    }
    ~Room() {
        if (rate) Mix_SetPostMix(nullptr, nullptr);
        closeAudio(audio);
    }
    // The game's own tune when the build has put it beside the benchmarks'
    // build tree, otherwise a stand-in of the same kind; recorded, or played
    // live by SDL_mixer.
    const char *openTune(bool live = false) {
        if (live) audio->longestRecordedSeconds = 0;
        QFile built(QStringLiteral(FUSEFUDA_BUILD_DIR "/src/fusefuda.mid"));
        if (built.exists()) {
            openMusic(audio, built.fileName().toStdString());
            return "fusefuda.mid";
        }
        QFile file(dir.filePath(QStringLiteral("piece.mid")));
        if (file.open(QIODevice::WriteOnly)) file.write(representativePiece());
        file.close();
        openMusic(audio, file.fileName().toStdString());
        return "representative piece";
    }
};

// A room whose device the first sound opens, the tune in place: the game
// before its music is first turned on.
void quietRoomWithTune(std::optional<Room> &room) {
    room.emplace(false);
    room->openTune();
}

// Processor time against the clock, in milliseconds: an iteration's share
// of a core.
void shareOfACore(benchmark::internal::Benchmark *b) {
    b->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
}

// Playing the recording, once it is made, or synthesising live.
void BM_OneSecondOfMusic(benchmark::State &state, bool live) {
    Room room;
    const char *tune = room.openTune(live);
    // The piece loops by itself, without the GUI thread's notice: this
    // measures the synthesiser and the mixer, not the loop.
    playMusicFromStart(room.audio);
    if (!pieceLoaded(room.audio) || (live != !room.audio->recording)) {
        state.SkipWithError("no music, or not as asked: is a soundfont installed?");
        return;
    }
    if (room.audio->recording) room.audio->recording->finishRendering();
    for (auto _ : state) waitForFrames(room.rate);
    state.SetLabel(tune);
}
BENCHMARK_CAPTURE(BM_OneSecondOfMusic, recorded, false)->Apply(shareOfACore);
BENCHMARK_CAPTURE(BM_OneSecondOfMusic, live, true)->Apply(shareOfACore);

// Recording the whole piece, from the first turn-on until the synthesiser is
// freed: the soundfont's loading, the first second rendered at once and the
// rest on the renderer's thread.
void BM_RecordingThePiece(benchmark::State &state) {
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The silent driver plays in real time: the device costs next to
        // nothing meanwhile.
        std::optional<Room> room;
        quietRoomWithTune(room);
        state.ResumeTiming();
        resumeMusic(room->audio);
        if (room->audio->recording) room->audio->recording->finishRendering();
        state.PauseTiming();
        int rate = 0, channels = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&rate, &format, &channels);
        if (!room->audio->recording || rate == 0)
            state.SkipWithError("not recorded: is a soundfont installed?");
        else
            seconds = double(room->audio->recording->loopFrames()) / rate;
        room.reset();
        state.ResumeTiming();
    }
    state.counters["music_s"] = seconds;
}
BENCHMARK(BM_RecordingThePiece)->Apply(shareOfACore);

// The longest silence, in 20 ms windows without sound worth the name, from
// the start of the piece until three seconds past its end: the silence at
// the loop point. Not a time: the counter is the figure.
void BM_SilenceAtTheLoopPoint(benchmark::State &state, bool live) {
    for (auto _ : state) {
        Room room;
        room.openTune(live);
        loadPendingPiece(room.audio);
        if (!pieceLoaded(room.audio)) {
            state.SkipWithError("no music: is a soundfont installed?");
            return;
        }
        // The whole recording first: the disk driver runs far ahead of real time.
        if (room.audio->recording) room.audio->recording->finishRendering();
        {
            std::lock_guard<std::mutex> lock(mixedLock);
            keptMixed.clear();
            keepMixed = true;
        }
        playMusicFromStart(room.audio);
        // The game's tune lasts 49 s.
        waitForFrames(room.rate * 55);
        std::lock_guard<std::mutex> lock(mixedLock);
        keepMixed = false;
        const size_t window = size_t(room.rate) / 50;
        size_t first = 0;
        while (first < keptMixed.size() && std::abs(keptMixed[first]) < 100) ++first;
        size_t longest = 0, run = 0;
        for (size_t at = first; at + window <= keptMixed.size(); at += window) {
            double sum = 0;
            for (size_t i = at; i < at + window; ++i) sum += double(keptMixed[i]) * keptMixed[i];
            run = std::sqrt(sum / double(window)) < 100 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        state.counters["silence_ms"] = double(longest * 20);
    }
}
BENCHMARK_CAPTURE(BM_SilenceAtTheLoopPoint, recorded, false)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SilenceAtTheLoopPoint, live, true)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_OneSecondWithTheMusicStopped(benchmark::State &state) {
    Room room;
    room.openTune();
    playMusicFromStart(room.audio);
    stopMusic(room.audio);
    for (auto _ : state) waitForFrames(room.rate);
}
BENCHMARK(BM_OneSecondWithTheMusicStopped)->Apply(shareOfACore);

// How long the first effect of a game waits for the device that it opens:
// the time from the call until the effect is on the mixer's channel. The
// device's own output latency comes on top, as for every effect.
void BM_FirstEffectOpensTheDevice(benchmark::State &state, const char *driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    for (auto _ : state) {
        state.PauseTiming();
        AudioState *audio = openAudio();
        state.ResumeTiming();
        playEffect(audio, kPeekSound);
        state.PauseTiming();
        if (Mix_Playing(-1) != 1) state.SkipWithError("the effect did not play");
        closeAudio(audio);
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_FirstEffectOpensTheDevice, dummy, "dummy")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstEffectOpensTheDevice, disk, "disk")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// How long the GUI thread stands still when a quiet device is closed: SDL's
// close waits for its audio thread to play out two more buffers, which is
// left to a thread of its own.
void BM_QuietDeviceCloses(benchmark::State &state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (auto _ : state) {
        state.PauseTiming();
        AudioState *audio = openAudio();
        openAudioDevice(audio);
        state.ResumeTiming();
        closeDeviceIfQuiet(audio);
        state.PauseTiming();
        if (audioDeviceOpen(audio)) state.SkipWithError("the device stayed open");
        finishBackgroundWork(audio);
        closeAudio(audio);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QuietDeviceCloses)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

// The music's first turn-on in a game that has made no sound: it opens the
// device and loads the piece, and the soundfont with it; for a recording it
// also renders the first second. The music starts with the next buffer.
void BM_FirstTurnOnOpensAndLoads(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<Room> room;
        quietRoomWithTune(room);
        state.ResumeTiming();
        resumeMusic(room->audio);
        state.PauseTiming();
        if (!pieceLoaded(room->audio)) state.SkipWithError("no music: is a soundfont installed?");
        room.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstTurnOnOpensAndLoads)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fusefuda

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The audio record's quiet timer lives in the application's thread.
    QCoreApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
