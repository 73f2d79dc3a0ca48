#pragma once
// A screen of a chosen size on Qt's offscreen platform, for pictures and
// measurements without a display.

#include <QTemporaryFile>

namespace kivrel {

class TOffscreenScreen {
 public:
  // Describes one screen of width x height pixels at 96 dots per inch in a
  // temporary file and points QT_QPA_PLATFORM at it; call before the
  // QApplication is made, and keep the object while it lives. False when the
  // file cannot be written.
  bool Use(int width, int height);

 private:
  QTemporaryFile file_;
};

}  // namespace kivrel
