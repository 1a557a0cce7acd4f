#include "support/Headless.h"

#include "platform/Application.h"
#include "platform/AudioEngine.h"

int RunHeadless(int& argc, char** argv, const std::function<int()>& body, bool dummyAudio) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (dummyAudio && qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  TApplication app(argc, argv);
  Audio::Startup();
  const int result = body();
  Audio::Shutdown();
  return result;
}
