#include "app/ListFileCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "richtext/base/RVHugePages.h"
#include "richtext/base/RVUni.h"

namespace quillon {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr std::string_view kUtf32LEMark("\xFF\xFE\x00\x00", 4);
constexpr std::string_view kUtf32BEMark("\x00\x00\xFE\xFF", 4);

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2 + 1);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t pairs = bytes.size() / 2;
  for (size_t i = 0; i < pairs; ++i) {
    unsigned first = data[2 * i], second = data[2 * i + 1];
    text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  // Half a code unit is damage, not text to drop quietly: it shows up as a replacement
  // character on the last line.
  if (bytes.size() % 2 != 0)
    text += u'\uFFFD';
  return text;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  bytes.resize(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char high = static_cast<char>(text[i] >> 8), low = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i] = bigEndian ? high : low;
    bytes[2 * i + 1] = bigEndian ? low : high;
  }
  return bytes;
}

char32_t ReadUnit32(const unsigned char* p, bool bigEndian) {
  return bigEndian ? (char32_t{p[0]} << 24 | char32_t{p[1]} << 16 | char32_t{p[2]} << 8 | p[3])
                   : (char32_t{p[3]} << 24 | char32_t{p[2]} << 16 | char32_t{p[1]} << 8 | p[0]);
}

// UTF-32 code points as UTF-16; one that UTF-32 cannot hold (a surrogate, above U+10FFFF)
// and a cut-off last unit become U+FFFD.
std::u16string DecodeUtf32(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 4 + 1);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    const char32_t c = ReadUnit32(data + i, bigEndian);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      text += u'\uFFFD';
    else if (c >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else
      text += static_cast<char16_t>(c);
  }
  if (bytes.size() % 4 != 0)
    text += u'\uFFFD';
  return text;
}

std::string EncodeUtf32(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  bytes.reserve(text.size() * 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (richtext::RVU_IsHighSurrogate(c) && i + 1 < text.size() &&
        richtext::RVU_IsLowSurrogate(text[i + 1])) {
      c = richtext::RVU_SurrogatePairToCodePoint(text[i], text[i + 1]);
      ++i;
    }
    else if (richtext::RVU_IsSurrogate(c))
      c = 0xFFFD; // UTF-32 holds no half of a pair
    const char b[4] = {static_cast<char>(c >> 24), static_cast<char>(c >> 16 & 0xFF),
                       static_cast<char>(c >> 8 & 0xFF), static_cast<char>(c & 0xFF)};
    if (bigEndian)
      bytes.append(b, 4);
    else
      bytes += {b[3], b[2], b[1], b[0]};
  }
  return bytes;
}

// Whether any of the four UTF-16 units in word is below 0x0E, where CR and LF are. A unit
// at or above 0x8000 never counts; a borrow only runs upwards from a unit that does count.
bool AnyUnitBelow0E(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0001000100010001ull, kHigh = 0x8000800080008000ull;
  return ((word - kOnes * 0x0E) & ~word & kHigh) != 0;
}

// Where each line is in the text, so that a big list is not copied line by line before it
// is sorted.
std::vector<TTextSpan> SplitLines(std::u16string_view text, TLineEnd* lineEnd) {
  std::vector<TTextSpan> lines;
  const size_t end = text.size();
  size_t start = 0;
  bool sawCr = false, sawLf = false;
  for (size_t i = 0; i < end; ++i) {
    // Four units at a time past text without controls, which is nearly all of a list.
    while (i + 4 <= end) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, sizeof word);
      if (AnyUnitBelow0E(word))
        break;
      i += 4;
    }
    if (i == end)
      break;
    char16_t c = text[i];
    if (c != u'\r' && c != u'\n')
      continue;
    (c == u'\r' ? sawCr : sawLf) = true;
    lines.push_back({start, i - start});
    if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < end)
    lines.push_back({start, end - start});
  *lineEnd = sawLf && !sawCr ? TLineEnd::Lf : TLineEnd::CrLf;
  return lines;
}

