// Stand-in until play files land.
#include "playfile/playfile.h"

namespace fusefuda {
void savePlayFile(Context &) {}
void loadPlayFile(Context &) {}
}  // namespace fusefuda
