// WAV and standard MIDI files, written byte by byte.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace fusefuda::soundfiles {

// A mono 8-bit PCM WAV file. The samples run from -1 to 1; anything beyond
// is clamped.
QByteArray waveFile(int rate, const std::vector<float> &samples);

// One MIDI event at an absolute time in ticks. At the same tick the lower
// order goes first, so that a note can end where the next one starts.
struct MidiEvent {
    uint32_t tick = 0;
    int order = 0;
    QByteArray bytes;  // a status byte and its data, or a whole meta event
};

QByteArray midiBytes(std::initializer_list<int> values);
QByteArray metaEvent(int type, const QByteArray &data);
QByteArray tempoEvent(uint32_t microsecondsPerQuarter);
// A track chunk: the events in time order, closed by end-of-track at endTick
// or at the last event, whichever comes later.
QByteArray trackChunk(std::vector<MidiEvent> events, uint32_t endTick = 0);
// A whole standard MIDI file: format 0 with one track, or format 1.
QByteArray midiFile(int format, int ticksPerQuarter, const std::vector<QByteArray> &tracks);

}  // namespace fusefuda::soundfiles
