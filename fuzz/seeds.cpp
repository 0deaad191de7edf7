// Writes the starting corpora of the fuzz targets. Play files that a player
// could have saved (before any game, a fresh deal at each level, a game along
// the way and a finished one), each of which must pass the checks; changes to
// saved games and scripts of play for the load target; settings files as the
// game writes them and as hands and other tools leave them; names in code
// page 932 and in UTF-8.
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "playfile/codec.h"

using namespace fusefuda;

namespace {

uint32_t randomState = 1;

int drawRandom() {
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & 0x7FFF);
}

void placeCard(GameState &g, int c, int r, int left, int top) {
    g.board.cardRect[c][r] = {left, top, left + kPitchX, top + kPitchY};
}

void join(GameState &g, int a, int b) {
    bool merged[kColumns][kRows];
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            merged[c][r] = g.board.groupMembers[a][c][r] | g.board.groupMembers[b][c][r];
    for (int id = 0; id < kCards; ++id)
        if (merged[cardColumn(id)][cardRow(id)])
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r) g.board.groupMembers[id][c][r] = merged[c][r];
    // lay the group out around card a
    const Rect at = g.board.cardRect[cardColumn(a)][cardRow(a)];
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (merged[c][r])
                placeCard(g, c, r, at.left + kPitchX * (c - cardColumn(a)),
                          at.top + kPitchY * (r - cardRow(a)));
}

void deal(GameState &g, Level level, uint32_t seed) {
    g = GameState{};
    g.gameStarted = 1;
    g.level = level;
    g.viewX = kStartViewX;
    g.viewY = kStartViewY;
    randomState = seed;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            g.board.groupMembers[id][c][r] = 1;
            g.board.slotCard[c][r] = id;
            g.board.slotPresent[c][r] = 1;
            g.board.stackLevel[c][r] = id;
            g.board.stackColumn[id] = c;
            g.board.stackRow[id] = r;
        }
    const ColumnRange cols = columnsInPlay(level);
    for (int r = 0; r < kRows; ++r)
        for (int c = cols.first; c <= cols.last; ++c) {
            if (c == 6) {
                placeCard(g, c, r, 88 + 64 * c + g.viewX, 150 + kPitchY * r + g.viewY);
                continue;
            }
            const int a = drawRandom() % 800;
            const int b = drawRandom() % 400;
            placeCard(g, c, r, a + g.viewX + 50, b + g.viewY + 120);
        }
    for (int r = 0; r < kRows; ++r) {
        join(g, 6, cardId(6, r));
        g.board.faceUp[6][r] = 1;
        g.board.touchCount[6][r] = 3;
    }
    g.board.score = startingScore(level);
}

bool write(const std::string &folder, const char *name, const GameState &g) {
    const PlayFileRecord record = captureRecord(g);
    if (findFault(record) != PlayFileFault::None) {
        std::fprintf(stderr, "seed %s does not pass the checks\n", name);
        return false;
    }
    const std::vector<uint8_t> image = encodePlayFile(record);
    const std::string path = folder + "/" + name;
    std::FILE *out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(image.data(), 1, image.size(), out) == image.size();
    return std::fclose(out) == 0 && ok;
}

