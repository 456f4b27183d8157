// The toolkit-free bases of the rich view control: a control with a size and a border, and
// the scrolling control. The platform binding hosts a control and repaints it on request.
#pragma once

#include <cstdint>
#include <string>

#include "richtext/document/RVTypes.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

// What a control asks of the window that shows it.
class TRVControlHost {
public:
  virtual ~TRVControlHost() = default;
  // The whole control needs repainting.
  virtual void Invalidate() = 0;
  // The caret or the selection moved (blinking restarts; assistive technology is told).
  virtual void CaretMoved() {}
  // The mouse pointer over the control should take this shape.
  virtual void CursorChanged(TCursor /*Cursor*/) {}
  // A mouse selection went past the top or bottom edge (Active) or came back: the host calls
  // the control's ScrollTimerTick at a steady rate while it is active.
  virtual void ScrollTimerChanged(bool /*Active*/) {}
  // A hyperlink was followed: the host opens its target with the desktop's handler.
  virtual void OpenLink(const std::u16string& /*Target*/) {}
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

  // -- client area and scrolling --
  // The host sets the client size; until then it is the control's size.
  void SetClientSize(int AWidth, int AHeight) {
    FClientWidth = AWidth;
    FClientHeight = AHeight;
  }
  int GetClientWidth() const { return FClientWidth >= 0 ? FClientWidth : Width; }
  int GetClientHeight() const { return FClientHeight >= 0 ? FClientHeight : Height; }
  // Width the vertical scroll bar takes from the client area while shown (the host sets it;
  // 0 for scroll bars that overlay the content).
  int VScrollBarWidth = 0;
  bool IsVScrollBarVisible() const { return FVScrollVisible; }
  // The part of the client area the document is shown in.
  int GetAreaWidth() const {
    const int w = GetClientWidth() - (FVScrollVisible ? VScrollBarWidth : 0);
    return w > 0 ? w : 0;
  }
  int GetAreaHeight() const { return GetClientHeight() > 0 ? GetClientHeight() : 0; }
  // The document's size, margins included: decides whether the vertical scroll bar shows.
  void SetDocumentAreaSize(int AWidth, int AHeight) {
    FDocWidth = AWidth;
    FDocHeight = AHeight;
    const bool vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
    FVScrollVisible = vertical && AHeight > GetClientHeight();
    ScrollTo(FVScrollPos);
  }
  int GetDocumentAreaWidth() const { return FDocWidth; }
  int GetDocumentAreaHeight() const { return FDocHeight; }
  int GetVScrollPos() const { return FVScrollPos; }
  int GetVScrollMax() const {
    const int m = FDocHeight - GetAreaHeight();
    return m > 0 ? m : 0;
  }
  // Clamped to the scrollable range.
  void ScrollTo(int Y) {
    const int m = GetVScrollMax();
    FVScrollPos = Y < 0 ? 0 : (Y > m ? m : Y);
  }

  // The canvas the control measures and paints on; the host provides it.
  TRVCanvas* GetCanvas() const { return FCanvas; }
  void SetCanvas(TRVCanvas* Canvas) { FCanvas = Canvas; }

private:
  int FClientWidth = -1;
  int FClientHeight = -1;
  bool FVScrollVisible = false;
  int FDocWidth = 0;
  int FDocHeight = 0;
  int FVScrollPos = 0;
  TRVCanvas* FCanvas = nullptr;
};

} // namespace richtext
