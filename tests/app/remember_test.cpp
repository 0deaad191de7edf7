#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/resumekeeper.h"
#include "app/settings.h"
#include "app/windowplace.h"
#include "game/input.h"
#include "game/starting.h"
#include "support/table.h"

using namespace fusefuda;

namespace {

SettingsLocation iniIn(const QTemporaryDir &dir) {
    const std::string ini = dir.filePath("fusefuda.ini").toStdString();
    return {ini, ini};
}

}  // namespace

TEST(RememberedSettings, AnOldFileReadsAsNoStatisticsAndAResetIsWrittenAsZeros) {
    QTemporaryDir dir;
    std::ofstream(iniIn(dir).writePath) << "[Kov_Section]\r\nkanpa=1\r\n";
    GameState g;
    g.statistics.levels[1].won = 9;
    WindowPlace place;
    readSettings(g, iniIn(dir), &place);
    EXPECT_EQ(g.statistics, Statistics{});
    EXPECT_FALSE(place.known);
    EXPECT_EQ(g.resumeOn, 1);

    g.statistics.levels[0] = {5, 3, 1, 1450, 4200, 18, 2, 3, 2, {{1400, 4294967295u}, {1370, 0}}};
    g.resumeOn = 0;
    ASSERT_TRUE(writeSettings(g, iniIn(dir), {true, -20, 4000, 800, 600}));
    GameState back;
    readSettings(back, iniIn(dir), &place);
    EXPECT_EQ(back.statistics, g.statistics);
    EXPECT_EQ(back.resumeOn, 0);
    EXPECT_EQ(place, (WindowPlace{true, -20, 4000, 800, 600}));

    // Reset: the section's keys stay, every one of them zero.
    g.statistics = Statistics{};
    ASSERT_TRUE(writeSettings(g, iniIn(dir)));
    readSettings(back, iniIn(dir));
    EXPECT_EQ(back.statistics, Statistics{});
}

// Each kept place goes through a settings file that has no options section
// yet, as the window's first shut-down writes it, and is placed from there.
TEST(WindowPlace, APlaceComesWhollyOntoTheScreenShowingMostOfItOrTheNearest) {
    // Available areas: a panel along the top of the first screen.
    const QList<QRect> screens = {QRect(0, 32, 1280, 992), QRect(1280, 0, 1920, 1080)};
    struct Case {
        QRect wanted, placed;
    } cases[] = {
        {{100, 80, 800, 600}, {100, 80, 800, 600}},        // on a screen
        {{1200, 900, 800, 600}, {1280, 480, 800, 600}},    // mostly on the second
        {{700, 500, 800, 600}, {480, 424, 800, 600}},      // mostly on the first
        {{5000, 200, 800, 600}, {2400, 200, 800, 600}},    // right of the second
        {{-3000, -900, 800, 600}, {0, 32, 800, 600}},      // above and left of the first
        {{0, -300, 2000, 1500}, {0, 32, 1280, 992}},       // title bar above the screen
        {{100, 2000, 2000, 1200}, {1280, 0, 1920, 1080}},  // larger than the screen
        {{100, 80, 800, 40}, {100, 80, 1024, 768}},        // a damaged height
        {{100, 80, 3, 600}, {100, 80, 1024, 768}},         // a damaged width
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        std::ofstream(iniIn(dir).writePath) << "[Kov_Section]\r\nkanpa=1\r\n";
        GameState g;
        const QRect &w = c.wanted;
        ASSERT_TRUE(writeSettings(g, iniIn(dir), {true, w.x(), w.y(), w.width(), w.height()}));
        WindowPlace kept;
        readSettings(g, iniIn(dir), &kept);
        const QRect placed = placeOnScreens(startingPlace(kept, true), screens);
        EXPECT_EQ(placed, c.placed)
            << w.x() << "," << w.y() << " " << w.width() << "x" << w.height() << " placed "
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
    }
}

// Where the compositor places windows, the kept size alone, on the primary.
TEST(WindowPlace, WithoutAPositionOfItsOwnOnlyTheSizeComesShrunkToThePrimaryScreen) {
    const QList<QRect> screens = {QRect(1280, 0, 1920, 1080), QRect(0, 32, 1280, 992)};
    EXPECT_EQ(openingPlace({true, 300, 200, 800, 600}, false, screens), QRect(0, 0, 800, 600));
    EXPECT_EQ(openingPlace({true, 300, 200, 2500, 900}, false, screens), QRect(0, 0, 1920, 900));
}

