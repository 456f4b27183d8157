// Writing primitives of RichView Format streams.
//
// RVF is line-oriented: header lines and plain data lines end in CR LF, raw UTF-16 text lines
// end in U+2029, and text inside headers is UTF-8 with its line breaks encoded so that it
// can never end a line early.
#pragma once

#include <string>
#include <string_view>

namespace richtext {

class TRVStream;

inline constexpr std::string_view RVF_LineEnd = "\r\n";
// U+2029 as the UTF-16 little-endian bytes that end a raw Unicode text line.
inline constexpr std::string_view RVF_UnicodeLineEnd = "\x29\x20";
// What LF and CR become inside RVF header strings.
inline constexpr char RVF_EncodedLF = '\x02';
inline constexpr char RVF_EncodedCR = '\x01';

// The bytes of s.
void RVFWrite(TRVStream& Stream, std::string_view s);
// The UTF-16 code units of s, little-endian.
void RVFWriteW(TRVStream& Stream, std::u16string_view s);
// The bytes of s, then CR LF.
void RVFWriteLine(TRVStream& Stream, std::string_view s);
// One data line. Unicode: s holds UTF-16 little-endian code units. HexEncode (with Unicode):
// the line is written as hexadecimal text. Zero bytes (zero code units when Unicode) become
// "?" in every line that ends with CR LF; a raw Unicode line (Unicode without HexEncode) is
// written unchanged and ends with U+2029 instead.
void RVFWriteLineX(TRVStream& Stream, std::string_view s, bool Unicode, bool HexEncode);

// Two upper-case hexadecimal digits per byte.
std::string RVEncodeString(std::string_view s);
// The whole stream, from its start, as hexadecimal text; the position is left as it was.
std::string RVFStream2TextString(TRVStream& Stream);

// LF becomes the byte 02 and CR the byte 01.
std::string RVFEncodeLineBreaks(std::string s);
// s in UTF-8 with its line breaks encoded. Unpaired surrogates become U+FFFD.
std::string UnicodeStringToRVFString(std::u16string_view s);
// s in double quotes, inner double quotes doubled.
std::string RVQuotedStrA(std::string_view s);
// An item tag as a header field: "0" when empty, otherwise the quoted RVF string.
std::string RVFSaveTag(std::u16string_view Tag);

} // namespace richtext
