#include "platform/qt/RVQtGraphics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <memory>

#include "platform/qt/RVQtGraphicInterface.h"

namespace quillon {

void RegisterQtGraphics() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    richtext::RV_SetScreenPixelsPerInch(
        static_cast<int>(std::lround(screen->logicalDotsPerInchY())));
  // Qt shapes complex scripts itself: one interface serves both kinds.
  richtext::RVSetGraphicInterfaceFactory(
      [](bool) { return std::make_unique<TRVQtGraphicInterface>(); });
}

} // namespace quillon
