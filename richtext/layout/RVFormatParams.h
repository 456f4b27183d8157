// The state of one formatting pass, handed to every step of it, and the resolutions it
// converts with.
#pragma once

#include <cstdint>

#include "richtext/base/RVRound.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/graphics/RVGrIn.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TRVFontInfoCache;
class TRVFloatingDrawItems;
class TRVDrawLines;

// What a formatting call asks for.
struct TRVFormatOptions {
  // Only the area's size changed: the selection and the line at the top are carried over.
  bool OnlyResized = false;
  // Lay the lines out again even when the widths stayed.
  bool ForceFormat = false;
  // With OnlyResized, leave the scroll position alone.
  bool NoScroll = false;
  // Append the lines of the items after the last formatted one.
  bool OnlyTail = false;
  bool NoCaching = false;
  bool Reformatting = false;
  bool CallOnFormat = false;
  bool AbsRotation = false;
};

struct TRVFormatParams {
  std::int32_t X = 0;
  std::int32_t baseline = 0;
  std::int32_t prevdesc = 0;
  std::int32_t prevabove = 0;
  std::int32_t ParaNo = -1;
  bool IsParaSectionStart = true;
  std::int32_t LineWidth = 0;
  std::int32_t LineStartX = 0;
  std::int32_t LineStartY = 0;
  std::int32_t LastDrawItem = 0;
  std::int32_t VerticalOffs = 0;
  std::int32_t LeftIndent = 0;
  std::int32_t RightIndent = 0;
  std::int32_t FirstIndent = 0;
  std::int32_t LastTextStyle = -1;
  std::int32_t UnadjustedLeftIndent = 0;
  std::int32_t UnadjustedRightSide = 0;
  std::int32_t FirstParaItemNo = -1;
  TRVBiDiMode CurParaBiDiMode = rvbdUnspecified;
  std::int32_t LineHeightAbove = 0;
  std::int32_t LineHeightBelow = 0;
  std::int32_t TextLength = 0;
  std::int32_t MaxLength = 0;
  bool NoCaching = false;
  bool Reformatting = false;
  bool DontFSL = true;
  bool NeedRecalcY = false;
  bool LineHasFloating = false;
  bool LineHasPlaceholders = false;
  std::int32_t LastTabDrawItemNo = -1;
  TRVTabAlign LastTabAlign = rvtaLeft;
  std::int32_t LastTabPosition = 0;
  bool SpaceEaten = false;
  TRVFontInfoCache* FontInfoCache = nullptr;
  TRVCanvas* FormatCanvas = nullptr;
  TRVTextMetric TextMetric;
  bool AllowWordWrap = true;
  bool IsSymbolFont = false;
  TRVFloatingDrawItems* FloatingDrawItems = nullptr;
  TRVDrawLines* FloatingDrawItemsInThisParaSection = nullptr;
  bool CanBeFloatingAtTheBeginning = true;
  bool MovedDownBecauseOfFloating = false;
  bool UseFormatCanvas = false;
  bool ThisLevelOnly = false;
};

// MulDiv(Value, ppixDevice, ppixScreen): a control value (margins, text width limits) on the
// formatting device.
std::int32_t RV_XToDevice(std::int32_t Value, const TRVScreenAndDevice& sad);
std::int32_t RV_YToDevice(std::int32_t Value, const TRVScreenAndDevice& sad);

} // namespace richtext
