// The numbers of the pictures and sounds carried inside the executable.
#pragma once

namespace fusefuda {

// The numbers name the embedded files (":/assets/<number>.png"), as the
// generator writes them.
enum Picture : int {
    kIconPicture = 103,
    kFacesPicture = 104,
    kBacks1Picture = 105,
    kCursorPicture = 106,
    kSettledFacesPicture = 107,
    kDarkBackPicture = 109,
    kMidBackPicture = 110,
    kLightBackPicture = 111,
    kBackground1Picture = 121,
    kBackground2Picture = 124,
    kBackground3Picture = 125,
    kBacks2Picture = 126,
    kSeeThroughPicture = 131,
    kUnknownCardPicture = 133,
    kSparkleImagePicture = 137,
    kSparkleMaskPicture = 138,
    kGreyCardPicture = 140,
    // The faces with clubs green and diamonds blue, white and settled.
    kFourColourFacesPicture = 141,
    kFourColourSettledFacesPicture = 142,
};

enum Sound : int {
    kJoinSound = 113,
    kClearSound = 114,
    kPeekSound = 130,
};

}  // namespace fusefuda