// The zoom in whole percents: absent or out of 1..200 reads as 100 %.
TEST(RememberedSettings, TheZoomIsKeptInTheGamesOwnSection) {
    const struct {
        const char *line;
        double zoom;
    } cases[] = {{"", 1.0}, {"zoom=150\r\n", 1.5}, {"zoom=46\r\n", 0.46},
                 {"zoom=0\r\n", 1.0}, {"zoom=201\r\n", 1.0}, {"zoom=abc\r\n", 1.0}};
    for (const auto &c : cases) {
        QTemporaryDir dir;
        std::ofstream(iniIn(dir).writePath) << "[Kov_Section]\r\nkanpa=1\r\n[Fusefuda]\r\n" << c.line;
        GameState g;
        readSettings(g, iniIn(dir));
        EXPECT_EQ(g.zoom, c.zoom) << c.line;
    }
    QTemporaryDir dir;
    GameState g;
    g.zoom = 0.75;
    ASSERT_TRUE(writeSettings(g, iniIn(dir)));
    std::ifstream in(iniIn(dir).writePath);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("fullScreen=0\r\nzoom=75\r\n"), std::string::npos) << text;
}

TEST(RememberedSettings, FullScreenIsKeptInTheGamesOwnSectionAndOffWhenAbsent) {
    QTemporaryDir dir;
    std::ofstream(iniIn(dir).writePath) << "[Kov_Section]\r\nkanpa=1\r\n";
    GameState g;
    readSettings(g, iniIn(dir));
    EXPECT_EQ(g.fullScreenOn, 0);
    g.fullScreenOn = 1;
    ASSERT_TRUE(writeSettings(g, iniIn(dir)));
    std::ifstream in(iniIn(dir).writePath);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("[Fusefuda]\r\nresume=1\r\nfullScreen=1\r\n"), std::string::npos) << text;
    GameState back;
    readSettings(back, iniIn(dir));
    EXPECT_EQ(back.fullScreenOn, 1);
}

TEST(ResumeKeeper, WritesAtLeavingOnlyWithTheOptionOn) {
    for (int option : {1, 0}) {
        QTemporaryDir dir;
        const std::string folder = dir.filePath("data/fusefuda").toStdString();
        GameState g;
        setStartingValues(g);
        g.gameStarted = true;
        g.level = kBeginner;
        g.resumeOn = option;
        ResumeKeeper keeper(g);
        keeper.setFolder(folder);
        keeper.keepNow();
        EXPECT_EQ(std::filesystem::exists(resumeFilePath(folder)), option == 1) << option;
        EXPECT_EQ(std::filesystem::exists(folder), option == 1) << option;
    }
}

// The paced write waits while anything is in hand; the drop settles again.
TEST(ResumeKeeper, ThePacedWriteWaitsWhileACardIsCarriedPeekedOrTheViewPulled) {
    const struct {
        const char *hand;
        void (*hold)(Gesture &);
        bool written;
    } cases[] = {
        {"nothing", [](Gesture &) {}, true},
        {"a carried card", [](Gesture &h) { h.dragging = true; }, false},
        {"a peek", [](Gesture &h) { h.pressMode = kPressPeek; }, false},
        {"the view pulled", [](Gesture &h) { h.panning = true; }, false},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const std::string folder = dir.filePath("data").toStdString();
        GameState g;
        setStartingValues(g);
        g.gameStarted = true;
        g.level = kBeginner;
        c.hold(g.gesture);
        ResumeKeeper keeper(g);
        keeper.setFolder(folder);
        keeper.settled();
        QCoreApplication::processEvents();
        EXPECT_EQ(std::filesystem::exists(resumeFilePath(folder)), c.written) << c.hand;
    }
}

TEST(ResumeKeeper, ADropAsksForTheGameToBeKept) {
    fusefuda::testing::Table t;
    t.deal(3);
    const Rect &seven = t.g().board.cardRect[kSevensColumn][0];
    const int x = seven.left - t.g().viewX + 10, y = seven.top - t.g().viewY + 10;
    onLeftPress(t.play, x, y, false);
    onMouseMove(t.play, x + 200, y + 30);
    ASSERT_TRUE(t.g().gesture.dragging);
    const int before = t.shell.settles;
    onLeftRelease(t.play, x + 200, y + 30);
    EXPECT_EQ(t.shell.settles, before + 1);
}
