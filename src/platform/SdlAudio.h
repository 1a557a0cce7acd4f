// SDL's audio functions, loaded with the sound device instead of with the
// program: SDL and the libraries it brings along (the sound servers' and the
// display servers' clients, some thirty) cost the first picture more than
// anything the game itself does before it. On Linux the library is opened
// on first use; elsewhere the functions are SDL's own, linked as usual.
// Thread-safe: the device opens on a thread of its own.
#pragma once

#include <SDL.h>

#include <QString>

namespace Sdl {

// Loads the library once; false when it cannot (`error` then says why).
bool Load(QString* error = nullptr);

// The functions used, each as Sdl::Name for SDL_Name; valid once Load() has
// returned true.
// clang-format off
#define TARVOLIN_SDL_FUNCTIONS(X) \
  X(InitSubSystem) X(QuitSubSystem) X(WasInit) X(GetError) X(SetHintWithPriority) \
  X(TLSCleanup) X(GetCurrentAudioDriver) X(GetNumAudioDevices) X(OpenAudioDevice) \
  X(CloseAudioDevice) X(PauseAudioDevice) X(LockAudioDevice) X(UnlockAudioDevice)
// clang-format on
#define TARVOLIN_SDL_DECLARE(name) extern decltype(&SDL_##name) name;
TARVOLIN_SDL_FUNCTIONS(TARVOLIN_SDL_DECLARE)
#undef TARVOLIN_SDL_DECLARE

}  // namespace Sdl
