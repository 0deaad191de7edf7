// Memory for the two large surfaces, the window framebuffer and the canvas,
// kept for the next of them. A zoom changes the client size, and with it
// both, at every step; memory fresh from the system for each costs more
// than drawing them, for the kernel maps and clears every page and later
// takes it back. A block no image holds any more is taken for the next image
// that fits, and handed back by releaseSpare().
#pragma once

#include <QImage>
#include <memory>
#include <vector>

namespace fusefuda {

class ImageStore {
public:
    // A black RGB32 image of width x height board pixels at scale k, carrying
    // k as its device pixel ratio. It and its copies hold their block; an
    // image that outlives the store keeps it as long as it lives.
    QImage blank(int width, int height, int k);
    // Hands the blocks no image holds back to the system.
    void releaseSpare();
    // Bytes in blocks that no image holds.
    qsizetype spareBytes() const;

private:
    struct Block {
        std::unique_ptr<uchar[]> bytes;
        qsizetype size = 0;
    };
    std::vector<std::shared_ptr<Block>> blocks_;
};

}  // namespace fusefuda
