#include "app/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <filesystem>

#include "platform/profile.h"

namespace fusefuda {

namespace {

constexpr const char *kSection = "Kov_Section";
// The classic routines were handed 50-byte buffers: 49 bytes and a zero.
constexpr size_t kValueBuffer = 50;

struct OptionKey {
    const char *name;
    bool GameState::*field;
    OnWhen rule;
};

// In the order of the file.
const char *const kBackgroundKey = "backP ";
const char *const kCardBacksKey = "cardP ";
const OptionKey kOptionKeys[] = {
    {"guide ", &GameState::guideOn, OnWhen::NotZero},
    {"SoundF ", &GameState::soundOn, OnWhen::One},
    {"bgmF ", &GameState::bgmOn, OnWhen::One},
    {"PrintScoreF ", &GameState::scoreDisplayOn, OnWhen::One},
    {"PrintHikariF ", &GameState::animationOn, OnWhen::One},
    {"kanpa ", &GameState::aboutShown, OnWhen::One},
    {"FourColourF ", &GameState::fourColourOn, OnWhen::One},
};

std::string scoreKey(int i) { return "score" + std::to_string(i) + " "; }
std::string nameKey(int i) { return "name" + std::to_string(i) + " "; }

bool fileExists(const std::string &path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

int32_t decimalValue(const std::string &text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

std::string settingsPathBeside(const std::string &executablePath) {
    const std::filesystem::path exe(executablePath);
    // The base name drops the last extension only, as the drive, folder and
    // name split always has.
    std::filesystem::path ini = exe.parent_path() / exe.stem();
    ini += ".ini";
    return ini.string();
}

bool folderIsWritable(const std::string &folder) {
    const std::string probe = (std::filesystem::path(folder) / ".fusefuda-probe-XXXXXX").string();
    std::string name = probe;
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(name.c_str());
    return true;
}

SettingsLocation settingsLocation(const std::string &executablePath,
                                  const std::string &userConfigFolder) {
    const std::string beside = settingsPathBeside(executablePath);
    const std::filesystem::path folder = std::filesystem::path(beside).parent_path();
    if (folderIsWritable(folder.string()) || userConfigFolder.empty()) return {beside, beside};
    const std::string perUser =
        (std::filesystem::path(userConfigFolder) / std::filesystem::path(beside).filename())
            .string();
    if (!fileExists(perUser) && fileExists(beside)) return {beside, perUser};
    return {perUser, perUser};
}

namespace {

// The keys in the order of the file, each with its field's value; an option
// the game left as the kept file has it keeps that file's number.
std::vector<ProfileEntry> settingsEntries(const GameState &g, const ProfileFile *kept) {
    std::vector<ProfileEntry> entries;
    for (int i = 0; i < kHighScores; ++i)
        entries.push_back({scoreKey(i), std::to_string(g.highScores[i])});
    for (int i = 0; i < kHighScores; ++i) entries.push_back({nameKey(i), g.highScoreNames[i]});
    entries.push_back({kBackgroundKey, std::to_string(int32_t(g.backgroundPattern))});
    entries.push_back({kCardBacksKey, std::to_string(int32_t(g.cardPattern))});
    for (const OptionKey &key : kOptionKeys) {
        std::string text = g.*key.field ? "1" : "0";
        if (kept != nullptr) {
            const int32_t held =
                decimalValue(profileString(*kept, kSection, key.name, text, kValueBuffer));
            if (optionIsOn(held, key.rule) == g.*key.field) text = std::to_string(held);
        }
        entries.push_back({key.name, text});
    }
    return entries;
}

}  // namespace

void readSettings(GameState &g, const SettingsLocation &where, WindowPlace *place) {
    const ProfileFile file = readProfileFile(where.readPath);
    // Each default is the field's current value, so a missing key keeps it.
    std::vector<ProfileEntry> entries = settingsEntries(g, nullptr);
    profileStrings(file, kSection, entries, kValueBuffer);
    size_t n = 0;
    for (int i = 0; i < kHighScores; ++i) g.highScores[i] = decimalValue(entries[n++].value);
    for (int i = 0; i < kHighScores; ++i) g.highScoreNames[i] = entries[n++].value;
    g.backgroundPattern = Background(decimalValue(entries[n++].value));
    g.cardPattern = CardBacks(decimalValue(entries[n++].value));
    for (const OptionKey &key : kOptionKeys)
        g.*key.field = optionIsOn(decimalValue(entries[n++].value), key.rule);
    WindowPlace read;
    readSections(file, g, read);
    if (place != nullptr) *place = read;
}

bool writeSettings(const GameState &g, const SettingsLocation &where, const WindowPlace &place) {
    // Start from what is there, so other sections and keys survive; a first
    // per-user file carries over what stood beside the executable.
    ProfileFile file = readProfileFile(fileExists(where.writePath) ? where.writePath
                                                                   : where.readPath);
    setProfileStrings(file, kSection, settingsEntries(g, &file));
    putSections(file, g, place);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(where.writePath).parent_path(),
                                        error);
    return writeProfileFile(file, where.writePath);
}

}  // namespace fusefuda
