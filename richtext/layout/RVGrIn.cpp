#include "richtext/layout/RVGrIn.h"

#include <utility>

namespace richtext {

namespace {
TRVGraphicInterfaceFactory& Factory() {
  static TRVGraphicInterfaceFactory factory;
  return factory;
}
} // namespace

void RVSetGraphicInterfaceFactory(TRVGraphicInterfaceFactory F) {
  Factory() = std::move(F);
}

std::unique_ptr<TRVGraphicInterface> RVCreateGraphicInterface(bool ComplexScripts) {
  if (!Factory())
    return nullptr;
  return Factory()(ComplexScripts);
}

} // namespace richtext
