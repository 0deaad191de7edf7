#include "sound_files.h"

#include <QFile>
#include <cmath>
#include <cstdint>

namespace fusefuda::testing {

namespace {

void put16(QByteArray &out, uint32_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray &out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void put32BigEndian(QByteArray &out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.append(char((v >> shift) & 0xFF));
}
void putVariableLength(QByteArray &out, uint32_t v) {
    char bytes[5];
    int n = 0;
    bytes[n++] = char(v & 0x7F);
    while (v >>= 7) bytes[n++] = char(0x80 | (v & 0x7F));
    while (n) out.append(bytes[--n]);
}
void putEvent(QByteArray &track, uint32_t delta, std::initializer_list<int> bytes) {
    putVariableLength(track, delta);
    for (int b : bytes) track.append(char(b));
}

// 480 ticks to the quarter note at 480,000 microseconds per quarter note: one
// tick is one millisecond.
QByteArray midiFile(const QByteArray &events, int program) {
    QByteArray track;
    putEvent(track, 0, {0xFF, 0x51, 3, 0x07, 0x53, 0x00});
    putEvent(track, 0, {0xC0, program});
    track.append(events);
    putEvent(track, 0, {0xFF, 0x2F, 0});

    QByteArray file("MThd");
    put32BigEndian(file, 6);
    file.append(char(0)).append(char(0));        // format 0
    file.append(char(0)).append(char(1));        // one track
    file.append(char(0x01)).append(char(0xE0));  // 480 ticks per quarter
    file.append("MTrk");
    put32BigEndian(file, uint32_t(track.size()));
    file.append(track);
    return file;
}

}  // namespace

QByteArray toneWav(double hertz, int milliseconds, double amplitude, int rate) {
    int frames = rate * milliseconds / 1000;
    QByteArray wav("RIFF");
    put32(wav, uint32_t(36 + frames));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, uint32_t(rate));
    put32(wav, uint32_t(rate));  // bytes per second
    put16(wav, 1);               // block size
    put16(wav, 8);               // bits per sample
    wav.append("data");
    put32(wav, uint32_t(frames));
    for (int i = 0; i < frames; ++i) {
        double s = amplitude * std::sin(2 * M_PI * hertz * i / rate);
        wav.append(char(uint8_t(std::lround(128 + 127 * s))));
    }
    return wav;
}

QByteArray melodyMidi(const std::vector<MidiNote> &notes) {
    QByteArray events;
    uint32_t restBefore = 0;
    for (const MidiNote &note : notes) {
        if (note.key == 0) {
            restBefore += uint32_t(note.milliseconds);
            continue;
        }
        putEvent(events, restBefore, {0x90, note.key, note.velocity});
        putEvent(events, uint32_t(note.milliseconds), {0x80, note.key, 0});
        restBefore = 0;
    }
    return midiFile(events, 73);  // flute
}

QByteArray chordMidi(const std::vector<int> &chord, const std::vector<int> &melody,
                     int millisecondsPerNote) {
    QByteArray events;
    for (int key : melody) {
        for (int c : chord) putEvent(events, 0, {0x90, c, 100});
        putEvent(events, 0, {0x90, key, 100});
        putEvent(events, uint32_t(millisecondsPerNote), {0x80, key, 0});
        for (int c : chord) putEvent(events, 0, {0x80, c, 0});
    }
    return midiFile(events, 0);  // piano
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace fusefuda::testing
