// Small sound files, so that the tests depend on no asset: pure tones as
// 8-bit WAVs and single-voice MIDI pieces.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace fusefuda::testing {

// A mono 8-bit PCM WAV holding a sine tone.
QByteArray toneWav(double hertz, int milliseconds, double amplitude = 0.5, int rate = 8000);

struct MidiNote {
    int key;  // MIDI key number; 0 is a rest
    int milliseconds;
    int velocity = 100;
};

// A format-0 MIDI file playing the notes one after the other on a flute,
// whose nearly pure tone is easy to tell apart by pitch; a rest at the end
// holds off the end of the piece.
QByteArray melodyMidi(const std::vector<MidiNote> &notes);
// A piano playing a chord under each note of a melody, all held for the given
// time: about as dense as background music gets.
QByteArray chordMidi(const std::vector<int> &chord, const std::vector<int> &melody,
                     int millisecondsPerNote);

void writeFile(const QString &path, const QByteArray &bytes);

// Key numbers and pitches of the notes the tests tell apart.
constexpr int kKeyC5 = 72;
constexpr double kHzC5 = 523.25;
constexpr int kKeyFsharp5 = 78;
constexpr double kHzFsharp5 = 739.99;

}  // namespace fusefuda::testing
