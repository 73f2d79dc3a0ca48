// GUI tests run on the offscreen platform with one QApplication.
#include <QApplication>

#include <gtest/gtest.h>

#include "app/program.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kivrel::PrepareApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
