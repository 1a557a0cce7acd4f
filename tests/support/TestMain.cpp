// The main of every test program.
#include <gtest/gtest.h>

#include <QDir>

#include "support/Headless.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RunHeadless(argc, argv, [] {
    const QString cwd = QDir::currentPath();
    const int result = RUN_ALL_TESTS();
    QDir::setCurrent(cwd);
    return result;
  });
}
