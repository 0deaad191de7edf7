#include "sound_files.h"

#include <QFile>
#include <cmath>

#include "soundfiles.h"

namespace fusefuda::testing {

using soundfiles::midiBytes;
using soundfiles::MidiEvent;

namespace {

// 480 ticks to the quarter note at 480,000 microseconds per quarter note: one
// tick is one millisecond.
QByteArray midiFile(std::vector<MidiEvent> events, int program, uint32_t endTick) {
    events.insert(events.begin(), {{0, 0, soundfiles::tempoEvent(480000)},
                                   {0, 0, midiBytes({0xC0, program})}});
    return soundfiles::midiFile(0, 480, {soundfiles::trackChunk(std::move(events), endTick)});
}

// Note-offs sort before note-ons at the same tick.
void addNote(std::vector<MidiEvent> &events, uint32_t at, uint32_t length, int key, int velocity) {
    events.push_back({at, 1, midiBytes({0x90, key, velocity})});
    events.push_back({at + length, 0, midiBytes({0x80, key, 0})});
}

}  // namespace

QByteArray toneWav(double hertz, int milliseconds, double amplitude, int rate) {
    std::vector<float> samples(size_t(rate) * size_t(milliseconds) / 1000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(amplitude * std::sin(2 * M_PI * hertz * double(i) / rate));
    return soundfiles::waveFile(rate, samples);
}

QByteArray melodyMidi(const std::vector<MidiNote> &notes) {
    std::vector<MidiEvent> events;
    uint32_t at = 0;
    for (const MidiNote &note : notes) {
        if (note.key != 0) addNote(events, at, uint32_t(note.milliseconds), note.key, note.velocity);
        at += uint32_t(note.milliseconds);
    }
    return midiFile(std::move(events), 73, at);  // flute
}

QByteArray chordMidi(const std::vector<int> &chord, const std::vector<int> &melody,
                     int millisecondsPerNote) {
    std::vector<MidiEvent> events;
    uint32_t at = 0;
    for (int key : melody) {
        for (int c : chord) addNote(events, at, uint32_t(millisecondsPerNote), c, 100);
        addNote(events, at, uint32_t(millisecondsPerNote), key, 100);
        at += uint32_t(millisecondsPerNote);
    }
    return midiFile(std::move(events), 0, at);  // piano
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace fusefuda::testing
