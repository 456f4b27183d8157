// RVF stream primitives, byte for byte.
#include "richtext/export/RVFMisc.h"
#include "richtext/base/RVStream.h"

#include <gtest/gtest.h>

using namespace richtext;
using namespace std::string_literals;

namespace {

template <typename F> std::string Written(F write) {
  TRVMemoryStream stream;
  write(stream);
  return stream.Bytes();
}

std::string Utf16Bytes(std::u16string_view s) {
  return Written([&](TRVStream& st) { RVFWriteW(st, s); });
}

} // namespace

TEST(RVFWrite, BytesLinesAndUtf16) {
  EXPECT_EQ("-8 1 3 2\r\n", Written([](TRVStream& s) { RVFWriteLine(s, "-8 1 3 2"); }));
  EXPECT_EQ("\r\n", Written([](TRVStream& s) { RVFWriteLine(s, ""); }));
  EXPECT_EQ("ab", Written([](TRVStream& s) { RVFWrite(s, "ab"); }));
  EXPECT_EQ("H\0i\0\x2D\x4E\x3D\xD8\x00\xDE"s, Utf16Bytes(u"Hi中\U0001F600"));
}

TEST(RVFWriteLineX, HexPlainAndRawUnicodeLines) {
  auto line = [](std::string_view s, bool unicode, bool hex) {
    return Written([&](TRVStream& st) { RVFWriteLineX(st, s, unicode, hex); });
  };
  EXPECT_EQ("48006900\r\n", line(Utf16Bytes(u"Hi"), true, true));
  // A zero code unit would end the string for a reader: it is written as "?".
  EXPECT_EQ("48003F006900\r\n", line(Utf16Bytes(u"H\0i"s), true, true));
  EXPECT_EQ("a?b\r\n", line("a\0b"s, false, false));
  EXPECT_EQ("a?b\r\n", line("a\0b"s, false, true)); // hex encoding is for Unicode lines only
  // Raw Unicode lines end with U+2029 and are written as they are.
  EXPECT_EQ("H\0\0\0\x29\x20"s, line(Utf16Bytes(u"H\0"s), true, false));
}

TEST(RVFWriteLineX, ZeroHalfOfANonZeroCodeUnitStays) {
  // U+0100 is the bytes 00 01: only whole zero code units are replaced.
  EXPECT_EQ("0001\r\n",
            Written([](TRVStream& s) { RVFWriteLineX(s, Utf16Bytes(u"\u0100"), true, true); }));
}

TEST(RVFStrings, LineBreaksAndUtf8) {
  EXPECT_EQ("a\x01\x02"
            "b\x02",
            RVFEncodeLineBreaks("a\r\nb\n"));
  EXPECT_EQ("\xC3\xA9\x02\xF0\x9F\x98\x80 \xE4\xB8\xAD", UnicodeStringToRVFString(u"é\n😀 中"));
  // An unpaired surrogate has no UTF-8 form of its own.
  EXPECT_EQ("x\xEF\xBF\xBDy", UnicodeStringToRVFString(u"x\xD800y"s));
  EXPECT_EQ("\"a\"\"b\"", RVQuotedStrA("a\"b"));
  EXPECT_EQ("0", RVFSaveTag(u""));
  EXPECT_EQ("\"http://x/?q=\"\"1\"\"\x01\x02\"", RVFSaveTag(u"http://x/?q=\"1\"\r\n"));
}

TEST(RVFStrings, WholeStreamAsHexKeepsPosition) {
  TRVMemoryStream stream(std::string("\x01\xAB\x00\xFF", 4));
  stream.SetPosition(3);
  EXPECT_EQ("01AB00FF", RVFStream2TextString(stream));
  EXPECT_EQ(3u, stream.Position());
  EXPECT_EQ("", RVEncodeString(""));
}
