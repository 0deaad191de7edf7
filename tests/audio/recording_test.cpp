// The piece recorded once and played from memory: which pieces are recorded,
// and, heard through SDL's disk driver, that the recording loops without a
// sample lost and sounds as live synthesis of the same file does.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/AudioState.h"
#include "audio/audio.h"
#include "ear.h"
#include "sound_files.h"

namespace fusefuda::testing {
namespace {

// The left channel of the first two times through: the second with the
// tail of the last notes over its start.
std::vector<int16_t> twiceThrough(const Recording &recording) {
    const size_t loop = recording.loopFrames();
    std::vector<int16_t> left(2 * loop);
    for (size_t i = 0; i < loop; ++i) {
        left[i] = left[loop + i] = recording.samples()[2 * i];
        if (i < recording.tailFrames())
            left[loop + i] = int16_t(std::clamp(left[i] + recording.samples()[2 * (loop + i)],
                                                INT16_MIN, INT16_MAX));
    }
    return left;
}

size_t firstNonZero(const std::vector<int16_t> &samples, size_t from) {
    while (from < samples.size() && samples[from] == 0) ++from;
    return from;
}

// The difference between n frames heard from `at` on and those expected
// from `from` on, as a share of the expected level: root mean squares.
double difference(const std::vector<int16_t> &heard, size_t at, const std::vector<int16_t> &expected,
                  size_t from, size_t n) {
    double diff = 0, level = 0;
    for (size_t i = 0; i < n; ++i) {
        const double e = expected[from + i];
        diff += (heard[at + i] - e) * (heard[at + i] - e);
        level += e * e;
    }
    return std::sqrt(diff / level);
}

// Piano chords under a melody, whose last chord rings on past the end.
TEST(Recording, LoopsSampleForSampleAndSoundsAsLiveSynthesis) {
    Ear ear({});
    QTemporaryDir dir;
    const std::string piece = dir.filePath(QStringLiteral("piece.mid")).toStdString();
    writeFile(QString::fromStdString(piece), chordMidi({48, 55, 60, 64, 67}, {72, 74, 76, 79}, 1000));
    AudioState *audio = openAudio();
    openMusic(audio, piece);
    ASSERT_TRUE(openAudioDevice(audio));
    loadPendingPiece(audio);
    ASSERT_NE(audio->recording, nullptr);
    // Rendered whole before it plays: the disk driver runs a few times
    // faster than real time and could catch up with the renderer.
    audio->recording->finishRendering();
    const std::vector<int16_t> expected = twiceThrough(*audio->recording);
    const size_t loop = audio->recording->loopFrames();
    ASSERT_GT(loop, 0u);
    EXPECT_GT(audio->recording->tailFrames(), 0u);
    const std::vector<int16_t> &heard = ear.samples();
    const size_t rate = size_t(ear.rate());
    const size_t opening = firstNonZero(expected, 0);
    // Where the sound begins in what is heard from `from` on.
    auto soundFrom = [&](size_t from) {
        waitUntil([&] { return firstNonZero(ear.samples(), from) < heard.size(); });
        return firstNonZero(heard, from);
    };
    // Past a buffer's worth of silence from `from` on: what the device had
    // queued before has been heard.
    auto quietFrom = [&](size_t from) {
        size_t zeros = 0;
        waitUntil([&] {
            for (ear.samples(); from < heard.size() && zeros < 4096; ++from)
                zeros = heard[from] == 0 ? zeros + 1 : 0;
            return zeros == 4096;
        });
        return from;
    };

    // The device had been silent: the music begins where the sound does, and
    // goes round the loop point without a sample lost or added.
    playMusicFromStart(audio);
    const size_t start = soundFrom(0) - opening;
    ASSERT_TRUE(waitUntil([&] { return ear.samples().size() > start + expected.size(); }));
    size_t same = 0;
    while (same < expected.size() && heard[start + same] == expected[same]) ++same;
    EXPECT_EQ(same, expected.size()) << "of " << loop << " in the loop";

    // Live synthesis of the same file, the first time through and the start of
    // the second, where the last notes ring on; further on the synthesiser's
    // modulation makes every time through a little different.
    closeMusic(audio);
    audio->longestRecordedSeconds = 0;
    openMusic(audio, piece);
    const size_t quiet = quietFrom(start + expected.size());
    playMusicFromStart(audio);
    ASSERT_NE(audio->musicDevice, nullptr);
    const size_t live = soundFrom(quiet) - opening;
    ASSERT_TRUE(waitUntil([&] { return ear.samples().size() > live + loop + rate; }));
    EXPECT_LT(difference(heard, live, expected, 0, loop), 0.01);
    EXPECT_LT(difference(heard, live + loop, expected, loop, rate / 10), 0.05)
        << "the second time through starts differently";
    closeAudio(audio);
}

TEST(Recording, ReadablePiecesUpToTheLongestAreRecordedTheOthersPlayLive) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fusefuda.mid"));
    const QByteArray fiveSeconds = melodyMidi({{kKeyC5, 1000}, {kKeyFsharp5, 4000}});
    enum How { Recorded, Live, NotRecorded };
    struct Case {
        const char *what;
        QByteArray file;
        int longestSeconds;
        const char *soundfonts;
        How how;
    };
    const std::vector<Case> cases = {
        {"five seconds", fiveSeconds, 600, nullptr, Recorded},
        {"longer than the longest recorded", fiveSeconds, 4, nullptr, Live},
        {"nothing in it", melodyMidi({}), 600, nullptr, NotRecorded},
        {"a wave file", toneWav(440, 500), 600, nullptr, Live},
        {"cut short", fiveSeconds.left(fiveSeconds.size() - 20), 600, nullptr, NotRecorded},
        {"without a soundfont", fiveSeconds, 600, "missing.sf2", NotRecorded},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path, c.file);
        Mix_SetSoundFonts(c.soundfonts ? dir.filePath(c.soundfonts).toUtf8().constData() : nullptr);
        AudioState *audio = openAudio();
        audio->longestRecordedSeconds = c.longestSeconds;
        openMusic(audio, path.toStdString());
        resumeMusic(audio);
        EXPECT_EQ(audio->recording != nullptr, c.how == Recorded);
        if (c.how == Live) {
            EXPECT_NE(audio->musicDevice, nullptr);
        }
        if (audio->recording) {
            int rate = 0, channels = 0;
            Uint16 format = 0;
            Mix_QuerySpec(&rate, &format, &channels);
            audio->recording->finishRendering();
            EXPECT_TRUE(audio->recording->synthesiserFreed());
            // One of the synthesiser's blocks is 64 frames.
            EXPECT_NEAR(double(audio->recording->loopFrames()), 5.0 * rate, 64);
        }
        closeAudio(audio);
    }
    Mix_SetSoundFonts(nullptr);
}

}  // namespace
}  // namespace fusefuda::testing
