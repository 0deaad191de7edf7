#include "soundfiles.h"

#include <algorithm>
#include <cmath>

namespace fusefuda::soundfiles {

namespace {

// RIFF counts in little-endian order, MIDI in big-endian order.
void putLittle(QByteArray &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}
void putBig(QByteArray &out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.append(char((v >> (8 * i)) & 0xFF));
}

void putVariableLength(QByteArray &out, uint32_t v) {
    char bytes[5];
    int n = 0;
    bytes[n++] = char(v & 0x7F);
    while (v >>= 7) bytes[n++] = char(0x80 | (v & 0x7F));
    while (n) out.append(bytes[--n]);
}

}  // namespace

QByteArray waveFile(int rate, const std::vector<float> &samples) {
    const uint32_t dataSize = uint32_t(samples.size());
    const uint32_t pad = dataSize % 2;  // chunks are word-aligned
    QByteArray b("RIFF");
    putLittle(b, 4 + (8 + 16) + (8 + dataSize + pad), 4);
    b.append("WAVEfmt ");
    putLittle(b, 16, 4);
    putLittle(b, 1, 2);  // PCM
    putLittle(b, 1, 2);  // mono
    putLittle(b, uint32_t(rate), 4);
    putLittle(b, uint32_t(rate), 4);  // bytes per second
    putLittle(b, 1, 2);               // bytes per frame
    putLittle(b, 8, 2);               // bits per sample
    b.append("data");
    putLittle(b, dataSize, 4);
    for (float v : samples) {
        const long q = std::lround(128.0 + 127.0 * std::clamp(double(v), -1.0, 1.0));
        b.append(char(uint8_t(std::clamp(q, 0L, 255L))));
    }
    if (pad) b.append(char(128));
    return b;
}

QByteArray midiBytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

QByteArray metaEvent(int type, const QByteArray &data) {
    QByteArray b = midiBytes({0xFF, type});
    putVariableLength(b, uint32_t(data.size()));
    return b + data;
}

QByteArray tempoEvent(uint32_t microsecondsPerQuarter) {
    QByteArray data;
    putBig(data, microsecondsPerQuarter, 3);
    return metaEvent(0x51, data);
}

QByteArray trackChunk(std::vector<MidiEvent> events, uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent &a, const MidiEvent &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    QByteArray body;
    uint32_t now = 0;
    for (const MidiEvent &e : events) {
        putVariableLength(body, e.tick - now);
        now = e.tick;
        body += e.bytes;
    }
    putVariableLength(body, endTick > now ? endTick - now : 0);
    body += metaEvent(0x2F, {});
    QByteArray chunk("MTrk");
    putBig(chunk, uint32_t(body.size()), 4);
    return chunk + body;
}

QByteArray midiFile(int format, int ticksPerQuarter, const std::vector<QByteArray> &tracks) {
    QByteArray file("MThd");
    putBig(file, 6, 4);
    putBig(file, uint32_t(format), 2);
    putBig(file, uint32_t(tracks.size()), 2);
    putBig(file, uint32_t(ticksPerQuarter), 2);
    for (const QByteArray &track : tracks) file += track;
    return file;
}

}  // namespace fusefuda::soundfiles
