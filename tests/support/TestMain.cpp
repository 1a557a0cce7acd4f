// The main of every test program: the real application object on Qt's
// offscreen platform and SDL's silent dummy audio driver.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/Application.h"
#include "platform/AudioEngine.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  Audio::Startup();
  const QString cwd = QDir::currentPath();
  const int result = RUN_ALL_TESTS();
  Audio::Shutdown();
  QDir::setCurrent(cwd);
  return result;
}
