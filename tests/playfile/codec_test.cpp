#include "playfile/codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <set>

#include "boards.h"
#include "game/deal.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;
using fusefuda::testing::playedRecord;
namespace boards = fusefuda::testing;

namespace {

std::vector<uint8_t> bytesOf(std::initializer_list<int> list) {
    std::vector<uint8_t> out;
    for (int b : list) out.push_back(uint8_t(b));
    return out;
}

std::vector<uint8_t> triple(int32_t v) {
    std::vector<uint8_t> out(3);
    putSignedTriple(out.data(), v);
    return out;
}

std::vector<uint8_t> pair(int32_t v) {
    std::vector<uint8_t> out(2);
    putDigitPair(out.data(), v);
    return out;
}


}  // namespace

TEST(NumberForms, TheWorkedExamplesOfTheFormat) {
    EXPECT_EQ(triple(1563), bytesOf({2, 13, 10}));
    EXPECT_EQ(triple(-5), bytesOf({2, 230, 3}));
    EXPECT_EQ(pair(255), bytesOf({0, 1}));
    EXPECT_EQ(pair(4800), bytesOf({210, 18}));
    // below -1000 the sign byte turns: -1500 + 1000 = -500 = -(1 x 255 + 245)
    EXPECT_EQ(triple(-1500), bytesOf({0, 245, 1}));
    EXPECT_EQ(triple(-1000), bytesOf({2, 0, 0}));

    const uint8_t a[] = {2, 13, 10}, b[] = {2, 230, 3}, c[] = {0, 245, 1}, d[] = {0, 1},
                  e[] = {210, 18};
    EXPECT_EQ(getSignedTriple(a), 1563);
    EXPECT_EQ(getSignedTriple(b), -5);
    EXPECT_EQ(getSignedTriple(c), -1500);
    EXPECT_EQ(getDigitPair(d), 255);
    EXPECT_EQ(getDigitPair(e), 4800);

    uint8_t flag[1];
    putFlagByte(flag, 0x1234);
    EXPECT_EQ(flag[0], 0x34);
    EXPECT_EQ(getFlagByte(flag), 0x34);
}

TEST(NumberForms, EveryValueTheFormsCoverReadsBackAsWritten) {
    for (int32_t v = 0; v <= kDigitPairMax; ++v) {
        const std::vector<uint8_t> p = pair(v);
        ASSERT_LE(p[0], 254) << v;
        ASSERT_EQ(getDigitPair(p.data()), v);
    }
    for (int32_t v = -kDigitPairMax - 1000; v <= kDigitPairMax - 1000; ++v) {
        const std::vector<uint8_t> t = triple(v);
        ASSERT_TRUE(t[0] == 0 || t[0] == 2) << v;
        ASSERT_EQ(getSignedTriple(t.data()), v);
    }
    // A value no form can hold is written as the nearest one it can.
    EXPECT_EQ(pair(-3), bytesOf({0, 0}));
    EXPECT_EQ(pair(70000), bytesOf({254, 255}));
    EXPECT_EQ(getSignedTriple(triple(100000).data()), kDigitPairMax - 1000);
}

