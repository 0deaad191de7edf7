#include "render/imagestore.h"

#include <algorithm>

namespace fusefuda {

namespace {

// Room for the sizes a few zoom steps further on, so that a step back and
// forth finds a block that fits. Pages beyond what an image touches are
// never mapped in.
constexpr qsizetype kRoomNumerator = 5, kRoomDenominator = 4;

// A block is in use while an image holds it, in the store's list and in
// each image's cleanup information.
using Held = std::shared_ptr<void>;

void releaseHold(void *hold) { delete static_cast<Held *>(hold); }

}  // namespace

QImage ImageStore::blank(int width, int height, int k) {
    const int w = std::max(width, 1) * k, h = std::max(height, 1) * k;
    const qsizetype bytes = qsizetype(w) * h * 4;
    std::shared_ptr<Block> chosen;
    for (const std::shared_ptr<Block> &b : blocks_)
        if (b.use_count() == 1 && b->size >= bytes && (!chosen || b->size < chosen->size))
            chosen = b;
    if (!chosen) {
        // Spare blocks too small for this one are too small for the steps
        // after it as well.
        releaseSpare();
        chosen = std::make_shared<Block>();
        chosen->size = bytes / kRoomDenominator * kRoomNumerator + 4;
        chosen->bytes.reset(new uchar[size_t(chosen->size)]);
        blocks_.push_back(chosen);
    }
    QImage image(chosen->bytes.get(), w, h, qsizetype(w) * 4, QImage::Format_RGB32, releaseHold,
                 new Held(chosen));
    image.fill(0xFF000000u);
    if (k != 1) image.setDevicePixelRatio(k);
    return image;
}

void ImageStore::releaseSpare() {
    std::erase_if(blocks_, [](const std::shared_ptr<Block> &b) { return b.use_count() == 1; });
}

qsizetype ImageStore::spareBytes() const {
    qsizetype bytes = 0;
    for (const std::shared_ptr<Block> &b : blocks_)
        if (b.use_count() == 1) bytes += b->size;
    return bytes;
}

}  // namespace fusefuda
