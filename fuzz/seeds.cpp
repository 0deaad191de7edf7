// Writes a handful of play files that a player could have saved, as the
// starting corpus of the fuzz target: before any game, a fresh deal at each
// level, a game along the way and a finished one. Each must pass the checks.
#include <cstdio>
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
    g.cardRect[c][r] = {left, top, left + kPitchX, top + kPitchY};
}

void join(GameState &g, int a, int b) {
    int32_t merged[kColumns][kRows];
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            merged[c][r] = g.groupMembers[a][c][r] | g.groupMembers[b][c][r];
    for (int id = 0; id < kCards; ++id)
        if (merged[cardColumn(id)][cardRow(id)])
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r) g.groupMembers[id][c][r] = merged[c][r];
    // lay the group out around card a
    const Rect at = g.cardRect[cardColumn(a)][cardRow(a)];
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (merged[c][r])
                placeCard(g, c, r, at.left + kPitchX * (c - cardColumn(a)),
                          at.top + kPitchY * (r - cardRow(a)));
}

void deal(GameState &g, int level, uint32_t seed) {
    g = GameState{};
    g.gameStarted = 1;
    g.level = level;
    g.viewX = kStartViewX;
    g.viewY = kStartViewY;
    randomState = seed;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            g.groupMembers[id][c][r] = 1;
            g.slotCard[c][r] = id;
            g.slotPresent[c][r] = 1;
            g.stackLevel[c][r] = id;
            g.stackColumn[id] = c;
            g.stackRow[id] = r;
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
        g.faceUp[6][r] = 1;
        g.touchCount[6][r] = 3;
    }
    g.score = (4 - level) * 1600;
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

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    static GameState g;
    bool ok = write(folder, "before-first-game.pvq", g);

    const char *dealt[] = {"", "dealt-advanced.pvq", "dealt-intermediate.pvq",
                           "dealt-beginner.pvq"};
    for (int level = 1; level <= 3; ++level) {
        deal(g, level, uint32_t(1000 + level));
        ok = write(folder, dealt[level], g) && ok;
    }

    deal(g, 2, 77);
    join(g, cardId(2, 0), cardId(3, 0));
    join(g, cardId(6, 1), cardId(5, 1));
    g.touchCount[2][0] = 1;
    g.touchCount[3][0] = 2;
    g.touchCount[9][2] = 3;
    g.faceUp[9][2] = 1;
    g.touchCount[10][3] = 4;
    g.faceUp[10][3] = 1;
    placeCard(g, 10, 3, -40, 1563);
    g.score = 3200 - 50 - 80 - 100 - 100;
    g.scoreDisplayOn = 1;
    ok = write(folder, "along-the-way.pvq", g) && ok;

    deal(g, 3, 5);
    const ColumnRange cols = columnsInPlay(3);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) join(g, 6, cardId(c, r));
    g.gameOver = 1;
    ok = write(folder, "finished.pvq", g) && ok;
    return ok ? 0 : 1;
}