// substitutions, when given, counts the U+FFFD that stand for damaged bytes.
std::u16string DecodeUtf8(std::string_view bytes, std::size_t* substitutions = nullptr) {
  // One UTF-16 unit at most per byte; huge pages are asked for before the memory is first
  // touched.
  std::u16string text;
  text.reserve(bytes.size());
  richtext::RV_AdviseHugePages(text.data(), text.capacity() * sizeof(char16_t));
  text.resize(bytes.size());
  const char16_t* end = richtext::RVU_Utf8ToUnicode(bytes, text.data(), substitutions);
  text.resize(static_cast<std::size_t>(end - text.data()));
  return text;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Answers whether
// the bytes are valid and hold at least one non-ASCII character; valid, when given, tells
// whether they are valid at all.
bool CheckUtf8(std::string_view bytes, bool* valid) {
  auto invalid = [valid] {
    if (valid)
      *valid = false;
    return false;
  };
  if (valid)
    *valid = true;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  bool nonAscii = false;
  std::size_t i = 0;
  while (i < size) {
    // Eight ASCII bytes at a time: most of a link list is ASCII.
    if (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, data + i, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    const unsigned lead = data[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    nonAscii = true;
    std::size_t length;
    unsigned low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0)
        low = 0xA0;
      else if (lead == 0xED)
        high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0)
        low = 0x90;
      else if (lead == 0xF4)
        high = 0x8F;
    } else {
      return invalid();
    }
    if (size - i < length)
      return invalid();
    if (data[i + 1] < low || data[i + 1] > high)
      return invalid();
    for (std::size_t k = 2; k < length; ++k)
      if ((data[i + k] & 0xC0) != 0x80)
        return invalid();
    i += length;
  }
  return nonAscii;
}

// The lines of the bytes themselves, in units of unitSize bytes (1, 2 or 4) read in the
// given order, split as SplitLines splits text; a cut-off last unit belongs to the last line,
// as its U+FFFD does.
std::vector<TTextSpan> SplitByteLines(std::string_view bytes, std::size_t unitSize,
                                      bool bigEndian) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  auto unitAt = [&](std::size_t at) -> char32_t {
    if (at + unitSize > bytes.size())
      return 0xFFFD;
    if (unitSize == 1)
      return data[at];
    if (unitSize == 2)
      return bigEndian ? (char32_t{data[at]} << 8 | data[at + 1])
                       : (char32_t{data[at + 1]} << 8 | data[at]);
    return ReadUnit32(data + at, bigEndian);
  };
  std::vector<TTextSpan> lines;
  const std::size_t end = bytes.size();
  std::size_t start = 0;
  for (std::size_t i = 0; i < end; i += unitSize) {
    const char32_t c = unitAt(i);
    if (c != u'\r' && c != u'\n')
      continue;
    lines.push_back({start, i - start});
    if (c == u'\r' && i + unitSize < end && unitAt(i + unitSize) == u'\n')
      i += unitSize;
    start = i + unitSize;
  }
  if (start < end)
    lines.push_back({start, end - start});
  return lines;
}

