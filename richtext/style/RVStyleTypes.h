// Enumerations, sets and constants of the style sheet and its styles.
#pragma once

#include <cstdint>

#include "richtext/base/RVClasses.h"
#include "richtext/base/RVSet.h"
#include "richtext/base/RVSystem.h"
#include "richtext/graphics/RVCanvas.h"
#include "richtext/style/RVColor.h"

namespace richtext {

// Mouse cursors are known to the engine by id only; the platform binding supplies them.
using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crJump = 101;
inline constexpr TCursor crRVFlipArrow = 106;
inline constexpr TCursor crRVLayingIBeam = 107;

enum TRVUnderlineType : std::uint8_t {
  rvutNormal,
  rvutThick,
  rvutDouble,
  rvutDotted,
  rvutThickDotted,
  rvutDashed,
  rvutThickDashed,
  rvutLongDashed,
  rvutThickLongDashed,
  rvutDashDotted,
  rvutThickDashDotted,
  rvutDashDotDotted,
  rvutThickDashDotDotted
};

enum TRVHoverEffect : std::uint8_t { rvheUnderline };
using TRVHoverEffects = TRVSet<TRVHoverEffect, std::uint8_t>;

enum TRVFontStyleEx : std::uint8_t { rvfsOverline, rvfsAllCaps };
using TRVFontStylesEx = TRVSet<TRVFontStyleEx, std::uint8_t>;

enum TRVProtectOption : std::uint8_t {
  rvprStyleProtect,
  rvprStyleSplitProtect,
  rvprModifyProtect,
  rvprDeleteProtect,
  rvprConcateProtect,
  rvprRVFInsertProtect,
  rvprDoNotAutoSwitch,
  rvprParaStartProtect,
  rvprSticking,
  rvprSticking2,
  rvprSticking3,
  rvprStickToTop,
  rvprStickToBottom
};
using TRVProtectOptions = TRVSet<TRVProtectOption, std::uint16_t>;

enum TRVTextOption : std::uint8_t {
  rvteoHTMLCode,
  rvteoRTFCode,
  rvteoDocXCode,
  rvteoDocXInRunCode,
  rvteoHidden
};
using TRVTextOptions = TRVSet<TRVTextOption, std::uint8_t>;

enum TRVSubSuperScriptType : std::uint8_t { rvsssNormal, rvsssSubscript, rvsssSuperScript };

// The comparable properties of a text style (bit number = position).
enum TRVFontInfoProperty : std::uint8_t {
  rvfiFontName,
  rvfiSize,
  rvfiCharset,
  rvfiUnicode,
  rvfiBold,
  rvfiItalic,
  rvfiUnderline,
  rvfiStrikeout,
  rvfiOverline,
  rvfiAllCaps,
  rvfiSubSuperScriptType,
  rvfiVShift,
  rvfiColor,
  rvfiBackColor,
  rvfiJump,
  rvfiHoverBackColor,
  rvfiHoverColor,
  rvfiHoverUnderline,
  rvfiJumpCursor,
  rvfiNextStyleNo,
  rvfiProtection,
  rvfiCharScale,
  rvfiBaseStyleNo,
  rvfiBiDiMode,
  rvfiCharSpacing,
  rvfiHTMLCode,
  rvfiRTFCode,
  rvfiDocXCode,
  rvfiHidden,
  rvfiUnderlineType,
  rvfiUnderlineColor,
  rvfiHoverUnderlineColor,
  rvfiEmptyWidth,
  rvfiCustom,
  rvfiCustom2,
  rvfiCustom3,
  rvfiCustom4,
  rvfiCustom5
};
inline constexpr int RVFontInfoPropertyCount = 38;
using TRVFontInfoProperties = TRVSet<TRVFontInfoProperty, std::uint64_t>;
inline constexpr TRVFontInfoProperties RVAllFontInfoProperties =
    TRVFontInfoProperties::FromValue((std::uint64_t{1} << RVFontInfoPropertyCount) - 1);

// Paragraph style enumerations.
enum TRVLineSpacingType : std::uint8_t {
  rvlsPercent,
  rvlsSpaceBetween,
  rvlsLineHeightAtLeast,
  rvlsLineHeightExact
};
enum TRVAlignment : std::uint8_t { rvaLeft, rvaRight, rvaCenter, rvaJustify, rvaDistribute };
enum TRVLastLineAlignment : std::uint8_t {
  rvllaDefault,
  rvllaLeft,
  rvllaRight,
  rvllaCenter,
  rvllaJustify
};
enum TRVParaOption : std::uint8_t {
  rvpaoNoWrap,
  rvpaoReadOnly,
  rvpaoStyleProtect,
  rvpaoDoNotWantReturns,
  rvpaoKeepLinesTogether,
  rvpaoKeepWithNext,
  rvpaoWidowOrphanControl
};
using TRVParaOptions = TRVSet<TRVParaOption, std::uint8_t>;

enum TRVBorderStyle : std::uint8_t {
  rvbNone,
  rvbSingle,
  rvbDouble,
  rvbTriple,
  rvbThickInside,
  rvbThickOutside
};
enum TRVTabAlign : std::uint8_t { rvtaLeft, rvtaRight, rvtaCenter };

// The comparable properties of a paragraph style (bit number = position).
enum TRVParaInfoProperty : std::uint8_t {
  rvpiFirstIndent,
  rvpiLeftIndent,
  rvpiRightIndent,
  rvpiSpaceBefore,
  rvpiSpaceAfter,
  rvpiAlignment,
  rvpiLastLineAlignment,
  rvpiNextParaNo,
  rvpiDefStyleNo,
  rvpiLineSpacing,
  rvpiLineSpacingType,
  rvpiBackground_Color,
  rvpiBackground_Opacity,
  rvpiBackground_BO_Left,
  rvpiBackground_BO_Top,
  rvpiBackground_BO_Right,
  rvpiBackground_BO_Bottom,
  rvpiBorder_Color,
  rvpiBorder_Style,
  rvpiBorder_Width,
  rvpiBorder_InternalWidth,
  rvpiBorder_BO_Left,
  rvpiBorder_BO_Top,
  rvpiBorder_BO_Right,
  rvpiBorder_BO_Bottom,
  rvpiBorder_Vis_Left,
  rvpiBorder_Vis_Top,
  rvpiBorder_Vis_Right,
  rvpiBorder_Vis_Bottom,
  rvpiNoWrap,
  rvpiReadOnly,
  rvpiStyleProtect,
  rvpiDoNotWantReturns,
  rvpiKeepLinesTogether,
  rvpiKeepWithNext,
  rvpiWidowOrphanControl,
  rvpiTabs,
  rvpiBiDiMode,
  rvpiOutlineLevel,
  rvpiCustom,
  rvpiCustom2,
  rvpiCustom3,
  rvpiCustom4,
  rvpiCustom5
};
inline constexpr int RVParaInfoPropertyCount = 44;
using TRVParaInfoProperties = TRVSet<TRVParaInfoProperty, std::uint64_t>;
inline constexpr TRVParaInfoProperties RVAllParaInfoProperties =
    TRVParaInfoProperties::FromValue((std::uint64_t{1} << RVParaInfoPropertyCount) - 1);

// Style sheet enumerations.
enum TRVStyleUnits : std::uint8_t { rvstuPixels, rvstuTwips };
enum TRVSelectionMode : std::uint8_t { rvsmChar, rvsmWord, rvsmParagraph };
enum TRVSelectionStyle : std::uint8_t { rvssItems, rvssLines };
enum TRVTextBackgroundKind : std::uint8_t { rvtbkSimple, rvtbkItems, rvtbkLines };
enum TRVFieldHighlightType : std::uint8_t { rvfhNever, rvfhCurrent, rvfhAlways };
enum TRVSeqType : std::uint8_t {
  rvseqDecimal,
  rvseqLowerAlpha,
  rvseqUpperAlpha,
  rvseqLowerRoman,
  rvseqUpperRoman
};
enum TRVTextEngine : std::uint8_t { rvteWindows, rvteUniscribe };
enum TRVLineWrapMode : std::uint8_t { rvWrapAnywhere, rvWrapSimple, rvWrapNormal };
enum TRVSelectionHandleKind : std::uint8_t { rvshkCircle, rvshkWedge };
enum TFontQuality : std::uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};

