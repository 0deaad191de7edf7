#include "render/pictures.h"

#include <algorithm>
#include <future>
#include <string_view>
#include <unordered_map>

#include "assets/catalogue.h"
#include "game/GameState.h"

namespace fusefuda {

namespace {

// The size of each place's picture in board pixels.
QSize placeSize(int place) {
    switch (place) {
    case kFacePlace:
    case kSettledPlace: return {820, 405};
    case kSparklePlace:
    case kSparkleMaskPlace: return {30, 180};
    case kBacksPlace: return {190, kCardHeight};
    default: return {kCardWidth, kCardHeight};
    }
}

// For each row of the picture, the first row with the same pixels.
std::vector<int> likeRows(const QImage &picture) {
    std::vector<int> rows(size_t(picture.height()));
    const size_t bytes = size_t(picture.width()) * size_t(picture.depth()) / 8;
    std::unordered_map<std::string_view, int> first;
    for (int y = 0; y < picture.height(); ++y) {
        const std::string_view line(reinterpret_cast<const char *>(picture.constScanLine(y)),
                                    bytes);
        rows[size_t(y)] = first.emplace(line, y).first->second;
    }
    return rows;
}

Surfaces::Made makeBackground(int number, int k) {
    Surfaces::Made made{kBackgroundPlace, k, number, loadPicture(number, k), {}};
    QImage &picture = made.picture;
    if (picture.width() != kBoardWidth * k || picture.height() < k ||
        picture.height() > kBoardHeight * k || picture.height() % k != 0)
        picture = blankSurface(kBoardWidth, 1, k);
    if (k == 1) {
        // A picture whose rows all repeat sooner is kept as short as that.
        const int rows = repeatingHeight(picture);
        if (rows < picture.height()) picture = picture.copy(0, 0, picture.width(), rows);
    } else {
        made.rows = likeRows(picture);
    }
    return made;
}

}  // namespace

Surfaces::Made makePicture(int place, int number, int k) {
    if (place == kBackgroundPlace) return makeBackground(number, k);
    const QSize size = placeSize(place);
    QImage picture = loadPicture(number, k);
    if (picture.size() != size * k) picture = blankSurface(size.width(), size.height(), k);
    return {place, k, number, picture, {}};
}

const Surfaces::Made *madeFor(const Surfaces &s, int place, int number, int k) {
    for (const Surfaces::Made &m : s.made)
        if (m.place == place && m.scale == k && m.number == number) return &m;
    return nullptr;
}

std::vector<Surfaces::Made> picturesMissing(const Surfaces &s, const PictureChoice &choice, int k) {
    const std::pair<int, int> wanted[] = {
        {kFacePlace, facesPictureFor(choice.fourColour)},
        {kSettledPlace, settledFacesPictureFor(choice.fourColour)},
        {kUnknownPlace, kUnknownCardPicture},
        {kGreyPlace, kGreyCardPicture},
        {kSparklePlace, kSparkleImagePicture},
        {kSparkleMaskPlace, kSparkleMaskPicture},
        {kBacksPlace, backsPictureFor(choice.cardPattern)},
        {kBackgroundPlace, backgroundPictureFor(choice.backgroundPattern)},
    };
    std::vector<Surfaces::Made> missing;
    for (const auto &[place, number] : wanted)
        if (!madeFor(s, place, number, k)) missing.push_back({place, k, number, {}, {}});
    return missing;
}

// Each on a thread of its own: the two face sheets and the background take
// nearly all the time, about alike.
void decodePictures(std::vector<Surfaces::Made> &pictures) {
    std::vector<std::future<void>> decoding;
    for (Surfaces::Made &p : pictures)
        decoding.push_back(std::async(std::launch::async,
                                      [&p] { p = makePicture(p.place, p.number, p.scale); }));
    for (std::future<void> &d : decoding) d.get();
}

void keepPictures(Surfaces &s, std::vector<Surfaces::Made> pictures) {
    for (Surfaces::Made &made : pictures) {
        std::erase_if(s.made, [&](const Surfaces::Made &m) {
            return m.place == made.place && m.scale == made.scale;
        });
        s.made.push_back(std::move(made));
    }
}

}  // namespace fusefuda