// Keeps the bytes of every line that check says is not exact text.
template <typename Check>
void KeepInexactLines(TListText& list, std::string_view body, std::size_t unitSize,
                      bool bigEndian, Check&& check) {
  const std::vector<TTextSpan> byteLines = SplitByteLines(body, unitSize, bigEndian);
  // The decoders keep every line break, so the lines of bytes and of text pair up.
  if (byteLines.size() != list.lines.size())
    return;
  for (std::size_t i = 0; i < byteLines.size(); ++i) {
    const std::string_view bytes = body.substr(byteLines[i].start, byteLines[i].length);
    const std::u16string_view text(list.text.data() + list.lines[i].start, list.lines[i].length);
    if (!check(bytes, text))
      list.raw.emplace_back(i, std::string(bytes));
  }
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool IsNonAsciiUtf8(std::string_view bytes) { return CheckUtf8(bytes, nullptr); }

TListText DecodeListText(std::string_view bytes, richtext::TRVCodePage ansiCodePage) {
  TListText list;
  std::u16string& text = list.text;
  std::string_view body = bytes;
  std::size_t utf8Substitutions = 0;
  if (bytes.starts_with(kUtf8Mark)) {
    list.encoding = TListEncoding::Utf8;
    body = bytes.substr(kUtf8Mark.size());
    text = DecodeUtf8(body, &utf8Substitutions);
  } else if (bytes.starts_with(kUtf32LEMark)) {
    list.encoding = TListEncoding::Utf32LE;
    body = bytes.substr(kUtf32LEMark.size());
    text = DecodeUtf32(body, false);
  } else if (bytes.starts_with(kUtf16LEMark)) {
    list.encoding = TListEncoding::Utf16LE;
    body = bytes.substr(kUtf16LEMark.size());
    text = DecodeUtf16(body, false);
  } else if (bytes.starts_with(kUtf32BEMark)) {
    list.encoding = TListEncoding::Utf32BE;
    body = bytes.substr(kUtf32BEMark.size());
    text = DecodeUtf32(body, true);
  } else if (bytes.starts_with(kUtf16BEMark)) {
    list.encoding = TListEncoding::Utf16BE;
    body = bytes.substr(kUtf16BEMark.size());
    text = DecodeUtf16(body, true);
  } else if (IsNonAsciiUtf8(bytes)) {
    // What Linux editors write: UTF-8 without a mark. A file in a code page is almost never
    // valid UTF-8 by chance once it holds a non-ASCII character.
    list.encoding = TListEncoding::Utf8NoMark;
    text = DecodeUtf8(bytes);
  } else {
    text = richtext::RVU_AnsiToUnicode(ansiCodePage, bytes);
  }
  list.lines = SplitLines(text, &list.lineEnd);
  switch (list.encoding) {
  case TListEncoding::Utf8NoMark:
    break; // valid throughout, or it would not have been taken for UTF-8
  case TListEncoding::Utf8: {
    // Bytes the decoder took whole are strict UTF-8 (it takes no overlong form, no
    // surrogate, nothing above U+10FFFF): only a file with damage is looked at again.
    bool valid = utf8Substitutions == 0;
    if (!valid)
      CheckUtf8(body, &valid);
    if (!valid)
      KeepInexactLines(list, body, 1, false, [](std::string_view line, std::u16string_view) {
        bool lineValid = true;
        CheckUtf8(line, &lineValid);
        return lineValid;
      });
    break;
  }
  case TListEncoding::Utf16LE:
  case TListEncoding::Utf16BE:
    // Every whole code unit is kept as it is, lone surrogates too. Half a unit at the end
    // stays U+FFFD: its byte could only go back by moving every line end after it off its
    // two-byte place.
    break;
  case TListEncoding::Utf32LE:
  case TListEncoding::Utf32BE:
    if (body.size() % 4 != 0 || text.find(u'\uFFFD') != std::u16string::npos) {
      const bool bigEndian = list.encoding == TListEncoding::Utf32BE;
      // A code point UTF-32 cannot hold goes back as its four bytes; a cut-off last unit
      // stays U+FFFD, as in UTF-16.
      KeepInexactLines(list, body, 4, bigEndian, [&](std::string_view line, std::u16string_view t) {
        return line.size() % 4 != 0 || EncodeUtf32(t, bigEndian) == line;
      });
    }
    break;
  case TListEncoding::Ansi:
    KeepInexactLines(list, body, 1, false, [&](std::string_view line, std::u16string_view t) {
      return IsAscii(line) || richtext::RVU_UnicodeToAnsiBytes(ansiCodePage, t) == line;
    });
    break;
  }
  return list;
}

TDecodedList DecodeListFile(std::string_view bytes, richtext::TRVCodePage ansiCodePage) {
  TListText text = DecodeListText(bytes, ansiCodePage);
  TDecodedList list{text.encoding, text.lineEnd, {}, {}};
  list.lines.reserve(text.lines.size());
  for (const TTextSpan& line : text.lines)
    list.lines.emplace_back(text.text, line.start, line.length);
  if (!text.raw.empty()) {
    list.raw.resize(list.lines.size());
    for (auto& [line, raw] : text.raw)
      list.raw[line] = std::move(raw);
  }
  return list;
}

int WriteListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                  richtext::TRVCodePage ansiCodePage,
                  const std::function<int(std::string_view)>& write,
                  const std::vector<std::string>* raw, TLineEnd lineEnd) {
  constexpr std::size_t kPiece = 1 << 16;
  const std::u16string_view newline = lineEnd == TLineEnd::Lf ? u"\n" : u"\r\n";
  std::string_view mark;
  switch (encoding) {
  case TListEncoding::Utf8: mark = kUtf8Mark; break;
  case TListEncoding::Utf16LE: mark = kUtf16LEMark; break;
  case TListEncoding::Utf16BE: mark = kUtf16BEMark; break;
  case TListEncoding::Utf32LE: mark = kUtf32LEMark; break;
  case TListEncoding::Utf32BE: mark = kUtf32BEMark; break;
  case TListEncoding::Utf8NoMark:
  case TListEncoding::Ansi: break;
  }
  if (!mark.empty())
    if (int error = write(mark); error != 0)
      return error;
  // Every piece ends with a line's end, and neither pairs with a surrogate nor continues a
  // multi-byte character, so the pieces encode as the whole text would.
  std::u16string text;
  text.reserve(kPiece * 2);
  std::unique_ptr<char[]> utf8;
  std::size_t utf8Size = 0;
  auto flush = [&]() -> int {
    if (text.empty())
      return 0;
    std::string other;
    std::string_view bytes;
    switch (encoding) {
    case TListEncoding::Utf8:
    case TListEncoding::Utf8NoMark:
      if (utf8Size < text.size() * 3) {
        utf8Size = std::max(text.size() * 3, kPiece * 6);
        utf8.reset(new char[utf8Size]);
      }
      bytes = std::string_view(utf8.get(), static_cast<std::size_t>(
                                               richtext::RVU_UnicodeToUtf8(text, utf8.get()) - utf8.get()));
      break;
    case TListEncoding::Utf16LE:
    case TListEncoding::Utf16BE:
      other = EncodeUtf16(text, encoding == TListEncoding::Utf16BE);
      bytes = other;
      break;
    case TListEncoding::Utf32LE:
    case TListEncoding::Utf32BE:
      other = EncodeUtf32(text, encoding == TListEncoding::Utf32BE);
      bytes = other;
      break;
    case TListEncoding::Ansi:
      other = richtext::RVU_UnicodeToAnsiBytes(ansiCodePage, text);
      bytes = other;
      break;
    }
    text.clear();
    return write(bytes);
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    // An entry read with bytes that are no exact text goes back as those bytes.
    if (raw && i < raw->size() && !(*raw)[i].empty()) {
      if (int error = flush(); error != 0)
        return error;
      if (int error = write((*raw)[i]); error != 0)
        return error;
    } else {
      text += entries[i];
    }
    text += newline;
    if (text.size() >= kPiece)
      if (int error = flush(); error != 0)
        return error;
  }
  return flush();
}

