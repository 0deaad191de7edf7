// The background tune that the build puts beside the executable, read as a
// MIDI player reads it.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <set>
#include <vector>

using namespace std;

namespace {

struct Tune {
    string error;
    int format = -1;
    int division = 0;
    int tracks = 0;
    double seconds = 0;           // to the last end-of-track
    double lastNoteOff = 0;       // seconds
    int notes = 0;
    int hangingNotes = 0;         // started and never stopped
    int notesWithoutProgram = 0;  // on a channel not yet given an instrument
    set<int> channels;
};

uint32_t be(const QByteArray &b, qsizetype at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | uint8_t(b[at + i]);
    return v;
}

struct TimedEvent {
    uint32_t tick;
    int track;
    vector<uint8_t> bytes;  // status first; meta events as FF type data...
};

Tune readTune(const QByteArray &file) {
    Tune t;
    if (file.size() < 14 || file.left(4) != "MThd" || be(file, 4, 4) != 6) {
        t.error = "no MThd header";
        return t;
    }
    t.format = int(be(file, 8, 2));
    const int declared = int(be(file, 10, 2));
    t.division = int(be(file, 12, 2));
    if (t.division <= 0 || t.division & 0x8000) {
        t.error = "division is not in ticks per quarter";
        return t;
    }
    vector<TimedEvent> events;
    qsizetype at = 14;
    uint32_t endTick = 0;
    while (at + 8 <= file.size()) {
        if (file.mid(at, 4) != "MTrk") {
            t.error = "chunk other than MTrk";
            return t;
        }
        const qsizetype size = be(file, at + 4, 4), end = at + 8 + size;
        if (end > file.size()) {
            t.error = "track runs past the end of the file";
            return t;
        }
        qsizetype p = at + 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        auto varLen = [&]() {
            uint32_t v = 0;
            for (int i = 0; i < 4 && p < end; ++i) {
                const uint8_t b = uint8_t(file[p++]);
                v = v << 7 | (b & 0x7F);
                if (!(b & 0x80)) break;
            }
            return v;
        };
        while (p < end && !ended) {
            tick += varLen();
            if (p >= end) break;
            if (uint8_t(file[p]) & 0x80) status = uint8_t(file[p++]);
            TimedEvent e{tick, t.tracks, {status}};
            if (status == 0xFF) {
                const uint8_t type = uint8_t(file[p++]);
                const uint32_t len = varLen();
                e.bytes.push_back(type);
                for (uint32_t i = 0; i < len && p < end; ++i) e.bytes.push_back(uint8_t(file[p++]));
                ended = type == 0x2F;
            } else if (status == 0xF0 || status == 0xF7) {
                p += varLen();
            } else {
                const int kind = status & 0xF0;
                const int length = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                for (int i = 0; i < length && p < end; ++i) e.bytes.push_back(uint8_t(file[p++]));
            }
            events.push_back(e);
        }
        if (!ended || p != end) {
            t.error = "a track does not close with end-of-track";
            return t;
        }
        endTick = max(endTick, tick);
        ++t.tracks;
        at = end;
    }
    if (t.tracks != declared || at != file.size()) {
        t.error = "track count or file length does not match the header";
        return t;
    }
    stable_sort(events.begin(), events.end(),
                [](const TimedEvent &a, const TimedEvent &b) { return a.tick < b.tick; });

    // Walk in time, converting ticks to seconds through the tempo changes.
    double seconds = 0;
    uint32_t lastTick = 0;
    double perTick = 0.5 / t.division;  // 120 per minute until told otherwise
    map<pair<int, int>, int> sounding;
    set<int> programmed;
    for (const TimedEvent &e : events) {
        seconds += (e.tick - lastTick) * perTick;
        lastTick = e.tick;
        const int status = e.bytes[0], kind = status & 0xF0, channel = status & 0x0F;
        if (status == 0xFF && e.bytes.size() == 5 && e.bytes[1] == 0x51)
            perTick = ((e.bytes[2] << 16) | (e.bytes[3] << 8) | e.bytes[4]) / 1e6 / t.division;
        if (kind == 0xC0) programmed.insert(channel);
        if (kind == 0x90 && e.bytes[2] > 0) {
            ++t.notes;
            t.channels.insert(channel);
            if (!programmed.count(channel)) ++t.notesWithoutProgram;
            ++sounding[{channel, e.bytes[1]}];
        } else if (kind == 0x80 || (kind == 0x90 && e.bytes[2] == 0)) {
            auto it = sounding.find({channel, e.bytes[1]});
            if (it != sounding.end() && it->second > 0) --it->second;
            t.lastNoteOff = seconds;
        }
    }
    t.seconds = seconds + (endTick - lastTick) * perTick;
    for (const auto &[key, count] : sounding) t.hangingNotes += count;
    return t;
}

QByteArray tuneFile() {
    QFile file(QStringLiteral(FUSEFUDA_MUSIC_FILE));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Music, IsAWellFormedStandardMidiFile) {
    const QByteArray file = tuneFile();
    ASSERT_FALSE(file.isEmpty()) << "no tune at " << FUSEFUDA_MUSIC_FILE;
    const Tune t = readTune(file);
    ASSERT_EQ(t.error, "");
    EXPECT_TRUE(t.format == 0 || t.format == 1);
    EXPECT_GT(t.notes, 100);
    EXPECT_GE(t.channels.size(), 2u);
    EXPECT_EQ(t.channels.count(9), 0u) << "a calm piece needs no drum channel";
    EXPECT_EQ(t.notesWithoutProgram, 0);
    EXPECT_EQ(t.hangingNotes, 0);
}

TEST(Music, LastsHalfAMinuteToAMinuteAndEndsWithItsLastNote) {
    const Tune t = readTune(tuneFile());
    ASSERT_EQ(t.error, "");
    EXPECT_GE(t.seconds, 30.0);
    EXPECT_LE(t.seconds, 60.0);
    // The file ends as the last notes die away: a long silence after them
    // would add to the player's own pause before the tune starts again.
    EXPECT_GT(t.lastNoteOff, t.seconds - 1.0);
}
