// The play-file commands: save and restore a game in progress.
#pragma once

#include "render/context.h"

namespace fusefuda {

void savePlayFile(Context &ctx);
void loadPlayFile(Context &ctx);

}  // namespace fusefuda
