#include "saves.h"

#include <memory>

#include "app/settings.h"
#include "playfile/codec.h"
#include "playfile/playfile.h"

namespace fusefuda {

namespace {

class ChoosingShell : public PlayFileWindow {
public:
    explicit ChoosingShell(std::string path) : path_(std::move(path)) {}
    std::string chooseOpenPlayFile() override { return {}; }
    std::string chooseSavePlayFile() override { return path_; }
    void showMessage(const std::string &) override { failed = true; }
    void openScoreWindow() override {}
    void closeScoreWindow() override {}
    bool failed = false;

private:
    std::string path_;
};

// Every stored field depends on the version, so two versions differ all over.
std::unique_ptr<GameState> gameOf(long version) {
    auto g = std::make_unique<GameState>();
    g->board.score = int32_t(version % 60000);
    g->scoreDisplayOn = int32_t(version % 2);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            g->board.slotCard[c][r] = int32_t((version + c * 7 + r) % 60000);
            g->board.cardRect[c][r] = {int32_t(version % 900), c, r, int32_t(version % 1100)};
        }
    return g;
}

std::unique_ptr<GameState> settingsOf(long version) {
    auto g = std::make_unique<GameState>();
    for (int i = 0; i < kHighScores; ++i) {
        g->highScores[i] = int32_t(version * 10 + i);
        g->highScoreNames[i] = std::string(size_t(version % 40), char('A' + i)) + "\x93\xFA";
    }
    g->backgroundPattern = Background(version % 4 + 1);
    return g;
}

}  // namespace

bool savePlayFileVersion(const std::string &folder, long version) {
    const auto g = gameOf(version);
    ChoosingShell shell(folder + "/" + kPlayFileName);
    savePlayFile(*g, shell);
    return !shell.failed;
}

bool writeSettingsVersion(const std::string &folder, long version) {
    const std::string path = folder + "/" + kSettingsName;
    return writeSettings(*settingsOf(version), {path, path});
}

std::vector<uint8_t> playFileBytes(long version) {
    return encodePlayFile(captureRecord(*gameOf(version)));
}

std::string settingsBytes(long version) {
    const auto g = settingsOf(version);
    std::string bytes = "[Kov_Section]\r\n";
    for (int i = 0; i < kHighScores; ++i)
        bytes += "score" + std::to_string(i) + "=" + std::to_string(g->highScores[i]) + "\r\n";
    for (int i = 0; i < kHighScores; ++i)
        bytes += "name" + std::to_string(i) + "=" + g->highScoreNames[i] + "\r\n";
    const int32_t options[] = {g->backgroundPattern, g->cardPattern, g->guideOn, g->soundOn,
                               g->bgmOn, g->scoreDisplayOn, g->animationOn, g->aboutShown,
                               g->fourColourOn};
    const char *keys[] = {"backP", "cardP", "guide", "SoundF", "bgmF", "PrintScoreF",
                          "PrintHikariF", "kanpa", "FourColourF"};
    for (int i = 0; i < 9; ++i) bytes += std::string(keys[i]) + "=" + std::to_string(options[i]) + "\r\n";
    return bytes;
}

}  // namespace fusefuda
