// The main of every test program: the real application object on Qt's
// offscreen platform and SDL's silent dummy audio driver.
#include <gtest/gtest.h>

#include <QDir>

#include "platform/Application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  const QString cwd = QDir::currentPath();
  const int result = RUN_ALL_TESTS();
  QDir::setCurrent(cwd);
  return result;
}
