// The RTF text encoders under arbitrary UTF-16 and every combination of their switches.
#include "tests/fuzz/FuzzTargets.h"

#include <exception>
#include <iterator>

#include "richtext/export/RVRTFSaveText.h"
#include "richtext/base/RVStream.h"
#include "richtext/export/RTFTextReader.h"
#include "tests/fuzz/FuzzChecks.h"

namespace quillon::fuzz {

namespace {

constexpr richtext::TRVCodePage TextCodePages[] = {1252, 1251, 936, 932, richtext::CP_ACP};

std::string CheckWritten(const char* writer, const std::string& rtf, bool balanced) {
  if (const std::size_t at = FirstNonAsciiByte(rtf, false); at != std::string::npos)
    return std::string(writer) + " wrote byte " +
           std::to_string(static_cast<unsigned char>(rtf[at])) + " at " + std::to_string(at) +
           ": " + Excerpt(rtf, at);
  if (balanced && !BracesBalanced(rtf))
    return std::string(writer) + " left the groups unbalanced: " + Excerpt(rtf);
  return {};
}

} // namespace

std::string FuzzRTFText(const std::uint8_t* data, std::size_t size) {
  if (size < 2)
    return {};
  const std::uint8_t flags = data[0];
  const bool saveAnsi = flags & 1, forceSaveAnsi = flags & 2, specialCode = flags & 4,
             doubleBSlashes = flags & 8, rtfControlsToCodes = flags & 16,
             encodeDblQuotes = flags & 32, useNamedEntities = flags & 64;
  const richtext::TRVCodePage codePage = TextCodePages[data[1] % std::size(TextCodePages)];
  const std::u16string text = Utf16FromBytes(data + 2, size - 2);
  try {
    richtext::TRVMemoryStream stream;
    richtext::RVWriteUnicodeRTFStr(stream, text, codePage, saveAnsi, forceSaveAnsi, specialCode,
                                   doubleBSlashes, rtfControlsToCodes, encodeDblQuotes);
    const std::string& rtf = stream.Bytes();
    // SpecialCode passes braces through as the caller's own RTF.
    if (std::string broken = CheckWritten("RVWriteUnicodeRTFStr", rtf, !specialCode);
        !broken.empty())
      return broken;
    if (!specialCode && !doubleBSlashes && !encodeDblQuotes) {
      const std::u16string back = richtext::test::ReadRTFText(rtf, saveAnsi ? 1 : 0);
      if (back != text)
        return "an RTF reader does not get the text back from " + Excerpt(rtf);
    }

    const std::string named = richtext::MakeRTFIdentifierStr(text, codePage, saveAnsi);
    if (std::string broken = CheckWritten("MakeRTFIdentifierStr", named, true); !broken.empty())
      return broken;
    const std::string fileName = richtext::RVMakeRTFFileNameStr(text, codePage, saveAnsi);
    if (std::string broken = CheckWritten("RVMakeRTFFileNameStr", fileName, true);
        !broken.empty())
      return broken;
    const std::string extras = richtext::RVMakeRTFStrW(text, codePage, saveAnsi, forceSaveAnsi,
                                                       specialCode, rtfControlsToCodes);
    if (std::string broken = CheckWritten("RVMakeRTFStrW", extras, !specialCode); !broken.empty())
      return broken;

    // The same bytes as 8-bit text.
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string eight = richtext::RVMakeRTFStr(bytes, specialCode, useNamedEntities,
                                                     rtfControlsToCodes, encodeDblQuotes);
    if (std::string broken = CheckWritten("RVMakeRTFStr", eight, !specialCode); !broken.empty())
      return broken;
  } catch (const std::exception& e) {
    return std::string("exception: ") + e.what();
  }
  return {};
}

std::vector<std::string> RTFTextSeeds() {
  using namespace std::string_literals;
  auto utf16 = [](std::uint8_t flags, std::uint8_t codePage, std::u16string_view text) {
    std::string bytes{static_cast<char>(flags), static_cast<char>(codePage)};
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  };
  return {
      utf16(1, 0, u"plain {braces} and \\backslash\\"),
      utf16(0, 0, u"caf\u00E9 \u20AC \u2014 \u201Cq\u201D \u00A0\u00AD"),
      utf16(1, 1, u"\u041F\u0440\u0438\u0432\u0435\u0442"),
      utf16(1, 2, u"\u4E2D\u6587\uFF0C\u3002"),
      utf16(3, 3, u"\u65E5\u672C\u8A9E \uFF76\uFF85"),
      utf16(1, 2, u"\U0001F600 \xD800 \xDC00 lone halves"),
      utf16(4, 0, u"{\\b bold}"),
      utf16(8 | 32, 0, u"C:\\path\\\"quoted\""),
      utf16(16 | 1, 1, u"{\\}\t\r\n\x01\x7F"),
      utf16(64 | 2, 3, u"\u00A0\x00\uFFFF\uFEFF\uFFFD"),
      "\x01\x00"s,
  };
}

} // namespace quillon::fuzz
