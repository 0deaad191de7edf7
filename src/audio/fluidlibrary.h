// FluidSynth, the synthesiser that SDL_mixer plays MIDI with, opened at run
// time as SDL is: the game records its piece with it (recording.cpp).
#pragma once

#include <fluidsynth.h>

namespace fusefuda {

// Every FluidSynth function the game calls, once each.
#define FUSEFUDA_FLUID_FUNCTIONS(X)     \
    X(new_fluid_settings)               \
    X(delete_fluid_settings)            \
    X(fluid_settings_setnum)            \
    X(fluid_settings_getnum)            \
    X(fluid_settings_setint)            \
    X(new_fluid_synth)                  \
    X(delete_fluid_synth)               \
    X(fluid_synth_sfload)               \
    X(fluid_synth_sfcount)              \
    X(fluid_synth_set_gain)             \
    X(fluid_synth_get_internal_bufsize) \
    X(fluid_synth_write_s16)            \
    X(new_fluid_player)                 \
    X(delete_fluid_player)              \
    X(fluid_player_add_mem)             \
    X(fluid_player_play)                \
    X(fluid_player_get_current_tick)    \
    X(fluid_player_get_status)          \
    X(fluid_player_get_total_ticks)     \
    X(fluid_player_get_midi_tempo)

struct FluidLibrary {
#define FUSEFUDA_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    FUSEFUDA_FLUID_FUNCTIONS(FUSEFUDA_FLUID_POINTER)
#undef FUSEFUDA_FLUID_POINTER
};

// Opens the library the first time it is called; null when it or one of its
// functions is missing, and the piece is then played live by SDL_mixer.
const FluidLibrary *fluidLibrary();

}  // namespace fusefuda
