#include "audio/fluidlibrary.h"

#include <dlfcn.h>

#include <optional>

namespace fusefuda {

namespace {

// FluidSynth 2.2 and later. Debian's SDL2_mixer links this same one, so once
// SDL_mixer is open it is already loaded.
constexpr const char *kFluidName = "libfluidsynth.so.3";

std::optional<FluidLibrary> openLibrary() {
    // Kept open for the rest of the run, as SDL_mixer keeps it.
    void *fluid = dlopen(kFluidName, RTLD_NOW | RTLD_LOCAL);
    if (!fluid) return std::nullopt;
    FluidLibrary library;
    bool complete = true;
#define FUSEFUDA_FLUID_RESOLVE(name)                                         \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(fluid, #name)); \
    complete = complete && library.name != nullptr;
    FUSEFUDA_FLUID_FUNCTIONS(FUSEFUDA_FLUID_RESOLVE)
#undef FUSEFUDA_FLUID_RESOLVE
    if (!complete) return std::nullopt;
    return library;
}

}  // namespace

const FluidLibrary *fluidLibrary() {
    static const std::optional<FluidLibrary> library = openLibrary();
    return library ? &*library : nullptr;
}

}  // namespace fusefuda
