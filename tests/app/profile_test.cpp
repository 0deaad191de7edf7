// The profile routines under the settings file: which of several sections
// and keys answers, several keys at once, and where a value ends.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "platform/profile.h"

using namespace fusefuda;

TEST(ProfileFile, FirstMatchingSectionAndKeyWin) {
    ProfileFile file;
    file.lines = {"[A]", "k=1", "k=2", "[a]", "k=3", "nokey", "=5"};
    EXPECT_EQ(profileString(file, "A", "k", "d", 50), "1");
    EXPECT_EQ(profileString(file, "A", "nokey", "d", 50), "d");
    EXPECT_EQ(profileString(file, "B", "k", "fallback", 4), "fal");
    setProfileString(file, "a", " k ", "9");
    EXPECT_EQ(file.lines[1], "k=9");
    EXPECT_EQ(file.lines[2], "k=2");
    setProfileString(file, "New", "z", "x");
    EXPECT_EQ(file.lines.back(), "z=x");
    EXPECT_EQ(file.lines[file.lines.size() - 2], "[New]");
}

// The one-pass forms that the settings use give what a key at a time gives:
// the first line of each key, found keys kept in place, missing ones after the
// section's last non-blank line in their order, a missing section at the end.
TEST(ProfileFile, SeveralKeysAtOnceAsOneAtATime) {
    using Lines = std::vector<std::string>;
    const struct {
        Lines file, written;
    } cases[] = {
        {{}, {"[S]", "a=n1", "b=n2", "c=n3", "d=n4"}},
        {{"[S]", "b=1", "a=2", "B = 3", "", "", "[T]", "a=4"},
         {"[S]", "b=n2", "a=n1", "B = 3", "c=n3", "d=n4", "", "", "[T]", "a=4"}},
        {{"[x]", "a=0", "[s]", "", "c=5", "A=6", "junk", "", "[S]", "b=7"},
         {"[x]", "a=0", "[s]", "", "c=n3", "A=n1", "junk", "b=n2", "d=n4", "", "[S]", "b=7"}},
        {{"[S]", "", ""}, {"[S]", "a=n1", "b=n2", "c=n3", "d=n4", "", ""}},
    };
    const std::vector<ProfileEntry> entries = {{"a", "n1"}, {"b ", "n2"}, {"c", "n3"}, {"d", "n4"}};
    for (const auto &c : cases) {
        ProfileFile file;
        file.lines = c.file;
        std::vector<ProfileEntry> read = entries;
        profileStrings(file, "S", read, 50);
        for (size_t e = 0; e < entries.size(); ++e)
            EXPECT_EQ(read[e].value, profileString(file, "S", entries[e].key, entries[e].value, 50));
        setProfileStrings(file, "S", entries);
        EXPECT_EQ(file.lines, c.written) << c.file.size();
    }
}

TEST(ProfileFile, ValuesEndAtANulByte) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("p.ini").toStdString();
    std::ofstream(path, std::ios::binary) << std::string("[S]\r\nk=ab\0cd\r\n", 14);
    EXPECT_EQ(profileString(readProfileFile(path), "S", "k", "", 50), "ab");
}
