#include "playfile/resume.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "game/zoom.h"
#include "playfile/codec.h"
#include "playfile/storage.h"

namespace fusefuda {

namespace {

// The side text has a fixed size, as a play file has, so that rewriting it
// never leaves the end of a longer one behind.
constexpr std::size_t kSideSize = 64;

std::string sideText(const GameState &g) {
    char text[kSideSize + 1];
    const std::string number = g.dealNumbered ? std::to_string(g.dealNumber) : "-";
    std::snprintf(text, sizeof text, "number=%s\r\nview=%d,%d\r\nzoom=%d\r\n", number.c_str(),
                  g.viewX, g.viewY, int(std::lround(g.zoom * 100)));
    std::string side(text);
    side.resize(kSideSize, ' ');
    return side;
}

void takeUpSide(GameState &g, const std::vector<uint8_t> &bytes) {
    const std::string side(bytes.begin(), bytes.end());
    unsigned long number = 0;
    int x = 0, y = 0;
    g.dealNumbered = std::sscanf(side.c_str(), "number=%lu", &number) == 1 &&
                     number <= UINT32_MAX && side.compare(0, 8, "number=-") != 0;
    g.dealNumber = g.dealNumbered ? uint32_t(number) : 0;
    // The zoom first: the view's limits depend on it. The window keeps it
    // between fit and 200 %.
    const std::size_t zoom = side.find("zoom=");
    int percent = 0;
    if (zoom != std::string::npos && std::sscanf(side.c_str() + zoom, "zoom=%d", &percent) == 1 &&
        percent > 0 && percent <= int(kZoomMax * 100))
        g.zoom = percent / 100.0;
    const std::size_t view = side.find("view=");
    if (view != std::string::npos && std::sscanf(side.c_str() + view, "view=%d,%d", &x, &y) == 2) {
        g.viewX = std::clamp(x, 0, viewXMax(g));
        g.viewY = std::clamp(y, 0, viewYMax(g));
    }
}

std::string inFolder(const std::string &folder, const char *name) {
    return (std::filesystem::path(folder) / name).string();
}

}  // namespace

std::string dataFolderFor(const char *xdgDataHome, const char *home) {
    // XDG_DATA_HOME counts only when absolute; a relative one is ignored.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return inFolder(xdgDataHome, "fusefuda");
    if (home != nullptr && home[0] != '\0')
        return (std::filesystem::path(home) / ".local/share/fusefuda").string();
    return {};
}

std::string resumeFilePath(const std::string &folder) { return inFolder(folder, "resume.pvq"); }
std::string resumeSidePath(const std::string &folder) { return inFolder(folder, "resume.txt"); }
std::string refusedResumePath(const std::string &folder) {
    return inFolder(folder, "resume-refused.pvq");
}

KeptGame keptGameOf(const GameState &g) {
    if (!g.gameStarted || g.gameOver) return {};
    return {encodePlayFile(captureRecord(g)), sideText(g)};
}

bool writeKeptGame(const KeptGame &kept, const std::string &folder) {
    if (kept.image.empty()) {
        forgetKeptGame(folder);
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::vector<uint8_t> side(kept.side.begin(), kept.side.end());
    return writeFileStart(resumeFilePath(folder), kept.image) &&
           writeFileStart(resumeSidePath(folder), side);
}

void forgetKeptGame(const std::string &folder) {
    std::error_code error;
    std::filesystem::remove(resumeFilePath(folder), error);
    std::filesystem::remove(resumeSidePath(folder), error);
}

ResumeOutcome resumeGame(Play &play, const std::string &folder) {
    const std::string path = resumeFilePath(folder);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return ResumeOutcome::NothingKept;
    }
    std::vector<uint8_t> image;
    const auto record = std::make_unique<PlayFileRecord>();
    if (readFileStart(path, kPlayFileSize, image) != ReadOutcome::Read ||
        decodePlayFile(image, *record) != PlayFileFault::None ||
        findFault(*record) != PlayFileFault::None) {
        // Kept for the player to look at, out of the way of the next start.
        std::filesystem::rename(path, refusedResumePath(folder), error);
        std::filesystem::remove(resumeSidePath(folder), error);
        return ResumeOutcome::Refused;
    }
    GameState &g = play.g;
    // Exactly as kept: a save made now gives the same bytes. The score
    // window follows the settings, which a player may have changed since.
    const bool scoreShown = g.scoreDisplayOn;
    storeRecord(g, *record);
    g.scoreDisplayOn = scoreShown;
    g.hover.hoverCard = kNoCard;
    g.hover.hoverCardShown = kNoCard;
    std::vector<uint8_t> side;
    g.dealNumbered = false;
    if (readFileStart(resumeSidePath(folder), kSideSize, side) == ReadOutcome::Read)
        takeUpSide(g, side);
    play.events.boardChanged();
    return ResumeOutcome::Resumed;
}

}  // namespace fusefuda
