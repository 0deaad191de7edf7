#include "app/sections.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "game/zoom.h"

namespace fusefuda {

namespace {

constexpr const char *kOptionsSection = "Fusefuda";
constexpr const char *kStatisticsSection = "Statistics";
// Ten recent wins of "score:number" fit in this.
constexpr size_t kValueBuffer = 512;
constexpr const char *kLevelNames[kRecordLevels] = {"beginner", "intermediate", "advanced"};

// A count: decimal digits, saturating; anything else reads as 0.
int64_t countValue(const std::string &text) {
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (value > (INT64_MAX - 9) / 10) return INT64_MAX;
        value = value * 10 + (c - '0');
    }
    return value;
}

int32_t intValue(const std::string &text) {
    long long value = 0;
    if (std::sscanf(text.c_str(), "%lld", &value) != 1) return 0;
    return int32_t(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

struct CountKey {
    const char *name;
    int64_t LevelStatistics::*field;
};
const CountKey kCountKeys[] = {
    {"Dealt", &LevelStatistics::dealt},           {"Won", &LevelStatistics::won},
    {"Unfinished", &LevelStatistics::unfinished}, {"ScoreTotal", &LevelStatistics::scoreTotal},
    {"TouchTotal", &LevelStatistics::touchTotal}, {"Run", &LevelStatistics::currentRun},
    {"LongestRun", &LevelStatistics::longestRun},
};

std::string recentText(const LevelStatistics &level) {
    std::string text;
    for (int i = 0; i < level.recentCount; ++i)
        text += (i ? " " : "") + std::to_string(level.recent[i].score) + ":" +
                std::to_string(level.recent[i].number);
    return text;
}

void takeRecent(LevelStatistics &level, const std::string &text) {
    std::istringstream words(text);
    std::string word;
    level.recentCount = 0;
    std::fill(std::begin(level.recent), std::end(level.recent), RecentWin{});
    while (level.recentCount < kRecentWins && words >> word) {
        long long score = 0;
        unsigned long long number = 0;
        if (std::sscanf(word.c_str(), "%lld:%llu", &score, &number) != 2 || number > UINT32_MAX)
            break;
        level.recent[level.recentCount++] = {
            int32_t(std::clamp<long long>(score, INT32_MIN, INT32_MAX)), uint32_t(number)};
    }
}

// resume and fullScreen as the game has them; when the kept file's number
// says the same, that number.
std::vector<ProfileEntry> optionEntries(const GameState &g, const WindowPlace &place,
                                        const ProfileFile *kept = nullptr) {
    std::vector<ProfileEntry> entries;
    for (auto [key, on] : {std::pair{"resume", g.resumeOn}, {"fullScreen", g.fullScreenOn}}) {
        std::string text = on ? "1" : "0";
        if (kept != nullptr) {
            const int32_t held =
                intValue(profileString(*kept, kOptionsSection, key, text, kValueBuffer));
            if (optionIsOn(held, OnWhen::One) == on) text = std::to_string(held);
        }
        entries.push_back({key, text});
    }
    // In whole percents; the window keeps it between fit and 200 %.
    entries.push_back({"zoom", std::to_string(std::lround(g.zoom * 100))});
    if (place.known)
        for (auto [key, value] : {std::pair{"windowX", place.x},
                                  {"windowY", place.y},
                                  {"windowWidth", place.width},
                                  {"windowHeight", place.height}})
            entries.push_back({key, std::to_string(value)});
    return entries;
}

std::vector<ProfileEntry> statisticsEntries(const Statistics &s) {
    std::vector<ProfileEntry> entries;
    for (int i = 0; i < kRecordLevels; ++i) {
        const LevelStatistics &level = s.levels[i];
        const std::string prefix = kLevelNames[i];
        for (const CountKey &key : kCountKeys)
            entries.push_back({prefix + key.name, std::to_string(level.*key.field)});
        entries.push_back({prefix + "Best", std::to_string(level.bestScore)});
        entries.push_back({prefix + "Recent", recentText(level)});
    }
    return entries;
}

bool sectionHasAny(const ProfileFile &file, const char *section,
                   const std::vector<ProfileEntry> &entries) {
    for (const ProfileEntry &entry : entries)
        if (profileString(file, section, entry.key, "\x01", kValueBuffer) != "\x01") return true;
    return false;
}

void putWhenUsed(ProfileFile &file, const char *section, const std::vector<ProfileEntry> &entries,
                 bool used) {
    if (used || sectionHasAny(file, section, entries)) setProfileStrings(file, section, entries);
}

}  // namespace

void readSections(const ProfileFile &file, GameState &g, WindowPlace &place) {
    std::vector<ProfileEntry> options = optionEntries(g, {true, INT32_MIN, 0, 0, 0});
    profileStrings(file, kOptionsSection, options, kValueBuffer);
    g.resumeOn = optionIsOn(intValue(options[0].value), OnWhen::One);
    g.fullScreenOn = optionIsOn(intValue(options[1].value), OnWhen::One);
    const int32_t percent = intValue(options[2].value);
    g.zoom = percent > 0 && percent <= kZoomMax * 100 ? percent / 100.0 : 1.0;
    place.known = options[3].value != std::to_string(INT32_MIN);
    place.x = intValue(options[3].value);
    place.y = intValue(options[4].value);
    place.width = intValue(options[5].value);
    place.height = intValue(options[6].value);

    // A file without the section reads as no statistics.
    std::vector<ProfileEntry> entries = statisticsEntries(Statistics{});
    profileStrings(file, kStatisticsSection, entries, kValueBuffer);
    size_t n = 0;
    for (LevelStatistics &level : g.statistics.levels) {
        for (const CountKey &key : kCountKeys) level.*key.field = countValue(entries[n++].value);
        level.bestScore = intValue(entries[n++].value);
        takeRecent(level, entries[n++].value);
    }
}

void putSections(ProfileFile &file, const GameState &g, const WindowPlace &place) {
    putWhenUsed(file, kOptionsSection, optionEntries(g, place, &file),
                !g.resumeOn || g.fullScreenOn || g.zoom != 1.0 || place.known);
    putWhenUsed(file, kStatisticsSection, statisticsEntries(g.statistics),
                g.statistics != Statistics{});
}

}  // namespace fusefuda
