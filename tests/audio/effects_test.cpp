// The effect channel, heard through SDL's disk driver: a new effect cuts the
// old one, effects leave the music alone and sound above it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>

#include "assets/catalogue.h"
#include "audio/AudioState.h"
#include "audio/audio.h"
#include "ear.h"
#include "sound_files.h"

namespace fusefuda::testing {
namespace {

constexpr size_t npos = std::string::npos;

void loadTone(AudioState *audio, int number, double hertz, int milliseconds, int rate = 8000) {
    QByteArray wav = toneWav(hertz, milliseconds, 0.5, rate);
    loadEffect(audio, number, wav.constData(), size_t(wav.size()));
}

class EffectsTest : public ::testing::Test {
protected:
    // L and H are the effects' tones, M the music's.
    Ear ear{{{'L', 440}, {'H', 1000}, {'M', kHzC5}}};
    AudioState *audio = nullptr;

    // The device stays closed until the first sound.
    void SetUp() override {
        audio = openAudio();
        loadTone(audio, kJoinSound, 440, 1000);
        loadTone(audio, kClearSound, 1000, 600, 11025);
        loadTone(audio, kPeekSound, 1000, 300);
    }
    void TearDown() override { closeAudio(audio); }

    // Waits until the tone has sounded and then died away.
    std::string waitForToneToEnd(char tone) {
        waitUntil([&] {
            size_t at = ear.heard().find(tone);
            return at != npos && afterSilence(ear.heard(), at) != npos;
        });
        return ear.heard();
    }
};

TEST_F(EffectsTest, TheFirstEffectOpensTheDeviceAndIsHeardWhole) {
    EXPECT_FALSE(audioDeviceOpen(audio));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    playEffect(audio, kClearSound);
    EXPECT_TRUE(audioDeviceOpen(audio));
    std::string heard = waitForToneToEnd('H');
    // Whole: 30 windows.
    EXPECT_GE(std::count(heard.begin(), heard.end(), 'H'), 27) << heard;
}

TEST_F(EffectsTest, ANewEffectCutsTheOneStillPlaying) {
    playEffect(audio, kJoinSound);
    ASSERT_TRUE(waitUntil([&] { return ear.heard().find('L') != npos; }));
    playEffect(audio, kPeekSound);
    std::string heard = waitForToneToEnd('H');

    size_t cut = heard.find('H');
    ASSERT_NE(cut, npos) << heard;
    EXPECT_EQ(heard.find('L', cut), npos) << "the old effect went on: " << heard;
    // 50 windows of L had the join sound played out.
    EXPECT_LT(std::count(heard.begin(), heard.end(), 'L'), 40) << heard;
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(EffectsTest, TheClearSoundCutsTheJoinSoundOfTheSameDrop) {
    playEffect(audio, kJoinSound);
    playEffect(audio, kClearSound);
    std::string heard = waitForToneToEnd('H');

    size_t clear = heard.find('H');
    ASSERT_NE(clear, npos) << heard;
    EXPECT_EQ(heard.find('L', clear), npos) << heard;
    // At most one buffer of the join sound can slip out between the calls.
    EXPECT_LE(std::count(heard.begin(), heard.end(), 'L'), 3) << heard;
    // The clear sound itself plays out whole: 30 windows.
    EXPECT_GE(std::count(heard.begin(), heard.end(), 'H'), 27) << heard;
}

TEST_F(EffectsTest, EffectsWithoutASoundAreSkipped) {
    ASSERT_TRUE(openAudioDevice(audio));
    loadEffect(audio, kJoinSound, nullptr, 0);
    QByteArray notAWave("RIFF but not a wave file at all");
    loadEffect(audio, kClearSound, notAWave.constData(), size_t(notAWave.size()));
    EXPECT_EQ(audio->effects[effectSlot(kJoinSound)], nullptr);
    EXPECT_EQ(audio->effects[effectSlot(kClearSound)], nullptr);

    for (int number : {int(kJoinSound), int(kClearSound), 0, 131, -1}) playEffect(audio, number);
    EXPECT_EQ(Mix_Playing(-1), 0);
    loadEffect(audio, 999, notAWave.constData(), size_t(notAWave.size()));

    // The one effect that still has its sound plays.
    playEffect(audio, kPeekSound);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(EffectsTest, EffectsLeaveTheMusicPlaying) {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fusefuda.mid"));
    writeFile(path, melodyMidi({{kKeyC5, 6000}}));
    openMusic(audio, path.toStdString());
    int ends = 0;
    setMusicEndHandler(audio, [&ends] { ++ends; });
    playMusicFromStart(audio);
    ASSERT_TRUE(waitUntil([&] { return ear.heard().find('M') != npos; }));

    playEffect(audio, kPeekSound);
    playEffect(audio, kJoinSound);
    ASSERT_TRUE(waitUntil([&] { return Mix_Playing(-1) == 0; }));
    size_t afterEffects = ear.heard().size();
    EXPECT_TRUE(waitUntil([&] { return ear.heard().find("MMMMM", afterEffects) != npos; }))
        << ear.heard();
    EXPECT_TRUE(musicSounding(audio));
    EXPECT_EQ(ends, 0);
}

// After start-up the device opens and the piece loads on a thread of their
// own: the caller goes on at once, an effect asked for meanwhile still
// sounds whole, and the piece starts when the window hears that all is ready.
TEST_F(EffectsTest, WarmedUpOffTheCallersThreadTheMusicFollowsAnEarlyEffect) {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fusefuda.mid"));
    writeFile(path, melodyMidi({{kKeyC5, 6000}}));
    openMusic(audio, path.toStdString());
    bool ready = false;
    warmUpAudio(audio, true, [&] {
        ready = true;
        resumeMusic(audio);
    });
    EXPECT_FALSE(ready) << "the caller waited for the audio";
    playEffect(audio, kClearSound);
    EXPECT_TRUE(pieceLoaded(audio)) << "the piece was not loaded with the device";
    ASSERT_TRUE(waitUntil([&] { return ready; }));
    ASSERT_TRUE(waitUntil([&] { return ear.heard().find("MMMMM") != npos; })) << ear.heard();
    const std::string heard = ear.heard();
    EXPECT_GE(std::count(heard.begin(), heard.end(), 'H'), 27) << heard;
    EXPECT_LT(heard.find('H'), heard.find('M')) << heard;
}

double rms(const std::vector<int16_t> &samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

size_t firstLoud(const std::vector<int16_t> &samples, size_t from) {
    while (from < samples.size() && std::abs(samples[from]) < 1000) ++from;
    return from;
}

TEST_F(EffectsTest, EffectsSoundWellAboveTheMusicAndTheMusicDoesNotClip) {
    // A piano chord under a melody, as loud as background music gets.
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("fusefuda.mid"));
    writeFile(path, chordMidi({48, 55, 60, 64, 67}, {72, 74, 76, 79, 76, 74}, 400));
    openMusic(audio, path.toStdString());
    playMusicFromStart(audio);
    // 2.4 seconds of notes, once through; then the piece is stopped, as it
    // would loop for ever.
    const size_t rate = size_t(ear.rate());
    ASSERT_TRUE(waitUntil([&] {
        const size_t start = firstLoud(ear.samples(), 0);
        return start < ear.samples().size() && ear.samples().size() > start + rate * 24 / 10;
    }));
    stopMusic(audio);
    const size_t stoppedAt = ear.samples().size();
    // What the device still had queued has been heard.
    ASSERT_TRUE(waitUntil([&] { return ear.samples().size() > stoppedAt + rate / 5; }));
    size_t musicEnd = ear.samples().size();
    const std::vector<int16_t> &music = ear.samples();
    size_t musicStart = firstLoud(music, 0);
    size_t notesEnd = musicStart + rate * 24 / 10;
    ASSERT_GT(musicEnd, notesEnd);
    auto loudest = std::max_element(music.begin(), music.begin() + long(musicEnd),
                                    [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    EXPECT_LT(std::abs(*loudest), 32000) << "the music clips";
    double musicLevel = rms(music, musicStart, notesEnd);

    // A half-scale tone, about as loud as an effect is authored.
    playEffect(audio, kJoinSound);
    ASSERT_TRUE(waitUntil([&] { return Mix_Playing(-1) == 0; }));
    waitUntil([&] { return ear.samples().size() > musicEnd + size_t(ear.rate()) * 2; });
    const std::vector<int16_t> &all = ear.samples();
    size_t start = firstLoud(all, musicEnd);
    double effectLevel = rms(all, start, std::min(all.size(), start + size_t(ear.rate()) * 9 / 10));

    EXPECT_GT(effectLevel, 5 * musicLevel) << "effect " << effectLevel << ", music " << musicLevel;
}

// The device is closed once nothing plays and no piece holds it, and the next
// sound opens it again.
TEST(QuietDevice, ClosesOnlyWithNothingToPlayAndNoPieceLoaded) {
    QTemporaryDir dir;
    const std::string piece = dir.filePath(QStringLiteral("fusefuda.mid")).toStdString();
    writeFile(QString::fromStdString(piece), melodyMidi({{kKeyC5, 5000}}));
    struct Case {
        const char *what;
        std::function<void(AudioState *)> act;
        bool staysOpen;
    };
    const std::vector<Case> cases = {
        {"an effect still sounding", [](AudioState *a) { playEffect(a, kJoinSound); }, true},
        {"an effect that has ended",
         [](AudioState *a) {
             playEffect(a, kPeekSound);
             waitUntil([] { return Mix_Playing(-1) == 0; });
         },
         false},
        {"the music playing",
         [&](AudioState *a) {
             openMusic(a, piece);
             playMusicFromStart(a);
         },
         true},
        {"the music stopped part-way",
         [&](AudioState *a) {
             openMusic(a, piece);
             playMusicFromStart(a);
             stopMusic(a);
         },
         true},
        {"the music closed",
         [&](AudioState *a) {
             openMusic(a, piece);
             playMusicFromStart(a);
             closeMusic(a);
         },
         false},
        {"the music turned on without a file",
         [&](AudioState *a) {
             openMusic(a, piece + ".gone");
             resumeMusic(a);
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AudioState *audio = openAudio();
        loadTone(audio, kJoinSound, 440, 3000);
        loadTone(audio, kPeekSound, 1000, 50);
        c.act(audio);
        ASSERT_TRUE(audioDeviceOpen(audio));
        closeDeviceIfQuiet(audio);
        finishBackgroundWork(audio);
        EXPECT_EQ(audioDeviceOpen(audio), c.staysOpen);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) != 0, c.staysOpen);
        // Either way the next effect sounds.
        playEffect(audio, kPeekSound);
        EXPECT_EQ(Mix_Playing(-1), 1);
        closeAudio(audio);
    }

    // Left alone, the device closes by itself.
    AudioState *audio = openAudio();
    loadTone(audio, kPeekSound, 1000, 50);
    audio->quietTimer->setInterval(1);
    playEffect(audio, kPeekSound);
    EXPECT_TRUE(waitUntil([&] { return !audioDeviceOpen(audio); }));
    closeAudio(audio);
}

}  // namespace
}  // namespace fusefuda::testing
