// The list file decoder and encoder under arbitrary bytes.
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <exception>
#include <iterator>

#include "app/LinkList.h"
#include "richtext/base/RVCodePage.h"
#include "tests/fuzz/FuzzChecks.h"

namespace quillon::fuzz {

namespace {

constexpr richtext::TRVCodePage ListCodePages[] = {1252, 1251, 936, 932};

const char* EncodingName(TListEncoding encoding) {
  switch (encoding) {
  case TListEncoding::Ansi:
    return "ANSI";
  case TListEncoding::Utf8:
    return "UTF-8";
  case TListEncoding::Utf8NoMark:
    return "UTF-8 without a mark";
  case TListEncoding::Utf16LE:
    return "UTF-16LE";
  case TListEncoding::Utf16BE:
    return "UTF-16BE";
  case TListEncoding::Utf32LE:
    return "UTF-32LE";
  case TListEncoding::Utf32BE:
    return "UTF-32BE";
  }
  return "?";
}

bool HasLoneSurrogate(std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
      ++i;
    else if (c >= 0xD800 && c <= 0xDFFF)
      return true;
  }
  return false;
}

// Whether the entries survive the encoding character for character; where they do not,
// losing them is the encoding's limit, not the list file's fault. An ANSI file has no mark,
// so one whose first entry happens to begin with the bytes of a mark ("\xFF\xFE" is "ÿþ" in
// 1252) reads as another encoding: a list read from an ANSI file never starts so, since its
// own bytes would have been taken for a mark.
bool Carries(const std::vector<std::u16string>& entries, TListEncoding encoding,
             richtext::TRVCodePage codePage) {
  if (encoding == TListEncoding::Ansi && !entries.empty()) {
    const std::string start = richtext::RVU_UnicodeToAnsiBytes(codePage, entries.front());
    for (std::string_view mark : {std::string_view("\xEF\xBB\xBF"), std::string_view("\xFF\xFE"),
                                  std::string_view("\xFE\xFF"), std::string_view("\0\0\xFE\xFF", 4)})
      if (start.starts_with(mark))
        return false;
  }
  // "FF FE" and a NUL is the mark of UTF-32LE.
  if (encoding == TListEncoding::Utf16LE && !entries.empty() && !entries.front().empty() &&
      entries.front().front() == u'\0')
    return false;
  // Without a mark, text is taken for UTF-8 only when it is valid UTF-8 holding a non-ASCII
  // character, and for ANSI otherwise.
  std::string unmarked;
  if (encoding == TListEncoding::Ansi || encoding == TListEncoding::Utf8NoMark) {
    unmarked = EncodeListFile(entries, encoding, codePage);
    const bool ascii = std::all_of(unmarked.begin(), unmarked.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const bool readsAsUtf8 =
        !ascii && DecodeListFile(unmarked, codePage).encoding == TListEncoding::Utf8NoMark;
    if ((encoding == TListEncoding::Ansi) == readsAsUtf8)
      return false;
    if (encoding == TListEncoding::Utf8NoMark && unmarked.starts_with("\xEF\xBB\xBF"))
      return false;
  }
  for (const std::u16string& entry : entries) {
    switch (encoding) {
    case TListEncoding::Utf16LE:
    case TListEncoding::Utf16BE:
      break;
    case TListEncoding::Utf32LE:
    case TListEncoding::Utf32BE:
      if (HasLoneSurrogate(entry))
        return false;
      break;
    case TListEncoding::Utf8:
    case TListEncoding::Utf8NoMark:
      if (HasLoneSurrogate(entry))
        return false;
      break;
    case TListEncoding::Ansi: {
      bool usedDefault = false;
      const std::string bytes = richtext::RVU_UnicodeToAnsiBytes(codePage, entry, &usedDefault);
      if (usedDefault || richtext::RVU_AnsiToUnicode(codePage, bytes) != entry)
        return false;
      break;
    }
    }
  }
  return true;
}

std::string CheckEntries(const std::vector<std::u16string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    for (char16_t c : lines[i])
      if (c == u'\r' || c == u'\n')
        return "entry " + std::to_string(i) + " holds code unit " + std::to_string(int(c));
  return {};
}

} // namespace

std::string FuzzListFile(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return {};
  const richtext::TRVCodePage codePage = ListCodePages[data[0] % std::size(ListCodePages)];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    const TDecodedList decoded = DecodeListFile(bytes, codePage);
    if (std::string broken = CheckEntries(decoded.lines); !broken.empty())
      return "decoding: " + broken;
    // A save with no edit keeps every entry: its text, and the bytes of every damaged one.
    // Where the save keeps the encoding (it changes only to carry text a code page cannot),
    // that is every entry's bytes; only the line ends become CR LF.
    const std::vector<std::string>* raw = decoded.raw.empty() ? nullptr : &decoded.raw;
    const TListEncoding saved =
        ChooseSaveEncoding(decoded.lines, decoded.encoding, codePage, raw);
    const std::string savedBytes = EncodeListFile(decoded.lines, saved, codePage, raw);
    const TDecodedList reread = DecodeListFile(savedBytes, codePage);
    if (Carries(decoded.lines, saved, codePage) || raw) {
      if (reread.lines != decoded.lines)
        return std::string("the entries change through a save as ") + EncodingName(saved) +
               ": " + Excerpt(savedBytes);
      if (reread.raw != decoded.raw)
        return std::string("the bytes of damaged entries change through a save as ") +
               EncodingName(saved) + ": " + Excerpt(savedBytes);
      if (saved == decoded.encoding && reread.encoding != saved)
        return std::string("saved as ") + EncodingName(saved) + ", read back as " +
               EncodingName(reread.encoding);
    }
    for (TListEncoding encoding :
         {decoded.encoding, TListEncoding::Ansi, TListEncoding::Utf8, TListEncoding::Utf8NoMark,
          TListEncoding::Utf16LE, TListEncoding::Utf16BE, TListEncoding::Utf32LE,
          TListEncoding::Utf32BE}) {
      const std::string encoded = EncodeListFile(decoded.lines, encoding, codePage);
      const TDecodedList again = DecodeListFile(encoded, codePage);
      if (std::string broken = CheckEntries(again.lines); !broken.empty())
        return std::string("decoding the ") + EncodingName(encoding) + " file: " + broken;
      if (!Carries(decoded.lines, encoding, codePage))
        continue;
      if (again.encoding != encoding)
        return std::string("written as ") + EncodingName(encoding) + ", read back as " +
               EncodingName(again.encoding) + ": " + Excerpt(encoded);
      if (again.lines != decoded.lines)
        return std::string("the entries change through ") + EncodingName(encoding) + " (" +
               std::to_string(decoded.lines.size()) + " -> " + std::to_string(again.lines.size()) +
               " entries): " + Excerpt(encoded);
    }
  } catch (const std::exception& e) {
    return std::string("exception: ") + e.what();
  }
  return {};
}