// State of a run of text being drawn (bit number = ordinal).
enum TRVTextDrawState : std::uint8_t {
  rvtsSelected,
  rvtsHover,
  rvtsItemStart,
  rvtsItemEnd,
  rvtsDrawItemStart,
  rvtsDrawItemEnd,
  rvtsControlFocused,
  rvtsSpecialCharacters,
  rvtstControlDisabled
};
using TRVTextDrawStates = TRVSet<TRVTextDrawState, std::uint16_t>;

// How colours are chosen for a target.
enum TRVColorMode : std::uint8_t {
  rvcmColor,
  rvcmPrinterColor,
  rvcmGrayScale,
  rvcmBlackAndWhite,
  rvcmBlackOnWhite,
  rvcmVCLThemeColor
};

// Special characters that can be made visible (bit number = ordinal).
enum TRVSpecialCharacter : std::uint8_t {
  rvscSpace,
  rvscNBSP,
  rvscTab,
  rvscParagraph,
  rvscSoftHyphen,
  rvscParagraphAttrs,
  rvscPlaceholders,
  rvcFloatingLines
};
using TRVSpecialCharacters = TRVSet<TRVSpecialCharacter, std::uint8_t>;

// Which special characters are shown when showing them is on; all at start.
extern TRVSpecialCharacters RVVisibleSpecialCharacters;

// When true, style comparisons also require equal StyleName (exact). False at start.
extern bool RichViewCompareStyleNames;

} // namespace richtext
