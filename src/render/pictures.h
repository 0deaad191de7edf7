// The pictures the surfaces are made from, decoded at a scale: as the
// surfaces are made, or ahead of them on threads of their own while the
// window goes on with the pictures it has.
#pragma once

#include <vector>

#include "render/surfaces.h"

namespace fusefuda {

// The places of the pictures the surfaces keep.
enum PicturePlace {
    kFacePlace,
    kSettledPlace,
    kUnknownPlace,
    kGreyPlace,
    kSparklePlace,
    kSparkleMaskPlace,
    kBacksPlace,
    kBackgroundPlace,
};

// The options that choose the pictures.
struct PictureChoice {
    int cardPattern = 0;
    int backgroundPattern = 0;
    bool fourColour = false;
};

// The picture a place keeps at scale k, decoded: a blank one of the place's
// size in its stead when the picture has another size; the background
// stored one row of cells high, cut to the rows that repeat at scale 1 and
// with its table of like rows above it. Safe on any thread.
Surfaces::Made makePicture(int place, int number, int k);

// What the surfaces made for this choice at scale k would show that they
// have not made yet, the pictures still null.
std::vector<Surfaces::Made> picturesMissing(const Surfaces &s, const PictureChoice &choice, int k);
// Decodes each of them, side by side. Safe on any thread.
void decodePictures(std::vector<Surfaces::Made> &pictures);
// Keeps decoded pictures among those made, for the surfaces of their scale.
void keepPictures(Surfaces &s, std::vector<Surfaces::Made> pictures);

// The picture made for the place at scale k, or null.
const Surfaces::Made *madeFor(const Surfaces &s, int place, int number, int k);

}  // namespace fusefuda
