// The numbered pictures and sounds carried inside the executable.
#pragma once

#include <QByteArray>
#include <QImage>

namespace fusefuda {

// Picture numbers
constexpr int kIconPicture = 103;
constexpr int kFacesPicture = 104;
constexpr int kBacks1Picture = 105;
constexpr int kCursorPicture = 106;
constexpr int kSettledFacesPicture = 107;
constexpr int kDarkBackPicture = 109;
constexpr int kMidBackPicture = 110;
constexpr int kLightBackPicture = 111;
constexpr int kBackground1Picture = 121;
constexpr int kBackground2Picture = 124;
constexpr int kBackground3Picture = 125;
constexpr int kBacks2Picture = 126;
constexpr int kSeeThroughPicture = 131;
constexpr int kUnknownCardPicture = 133;
constexpr int kSparkleImagePicture = 137;
constexpr int kSparkleMaskPicture = 138;
constexpr int kGreyCardPicture = 140;

// Sound numbers
constexpr int kJoinSound = 113;
constexpr int kClearSound = 114;
constexpr int kPeekSound = 130;

// The picture with that number as Format_RGB32 (ARGB32 for the icon and the
// cursor); a null image when there is none. At a scale of 2 or 3 the picture
// drawn at that many device pixels a board pixel, its device pixel ratio set
// to the scale; only the board's pictures and the icon have these, and the
// backgrounds are kept there one row of cells (101 board pixels) high.
QImage loadPicture(int number, int scale = 1);
// The larger rendering of the icon, for the desktop launcher.
QImage loadLargeIcon();
// The WAV file with that number; empty when there is none.
QByteArray loadSound(int number);

}  // namespace fusefuda
