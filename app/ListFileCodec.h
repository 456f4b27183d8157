// The bytes of a link list file: how its encoding is found, how it is split into lines, and
// how a list is written back. A line whose bytes are not exact text in the file's encoding
// keeps those bytes, so that a save writes back unchanged every entry the user did not edit.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "richtext/base/RVCodePage.h"

namespace quillon {

// Utf8NoMark: a file without a byte-order mark whose bytes are valid UTF-8 holding
// non-ASCII text, written back the same way. UTF-32 only with its mark.
enum class TListEncoding { Ansi, Utf8, Utf8NoMark, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// How a file ends its lines. A file that breaks its lines with LF alone (as Linux editors
// write) keeps LF; every other file, and a new one, gets CR LF.
enum class TLineEnd { CrLf, Lf };

struct TTextSpan {
  std::size_t start;
  std::size_t length;
};

// A list file's text and where each of its lines is in it. Raw names, in line order, the
// lines whose bytes are not exact text in the encoding (invalid UTF-8, a code point UTF-32
// cannot hold, a byte the code page does not define, half a code unit at the end): their
// bytes without the line end. Their text shows U+FFFD where the damage is.
struct TListText {
  TListEncoding encoding = TListEncoding::Ansi;
  TLineEnd lineEnd = TLineEnd::CrLf;
  std::u16string text;
  std::vector<TTextSpan> lines;
  std::vector<std::pair<std::size_t, std::string>> raw;
};

// The same with the lines as strings; raw is empty when no line is damaged, else one entry
// a line (empty for the exact ones).
struct TDecodedList {
  TListEncoding encoding = TListEncoding::Ansi;
  TLineEnd lineEnd = TLineEnd::CrLf;
  std::vector<std::u16string> lines;
  std::vector<std::string> raw;
};

// Finds the encoding by byte-order mark (EF BB BF UTF-8, FF FE 00 00 UTF-32LE, FF FE
// UTF-16LE, 00 00 FE FF UTF-32BE, FE FF UTF-16BE; none: UTF-8 when the bytes are valid UTF-8
// holding a non-ASCII character, else the ANSI code page), decodes and splits into lines (CR,
// LF, CR LF). A NUL is a character like any other. The line end is LF when the file breaks
// lines with LF and holds no CR at all, else CR LF.
TListText DecodeListText(std::string_view bytes, richtext::TRVCodePage ansiCodePage);
TDecodedList DecodeListFile(std::string_view bytes, richtext::TRVCodePage ansiCodePage);

// The mark of the encoding, then each entry followed by the line end; an entry with bytes in
// raw (raw null, or shorter, or an empty string: none) is written as those bytes.
std::string EncodeListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                           richtext::TRVCodePage ansiCodePage,
                           const std::vector<std::string>* raw = nullptr,
                           TLineEnd lineEnd = TLineEnd::CrLf);
// The same bytes given to write in pieces of whole lines, about 64 K code units each, so
// that a big list is never encoded whole in memory; stops at and answers the first error
// write answers (0 when all went).
int WriteListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                  richtext::TRVCodePage ansiCodePage,
                  const std::function<int(std::string_view)>& write,
                  const std::vector<std::string>* raw = nullptr,
                  TLineEnd lineEnd = TLineEnd::CrLf);

// Whether the code page carries every entry exactly: written and read again, each comes back
// unchanged (no default character, no best-fit stand-in).
bool FitsCodePage(const std::vector<std::u16string>& entries, richtext::TRVCodePage codePage);

// The encoding a save writes entries in, given the one they were read in (none: no file was
// read, or it was empty): UTF-8 with a mark for none, and for an ANSI list whose code page
// cannot carry every entry or whose bytes would read back as UTF-8; else the one read in.
// Entries with bytes of their own in raw are written as those bytes and need not fit.
TListEncoding ChooseSaveEncoding(const std::vector<std::u16string>& entries,
                                 std::optional<TListEncoding> readIn,
                                 richtext::TRVCodePage ansiCodePage,
                                 const std::vector<std::string>* raw = nullptr);

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) holding at least
// one non-ASCII character.
bool IsNonAsciiUtf8(std::string_view bytes);

} // namespace quillon
