#include "ear.h"

#include <SDL_mixer.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTimer>
#include <cmath>
#include <cstdlib>

#include "audio/AudioState.h"

namespace fusefuda::testing {

namespace {

double energyAt(const int16_t *s, int n, double hertz, int rate) {
    double c = 2 * std::cos(2 * M_PI * hertz / rate);
    double s1 = 0, s2 = 0;
    for (int i = 0; i < n; ++i) {
        double s0 = s[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return (s1 * s1 + s2 * s2 - c * s1 * s2) / (double(n) * n);
}

}  // namespace

Ear::Ear(std::vector<std::pair<char, double>> tones, int pacingMs) : tones_(std::move(tones)) {
    path_ = dir_.filePath(QStringLiteral("heard.raw")).toStdString();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", std::to_string(pacingMs).c_str(), 1);
}

void Ear::readMore() {
    if (rate_ == 0) {
        Uint16 format = 0;
        if (Mix_QuerySpec(&rate_, &format, &channels_) == 0 || format != AUDIO_S16SYS) {
            rate_ = 0;
            return;
        }
    }
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(readBytes_)) return;
    long long frameBytes = 2LL * channels_;
    long long whole = (file.size() - readBytes_) / frameBytes * frameBytes;
    if (whole <= 0) return;
    QByteArray bytes = file.read(whole);
    readBytes_ += bytes.size();
    const auto *frames = reinterpret_cast<const int16_t *>(bytes.constData());
    for (long long i = 0; i < bytes.size() / frameBytes; ++i)
        samples_.push_back(frames[i * channels_]);

    size_t n = size_t(windowFrames());
    while ((heard_.size() + 1) * n <= samples_.size())
        heard_.push_back(classify(samples_.data() + heard_.size() * n));
}

char Ear::classify(const int16_t *window) const {
    int n = windowFrames();
    double sum = 0;
    for (int i = 0; i < n; ++i) sum += double(window[i]) * window[i];
    if (std::sqrt(sum / n) < 100) return kSilence;
    std::vector<double> energy;
    for (const auto &tone : tones_) energy.push_back(energyAt(window, n, tone.second, rate_));
    for (size_t i = 0; i < tones_.size(); ++i) {
        bool dominant = energy[i] > 0;
        for (size_t j = 0; j < tones_.size(); ++j)
            if (j != i && energy[i] < 4 * energy[j]) dominant = false;
        if (dominant) return tones_[i].first;
    }
    return kUnclear;
}

const std::string &Ear::heard() {
    readMore();
    return heard_;
}

const std::vector<int16_t> &Ear::samples() {
    readMore();
    return samples_;
}

bool waitUntil(const std::function<bool()> &condition, int boundMilliseconds) {
    QDeadlineTimer bound(boundMilliseconds);
    // Wakes the event loop to look at the condition again when no event does.
    QTimer tick;
    tick.start(2);
    while (!condition()) {
        if (bound.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void deliverQueuedCalls() {
    bool delivered = false;
    // Queued calls to one thread arrive in the order they were queued.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&delivered] { delivered = true; }, Qt::QueuedConnection);
    waitUntil([&delivered] { return delivered; });
}

bool musicSounding(const AudioState *audio) {
    if (audio->recording) return audio->recording->playing();
    return Mix_PlayingMusic() == 1 && Mix_PausedMusic() == 0;
}

size_t firstTone(const std::string &heard, size_t from) {
    for (size_t i = from; i < heard.size(); ++i)
        if (heard[i] != kSilence && heard[i] != kUnclear) return i;
    return std::string::npos;
}

size_t afterSilence(const std::string &heard, size_t from, size_t n) {
    if (from == std::string::npos) return std::string::npos;
    size_t at = heard.find(std::string(n, kSilence), from);
    return at == std::string::npos ? at : at + n;
}

}  // namespace fusefuda::testing
