// Stand-in until the hover display lands.
#include "render/hover.h"

namespace fusefuda {
void trackHover(Context &, int, int) {}
void drawGuideOutline(Context &, int) {}
void showPeekFace(Context &, int, int) {}
void showPeekUnknown(Context &) {}
}  // namespace fusefuda
