// The toolkit-free bases of the rich view control: a control with a size and a border, and
// the scrolling control. The platform binding hosts a control and repaints it on request.
#pragma once

#include <cstdint>

#include "richtext/document/RVTypes.h"

namespace richtext {

// What a control asks of the window that shows it.
class TRVControlHost {
public:
  virtual ~TRVControlHost() = default;
  // The whole control needs repainting.
  virtual void Invalidate() = 0;
};

enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };
using enum TBorderStyle;
enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;

class TCustomRVControl {
public:
  TCustomRVControl() = default;
  virtual ~TCustomRVControl() = default;
  TCustomRVControl(const TCustomRVControl&) = delete;
  TCustomRVControl& operator=(const TCustomRVControl&) = delete;

  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool TabStop = false;
  TBorderStyle BorderStyle = bsNone;

  TRVControlHost* GetHost() const { return FHost; }
  void SetHost(TRVControlHost* Host) { FHost = Host; }
  // Design mode of a form designer; this system never designs, but the formatting and style
  // rules keep their design-time branch.
  bool IsDesigning() const { return FDesigning; }
  void SetDesigning(bool Value) { FDesigning = Value; }
  bool IsDestroying() const { return FDestroying; }

  void Invalidate() {
    if (FHost != nullptr)
      FHost->Invalidate();
  }

protected:
  bool FDestroying = false;

private:
  TRVControlHost* FHost = nullptr;
  bool FDesigning = false;
};

class TRVScroller : public TCustomRVControl {
public:
  TRVScroller() { TabStop = true; }

  // Vertical scroll unit in pixels; 0 disables formatting.
  int VSmallStep = 1;
  bool KeyboardScroll = true;
  TScrollStyle ScrollBars = ssBoth;
  TRVPaletteAction DoInPaletteMode = rvpaCreateCopies;
  // Lines per mouse-wheel notch.
  int WheelStep = 2;
};

} // namespace richtext
