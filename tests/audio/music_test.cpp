// The music's state machine, heard through SDL's disk driver: where the piece
// starts, pauses, resumes and loops, and which end notices restart it; for a
// recorded piece and for one played live.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "audio/AudioState.h"
#include "audio/audio.h"
#include "ear.h"
#include "sound_files.h"

namespace fusefuda::testing {
namespace {

constexpr size_t npos = std::string::npos;

// "recorded" or "live".
class MusicTest : public ::testing::TestWithParam<const char *> {
protected:
    // The ear must point the driver at its file before the device opens.
    Ear ear{{{'A', kHzC5}, {'B', kHzFsharp5}}};
    QTemporaryDir dir;
    AudioState *audio = nullptr;
    int ends = 0;

    void SetUp() override {
        audio = openAudio();
        if (GetParam() == std::string("live")) audio->longestRecordedSeconds = 0;
        QString path = dir.filePath(QStringLiteral("fusefuda.mid"));
        // One second of A, then four of B: long enough to stop inside B.
        writeFile(path, melodyMidi({{kKeyC5, 1000}, {kKeyFsharp5, 4000}}));
        openMusic(audio, path.toStdString());
        ASSERT_TRUE(musicIsOpen(audio));
        // What the main window does with the notice.
        setMusicEndHandler(audio, [this] {
            ++ends;
            playMusicFromStart(audio);
        });
    }
    void TearDown() override { closeAudio(audio); }

