// Everything that can be missing or broken: the game goes on, silently.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>

#include "assets/catalogue.h"
#include "audio/AudioState.h"
#include "audio/audio.h"
#include "ear.h"
#include "sound_files.h"

namespace fusefuda::testing {
namespace {

void loadTone(AudioState *audio, int number) {
    QByteArray wav = toneWav(440, 500);
    loadEffect(audio, number, wav.constData(), size_t(wav.size()));
}

// Every music operation in the order a player could cause them, then an
// effect: nothing may crash, no end notice may arrive, the effect must play.
void playerGoesThroughEverything(AudioState *audio, int &ends) {
    playMusicFromStart(audio);
    stopMusic(audio);
    resumeMusic(audio);
    playMusicFromStart(audio);
    stopMusic(audio);
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    loadTone(audio, kPeekSound);
    playEffect(audio, kPeekSound);
    EXPECT_EQ(Mix_Playing(-1), 1) << "effects stopped working";
}

class FailureTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    int ends = 0;
    QString pathOf(const char *name) { return dir.filePath(QString::fromUtf8(name)); }
    AudioState *openCounting() {
        AudioState *audio = openAudio();
        setMusicEndHandler(audio, [this, audio] {
            ++ends;
            playMusicFromStart(audio);
        });
        return audio;
    }
};

TEST_F(FailureTest, WithoutAMusicFileTheRestWorksAndNothingSounds) {
    AudioState *audio = openCounting();
    openMusic(audio, pathOf("fusefuda.mid").toStdString());
    EXPECT_TRUE(musicIsOpen(audio));
    playerGoesThroughEverything(audio, ends);
    EXPECT_FALSE(pieceLoaded(audio));

    closeMusic(audio);
    EXPECT_FALSE(musicIsOpen(audio));
    // The file appears later: the next open finds it.
    writeFile(pathOf("fusefuda.mid"), melodyMidi({{kKeyC5, 5000}}));
    openMusic(audio, pathOf("fusefuda.mid").toStdString());
    playMusicFromStart(audio);
    EXPECT_TRUE(musicSounding(audio));
    closeAudio(audio);
}

TEST_F(FailureTest, ABrokenMusicFileIsTreatedAsMissing) {
    QByteArray real = melodyMidi({{kKeyC5, 500}});
    const std::vector<std::pair<const char *, QByteArray>> broken = {
        {"empty.mid", QByteArray()},        {"text.mid", QByteArray("this is not music\n")},
        {"header-only.mid", real.left(14)}, {"truncated.mid", real.left(real.size() / 2)},
        {"wave.mid", toneWav(440, 100)},
    };
    AudioState *audio = openCounting();
    for (const auto &[name, bytes] : broken) {
        SCOPED_TRACE(name);
        writeFile(pathOf(name), bytes);
        openMusic(audio, pathOf(name).toStdString());
        EXPECT_TRUE(musicIsOpen(audio));
        playerGoesThroughEverything(audio, ends);
    }
    // A folder where the file should be, and a pipe that nobody writes to.
    QDir(dir.path()).mkdir(QStringLiteral("folder.mid"));
    ASSERT_EQ(mkfifo(pathOf("pipe.mid").toUtf8().constData(), 0600), 0);
    for (const char *name : {"folder.mid", "pipe.mid"}) {
        SCOPED_TRACE(name);
        openMusic(audio, pathOf(name).toStdString());
        playerGoesThroughEverything(audio, ends);
        EXPECT_FALSE(pieceLoaded(audio));
    }
    closeAudio(audio);
}

TEST_F(FailureTest, WithoutASoundfontThereIsNoMusicAndNoHarm) {
    AudioState *audio = openCounting();
    Mix_SetSoundFonts(pathOf("missing.sf2").toUtf8().constData());
    writeFile(pathOf("fusefuda.mid"), melodyMidi({{kKeyC5, 500}}));
    // The synthesiser refuses the piece, or (once a piece has loaded in this
    // process) accepts it and plays nothing; either way nothing else changes.
    openMusic(audio, pathOf("fusefuda.mid").toStdString());
    playerGoesThroughEverything(audio, ends);
    closeAudio(audio);
    Mix_SetSoundFonts(nullptr);
}

// The driver initialises but no device opens, as with a sound system that has
// no output; and no driver at all. Either way the silent driver stands in and
// the game runs exactly the same code.
TEST_F(FailureTest, WithoutADeviceTheSilentDriverStandsIn) {
    for (const char *driver : {"disk", "no-such-driver"}) {
        SCOPED_TRACE(driver);
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", pathOf("no-such-folder/heard.raw").toUtf8().constData(), 1);
        AudioState *audio = openCounting();
        writeFile(pathOf("fusefuda.mid"), melodyMidi({{kKeyC5, 5000}}));
        openMusic(audio, pathOf("fusefuda.mid").toStdString());
        // The first sound opens the device.
        playMusicFromStart(audio);
        ASSERT_TRUE(audioDeviceOpen(audio));
        EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
        EXPECT_TRUE(musicSounding(audio));
        loadTone(audio, kJoinSound);
        playEffect(audio, kJoinSound);
        EXPECT_EQ(Mix_Playing(-1), 1);
        closeAudio(audio);
        // Closed for good: the next open starts afresh.
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(FailureTest, OpeningTheAudioLeavesTheSignalsToTheApplication) {
    struct sigaction before[2], after[2];
    sigaction(SIGTERM, nullptr, &before[0]);
    sigaction(SIGINT, nullptr, &before[1]);
    AudioState *audio = openAudio();
    ASSERT_TRUE(openAudioDevice(audio));
    sigaction(SIGTERM, nullptr, &after[0]);
    sigaction(SIGINT, nullptr, &after[1]);
    closeAudio(audio);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(after[i].sa_handler, before[i].sa_handler) << i;
}

TEST_F(FailureTest, OpeningTheMusicAgainClosesThePieceThatPlays) {
    AudioState *audio = openCounting();
    writeFile(pathOf("first.mid"), melodyMidi({{kKeyC5, 5000}}));
    writeFile(pathOf("second.mid"), melodyMidi({{kKeyFsharp5, 5000}}));
    openMusic(audio, pathOf("first.mid").toStdString());
    playMusicFromStart(audio);
    openMusic(audio, pathOf("second.mid").toStdString());
    EXPECT_EQ(audio->musicPath, pathOf("second.mid").toStdString());
    EXPECT_FALSE(pieceLoaded(audio));
    deliverQueuedCalls();
    EXPECT_EQ(ends, 0);
    // Stays silent until played, and then plays the new piece.
    resumeMusic(audio);
    EXPECT_TRUE(musicSounding(audio));
    closeAudio(audio);
}

TEST(MusicPath, TheMusicFileHasTheExecutablesNameBesideIt) {
    EXPECT_EQ(musicPathFor("/usr/games/fusefuda"), "/usr/games/fusefuda.mid");
    EXPECT_EQ(musicPathFor("/opt/game/fusefuda.bin"), "/opt/game/fusefuda.mid");
    EXPECT_EQ(musicPathFor("/opt/game/fusefuda.old.bin"), "/opt/game/fusefuda.old.mid");
    // Dots in folder names are not extensions.
    EXPECT_EQ(musicPathFor("/home/a.b/games.d/fusefuda"), "/home/a.b/games.d/fusefuda.mid");
    EXPECT_EQ(musicPathFor("/home/me/.local/bin/.fusefuda"), "/home/me/.local/bin/.fusefuda.mid");
    EXPECT_EQ(musicPathFor("fusefuda"), "fusefuda.mid");
    // No length limit: a deep folder does not overflow or get cut.
    std::string deep = "/" + std::string(300, 'd') + "/fusefuda";
    EXPECT_EQ(musicPathFor(deep), deep + ".mid");
    // Japanese folder names pass through as bytes.
    EXPECT_EQ(musicPathFor("/home/me/ゲーム/fusefuda"), "/home/me/ゲーム/fusefuda.mid");
}

}  // namespace
}  // namespace fusefuda::testing
