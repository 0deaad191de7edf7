#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/settings.h"
#include "game/starting.h"
#include "platform/profile.h"

using namespace fusefuda;

namespace {

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void spit(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

struct SettingsFolder {
    QTemporaryDir dir;
    std::string exe() const { return dir.filePath("fusefuda").toStdString(); }
    std::string ini() const { return dir.filePath("fusefuda.ini").toStdString(); }
    std::string userFolder() const { return dir.filePath("user").toStdString(); }
    SettingsLocation where() const { return settingsLocation(exe(), userFolder()); }
};

GameState startingState() {
    GameState g;
    setStartingValues(g);
    return g;
}

const char *const kKeyOrder[] = {"score0", "score1", "score2", "score3", "score4",
                                 "name0",  "name1",  "name2",  "name3",  "name4",
                                 "backP",  "cardP",  "guide",  "SoundF", "bgmF",
                                 "PrintScoreF", "PrintHikariF", "kanpa", "FourColourF"};

}  // namespace

TEST(SettingsFile, MissingFileKeepsDefaultsAndShutDownWritesAllNineteenKeys) {
    SettingsFolder f;
    GameState g = startingState();
    readSettings(g, f.where());
    const GameState defaults = startingState();
    EXPECT_EQ(g.highScores[2], 1100);
    EXPECT_EQ(g.highScoreNames[0], defaults.highScoreNames[0]);
    EXPECT_EQ(g.backgroundPattern, 1);
    EXPECT_EQ(g.cardPattern, 1);
    EXPECT_EQ(g.guideOn, 1);
    EXPECT_EQ(g.soundOn, 1);
    EXPECT_EQ(g.bgmOn, 1);
    EXPECT_EQ(g.scoreDisplayOn, 0);
    EXPECT_EQ(g.animationOn, 1);
    EXPECT_EQ(g.aboutShown, 0);

    g.aboutShown = 1;
    ASSERT_TRUE(writeSettings(g, f.where()));
    const std::string expected =
        "[Kov_Section]\r\nscore0=1500\r\nscore1=1300\r\nscore2=1100\r\nscore3=900\r\n"
        "score4=700\r\nname0=\xC6\xB9\xDE\xDB\r\nname1=\xB8\xD9\xD9\r\nname2=\xD0\xB7\xDE\xD7\r\n"
        "name3=\xCB\xC0\xDE\xDB\r\nname4=\xB3\xDB\xD8\r\nbackP=1\r\ncardP=1\r\nguide=1\r\n"
        "SoundF=1\r\nbgmF=1\r\nPrintScoreF=0\r\nPrintHikariF=1\r\nkanpa=1\r\n"
        "FourColourF=0\r\n";
    EXPECT_EQ(slurp(f.ini()), expected);
    // Nothing but the settings file is left in the folder.
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SettingsFile, OnlyBackgroundKeyChangesOnlyTheBackground) {
    SettingsFolder f;
    spit(f.ini(), "[Kov_Section]\r\nbackP=3\r\n");
    GameState g = startingState();
    readSettings(g, f.where());
    EXPECT_EQ(g.backgroundPattern, 3);
    GameState expected = startingState();
    expected.backgroundPattern = kBackgroundPattern3;
    for (int i = 0; i < kHighScores; ++i) {
        EXPECT_EQ(g.highScores[i], expected.highScores[i]);
        EXPECT_EQ(g.highScoreNames[i], expected.highScoreNames[i]);
    }
    EXPECT_EQ(g.cardPattern, 1);
    EXPECT_EQ(g.animationOn, 1);
    EXPECT_EQ(g.aboutShown, 0);

    // Written back, the key keeps its line and the file gains the other
    // eighteen after it, in their order.
    ASSERT_TRUE(writeSettings(g, f.where()));
    const std::string text = slurp(f.ini());
    size_t at = 0;
    for (const char *key : kKeyOrder) {
        if (std::string(key) == "backP") continue;
        const size_t found = text.find(std::string("\r\n") + key + "=", at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found + 1;
    }
    EXPECT_EQ(text.find("[Kov_Section]\r\nbackP=3\r\nscore0=1500\r\n"), 0u);
    EXPECT_EQ(text.find("backP="), text.rfind("backP="));
}

// On only when exactly 1, the guide unless 0; a number the player left alone
// is written back as it was, a changed option as 1 or 0.
TEST(SettingsFile, AnOptionReadsByItsRuleAndKeepsItsNumberUntilChanged) {
    const struct {
        const char *section, *key, *held;
        bool GameState::*field;
        bool on, flip;
        const char *written;
    } cases[] = {
        {"Kov_Section", "FourColourF", "7", &GameState::fourColourOn, false, false, "7"},
        {"Kov_Section", "SoundF", "5", &GameState::soundOn, false, true, "1"},
        {"Kov_Section", "guide", "5", &GameState::guideOn, true, false, "5"},
        {"Kov_Section", "guide", "-2", &GameState::guideOn, true, true, "0"},
        {"Fusefuda", "resume", "3", &GameState::resumeOn, false, false, "3"},
    };
    for (const auto &k : cases) {
        SettingsFolder f;
        const std::string key = std::string("\r\n") + k.key + "=";
        spit(f.ini(), std::string("[") + k.section + "]" + key + k.held + "\r\n");
        GameState g = startingState();
        readSettings(g, f.where());
        EXPECT_EQ(g.*k.field, k.on) << k.key << k.held;
        if (k.flip) g.*k.field = !(g.*k.field);
        ASSERT_TRUE(writeSettings(g, f.where()));
        EXPECT_NE(slurp(f.ini()).find(key + k.written + "\r\n"), std::string::npos) << k.key;
    }
}

TEST(SettingsFile, NegativeScoreReadsAndWritesBackUnchanged) {
    SettingsFolder f;
    spit(f.ini(), "[Kov_Section]\r\nscore2=-5\r\n");
    GameState g = startingState();
    readSettings(g, f.where());
    EXPECT_EQ(g.highScores[2], -5);
    ASSERT_TRUE(writeSettings(g, f.where()));
    EXPECT_NE(slurp(f.ini()).find("\r\nscore2=-5\r\n"), std::string::npos);
}

TEST(SettingsFile, KeysAndSectionMatchWithoutCaseOrSurroundingBlanks) {
    SettingsFolder f;
    // LF-only lines, blanks everywhere, mixed case, and the classic number
    // conversion rules for what follows the digits.
    spit(f.ini(),
         "  [ kov_section ]  \n"
         "\tSCORE0  =  1234  \n"
         "Name1=  Taro Yamada  \n"
         "score1 = 12abc\n"
         "score3=abc\n"
         "score4=\n"
         "name2=\n"
         "  cardp=2\n"
         "guide = -0\n"
         "kanpa=+1\n");
    GameState g = startingState();
    readSettings(g, f.where());
    EXPECT_EQ(g.highScores[0], 1234);
    EXPECT_EQ(g.highScoreNames[1], "Taro Yamada");
    EXPECT_EQ(g.highScores[1], 12);
    EXPECT_EQ(g.highScores[3], 0);
    EXPECT_EQ(g.highScores[4], 0);
    EXPECT_EQ(g.highScoreNames[2], "");
    EXPECT_EQ(g.cardPattern, 2);
    EXPECT_EQ(g.guideOn, 0);
    EXPECT_EQ(g.aboutShown, 1);

    // Rewriting keeps one line per key and the file's own spelling of it.
    ASSERT_TRUE(writeSettings(g, f.where()));
    const std::string text = slurp(f.ini());
    EXPECT_NE(text.find("SCORE0=1234\r\n"), std::string::npos);
    EXPECT_EQ(text.find("score0="), std::string::npos);
    EXPECT_NE(text.find("cardp=2\r\n"), std::string::npos);
    EXPECT_EQ(text.find("cardP="), std::string::npos);
}

TEST(SettingsFile, SectionsAndKeysOfOthersAreKept) {
    SettingsFolder f;
    const std::string before =
        "; kept comment\r\n[Other]\r\nscore0=77\r\nfoo=bar\r\n\r\n"
        "[Kov_Section]\r\nscore0=1\r\ncustom=keep me\r\n\r\n[Tail]\r\nx=1\r\n";
    spit(f.ini(), before);
    GameState g = startingState();
    readSettings(g, f.where());
    // The same key in another section is not ours.
    EXPECT_EQ(g.highScores[0], 1);
    g.highScores[0] = 4800;
    ASSERT_TRUE(writeSettings(g, f.where()));
    const std::string after = slurp(f.ini());
    EXPECT_EQ(after.rfind("; kept comment\r\n[Other]\r\nscore0=77\r\nfoo=bar\r\n\r\n"
                          "[Kov_Section]\r\nscore0=4800\r\ncustom=keep me\r\nscore1=1300\r\n",
                          0),
              0u)
        << after;
    // New keys go at the end of our section, before the blank line and the
    // next section, which stay as they were.
    EXPECT_NE(after.find("kanpa=0\r\nFourColourF=0\r\n\r\n[Tail]\r\nx=1\r\n"), std::string::npos)
        << after;
}

TEST(SettingsFile, LongNamesAreCutToFortyNineBytesWithoutSplittingACharacter) {
    SettingsFolder f;
    const std::string ascii(60, 'a');
    const std::string halfWidth(55, '\xB1');  // half-width katakana: one byte each
    // 48 bytes, then a double-byte character that would end at byte 50.
    const std::string split = std::string(48, 'b') + "\x82\xA0" + "tail";
    // 47 bytes and a double-byte character that ends exactly at byte 49.
    const std::string fits = std::string(47, 'c') + "\x88\x9F" + "tail";
    spit(f.ini(), "[Kov_Section]\r\nname0=" + ascii + "\r\nname1=" + halfWidth +
                      "\r\nname2=" + split + "\r\nname3=" + fits + "\r\n");
    GameState g = startingState();
    readSettings(g, f.where());
    EXPECT_EQ(g.highScoreNames[0], std::string(49, 'a'));
    EXPECT_EQ(g.highScoreNames[1], std::string(49, '\xB1'));
    EXPECT_EQ(g.highScoreNames[2], std::string(48, 'b'));
    EXPECT_EQ(g.highScoreNames[3], std::string(47, 'c') + "\x88\x9F");
    // Names are raw code page 932 bytes on the way out too.
    ASSERT_TRUE(writeSettings(g, f.where()));
    EXPECT_NE(slurp(f.ini()).find("\r\nname3=" + std::string(47, 'c') + "\x88\x9F\r\n"),
              std::string::npos);
}

TEST(SettingsFile, NumbersSaturateAndNamesStayOneLine) {
    SettingsFolder f;
    spit(f.ini(), "[Kov_Section]\r\nscore0=99999999999\r\nscore1=-99999999999\r\n");
    GameState g = startingState();
    readSettings(g, f.where());
    EXPECT_EQ(g.highScores[0], INT32_MAX);
    EXPECT_EQ(g.highScores[1], INT32_MIN);
    g.highScoreNames[4] = "two\r\nlines";
    ASSERT_TRUE(writeSettings(g, f.where()));
    GameState again = startingState();
    readSettings(again, f.where());
    EXPECT_EQ(again.highScoreNames[4], "two  lines");
    EXPECT_EQ(again.highScores[0], INT32_MAX);
    EXPECT_EQ(again.highScores[1], INT32_MIN);
    EXPECT_EQ(again.aboutShown, 0);
}

TEST(SettingsFile, PathFollowsTheExecutablesFolderAndBaseName) {
    EXPECT_EQ(settingsPathBeside("/opt/games/fusefuda"), "/opt/games/fusefuda.ini");
    EXPECT_EQ(settingsPathBeside("/opt/g.d/game.exe"), "/opt/g.d/game.ini");
    EXPECT_EQ(settingsPathBeside("/x/pack.tar.gz"), "/x/pack.tar.ini");
}

TEST(SettingsFile, UnwritableFolderMovesSettingsToThePerUserFolder) {
    SettingsFolder f;
    // A plain file where the executable's folder should be: nothing can be
    // created there, whoever runs the test.
    spit(f.dir.filePath("blocker").toStdString(), "not a folder");
    const std::string exe = f.dir.filePath("blocker/bin/fusefuda").toStdString();
    EXPECT_FALSE(folderIsWritable(f.dir.filePath("blocker/bin").toStdString()));
    EXPECT_TRUE(folderIsWritable(f.dir.path().toStdString()));

    const SettingsLocation where = settingsLocation(exe, f.userFolder());
    const std::string perUser = f.userFolder() + "/fusefuda.ini";
    EXPECT_EQ(where.readPath, perUser);
    EXPECT_EQ(where.writePath, perUser);

    GameState g = startingState();
    g.highScores[0] = 2222;
    g.aboutShown = 1;
    ASSERT_TRUE(writeSettings(g, where));  // creates the per-user folder
    GameState back = startingState();
    readSettings(back, settingsLocation(exe, f.userFolder()));
    EXPECT_EQ(back.highScores[0], 2222);
    EXPECT_EQ(back.aboutShown, 1);

    // With nowhere to write, the failure is reported and nothing is created.
    const SettingsLocation nowhere{perUser, f.dir.filePath("blocker/x.ini").toStdString()};
    EXPECT_FALSE(writeSettings(g, nowhere));
}

// Makes a folder unwritable in a way that holds for root too, and undoes it.
struct ImmutableFolder {
    explicit ImmutableFolder(const std::string &path) : fd(::open(path.c_str(), O_RDONLY)) {
        int flags = 0;
        if (fd < 0 || ::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return;
        flags |= FS_IMMUTABLE_FL;
        held = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~ImmutableFolder() {
        int flags = 0;
        if (held && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0) ::close(fd);
    }
    int fd;
    bool held = false;
};

// Which file is read and which written, for each way the two files and the
// executable's folder can stand: the settings beside the executable while
// its folder can be written, else the per-user file, read from beside the
// executable until the per-user file exists.
TEST(SettingsFile, EachPlaceIsReadAndWrittenAsTheFilesAndTheFolderAllow) {
    enum { kDefault = 1500, kBeside = 1111, kPerUser = 2222 };
    const struct {
        bool beside, writable, perUser;
        int reads;
        bool writesPerUser;
    } cases[] = {
        {false, true, false, kDefault, false}, {false, true, true, kDefault, false},
        {true, true, false, kBeside, false},   {true, true, true, kBeside, false},
        {false, false, false, kDefault, true}, {false, false, true, kPerUser, true},
        {true, false, false, kBeside, true},   {true, false, true, kPerUser, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.beside << c.writable << c.perUser);
        SettingsFolder f;
        const std::string perUser = f.userFolder() + "/fusefuda.ini";
        QDir().mkpath(QString::fromStdString(f.userFolder()));
        if (c.beside) spit(f.ini(), "[Kov_Section]\r\nscore0=1111\r\n");
        if (c.perUser) spit(perUser, "[Kov_Section]\r\nscore0=2222\r\n");
        std::optional<ImmutableFolder> locked;
        if (!c.writable) {
            locked.emplace(f.dir.path().toStdString());
            if (!locked->held) GTEST_SKIP() << "this file system cannot make a folder immutable";
            ASSERT_FALSE(folderIsWritable(f.dir.path().toStdString()));
        }
        GameState g = startingState();
        readSettings(g, f.where());
        EXPECT_EQ(g.highScores[0], c.reads);
        g.highScores[0] = 3333;
        EXPECT_TRUE(writeSettings(g, f.where()));
        EXPECT_NE(slurp(c.writesPerUser ? perUser : f.ini()).find("score0=3333"),
                  std::string::npos);
        EXPECT_EQ(slurp(c.writesPerUser ? f.ini() : perUser).find("score0=3333"),
                  std::string::npos);
    }
}

TEST(SettingsFile, AWriteProtectedFileIsLeftAsItIs) {
    SettingsFolder f;
    const std::string old = "[Kov_Section]\r\nscore0=1111\r\n";
    for (mode_t mode : {0444, 0400, 0000}) {
        spit(f.ini(), old);
        ASSERT_EQ(::chmod(f.ini().c_str(), mode), 0);
        GameState g = startingState();
        EXPECT_FALSE(writeSettings(g, f.where())) << std::oct << mode;
        EXPECT_EQ(slurp(f.ini()), old);
        struct stat info {};
        ASSERT_EQ(::stat(f.ini().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        ::chmod(f.ini().c_str(), 0644);
    }
    // Writable by its owner alone, it is written.
    ASSERT_EQ(::chmod(f.ini().c_str(), 0600), 0);
    EXPECT_TRUE(writeSettings(startingState(), f.where()));
    EXPECT_NE(slurp(f.ini()).find("score0=1500"), std::string::npos);
}