bool writeBytes(const std::string &folder, const std::string &name, const std::string &bytes) {
    std::FILE *out = std::fopen((folder + "/" + name).c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

bool playFiles(const std::string &folder) {
    static GameState g;
    bool ok = write(folder, "before-first-game.pvq", g);

    const char *dealt[] = {"", "dealt-advanced.pvq", "dealt-intermediate.pvq",
                           "dealt-beginner.pvq"};
    for (int level = 1; level <= 3; ++level) {
        deal(g, levelFromNumber(level), uint32_t(1000 + level));
        ok = write(folder, dealt[level], g) && ok;
    }

    deal(g, kIntermediate, 77);
    join(g, cardId(2, 0), cardId(3, 0));
    join(g, cardId(6, 1), cardId(5, 1));
    g.board.touchCount[2][0] = 1;
    g.board.touchCount[3][0] = 2;
    g.board.touchCount[9][2] = 3;
    g.board.faceUp[9][2] = 1;
    g.board.touchCount[10][3] = 4;
    g.board.faceUp[10][3] = 1;
    placeCard(g, 10, 3, -40, 1563);
    g.board.score = 3200 - 50 - 80 - 100 - 100;
    g.scoreDisplayOn = 1;
    ok = write(folder, "along-the-way.pvq", g) && ok;

    deal(g, kBeginner, 5);
    const ColumnRange cols = columnsInPlay(kBeginner);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) join(g, 6, cardId(c, r));
    g.gameOver = 1;
    ok = write(folder, "finished.pvq", g) && ok;
    return ok;
}

// Inputs of the load target: a saved game's number, a gesture under way, a
// count of byte changes and the changes (three bytes of offset, one of
// value), then steps of three bytes (operation, then two position bytes).
bool loadScripts(const std::string &folder) {
    const std::string scripts[] = {
        // carry card (4, 1) a little and drop it; peek at (5, 2); undo
        std::string("\x84\x04\x01\x82\x04\x01\x00\x60\x60\x04\x60\x60"
                    "\x85\x05\x02\x06\x05\x02\x07\x00\x00", 21),
        // a reversal and presses
        std::string("\x08\x00\x00\x82\x06\x03\x02\x10\x10\x00\x20\x20"
                    "\x04\x20\x20\x05\x01\x01\x01\x40\x40\x06\x40\x40", 24),
        // shift presses and pulls of the view
        std::string("\x01\x10\x10\x03\x50\x50\x04\x50\x50\x83\x07\x02"
                    "\x04\x07\x02\x0a\x30\x30\x05\x00\x00\x01\x90\x90\x06\x90\x90", 27),
    };
    // A change that a check must catch: a stacking list entry, a touch count.
    const std::string changes[] = {
        std::string("\x00", 1),
        std::string("\x01\x20\x2e\x02\x05", 5),   // column list, position 0
        std::string("\x01\xa0\x01\x00\x04", 5),   // touch count of card (0, 0)
    };
    bool ok = true;
    int n = 0;
    for (int base = 0; base < 5; ++base)
        for (int gesture = 0; gesture < 5; gesture += 2)
            for (size_t s = 0; s < std::size(scripts); ++s) {
                const std::string &change = changes[(base + s) % std::size(changes)];
                const std::string input = std::string(1, char(base)) + char(gesture) + change + scripts[s];
                ok = writeBytes(folder, "load-" + std::to_string(n++), input) && ok;
            }
    return ok;
}

bool settingsFiles(const std::string &folder) {
    const std::string written =
        "[Kov_Section]\r\nscore0=1500\r\nscore1=1300\r\nscore2=1100\r\nscore3=900\r\n"
        "score4=700\r\nname0=\xC6\xB9\xDE\xDB\r\nname1=\xB8\xD9\xD9\r\n"
        "name2=\xD0\xB7\xDE\xD7\r\nname3=\xCB\xC0\xDE\xDB\r\nname4=\xB3\xDB\xD8\r\n"
        "backP=1\r\ncardP=1\r\nguide=1\r\nSoundF=1\r\nbgmF=1\r\nPrintScoreF=0\r\n"
        "PrintHikariF=1\r\nkanpa=1\r\n";
    std::string lf = written;
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.replace(at, 2, "\n");
    // 47 single bytes, then a double-byte character across the 49-byte cut
    const std::string split = std::string(47, 'A') + "\x93\xFA\x96\x7B";
    bool ok = writeBytes(folder, "written.ini", written);
    ok = writeBytes(folder, "lf.ini", lf) && ok;
    ok = writeBytes(folder, "odd.ini",
                    "; made by hand\n[Other]\nscore0=5\n\n  [ kov_section ]  \n"
                    "  SCORE0 = 99999999999999999999\r\nscore1=-2147483649\r\n"
                    "score2=+12abc\r\nscore3=  -5\r\nscore4=\r\nname0=" + split +
                        "\r\nname1=\t blanks \t\r\nname2=ab\rcd\r\nbackP\r\n"
                        "guide=2147483648\r\n[Kov_Section]\r\nname3=second\r\n") && ok;
    ok = writeBytes(folder, "nul.ini",
                    std::string("[Kov_Section]\r\nname0=ab\0cd\r\nname1=\x81\r\nbackP=3\0\r\n",
                                41)) && ok;
    ok = writeBytes(folder, "only-backP.ini", "[Kov_Section]\r\nbackP=3\r\n") && ok;
    ok = writeBytes(folder, "empty.ini", "") && ok;
    // either side of the 4 MB limit: 0xFF and a byte that the target grows
    // into comment lines before the rest (when told to: SETTINGS_FUZZ_LARGE)
    ok = writeBytes(folder, "limit.ini", "\xFF\x10\r\n" + written) && ok;
    ok = writeBytes(folder, "over-limit.ini", "\xFF\xF0\r\n" + written + lf) && ok;
    return ok;
}

bool names(const std::string &folder) {
    const std::string samples[] = {
        "\xC6\xB9\xDE\xDB",                          // half-width katakana
        "\x93\xFA\x96\x7B\x8C\xEA",                  // kanji
        "\x87\x40\x87\x90\x81\xE0\xED\x40\xFA\x5C",  // NEC and IBM extensions, twins
        "\xF0\x40\xF9\xFC",                          // the user-defined area
        "abc\x81",                                    // a lead byte at the end
        "\x81\x7F\x80\xA0\xFD\xFE\xFF",              // bytes code page 932 lacks
        "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88",      // UTF-8 katakana
        "\xE3\x80\x9C\xC2\xA5\x5C\xF0\x9F\x82\xA1",  // wave dash, yen, backslash, a card
        "\xED\xA0\x80\xC0\xAF\xF4\x90\x80\x80",      // surrogate, overlong, beyond U+10FFFF
        "ABCDEFGH\x93\xFA",                          // a double-byte character at the nine-byte cut
    };
    bool ok = true;
    int n = 0;
    for (const std::string &sample : samples)
        ok = writeBytes(folder, "name-" + std::to_string(n++), sample) && ok;
    return ok;
}

}  // namespace

int main(int argc, char **argv) {
    const std::string mode = argc == 3 ? argv[1] : "--playfile";
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s [--playfile|--load|--settings|--names] FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[argc - 1];
    bool ok = false;
    if (mode == "--playfile") ok = playFiles(folder);
    else if (mode == "--load") ok = loadScripts(folder);
    else if (mode == "--settings") ok = settingsFiles(folder);
    else if (mode == "--names") ok = names(folder);
    return ok ? 0 : 1;
}
