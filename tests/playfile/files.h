// What the play-file tests do with files and the menu commands: bytes read
// and written whole, a folder's names, a save and a load as the menu gives
// them, and a table busy with another game for a load to end.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "boards.h"
#include "playfile/playfile.h"
#include "support/table.h"

namespace fusefuda::testing {

inline const std::string kOutputCannotOpen = "出力ファイルが開けません";
inline const std::string kInputCannotOpen = "入力ファイルが開けません";
inline const std::string kReadFailed = "ファイルの読み込みに失敗しました";

inline std::vector<uint8_t> readAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<std::string> namesIn(const std::string &folder) {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Saves the table's game to path through the menu command.
inline void save(Table &t, const std::string &path) {
    t.shell.saveChoice = path;
    savePlayFile(t.g(), t.shell);
}

inline void load(Table &t, const std::string &path) {
    t.shell.openChoice = path;
    loadPlayFile(t.play, t.shell);
}

// Forgets what the shell was asked before the command under test.
inline void forgetCalls(Table &t) { t.shell = RecordingShell{}; }

// A table in the middle of a different game, with things going on that a
// load must put an end to.
inline void busyTable(Table &t) {
    t.deal(1, 777);
    playSomeMoves(t.play);
    GameState &g = t.g();
    g.overlays.popups[3] = ScorePopup{100, 120, 2, 1, true};
    g.overlays.sparkles[7] = Sparkle{900, 700, 1, 2, 1, 1};
    g.undoStore.undoDepth = 4;
    g.finalScore = 1234;
    g.nameEntryRank = 2;
    forgetCalls(t);
}

}  // namespace fusefuda::testing
