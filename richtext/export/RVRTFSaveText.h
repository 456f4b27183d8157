// UTF-16 text, identifiers and file names as RTF bytes.
//
// Everything these routines produce is 7-bit ASCII: characters outside printable ASCII are
// written as control words, "\uN " Unicode escapes (each followed, on request, by its
// fallback in an ANSI code page) or "\'hh" byte escapes.
#pragma once

#include "richtext/base/RVCodePage.h"

#include <string>
#include <string_view>

namespace richtext {

class TRVStream;

// Writes s as RTF text.
//   SaveAnsi           every Unicode escape is followed by the character's ANSI fallback in
//                      CodePage; the fallback count the caller has declared is 1 (else 0)
//   ForceSaveAnsi      write the fallback even without SaveAnsi
//   SpecialCode        s is RTF code itself: no control words, braces and backslashes as is
//   DoubleBSlashes     a backslash is written as four (text of a field instruction)
//   RTFControlsToCodes backslash and braces are written as "\'hh" escapes
//   EncodeDblQuotes    a double quote gets two backslashes before it
// When a fallback's length differs from the declared count, "\ucN" announces it, and the
// declared count is restored at the end. A character outside the BMP is written as two
// escapes, one per surrogate half.
void RVWriteUnicodeRTFStr(TRVStream& Stream, std::u16string_view s, TRVCodePage CodePage,
                          bool SaveAnsi, bool ForceSaveAnsi, bool SpecialCode, bool DoubleBSlashes,
                          bool RTFControlsToCodes, bool EncodeDblQuotes);

// Font and bookmark names (the fallback is always written).
std::string MakeRTFIdentifierStr(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi);
// Hyperlink targets: the text of a quoted field argument, so backslashes are doubled twice
// and double quotes escaped.
std::string RVMakeRTFFileNameStr(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi);
// Hyperlink extras and other text given with its own flags.
std::string RVMakeRTFStrW(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi,
                          bool ForceSaveAnsi, bool SpecialCode, bool RTFControlsToCodes);

// 8-bit text as RTF: backslashes and braces escaped (unless SpecialCode or
// RTFControlsToCodes), then every byte outside 20..7F hexadecimal as "\'hh".
std::string RVMakeRTFStr(std::string_view s, bool SpecialCode, bool UseNamedEntities,
                         bool RTFControlsToCodes, bool EncodeDblQuotes);

// The rules RVMakeRTFStr is made of, one function each.
// A backslash before "\", "{" and "}"; with EncodeDblQuotes two before each double quote.
std::string RTFEscapeControlChars(std::string_view s, bool EncodeDblQuotes);
// Bytes outside 20..7F hexadecimal (and, with ReplaceRTFControls, "\", "{", "}") as "\'hh";
// the byte A0 as "\~" with UseNamedEntities.
void RTFReplaceHex(std::string& s, bool UseNamedEntities, bool ReplaceRTFControls);
// "\'" and two lower-case hexadecimal digits.
std::string RTFHexEscape(unsigned char byte);
// The control word of a character that has one ("\~" for U+00A0), else empty.
std::string_view RTFNamedCharWord(char16_t c);
// "\u" and the code unit as an unsigned decimal number, then a space.
std::string RTFUnicodeEscape(char16_t c);

// The RTF language identifier of a font character set; 0 where none is written.
int RVU_Charset2Language(int Charset);

} // namespace richtext
