#include "audio/sdllibrary.h"

#include <dlfcn.h>

#include <optional>

namespace fusefuda {

namespace {

// SDL2_mixer's run-time name, which stays the same for as long as version 2
// lasts. It brings SDL2 with it, and a look-up in it finds SDL2's functions
// too. The Debian package depends on both by name, since the package tools
// see no link to them.
constexpr const char *kMixerName = "libSDL2_mixer-2.0.so.0";

std::optional<SdlLibrary> openLibraries() {
    // Kept open for the rest of the run: SDL's audio thread runs their code
    // while a device is open.
    void *mixer = dlopen(kMixerName, RTLD_NOW | RTLD_LOCAL);
    if (!mixer) return std::nullopt;
    SdlLibrary library;
    bool complete = true;
#define FUSEFUDA_SDL_RESOLVE(name)                                           \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(mixer, #name)); \
    complete = complete && library.name != nullptr;
    FUSEFUDA_SDL_FUNCTIONS(FUSEFUDA_SDL_RESOLVE)
#undef FUSEFUDA_SDL_RESOLVE
    if (!complete) return std::nullopt;
    return library;
}

}  // namespace

const SdlLibrary *sdlLibrary() {
    static const std::optional<SdlLibrary> library = openLibraries();
    return library ? &*library : nullptr;
}

}  // namespace fusefuda
