// RTF control words the text encoders and the writers put into run text.
#pragma once

#include <string_view>

namespace richtext {

// Characters with a control word of their own. Every word that ends in a letter carries the
// space that ends it (without one, "\zwj" before "a" or "5" would read as another word or
// take the digit as its parameter); the space-like widths are groups that end themselves.
inline constexpr std::string_view RTF_NonBreakingSpace = "\\~";
inline constexpr std::string_view RTF_OptionalHyphen = "\\-";
inline constexpr std::string_view RTF_EnSpace = "{\\enspace }";
inline constexpr std::string_view RTF_EmSpace = "{\\emspace }";
inline constexpr std::string_view RTF_QuarterEmSpace = "{\\qmspace }";
inline constexpr std::string_view RTF_ZeroWidthNonJoiner = "\\zwnj ";
inline constexpr std::string_view RTF_ZeroWidthJoiner = "\\zwj ";
inline constexpr std::string_view RTF_EnDash = "\\endash ";
inline constexpr std::string_view RTF_EmDash = "\\emdash ";
inline constexpr std::string_view RTF_LeftQuote = "\\lquote ";
inline constexpr std::string_view RTF_RightQuote = "\\rquote ";
inline constexpr std::string_view RTF_LeftDoubleQuote = "\\ldblquote ";
inline constexpr std::string_view RTF_RightDoubleQuote = "\\rdblquote ";
inline constexpr std::string_view RTF_Bullet = "\\bullet ";

// Tab items, line breaks inside a paragraph and paragraph ends, as the writers emit them.
inline constexpr std::string_view RTF_Tab = "\\tab ";
inline constexpr std::string_view RTF_Line = "\\line ";
inline constexpr std::string_view RTF_Par = "\\par ";

// Escapes: a UTF-16 code unit ("\u" N space), the count of fallback characters after each
// Unicode escape ("\uc" N), and one byte in the document's code page ("\'" hh).
inline constexpr std::string_view RTF_UnicodeChar = "\\u";
inline constexpr std::string_view RTF_UnicodeFallbackCount = "\\uc";
inline constexpr std::string_view RTF_HexChar = "\\'";

} // namespace richtext
