// SDL2 and SDL2_mixer, opened at run time. Linked, they and the decoders and
// sound servers they link (some forty libraries) would be loaded before main
// and hold up the window; opened after the window's first frame, they cost it
// nothing.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace fusefuda {

// Every SDL function the game calls, once each.
#define FUSEFUDA_SDL_FUNCTIONS(X) \
    X(SDL_InitSubSystem)          \
    X(SDL_QuitSubSystem)          \
    X(SDL_SetHint)                \
    X(SDL_SetHintWithPriority)    \
    X(SDL_ResetHint)              \
    X(SDL_RWFromConstMem)         \
    X(SDL_TLSCleanup)             \
    X(Mix_OpenAudio)              \
    X(Mix_QuerySpec)              \
    X(Mix_CloseAudio)             \
    X(Mix_AllocateChannels)       \
    X(Mix_Volume)                 \
    X(Mix_VolumeMusic)            \
    X(Mix_LoadWAV_RW)             \
    X(Mix_FreeChunk)              \
    X(Mix_PlayChannel)            \
    X(Mix_HaltChannel)            \
    X(Mix_Playing)                \
    X(Mix_LoadMUS)                \
    X(Mix_FreeMusic)              \
    X(Mix_PlayMusic)              \
    X(Mix_PauseMusic)             \
    X(Mix_ResumeMusic)            \
    X(Mix_HaltMusic)              \
    X(Mix_PlayingMusic)           \
    X(Mix_HookMusicFinished)      \
    X(Mix_HookMusic)              \
    X(Mix_EachSoundFont)

// The functions by their own names, typed by the headers the game is built
// against: sdl->Mix_PlayMusic(piece, -1).
struct SdlLibrary {
#define FUSEFUDA_SDL_POINTER(name) decltype(&::name) name = nullptr;
    FUSEFUDA_SDL_FUNCTIONS(FUSEFUDA_SDL_POINTER)
#undef FUSEFUDA_SDL_POINTER
};

// Opens the libraries the first time it is called, on whichever thread; a
// call meanwhile on another thread waits for that one. Null when a library or
// one of its functions is missing: the game is then silent.
const SdlLibrary *sdlLibrary();

}  // namespace fusefuda
