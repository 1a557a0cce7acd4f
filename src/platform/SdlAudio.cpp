#include "platform/SdlAudio.h"

#include <mutex>

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace Sdl {

#define TARVOLIN_SDL_DEFINE(name) decltype(&SDL_##name) name = nullptr;
TARVOLIN_SDL_FUNCTIONS(TARVOLIN_SDL_DEFINE)
#undef TARVOLIN_SDL_DEFINE

namespace {

#ifdef __linux__
// The library's run-time name (its package's), the one the linker would have recorded.
constexpr char kLibrary[] = "libSDL2-2.0.so.0";
void* g_library = nullptr;  // stays loaded for good

template <class Function>
void Bind(Function& fn, const char* name, QString& missing) {
  fn = reinterpret_cast<Function>(dlsym(g_library, name));
  if (!fn) missing += (missing.isEmpty() ? QString() : QStringLiteral(", ")) + QLatin1String(name);
}
#define TARVOLIN_SDL_BIND(name) Bind(name, "SDL_" #name, missing);
#else
#define TARVOLIN_SDL_BIND(name) name = &SDL_##name;
#endif

// Why SDL cannot be used; empty when it can.
QString Open() {
  QString missing;
#ifdef __linux__
  g_library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!g_library) return QString::fromLocal8Bit(dlerror());
#endif
  TARVOLIN_SDL_FUNCTIONS(TARVOLIN_SDL_BIND)
#undef TARVOLIN_SDL_BIND
  return missing.isEmpty() ? missing : QStringLiteral("SDL lacks %1").arg(missing);
}

}  // namespace

bool Load(QString* error) {
  static std::once_flag once;
  static QString failure;
  std::call_once(once, [] { failure = Open(); });
  if (error) *error = failure;
  return failure.isEmpty();
}

}  // namespace Sdl
