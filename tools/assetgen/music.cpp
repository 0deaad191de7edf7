// The background tune: a calm piece for music box, piano and strings in F
// major, about 49 seconds, written as a format 1 standard MIDI file. It ends
// on a held tonic chord that dies away, so that the pause before the player
// starts it again sounds like breathing, not like a cut.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "assetgen.h"
#include "soundfiles.h"

namespace fusefuda::assetgen {

using soundfiles::MidiEvent;
using soundfiles::metaEvent;
using soundfiles::midiBytes;
using soundfiles::tempoEvent;
using soundfiles::trackChunk;

namespace {

constexpr int kTicks = 480;  // per quarter note
constexpr int kTempo = 76;   // quarter notes per minute
constexpr int kBeatsPerBar = 4;

struct Note {
    double beat;    // from the start of the piece
    double length;  // in beats
    int pitch;
    int velocity;
};

enum : int {
    C2 = 36, D2 = 38, E2 = 40, F2 = 41, G2 = 43, A2 = 45, Bb2 = 46,
    C3 = 48, D3 = 50, E3 = 52, F3 = 53, G3 = 55, A3 = 57, Bb3 = 58,
    C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, Bb4 = 70,
    C5 = 72, D5 = 74, E5 = 76, F5 = 77, A5 = 81,
    A1 = 33, Bb1 = 34, G1 = 31, F1 = 29,
    Rest = -1,
};

// The tune, bar by bar, as (pitch, beats) pairs.
const std::vector<std::vector<std::pair<int, double>>> kMelody = {
    {{C5, 1}, {A4, .5}, {C5, .5}, {D5, 1}, {C5, 1}},           // F
    {{A4, 1.5}, {G4, .5}, {F4, 1}, {G4, 1}},                   // Dm
    {{F4, .5}, {G4, .5}, {A4, 1}, {D5, 1}, {C5, 1}},           // Bb
    {{G4, 3}, {Rest, 1}},                                      // C
    {{C5, 1}, {A4, .5}, {C5, .5}, {F5, 1}, {E5, .5}, {D5, .5}},  // F
    {{E5, 1.5}, {D5, .5}, {C5, 1}, {A4, 1}},                   // Am
    {{D5, 1}, {C5, .5}, {A4, .5}, {G4, 1}, {A4, 1}},           // Bb
    {{E4, 1}, {G4, 1}, {C5, 2}},                               // C
    {{D5, 1}, {F5, 1}, {E5, .5}, {D5, .5}, {C5, 1}},           // Dm
    {{D5, 1.5}, {C5, .5}, {Bb4, 1}, {A4, 1}},                  // Bb
    {{A4, 1}, {C5, 1}, {Bb4, 1}, {G4, 1}},                     // F/A, Gm
    {{A4, 1}, {G4, .5}, {E4, .5}, {G4, 2}},                    // C
    {{F4, .5}, {G4, .5}, {A4, 1}, {D5, 1}, {C5, 1}},           // Bb
    {{C5, 1}, {A4, .5}, {G4, .5}, {G4, 2}},                    // C
    {{F4, 6}},                                                 // F, held
};

// Broken chords for the piano: each half bar names five notes, root first.
struct Half {
    int notes[5];
};
const Half kF = {{F2, C3, F3, A3, C4}}, kDm = {{D2, A2, D3, F3, A3}},
           kBb = {{Bb1, F2, Bb2, D3, F3}}, kC = {{C2, G2, C3, E3, G3}},
           kAm = {{A1, E2, A2, C3, E3}}, kFA = {{A1, F2, A2, C3, F3}},
           kGm = {{G1, D2, G2, Bb2, D3}};
const std::vector<std::pair<Half, Half>> kHarmony = {
    {kF, kF},   {kDm, kDm}, {kBb, kBb}, {kC, kC},  {kF, kF},  {kAm, kAm}, {kBb, kBb},
    {kC, kC},   {kDm, kDm}, {kBb, kBb}, {kFA, kGm}, {kC, kC}, {kBb, kBb}, {kC, kC},
};

// The strings hold three notes a bar, voiced close together.
const std::vector<std::vector<int>> kPad = {
    {A3, C4, F4}, {A3, D4, F4}, {Bb3, D4, F4}, {G3, C4, E4}, {A3, C4, F4},
    {A3, C4, E4}, {Bb3, D4, F4}, {G3, C4, E4}, {A3, D4, F4}, {Bb3, D4, F4},
    {A3, C4, F4}, {G3, C4, E4}, {Bb3, D4, F4}, {G3, C4, E4},
};

uint32_t ticksAt(double beat) { return uint32_t(beat * kTicks + 0.5); }

std::vector<MidiEvent> instrument(const char *name, int channel, int program, int volume, int pan) {
    std::vector<MidiEvent> events;
    events.push_back({0, 0, metaEvent(0x03, QByteArray(name))});
    events.push_back({0, 0, midiBytes({0xC0 | channel, program})});
    events.push_back({0, 0, midiBytes({0xB0 | channel, 7, volume})});
    events.push_back({0, 0, midiBytes({0xB0 | channel, 10, pan})});
    events.push_back({0, 0, midiBytes({0xB0 | channel, 91, 72})});  // reverb
    // Full expression, since a player that loops the file may keep the
    // value the previous pass faded to.
    events.push_back({0, 0, midiBytes({0xB0 | channel, 11, 127})});
    return events;
}

void addNote(std::vector<MidiEvent> &events, int channel, const Note &n) {
    const uint32_t on = ticksAt(n.beat);
    // A hair short of full length, so that repeated notes strike again.
    const uint32_t off = std::max(on + 1, ticksAt(n.beat + n.length) - 8);
    events.push_back({on, 1, midiBytes({0x90 | channel, n.pitch, n.velocity})});
    events.push_back({off, 0, midiBytes({0x80 | channel, n.pitch, 0})});
}

// Louder on the bar's first beat, a little on the third.
int accent(double beat, int base) {
    const double inBar = beat - kBeatsPerBar * int(beat / kBeatsPerBar);
    if (inBar < 0.01) return base + 10;
    if (std::abs(inBar - 2) < 0.01) return base + 4;
    return base;
}

}  // namespace

QByteArray makeMusic() {
    const int bars = int(kMelody.size());
    const double lastBeat = kBeatsPerBar * (bars - 1) + 6;  // the held final chord
    const uint32_t endTick = ticksAt(lastBeat + 0.5);

    // Conductor: name, metre, key, tempo.
    std::vector<MidiEvent> conductor;
    conductor.push_back({0, 0, metaEvent(0x03, QByteArray("Fusefuda"))});
    conductor.push_back({0, 0, metaEvent(0x58, midiBytes({4, 2, 24, 8}))});
    conductor.push_back({0, 0, metaEvent(0x59, midiBytes({0xFF, 0}))});  // one flat, major
    conductor.push_back({0, 0, tempoEvent(60000000u / kTempo)});

    // The tune on a music box, an octave above where it is written.
    std::vector<MidiEvent> tune = instrument("Music box", 0, 10, 100, 64);
    for (int bar = 0; bar < bars; ++bar) {
        double beat = kBeatsPerBar * bar;
        for (const auto &[pitch, length] : kMelody[bar]) {
            if (pitch != Rest) addNote(tune, 0, {beat, length, pitch + 12, accent(beat, 70)});
            beat += length;
        }
    }

    // Piano: broken chords in eighths, then a rolled final chord.
    std::vector<MidiEvent> piano = instrument("Piano", 1, 0, 84, 48);
    for (int bar = 0; bar < int(kHarmony.size()); ++bar) {
        const Half &first = kHarmony[bar].first, &second = kHarmony[bar].second;
        // Over one chord the figure climbs to the top note and comes back
        // down; a bar of two chords climbs through each in turn.
        const bool oneChord = first.notes[0] == second.notes[0];
        const int climbAndFall[8] = {0, 1, 2, 3, 4, 3, 2, 1};
        const int climbTwice[8] = {0, 1, 2, 3, 0, 1, 2, 3};
        for (int k = 0; k < 8; ++k) {
            const Half &h = k < 4 ? first : second;
            const int pitch = h.notes[oneChord ? climbAndFall[k] : climbTwice[k]];
            const double beat = kBeatsPerBar * bar + 0.5 * k;
            addNote(piano, 1, {beat, 0.5, pitch, accent(beat, 52) - 4 * (k % 2)});
        }
    }
    const double finalBeat = kBeatsPerBar * (bars - 1);
    const int finalChord[] = {F1, F2, C3, F3, A3, C4};
    for (int k = 0; k < 6; ++k)
        addNote(piano, 1, {finalBeat + 0.09 * k, 6 - 0.09 * k, finalChord[k], 58 - 3 * k});

    // Strings: one held chord a bar, swelling on the last.
    std::vector<MidiEvent> strings = instrument("Strings", 2, 49, 70, 80);
    for (int bar = 0; bar < int(kPad.size()); ++bar)
        for (int pitch : kPad[bar]) addNote(strings, 2, {kBeatsPerBar * bar * 1.0, 4, pitch, 44});
    for (int pitch : {A3, C4, F4}) addNote(strings, 2, {finalBeat, 6, pitch, 50});
    // Let the strings fade over the held chord rather than stop dead.
    for (int step = 0; step <= 12; ++step)
        strings.push_back({ticksAt(finalBeat + 2 + step * 0.33), 2,
                           midiBytes({0xB2, 11, 127 - step * 8})});

    return soundfiles::midiFile(1, kTicks,
                                {trackChunk(conductor, endTick), trackChunk(tune, endTick),
                                 trackChunk(piano, endTick), trackChunk(strings, endTick)});
}

}  // namespace fusefuda::assetgen