TEST(Image, FieldsSitWhereTheLayoutPutsThem) {
    const auto rec = playedRecord(1);
    const std::vector<uint8_t> image = encodePlayFile(*rec);
    ASSERT_EQ(image.size(), 142984u);

    EXPECT_EQ(image[0], 1);                              // gameStarted
    EXPECT_EQ(image[4], 1);                              // level
    EXPECT_EQ(image[8], 0);                              // gameOver
    EXPECT_EQ(image[12], 1);                             // score display
    EXPECT_EQ(image[16] + 255 * image[17], rec->board.score);  // score

    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 13; ++c) {
            const std::size_t entry = 400 + 20 * (13 * r + c);
            const auto at = [&](std::size_t slot) {
                return image[entry + 4 * slot] + 255 * image[entry + 4 * slot + 1];
            };
            ASSERT_EQ(at(0), rec->board.slotCard[c][r]);
            ASSERT_EQ(at(1), rec->board.slotPresent[c][r]);
            ASSERT_EQ(at(2), rec->board.stackLevel[c][r]);
            ASSERT_EQ(at(3), rec->board.faceUp[c][r]);
            ASSERT_EQ(at(4), rec->board.touchCount[c][r]);

            const std::size_t corners = 1440 + 16 * (13 * r + c);
            const auto coordinate = [&](std::size_t slot) {
                const uint8_t *p = &image[corners + 4 * slot];
                return (p[0] - 1) * (p[1] + 255 * p[2]) - 1000;
            };
            ASSERT_EQ(coordinate(0), rec->board.cardRect[c][r].left);
            ASSERT_EQ(coordinate(1), rec->board.cardRect[c][r].top);
            ASSERT_EQ(coordinate(2), rec->board.cardRect[c][r].right);
            ASSERT_EQ(coordinate(3), rec->board.cardRect[c][r].bottom);
        }
    }
    for (int id = 0; id < 52; ++id)
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 13; ++c)
                ASSERT_EQ(image[2272 + 2704 * id + 13 * r + c], rec->board.groupMembers[id][c][r]);
    for (int n = 0; n < 52; ++n) {
        ASSERT_EQ(image[142880 + n], rec->board.stackColumn[n]);
        ASSERT_EQ(image[142932 + n], rec->board.stackRow[n]);
    }
    // The card pulled off the corner and the one at 1,563 are in the image.
    EXPECT_EQ(rec->board.cardRect[8][2].left, -40);
    EXPECT_EQ(rec->board.cardRect[7][1].left, 1563);
}

TEST(Image, PaddingIsZeroAndNeverRead) {
    const auto rec = playedRecord(2);
    std::vector<uint8_t> image = encodePlayFile(*rec);

    std::set<std::size_t> used = {0, 4, 8, 12, 16, 17};
    for (std::size_t place = 0; place < 52; ++place) {
        for (std::size_t slot = 0; slot < 5; ++slot) {
            used.insert(400 + 20 * place + 4 * slot);
            used.insert(400 + 20 * place + 4 * slot + 1);
        }
        for (std::size_t slot = 0; slot < 4; ++slot)
            for (std::size_t k = 0; k < 3; ++k) used.insert(1440 + 16 * place + 4 * slot + k);
        for (std::size_t k = 0; k < 52; ++k) used.insert(2272 + 2704 * place + k);
        used.insert(142880 + place);
        used.insert(142932 + place);
    }
    std::size_t padding = 0;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (used.count(i)) continue;
        ++padding;
        ASSERT_EQ(image[i], 0) << "padding byte " << i;
        image[i] = 0xA5;
    }
    EXPECT_EQ(padding, 142984u - used.size());

    PlayFileRecord back;
    ASSERT_EQ(decodePlayFile(image, back), PlayFileFault::None);
    EXPECT_TRUE(back == *rec);
}

TEST(Image, ShortImagesAreRefusedAndLongerOnesReadFromTheStart) {
    const auto rec = playedRecord(2);
    std::vector<uint8_t> image = encodePlayFile(*rec);
    PlayFileRecord back;
    EXPECT_EQ(decodePlayFile(std::span(image).first(142983), back), PlayFileFault::Short);
    EXPECT_EQ(decodePlayFile(std::span(image).first(1440), back), PlayFileFault::Short);
    EXPECT_EQ(decodePlayFile({}, back), PlayFileFault::Short);

    image.resize(200000, 0x77);
    ASSERT_EQ(decodePlayFile(image, back), PlayFileFault::None);
    EXPECT_TRUE(back == *rec);
}

TEST(Store, PutsTheFieldsInPlaceAndClearsTheWholeMembershipTable) {
    Table source;
    source.deal(2, 5);
    boards::playSomeMoves(source.play);
    const PlayFileRecord rec = captureRecord(source.g());

    Table target;
    target.deal(1, 6);
    // a mark of the old game that the file does not hold
    target.g().board.groupMembers[3][2][3] = true;
    storeRecord(target.g(), rec);
    EXPECT_TRUE(captureRecord(target.g()) == rec);
    EXPECT_EQ(target.g().scoreDisplayOn, 1);
    EXPECT_FALSE(target.g().board.groupMembers[3][2][3]);
}
