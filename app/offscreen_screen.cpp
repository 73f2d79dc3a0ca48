#include "app/offscreen_screen.h"

#include <QDir>

namespace kivrel {

bool TOffscreenScreen::Use(int width, int height) {
  file_.setFileTemplate(QDir::tempPath() + "/kivrel-screen-XXXXXX.json");
  if (!file_.open()) return false;
  const QString screens = QString(R"({"screens":[{"name":"kivrel","x":0,"y":0,"width":%1,"height":%2,)"
                                  R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                              .arg(width)
                              .arg(height);
  if (file_.write(screens.toUtf8()) < 0 || !file_.flush()) return false;
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file_.fileName()).toUtf8());
  return true;
}

}  // namespace kivrel
