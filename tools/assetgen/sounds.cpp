// The three effects, synthesised. They are stored as 8-bit mono PCM, so each
// is kept well inside full scale and faded to silence at its end, where 8-bit
// rounding would otherwise leave a click.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assetgen.h"
#include "soundfiles.h"

namespace fusefuda::assetgen {

namespace {

constexpr double kTau = 2 * M_PI;

double noteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A struck bell-like tone: a few harmonics, the higher ones dying faster.
void addBell(std::vector<float> &out, int rate, double start, double hz, double amp,
             double decay) {
    const double partials[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.32, 0.55}, {3.0, 0.12, 0.35},
                                  {4.2, 0.05, 0.2}};
    const size_t first = size_t(start * rate);
    for (size_t i = first; i < out.size(); ++i) {
        const double t = double(i - first) / rate;
        const double attack = std::min(1.0, t / 0.004);
        double v = 0;
        for (const auto &pt : partials) {
            const double f = hz * pt[0];
            if (f >= rate / 2.0 * 0.9) continue;
            v += pt[1] * std::exp(-t / (decay * pt[2])) * std::sin(kTau * f * t);
        }
        out[i] += float(amp * attack * v);
    }
}

// A bright, slightly brassy tone with a gentle swell and vibrato.
void addHorn(std::vector<float> &out, int rate, double start, double length, double hz,
             double amp) {
    const size_t first = size_t(start * rate);
    const size_t last = std::min(out.size(), size_t((start + length) * rate));
    double phase = 0;
    for (size_t i = first; i < last; ++i) {
        const double t = double(i - first) / rate;
        const double left = length - t;
        const double env = std::min(1.0, t / 0.02) * std::min(1.0, left / 0.35) *
                           (0.75 + 0.25 * std::exp(-t / 0.15));
        const double vibrato = 1.0 + 0.004 * std::sin(kTau * 5.5 * t) * std::min(1.0, t / 0.4);
        phase += kTau * hz * vibrato / rate;
        double v = 0;
        for (int h = 1; h <= 6; ++h) {
            if (hz * h >= rate / 2.0 * 0.9) break;
            // Brightness falls as the note sustains.
            const double weight = std::pow(h, -1.3) * (h == 1 ? 1.0 : std::exp(-t * 0.8));
            v += weight * std::sin(phase * h);
        }
        out[i] += float(amp * env * v);
    }
}

void normalise(std::vector<float> &samples, double peak) {
    float most = 0;
    for (float v : samples) most = std::max(most, std::fabs(v));
    if (most <= 0) return;
    const double gain = peak / most;
    for (float &v : samples) v = float(v * gain);
}

void fadeOut(std::vector<float> &samples, int rate, double seconds) {
    const size_t n = std::min(samples.size(), size_t(seconds * rate));
    for (size_t i = 0; i < n; ++i) samples[samples.size() - 1 - i] *= float(double(i) / n);
}

}  // namespace

// Two soft bell notes a fifth apart: the second answers the first, as two
// cards answer each other when they join.
QByteArray makeJoinSound() {
    const int rate = 8000;
    std::vector<float> s(7840);  // 0.98 s
    addBell(s, rate, 0.0, noteHz(81), 0.8, 0.32);    // A5
    addBell(s, rate, 0.11, noteHz(88), 0.75, 0.38);  // E6
    normalise(s, 0.62);
    fadeOut(s, rate, 0.12);
    return soundfiles::waveFile(rate, s);
}

// A quick rising arpeggio into a held major chord.
QByteArray makeClearSound() {
    const int rate = 11025;
    std::vector<float> s(20507);  // 1.86 s
    const int run[] = {72, 76, 79, 84};  // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) addBell(s, rate, 0.085 * i, noteHz(run[i]), 0.55, 0.22);
    const double chordAt = 0.36;
    for (int note : {60, 64, 67, 72, 76}) addHorn(s, rate, chordAt, 1.86 - chordAt, noteHz(note), 0.28);
    addBell(s, rate, chordAt, noteHz(88), 0.35, 0.5);   // E6 on top
    addBell(s, rate, chordAt + 0.18, noteHz(91), 0.22, 0.4);  // G6 twinkle
    normalise(s, 0.72);
    fadeOut(s, rate, 0.08);
    return soundfiles::waveFile(rate, s);
}

// A dry tick: a short high ping over a thump, gone within a few
// milliseconds like a card flicked over.
QByteArray makeClickSound() {
    const int rate = 8000;
    std::vector<float> s(400);  // 0.05 s
    uint32_t noise = 0x1234567u;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1u << 24) * 2 - 1;
        const double ping = std::sin(kTau * 2400 * t) * std::exp(-t / 0.0035);
        const double body = std::sin(kTau * 700 * t) * std::exp(-t / 0.008);
        const double snap = white * std::exp(-t / 0.0012);
        s[i] = float(0.55 * ping + 0.5 * body + 0.35 * snap);
    }
    normalise(s, 0.7);
    fadeOut(s, rate, 0.01);
    return soundfiles::waveFile(rate, s);
}

}  // namespace fusefuda::assetgen