    // Position of the first window of the tone at or after from.
    size_t waitForTone(char tone, size_t from = 0) {
        size_t at = npos;
        waitUntil([&] { return (at = ear.heard().find(tone, from)) != npos; });
        return at;
    }
    // Position just past a stretch of silence at or after from.
    size_t waitForSilence(size_t from, size_t windows = 10) {
        size_t at = npos;
        waitUntil([&] { return (at = afterSilence(ear.heard(), from, windows)) != npos; });
        return at;
    }
    // The first tone heard at or after from.
    char waitForFirstTone(size_t from) {
        size_t at = npos;
        waitUntil([&] { return (at = firstTone(ear.heard(), from)) != npos; });
        return at == npos ? kSilence : ear.heard()[at];
    }
};

TEST_P(MusicTest, TurnedOnAfterAStartWithoutMusicItBeginsAtTheStart) {
    // Opened but not played, as with the music option off in the settings:
    // not even the device is open.
    EXPECT_FALSE(audioDeviceOpen(audio));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    resumeMusic(audio);
    EXPECT_TRUE(audioDeviceOpen(audio));
    EXPECT_EQ(audio->recording != nullptr, GetParam() == std::string("recorded"));
    EXPECT_TRUE(pieceLoaded(audio));
    EXPECT_EQ(waitForFirstTone(0), 'A');
    size_t b = waitForTone('B');
    ASSERT_NE(b, npos);
    EXPECT_EQ(ear.heard().find('A', b), npos) << ear.heard();
}

TEST_P(MusicTest, TurnedOffAndOnItGoesOnWhereItStopped) {
    playMusicFromStart(audio);
    ASSERT_NE(waitForTone('B'), npos);
    stopMusic(audio);
    size_t stoppedAt = ear.heard().size();
    size_t gapEnd = waitForSilence(stoppedAt, 25);
    ASSERT_NE(gapEnd, npos) << "still sounding after the stop: " << ear.heard();
    EXPECT_EQ(firstTone(ear.heard(), gapEnd), npos);

    resumeMusic(audio);
    EXPECT_EQ(waitForFirstTone(gapEnd), 'B') << ear.heard();
    EXPECT_EQ(ends, 0);
}

TEST_P(MusicTest, LoopingGoesOnAfterAResume) {
    playMusicFromStart(audio);
    ASSERT_NE(waitForTone('B'), npos);
    stopMusic(audio);
    size_t gapEnd = waitForSilence(ear.heard().size());
    ASSERT_NE(gapEnd, npos);
    resumeMusic(audio);
    size_t resumed = waitForTone('B', gapEnd);
    ASSERT_NE(resumed, npos);

    // The end restarts the piece from its beginning, twice over.
    size_t again = waitForTone('A', resumed);
    ASSERT_NE(again, npos) << ear.heard();
    size_t thirdTime = waitForTone('A', waitForTone('B', again));
    EXPECT_NE(thirdTime, npos) << ear.heard();
}

TEST_P(MusicTest, LoopsWithoutAGapAtItsEnd) {
    playMusicFromStart(audio);
    // Its end: the last window of B before A comes back.
    size_t b = waitForTone('B');
    ASSERT_NE(b, npos);
    size_t again = waitForTone('A', b);
    ASSERT_NE(again, npos) << ear.heard();
    const std::string &heard = ear.heard();
    size_t lastSound = again;
    while (lastSound > b && heard[lastSound - 1] == kSilence) --lastSound;
    // Under 0.3 s of silence between the end and the new start.
    EXPECT_LT((again - lastSound) * 20, 300u) << heard.substr(b, again - b + 1);
}

TEST_P(MusicTest, PlayingFromTheStartBeginsAgainAfterAStopAndWhilePlaying) {
    playMusicFromStart(audio);
    size_t b = waitForTone('B');
    ASSERT_NE(b, npos);
    playMusicFromStart(audio);
    const size_t again = waitForTone('A', b);
    ASSERT_NE(again, npos) << ear.heard();

    // Stopped well into the piece, it starts from the beginning all the same.
    size_t b2 = waitForTone('B', again);
    ASSERT_NE(b2, npos);
    stopMusic(audio);
    size_t gapEnd = waitForSilence(b2);
    ASSERT_NE(gapEnd, npos);
    playMusicFromStart(audio);
    EXPECT_EQ(waitForFirstTone(gapEnd), 'A') << ear.heard();
    EXPECT_EQ(ends, 0);
}

TEST_P(MusicTest, StopsPlaysAndClosesDoNotCountAsTheEndOfThePiece) {
    playMusicFromStart(audio);
    ASSERT_NE(waitForTone('A'), npos);
    stopMusic(audio);
    playMusicFromStart(audio);  // frees and reloads the paused piece
    playMusicFromStart(audio);  // halts a playing one
    stopMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    size_t quiet = waitForSilence(ear.heard().size(), 25);
    ASSERT_NE(quiet, npos);
    EXPECT_EQ(firstTone(ear.heard(), quiet), npos) << "restarted after a stop: " << ear.heard();

    resumeMusic(audio);
    closeMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(musicIsOpen(audio));
    EXPECT_FALSE(pieceLoaded(audio));

    // Closing the device with the music playing.
    openMusic(audio, dir.filePath(QStringLiteral("fusefuda.mid")).toStdString());
    playMusicFromStart(audio);
    closeAudio(audio);
    audio = nullptr;
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
}

// The audio thread's end notice races with the player's commands; these call
// the hook directly where the audio thread would.
TEST_P(MusicTest, AnEndNoticeOvertakenByAStopIsIgnored) {
    playMusicFromStart(audio);
    musicFinishedHook();
    stopMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(musicSounding(audio));

    // Turned on again, it plays.
    resumeMusic(audio);
    EXPECT_TRUE(musicSounding(audio));

    // Off and on again before a notice arrives: the notice belongs to the
    // play before the stop, not to the one that goes on now.
    musicFinishedHook();
    stopMusic(audio);
    resumeMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(audio->musicPhase, MusicPhase::Playing);
}

// Only a piece played live comes to an end: a recording loops by itself.
class LiveMusicTest : public MusicTest {};

TEST_P(LiveMusicTest, AStoppedPieceThatHadEndedStartsOverWhenTurnedOn) {
    playMusicFromStart(audio);
    // The piece ends on the audio thread, then the player stops it before
    // the notice arrives; the stop finds nothing playing.
    Mix_HaltMusic();
    stopMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    size_t quiet = waitForSilence(ear.heard().size());
    ASSERT_NE(quiet, npos);

    resumeMusic(audio);
    EXPECT_EQ(waitForFirstTone(quiet), 'A') << ear.heard();
}

INSTANTIATE_TEST_SUITE_P(Music, MusicTest, ::testing::Values("recorded", "live"),
                         [](const auto &info) { return std::string(info.param); });
INSTANTIATE_TEST_SUITE_P(Music, LiveMusicTest, ::testing::Values("live"),
                         [](const auto &info) { return std::string(info.param); });

}  // namespace
}  // namespace fusefuda::testing
