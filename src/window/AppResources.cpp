#include "window/AppResources.h"

#include <QFontDatabase>

#ifndef FERMAT_LENS_APP_ID
#error "FERMAT_LENS_APP_ID must be defined by the build"
#endif

namespace app {

QString ApplicationId() {
  return QStringLiteral(FERMAT_LENS_APP_ID);
}

QStringList LoadCaptionFont() {
  const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
  return id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
}

QIcon WindowIcon() {
  return QIcon(QStringLiteral(":/icons/%1.png").arg(ApplicationId()));
}

}  // namespace app
