// Player names: typed in Unicode, kept as code page 932 bytes, shown again.
#include <gtest/gtest.h>

#include <QString>

#include <string>

#include "platform/codepage.h"

namespace fusefuda {
namespace {


TEST(CodePage932, DefaultNamesAndJapaneseTextRoundTrip) {
    const std::string names[] = {"\xC6\xB9\xDE\xDB", "\xB8\xD9\xD9", "\xD0\xB7\xDE\xD7",
                                 "\xCB\xC0\xDE\xDB", "\xB3\xDB\xD8"};
    const char *shown[] = {"ﾆｹﾞﾛ", "ｸﾙﾙ", "ﾐｷﾞﾗ", "ﾋﾀﾞﾛ", "ｳﾛﾘ"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cp932ToUtf8(names[i]), shown[i]);
        EXPECT_EQ(utf8ToCp932(shown[i]), names[i]);
    }
    EXPECT_EQ(utf8ToCp932("山田太郎"), "\x8E\x52\x93\x63\x91\xBE\x98\x59");
    EXPECT_EQ(cp932ToUtf8("\x8E\x52\x93\x63\x91\xBE\x98\x59"), "山田太郎");
    // Code page 932, not plain Shift_JIS: 0x5C stays a backslash and the
    // wave dash keeps its code page 932 code.
    EXPECT_EQ(cp932ToUtf8("a\\b"), "a\\b");
    EXPECT_EQ(utf8ToCp932("～"), "\x81\x60");
    EXPECT_EQ(cp932ToUtf8("\x81\x60"), "～");
    // Characters that only code page 932 has.
    EXPECT_EQ(utf8ToCp932("①"), "\x87\x40");
    EXPECT_EQ(cp932ToUtf8("\x87\x40"), "①");
}

TEST(CodePage932, UndefinedBytesShowAsReplacementCharacters) {
    EXPECT_EQ(cp932ToUtf8("A\x81"), "A\xEF\xBF\xBD");             // lead byte at the end
    EXPECT_EQ(cp932ToUtf8("\xFF" "B"), "\xEF\xBF\xBD" "B");       // never a character
    EXPECT_EQ(cp932ToUtf8("\x81\x20" "C"), "\xEF\xBF\xBD C");     // bad second byte
    EXPECT_EQ(cp932ToUtf8(std::string("x\0y", 3)), std::string("x\0y", 3));
    std::string every;
    for (int b = 0; b < 256; ++b) every += char(b);
    EXPECT_FALSE(cp932ToUtf8(every).empty());
    EXPECT_TRUE(QString::fromStdString(cp932ToUtf8(every)).isValidUtf16());
}

TEST(CodePage932, UnrepresentableCharactersAreLeftOut) {
    EXPECT_EQ(utf8ToCp932("A😀B"), "AB");
    EXPECT_EQ(utf8ToCp932("café"), "caf");
    EXPECT_EQ(utf8ToCp932("한글x"), "x");
    // Malformed UTF-8 never swallows the character after it.
    EXPECT_EQ(utf8ToCp932("a\xE3" "b\xC3"), "ab");
    EXPECT_EQ(utf8ToCp932("\xE5\xAD" "Z"), "Z");
}

TEST(CodePage932, PrefixNeverEndsInsideADoubleByteCharacter) {
    EXPECT_EQ(cp932Prefix("ABCDEFGH\x8E\x52", 9), "ABCDEFGH");
    EXPECT_EQ(cp932Prefix("ABCDEFGH\x8E\x52", 10), "ABCDEFGH\x8E\x52");
    // A trail byte in the range of lead bytes is still a trail byte.
    EXPECT_EQ(cp932Prefix("\x81\x81\x81\x81\x41", 3), "\x81\x81");
    EXPECT_EQ(cp932Prefix("\x81\x81\x81\x81\x41", 5), "\x81\x81\x81\x81\x41");
    EXPECT_EQ(cp932Prefix("", 9), "");
}

}  // namespace
}  // namespace fusefuda