std::string EncodeListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                           richtext::TRVCodePage ansiCodePage, const std::vector<std::string>* raw,
                           TLineEnd lineEnd) {
  std::string bytes;
  WriteListFile(
      entries, encoding, ansiCodePage,
      [&](std::string_view piece) {
        bytes += piece;
        return 0;
      },
      raw, lineEnd);
  return bytes;
}

namespace {

// Whether the entries come back unchanged from the code page and, with readsAsUtf8 given,
// whether their bytes as a whole would be taken for UTF-8 by the next load. Entries with
// bytes of their own in raw are written as those bytes: they need not fit, but their bytes
// count for the whole.
bool CheckCodePage(const std::vector<std::u16string>& entries, richtext::TRVCodePage codePage,
                   bool* readsAsUtf8, const std::vector<std::string>* raw = nullptr) {
  // A piece at a time, ending at entry boundaries, as WriteListFile encodes them: a
  // multi-byte page never has half a character at a piece's end, nor UTF-8 half a sequence.
  constexpr std::size_t kPiece = 1 << 16;
  std::u16string text;
  bool valid = true, nonAscii = false;
  auto account = [&](std::string_view bytes) {
    if (readsAsUtf8 && valid && !IsAscii(bytes)) {
      nonAscii = true;
      valid = IsNonAsciiUtf8(bytes);
    }
  };
  auto fits = [&] {
    if (text.empty())
      return true;
    const std::string bytes = richtext::RVU_UnicodeToAnsiBytes(codePage, text);
    const bool same = richtext::RVU_AnsiToUnicode(codePage, bytes) == text;
    account(bytes);
    text.clear();
    return same;
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (raw && i < raw->size() && !(*raw)[i].empty()) {
      if (!fits())
        return false;
      account((*raw)[i]);
      continue;
    }
    text += entries[i];
    text += u"\r\n";
    if (text.size() >= kPiece && !fits())
      return false;
  }
  if (!fits())
    return false;
  if (readsAsUtf8)
    *readsAsUtf8 = valid && nonAscii;
  return true;
}

} // namespace

bool FitsCodePage(const std::vector<std::u16string>& entries, richtext::TRVCodePage codePage) {
  return CheckCodePage(entries, codePage, nullptr);
}

TListEncoding ChooseSaveEncoding(const std::vector<std::u16string>& entries,
                                 std::optional<TListEncoding> readIn,
                                 richtext::TRVCodePage ansiCodePage,
                                 const std::vector<std::string>* raw) {
  // UTF-8 carries every character a user can type.
  if (!readIn)
    return TListEncoding::Utf8;
  if (*readIn != TListEncoding::Ansi)
    return *readIn;
  // Bytes in the code page that happen to be valid UTF-8 would be read as UTF-8 next time
  // ("Ã©" in 1252 is the UTF-8 of "é"): such a list is kept as UTF-8 too.
  bool readsAsUtf8 = false;
  if (!CheckCodePage(entries, ansiCodePage, &readsAsUtf8, raw) || readsAsUtf8)
    return TListEncoding::Utf8;
  return TListEncoding::Ansi;
}

} // namespace quillon
