// The embedded effects, read as the audio layer reads them: WAV files.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/catalogue.h"

using namespace fusefuda;

namespace {

uint32_t le(const QByteArray &b, qsizetype at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + i]);
    return v;
}

struct Wave {
    bool ok = false;
    uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    QByteArray samples;
};

// Walks the chunks as a strict reader would, so that a wrong size field or a
// missing chunk shows.
Wave readWave(const QByteArray &file) {
    Wave w;
    if (file.size() < 12 || file.left(4) != "RIFF" || file.mid(8, 4) != "WAVE") return w;
    if (le(file, 4, 4) != uint32_t(file.size() - 8)) return w;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const uint32_t size = le(file, at + 4, 4);
        if (at + 8 + qsizetype(size) > file.size()) return w;
        if (id == "fmt ") {
            if (size < 16) return w;
            w.format = le(file, at + 8, 2);
            w.channels = le(file, at + 10, 2);
            w.rate = le(file, at + 12, 4);
            w.byteRate = le(file, at + 16, 4);
            w.blockAlign = le(file, at + 20, 2);
            w.bits = le(file, at + 22, 2);
            haveFormat = true;
        } else if (id == "data") {
            w.samples = file.mid(at + 8, size);
            w.ok = haveFormat;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

}  // namespace

TEST(Sounds, RatesLengthsAndFormatAreAsCatalogued) {
    struct Expected {
        int number;
        uint32_t rate;
        double seconds;
    };
    for (const Expected &e : {Expected{kJoinSound, 8000, 0.98}, Expected{kClearSound, 11025, 1.86},
                              Expected{kPeekSound, 8000, 0.05}}) {
        SCOPED_TRACE(e.number);
        const Wave w = readWave(loadSound(e.number));
        ASSERT_TRUE(w.ok);
        EXPECT_EQ(w.format, 1u);  // PCM
        EXPECT_EQ(w.channels, 1u);
        EXPECT_EQ(w.bits, 8u);
        EXPECT_EQ(w.rate, e.rate);
        EXPECT_EQ(w.blockAlign, 1u);
        EXPECT_EQ(w.byteRate, e.rate);
        EXPECT_NEAR(double(w.samples.size()) / w.rate, e.seconds, 1.0 / w.rate);
    }
}

TEST(Sounds, AreAudibleUnclippedAndEndInSilence) {
    for (int number : {kJoinSound, kClearSound, kPeekSound}) {
        SCOPED_TRACE(number);
        const Wave w = readWave(loadSound(number));
        ASSERT_TRUE(w.ok);
        ASSERT_FALSE(w.samples.isEmpty());
        int peak = 0, railed = 0;
        for (char c : w.samples) {
            const int v = uint8_t(c);
            peak = std::max(peak, std::abs(v - 128));
            railed += v == 0 || v == 255;
        }
        EXPECT_GT(peak, 50);
        EXPECT_EQ(railed, 0);
        // Unsigned 8-bit silence is 128; ending anywhere else clicks.
        EXPECT_NEAR(uint8_t(w.samples.back()), 128, 1);
    }
}
