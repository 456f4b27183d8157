#include "richtext/export/RVFMisc.h"

#include "richtext/base/RVUni.h"
#include "richtext/base/RVStream.h"

namespace richtext {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Zero bytes, or zero code units of UTF-16 little-endian text, as "?": a reader would take a
// zero for the end of the string.
std::string ReplaceZeros(std::string_view s, bool unicode) {
  std::string out(s);
  if (unicode) {
    for (std::size_t i = 0; i + 1 < out.size(); i += 2)
      if (out[i] == '\0' && out[i + 1] == '\0')
        out[i] = '?';
  } else {
    for (char& c : out)
      if (c == '\0')
        c = '?';
  }
  return out;
}

} // namespace

void RVFWrite(TRVStream& Stream, std::string_view s) {
  Stream.Write(s);
}

void RVFWriteW(TRVStream& Stream, std::u16string_view s) {
  std::string bytes(s.size() * 2, '\0');
  for (std::size_t i = 0; i < s.size(); ++i) {
    bytes[2 * i] = static_cast<char>(s[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(s[i] >> 8);
  }
  Stream.Write(bytes);
}

void RVFWriteLine(TRVStream& Stream, std::string_view s) {
  Stream.Write(s);
  Stream.Write(RVF_LineEnd);
}

void RVFWriteLineX(TRVStream& Stream, std::string_view s, bool Unicode, bool HexEncode) {
  if (Unicode && !HexEncode) {
    Stream.Write(s);
    Stream.Write(RVF_UnicodeLineEnd);
    return;
  }
  const std::string line = ReplaceZeros(s, Unicode);
  Stream.Write(Unicode ? RVEncodeString(line) : line);
  Stream.Write(RVF_LineEnd);
}

std::string RVEncodeString(std::string_view s) {
  std::string out(s.size() * 2, '\0');
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto byte = static_cast<unsigned char>(s[i]);
    out[2 * i] = HexDigits[byte >> 4];
    out[2 * i + 1] = HexDigits[byte & 0xF];
  }
  return out;
}

std::string RVFStream2TextString(TRVStream& Stream) {
  const std::uint64_t position = Stream.Position();
  Stream.SetPosition(0);
  std::string bytes(static_cast<std::size_t>(Stream.Size()), '\0');
  bytes.resize(Stream.Read(bytes.data(), bytes.size()));
  Stream.SetPosition(position);
  return RVEncodeString(bytes);
}

std::string RVFEncodeLineBreaks(std::string s) {
  for (char& c : s) {
    if (c == '\n')
      c = RVF_EncodedLF;
    else if (c == '\r')
      c = RVF_EncodedCR;
  }
  return s;
}

std::string UnicodeStringToRVFString(std::u16string_view s) {
  return RVFEncodeLineBreaks(RVU_UnicodeToUtf8(s));
}

std::string RVQuotedStrA(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 2);
  out += '"';
  for (char c : s) {
    if (c == '"')
      out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string RVFSaveTag(std::u16string_view Tag) {
  if (Tag.empty())
    return "0";
  return RVQuotedStrA(UnicodeStringToRVFString(Tag));
}

} // namespace richtext
