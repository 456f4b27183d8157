// RTF control words of character and paragraph formatting, as the style writers emit them.
//
// None of these carries a trailing space: the writers put them one after another, and each
// next word starts with a backslash, which ends the previous one. Words that take a number
// are written here without it.
#pragma once

#include <iterator>
#include <string_view>

#include "richtext/style/RVStyleTypes.h"

namespace richtext {

// ---- Character formatting --------------------------------------------------------------------

inline constexpr std::string_view RTF_Bold = "\\b";
inline constexpr std::string_view RTF_Italic = "\\i";
inline constexpr std::string_view RTF_StrikeOut = "\\strike";
inline constexpr std::string_view RTF_Subscript = "\\sub";
inline constexpr std::string_view RTF_Superscript = "\\super";
inline constexpr std::string_view RTF_RaiseBy = "\\up"; // half points
inline constexpr std::string_view RTF_LowerBy = "\\dn"; // half points
inline constexpr std::string_view RTF_CharScaleX = "\\charscalex";
inline constexpr std::string_view RTF_CharSpacing = "\\expndtw"; // twips
inline constexpr std::string_view RTF_AllCaps = "\\caps";
inline constexpr std::string_view RTF_LeftToRightChars = "\\ltrch";
inline constexpr std::string_view RTF_RightToLeftChars = "\\rtlch";
inline constexpr std::string_view RTF_Language = "\\lang";
inline constexpr std::string_view RTF_Hidden = "\\v";
inline constexpr std::string_view RTF_Protected = "\\protect";
inline constexpr std::string_view RTF_FontSize = "\\fs"; // half points
inline constexpr std::string_view RTF_CharBackColor = "\\chcbpat";
inline constexpr std::string_view RTF_TextColor = "\\cf";
inline constexpr std::string_view RTF_UnderlineColor = "\\ulc";

// Underline words by TRVUnderlineType, in the enumeration's order.
inline constexpr std::string_view RTFUnderlineWords[] = {
    "\\ul",         // rvutNormal
    "\\ulth",       // rvutThick
    "\\uldb",       // rvutDouble
    "\\uld",        // rvutDotted
    "\\ulthd",      // rvutThickDotted
    "\\uldash",     // rvutDashed
    "\\ulthdash",   // rvutThickDashed
    "\\ulldash",    // rvutLongDashed
    "\\ulthldash",  // rvutThickLongDashed
    "\\uldashd",    // rvutDashDotted
    "\\ulthdashd",  // rvutThickDashDotted
    "\\uldashdd",   // rvutDashDotDotted
    "\\ulthdashdd", // rvutThickDashDotDotted
};
static_assert(std::size(RTFUnderlineWords) == rvutThickDashDotDotted + 1);

// ---- Paragraph formatting --------------------------------------------------------------------

inline constexpr std::string_view RTF_LeftToRightPara = "\\ltrpar";
inline constexpr std::string_view RTF_RightToLeftPara = "\\rtlpar";
inline constexpr std::string_view RTF_LineSpacing = "\\sl";
inline constexpr std::string_view RTF_LineSpacingMultiple = "\\slmult1"; // "\sl" is 240ths
inline constexpr std::string_view RTF_LineSpacingTwips = "\\slmult0";
inline constexpr std::string_view RTF_KeepLinesTogether = "\\keep";
inline constexpr std::string_view RTF_KeepWithNext = "\\keepn";
inline constexpr std::string_view RTF_WidowOrphanControl = "\\widctlpar";
inline constexpr std::string_view RTF_FirstIndent = "\\fi";
inline constexpr std::string_view RTF_LeftIndent = "\\li";
inline constexpr std::string_view RTF_RightIndent = "\\ri";
inline constexpr std::string_view RTF_Alignment = "\\q"; // followed by the letter below
inline constexpr std::string_view RTF_OutlineLevel = "\\outlinelevel";
inline constexpr std::string_view RTF_ParaBackColor = "\\cbpat";
inline constexpr std::string_view RTF_SpaceBefore = "\\sb";
inline constexpr std::string_view RTF_SpaceAfter = "\\sa";

// Alignment letters by TRVAlignment, in the enumeration's order.
inline constexpr char RTFAlignmentLetters[] = {
    'l', // rvaLeft
    'r', // rvaRight
    'c', // rvaCenter
    'j', // rvaJustify
    'd', // rvaDistribute
};
static_assert(std::size(RTFAlignmentLetters) == rvaDistribute + 1);

// Tab stops: kind, leader, position.
inline constexpr std::string_view RTF_TabRight = "\\tqr";
inline constexpr std::string_view RTF_TabCenter = "\\tqc";
inline constexpr std::string_view RTF_TabLeaderHyphens = "\\tlhyph";
inline constexpr std::string_view RTF_TabLeaderEquals = "\\tleq";
inline constexpr std::string_view RTF_TabLeaderUnderline = "\\tlul";
inline constexpr std::string_view RTF_TabLeaderMiddleDots = "\\tlmdot";
inline constexpr std::string_view RTF_TabLeaderDots = "\\tldot";
inline constexpr std::string_view RTF_TabPosition = "\\tx";

// Paragraph borders.
inline constexpr std::string_view RTF_BorderBetween = "\\brdrbtw";
inline constexpr std::string_view RTF_BorderLeft = "\\brdrl";
inline constexpr std::string_view RTF_BorderTop = "\\brdrt";
inline constexpr std::string_view RTF_BorderRight = "\\brdrr";
inline constexpr std::string_view RTF_BorderBottom = "\\brdrb";
inline constexpr std::string_view RTF_BorderSpace = "\\brsp";
inline constexpr std::string_view RTF_BorderColor = "\\brdrcf";
inline constexpr std::string_view RTF_BorderWidth = "\\brdrw";
inline constexpr std::string_view RTF_BorderSingle = "\\brdrs";
inline constexpr std::string_view RTF_BorderDouble = "\\brdrdb";
inline constexpr std::string_view RTF_BorderTriple = "\\brdrtriple";
// Thick-thin pairs: which line is thick depends on the side, so the left and top sides of a
// border that is thick inside use one word and the right and bottom sides the other.
inline constexpr std::string_view RTF_BorderThickThin = "\\brdrthtnmg";
inline constexpr std::string_view RTF_BorderThinThick = "\\brdrtnthmg";

} // namespace richtext