std::vector<std::string> ListFileSeeds() {
  using namespace std::string_literals;
  return {
      "\x00"s "alpha\r\nbeta\r\n",
      "\x00"s "one\rtwo\nthree\r\n\r\nfour",
      "\x00"s "\xEF\xBB\xBF" "caf\xC3\xA9\r\n\xE4\xB8\xAD\xE6\x96\x87\r\n",
      "\x00"s "\xFF\xFE" "a\0\r\0\n\0b\0"s,
      "\x00"s "\xFE\xFF" "\0a\0\r\0\n\xD8\x3D\xDE\x00"s,
      "\x00"s "\xFF\xFE" "a\0b"s,  // odd length
      "\x00"s "\xFF\xFE\x00\xD8\x0D\x00"s, // lone surrogate
      "\x02"s "\xD6\xD0\xCE\xC4\r\n\x81\r\n\xA1",  // 936, with half characters
      "\x03"s "\x93\xFA\x96\x7B\r\n\x82\xA0\x80\xFD", // 932
      "\x01"s "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\x98", // 1251, with its undefined byte
      "\x00"s "\x80\x81\x8D\x8F\x90\x9D\xFF\xFE", // 1252 bytes that look like a mark
      "\x00"s "before\0after\r\nlost"s,
      "\x00"s "\xEF\xBB\xBF\xED\xA0\x80\xC0\xAF\xF4\x90\x80\x80\r\n", // malformed UTF-8
      "\x00"s "\xEF\xBB",
      "\x00"s "\r\n\r\n\n\r",
      "\x00"s "\xFF\xFE\xFF\x00\xFE\x00"s, // UTF-16 "ÿþ": as ANSI it would look like a mark
      "\x00"s "\xEF\xBB\xBF" "ok\r\nBad\xFF\xFETitle\r\n", // damaged UTF-8 inside a UTF-8 list
      "\x00"s "\xFF\xFE\x00\x00" "a\0\0\0\n\0\0\0\x00\xD8\x00\x00\x11\x00"s, // UTF-32LE
      "\x00"s "\x00\x00\xFE\xFF\0\0\0a\0\0"s, // UTF-32BE, cut short
      "\x02"s "\xE6\x88\x91\xE7\x9A\x84\r\n\xF0\x9F\x98\x80", // unmarked UTF-8
  };
}

} // namespace quillon::fuzz
