// An editor control on a style sheet measured by the fixed-metrics test interface, as the
// writers' tests build, format and select their documents; and a stream that fails on demand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "richtext/control/RichViewEdit.h"
#include "richtext/base/RVClasses.h"
#include "richtext/base/RVStream.h"
#include "richtext/style/RVStyle.h"
#include "tests/support/RVTestGraphics.h"

namespace richtext::test {

class ExportFixture : public ::testing::Test {
protected:
  ExportFixture() {
    Style.SetGraphicInterface(std::make_unique<TRVTestGraphicInterface>());
    RV.SetStyle(&Style);
    RV.SetCanvas(&Canvas);
    RV.SetClientSize(400, 400);
  }

  TRVEditRVData& Data() { return *RV.GetEditData(); }
  void FormatAndSelectAll() {
    RV.Format();
    RV.SelectAll();
  }
  void Select(std::int32_t StartItem, std::int32_t StartOffs, std::int32_t EndItem,
              std::int32_t EndOffs) {
    RV.Format();
    RV.SetSelectionBounds(StartItem, StartOffs, EndItem, EndOffs);
  }

  TRVStyle Style;
  TRVStateCanvas Canvas{96, 96};
  TRichViewEdit RV;
};

// Accepts FailAfter bytes, then raises on every write.
class TFailingStream final : public TRVStream {
public:
  explicit TFailingStream(std::size_t FailAfter) : FFailAfter(FailAfter) {}
  void WriteBuffer(const void* data, std::size_t count) override {
    if (FBytes.size() + count > FFailAfter)
      throw ERichViewError("Stream write error");
    FBytes.append(static_cast<const char*>(data), count);
  }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::uint64_t Position() const override { return FBytes.size(); }
  void SetPosition(std::uint64_t) override {}
  std::uint64_t Size() const override { return FBytes.size(); }
  const std::string& Bytes() const { return FBytes; }

private:
  std::size_t FFailAfter;
  std::string FBytes;
};

} // namespace richtext::test
