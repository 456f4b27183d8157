// What the hand gives a control, without a toolkit: key codes, modifier keys, mouse buttons,
// and the state the control keeps between input events (mouse selection, hover; the caret and
// its anchor are the document's selection).
#pragma once

#include <cstdint>

#include "richtext/base/RVSet.h"
#include "richtext/layout/RVCaretLayout.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

// Virtual key codes of the keys the control answers (the values of the desktop the engine
// comes from; letters are their capitals).
inline constexpr std::uint16_t VK_PRIOR = 0x21;
inline constexpr std::uint16_t VK_NEXT = 0x22;
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_INSERT = 0x2D;

enum class TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl };
using enum TShiftStateItem;
using TShiftState = TRVSet<TShiftStateItem, std::uint8_t>;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

// What a mouse selection grows by while it is dragged.
enum class TRVDragUnit : std::uint8_t { rvduChar, rvduWord, rvduParagraph };
using enum TRVDragUnit;

struct TRVInputState {
  // x the caret keeps on vertical moves; -1 takes the caret's own.
  std::int32_t DesiredX = -1;
  bool Focused = false;
  bool BlinkOn = true;
  // -- a mouse selection --
  bool Dragging = false;
  TRVDragUnit DragUnit = rvduChar;
  // The unit the drag started on (word or paragraph), kept whole whichever way it grows.
  TRVCaretPos DragFrom;
  TRVCaretPos DragTo;
  int LastMouseX = 0;
  int LastMouseY = 0;
  // -- hyperlinks --
  std::int32_t HoverItemNo = -1;
  TCursor Cursor = crDefault;
  // A hyperlink pressed with Ctrl: it is followed when released over the same item.
  std::int32_t PressedJumpItemNo = -1;
};

} // namespace richtext
