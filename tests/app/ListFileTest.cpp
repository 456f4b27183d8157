#include <gtest/gtest.h>
#include <unicode/ustring.h>

#include "AppTestSupport.h"
#include "app/LinkList.h"

namespace quillon {
namespace {

using test::Dump;
using test::Hex;

std::string Name(TListEncoding encoding) {
  switch (encoding) {
  case TListEncoding::Ansi:
    return "ansi";
  case TListEncoding::Utf8:
    return "utf8";
  case TListEncoding::Utf8NoMark:
    return "utf8nomark";
  case TListEncoding::Utf16LE:
    return "utf16le";
  case TListEncoding::Utf16BE:
    return "utf16be";
  case TListEncoding::Utf32LE:
    return "utf32le";
  case TListEncoding::Utf32BE:
    return "utf32be";
  }
  return "?";
}

// "utf8 [a|b]"
std::string Decode(std::string_view bytes, richtext::TRVCodePage codePage = 1252) {
  TDecodedList list = DecodeListFile(bytes, codePage);
  return Name(list.encoding) + " " + Dump(list.lines);
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out += static_cast<char>(v);
  return out;
}

TEST(DecodeListFile, EncodingFromByteOrderMark) {
  EXPECT_EQ("utf8 [a|中]", Decode("\xEF\xBB\xBF" "a\r\n\xE4\xB8\xAD"));
  EXPECT_EQ("utf16le [a|中]", Decode(Bytes({0xFF, 0xFE, 'a', 0, '\n', 0, 0x2D, 0x4E})));
  EXPECT_EQ("utf16be [a|中]", Decode(Bytes({0xFE, 0xFF, 0, 'a', 0, '\n', 0x4E, 0x2D})));
  // The little-endian mark wins when the big-endian one follows it.
  EXPECT_EQ("utf16le [\uFFFE]", Decode(Bytes({0xFF, 0xFE, 0xFE, 0xFF})));
  // Two bytes of a UTF-8 mark are no mark.
  EXPECT_EQ("ansi [ï»a]", Decode("\xEF\xBB" "a"));
  EXPECT_EQ("utf8 []", Decode("\xEF\xBB\xBF"));
  EXPECT_EQ("ansi []", Decode(""));
}

TEST(DecodeListFile, UnmarkedFilesAreUtf8WhenTheirBytesAreValidUtf8) {
  // Read as ANSI before, this showed as "cafÃ©" and "æˆ‘çš„åšå®¢".
  EXPECT_EQ("utf8nomark [café]", Decode("caf\xC3\xA9", 1252));
  EXPECT_EQ("utf8nomark [我的博客|😀]", Decode("\xE6\x88\x91\xE7\x9A\x84\xE5\x8D\x9A\xE5\xAE\xA2\n"
                                          "\xF0\x9F\x98\x80", 936));
  // ASCII alone reads the same either way and stays in the code page.
  EXPECT_EQ("ansi [plain|ascii]", Decode("plain\r\nascii", 1252));
}

TEST(DecodeListFile, UnmarkedFilesThatAreNoUtf8AreAnsi) {
  EXPECT_EQ("ansi [café]", Decode("caf\xE9", 1252));
  EXPECT_EQ("ansi [中文]", Decode("\xD6\xD0\xCE\xC4", 936));
  EXPECT_EQ("ansi [Привет]", Decode("\xCF\xF0\xE8\xE2\xE5\xF2", 1251));
  // Forms strict UTF-8 refuses: overlong, a surrogate, above U+10FFFF, cut short, a stray
  // continuation byte.
  EXPECT_EQ("ansi [\u00C0\u20AC]", Decode("\xC0\x80", 1252));
  EXPECT_EQ("ansi [\u00ED\u00A0\u20AC]", Decode("\xED\xA0\x80", 1252));
  EXPECT_EQ("ansi [\u00F4\u0090\u20AC\u20AC]", Decode("\xF4\x90\x80\x80", 1252));
  EXPECT_EQ("ansi [a\u00E4\u00B8]", Decode("a\xE4\xB8", 1252));
  EXPECT_EQ("ansi [\u20ACa]", Decode("\x80" "a", 1252));
}

TEST(DecodeListFile, LineBreaks) {
  EXPECT_EQ("ansi [b|a]", Decode("b\na"));
  EXPECT_EQ("ansi [a]", Decode("a\r\n"));
  EXPECT_EQ("ansi [a|]", Decode("a\n\r"));
  EXPECT_EQ("ansi [a||b]", Decode("a\r\rb"));
  EXPECT_EQ("ansi [a||b]", Decode("a\n\nb"));
  EXPECT_EQ("ansi [||a]", Decode("\r\n\na"));
  EXPECT_EQ("ansi [a|]", Decode("a\r\n\r\n"));
  EXPECT_EQ("ansi []", Decode("\r\n"));
  EXPECT_EQ("utf16be [a|]", Decode(Bytes({0xFE, 0xFF, 0, 'a', 0, '\n', 0, '\r'})));
}

TEST(DecodeListFile, Utf8AndLinesAsOneConversionAndAPlainSplitGiveThem) {
  // The decoder widens ASCII itself, hands what lies between to ICU in pieces, and looks for
  // line ends four units at a time; none of that may show. Long stretches without ASCII
  // (past the 16 KB piece), damage at every place, line ends at every offset.
  const std::string pieces[] = {"a", "bcdefghij", "\r", "\n", "\r\n", "\x0D\x0B", "\x0E",
                                "\xE4\xBD\xA0", "\xE5\xA5", "\xBD", "\xF0\x9F\x98\x80",
                                "\xC3\xA9", "\xFF", "\xC0\xAF", "\xED\xA0\x80", "\x01"};
  unsigned state = 77;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 16;
  };
  for (int round = 0; round < 600; ++round) {
    std::string body;
    const unsigned count = round % 50 == 0 ? 9000 : next() % 60;
    for (unsigned n = 0; n < count; ++n)
      body += round % 100 == 0 ? pieces[7 + next() % 2] : pieces[next() % std::size(pieces)];
    std::u16string whole(body.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(whole.data()),
                         static_cast<int32_t>(whole.size()), &length, body.data(),
                         static_cast<int32_t>(body.size()), 0xFFFD, nullptr, &error);
    ASSERT_FALSE(U_FAILURE(error));
    whole.resize(static_cast<std::size_t>(length));
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < whole.size(); ++i) {
      if (whole[i] != u'\r' && whole[i] != u'\n') {
        line += whole[i];
        continue;
      }
      lines.push_back(std::exchange(line, {}));
      if (whole[i] == u'\r' && i + 1 < whole.size() && whole[i + 1] == u'\n')
        ++i;
    }
    if (!line.empty())
      lines.push_back(line);
    const TDecodedList decoded = DecodeListFile("\xEF\xBB\xBF" + body, 1252);
    ASSERT_EQ(lines, decoded.lines) << Hex(body.substr(0, 200));
  }
}

TEST(DecodeListFile, LineEndIsLfOnlyWhenNoCrBreaksALine) {
  auto lineEnd = [](std::string_view bytes) {
    return DecodeListFile(bytes, 1252).lineEnd == TLineEnd::Lf ? "lf" : "crlf";
  };
  EXPECT_STREQ("lf", lineEnd("b\na\n"));
  EXPECT_STREQ("lf", lineEnd("\xEF\xBB\xBF" "b\na"));
  EXPECT_STREQ("lf", lineEnd(Bytes({0xFF, 0xFE, 'a', 0, '\n', 0})));
  EXPECT_STREQ("crlf", lineEnd("b\r\na\r\n"));
  EXPECT_STREQ("crlf", lineEnd("b\na\r\n")); // mixed
  EXPECT_STREQ("crlf", lineEnd("b\ra\r"));
  EXPECT_STREQ("crlf", lineEnd("one line"));
  EXPECT_STREQ("crlf", lineEnd(""));
  // Written with LF, read back the same, in every encoding.
  for (TListEncoding encoding : {TListEncoding::Ansi, TListEncoding::Utf8, TListEncoding::Utf16BE,
                                 TListEncoding::Utf32LE}) {
    const std::string bytes = EncodeListFile({u"a", u"b"}, encoding, 1252, nullptr, TLineEnd::Lf);
    const TDecodedList back = DecodeListFile(bytes, 1252);
    EXPECT_EQ(TLineEnd::Lf, back.lineEnd) << Name(encoding);
    EXPECT_EQ("[a|b]", Dump(back.lines)) << Name(encoding);
  }
  const std::vector<std::string> raw{"", "\xFF"};
  EXPECT_EQ("61 0A FF 0A",
            Hex(EncodeListFile({u"a", u"x"}, TListEncoding::Ansi, 1252, &raw, TLineEnd::Lf)));
}

// "utf8 [a|b] raw 1:FF" : the lines that keep bytes of their own, and those bytes.
std::string DecodeRaw(std::string_view bytes, richtext::TRVCodePage codePage = 1252) {
  TDecodedList list = DecodeListFile(bytes, codePage);
  std::string out = Name(list.encoding) + " " + Dump(list.lines);
  for (std::size_t i = 0; i < list.raw.size(); ++i)
    if (!list.raw[i].empty())
      out += " raw " + std::to_string(i) + ":" + Hex(list.raw[i]);
  return out;
}

TEST(DecodeListFile, ANulIsACharacterOfItsEntry) {
  // A NUL ended the text before: "b" was cut and "d" was lost, and the next save wrote that.
  const TDecodedList ansi = DecodeListFile(std::string_view("a\nb\0c\nd", 7), 1252);
  ASSERT_EQ(3u, ansi.lines.size());
  EXPECT_EQ(std::u16string(u"b\0c", 3), ansi.lines[1]);
  EXPECT_EQ(std::u16string(u"x\0y", 3),
            DecodeListFile(std::string_view("\xEF\xBB\xBFx\0y", 6), 1252).lines[0]);
  EXPECT_EQ(std::u16string(u"a\0b", 3),
            DecodeListFile(Bytes({0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}), 1252).lines[0]);
  EXPECT_EQ("utf16le [一]", Decode(Bytes({0xFF, 0xFE, 0x00, 0x4E})));
  EXPECT_EQ("utf16be [一]", Decode(Bytes({0xFE, 0xFF, 0x4E, 0x00})));
  // Written back as it was read.
  const std::string bytes("a\r\nb\0c\r\nd\r\n", 11);
  const TDecodedList list = DecodeListFile(bytes, 1252);
  EXPECT_EQ(Hex(bytes), Hex(EncodeListFile(list.lines, list.encoding, 1252)));
}

TEST(DecodeListFile, Utf32WithItsMark) {
  // Read as UTF-16LE before ("FF FE" then a NUL), which showed an empty list and lost it.
  EXPECT_EQ("utf32le [a|😀]", Decode(Bytes({0xFF, 0xFE, 0, 0, 'a', 0, 0, 0, '\n', 0, 0, 0,
                                          0x00, 0xF6, 0x01, 0x00})));
  EXPECT_EQ("utf32be [中]", Decode(Bytes({0, 0, 0xFE, 0xFF, 0, 0, 0x4E, 0x2D})));
  const std::vector<std::u16string> entries = {u"a", u"", u"😀 中"};
  for (TListEncoding encoding : {TListEncoding::Utf32LE, TListEncoding::Utf32BE}) {
    const TDecodedList back = DecodeListFile(EncodeListFile(entries, encoding, 1252), 1252);
    EXPECT_EQ(Name(encoding), Name(back.encoding));
    EXPECT_EQ(Dump(entries), Dump(back.lines));
  }
  EXPECT_EQ("FF FE 00 00 61 00 00 00 0D 00 00 00 0A 00 00 00",
            Hex(EncodeListFile({u"a"}, TListEncoding::Utf32LE, 1252)));
}

TEST(DecodeListFile, DamagedLinesKeepTheirBytes) {
  // Shown with U+FFFD; saved as U+FFFD before, so the bytes were lost without a word.
  EXPECT_EQ("utf8 [ok|Bad\uFFFD\uFFFDTitle|also ok] raw 1:42 61 64 FF FE 54 69 74 6C 65",
            DecodeRaw("\xEF\xBB\xBF" "ok\r\nBad\xFF\xFETitle\r\nalso ok\r\n"));
  // Half a code unit at the end shows as a replacement character instead of vanishing.
  EXPECT_EQ("utf16le [a\uFFFD]", DecodeRaw(Bytes({0xFF, 0xFE, 'a', 0, 'b'})));
  EXPECT_EQ("utf32le [\uFFFD|b] raw 0:00 00 11 00",
            DecodeRaw(Bytes({0xFF, 0xFE, 0, 0, 0, 0, 0x11, 0, '\n', 0, 0, 0, 'b', 0, 0, 0})));
  // 0xFF is undefined in 1255.
  EXPECT_EQ("ansi [a\uFFFDb|ok] raw 0:61 FF 62", DecodeRaw("a\xFF" "b\nok", 1255));
  // A lone surrogate of UTF-16 is exact: written back as the same code unit.
  TDecodedList list = DecodeListFile(Bytes({0xFF, 0xFE, 0x00, 0xD8}), 1252);
  ASSERT_EQ(1u, list.lines.size());
  EXPECT_EQ(std::u16string(u"\xD800"), list.lines[0]);
  EXPECT_TRUE(list.raw.empty());
  // Every damaged line is written back byte for byte, with the line end a save gives it.
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF" "ok\r\nBad\xFF\xFETitle\r\n", "\xEF\xBB\xBF" "ok\r\nBad\xFF\xFETitle\r\n"},
      {Bytes({0xFF, 0xFE, 0, 0, 0, 0, 0x11, 0, 'b', 0, 0, 0}),
       Bytes({0xFF, 0xFE, 0, 0, 0, 0, 0x11, 0, 'b', 0, 0, 0, '\r', 0, 0, 0, '\n', 0, 0, 0})},
      {"a\xFF" "b\nok", "a\xFF" "b\r\nok\r\n"},
  };
  for (const auto& [bytes, saved] : cases) {
    const TDecodedList read = DecodeListFile(bytes, 1255);
    EXPECT_EQ(Hex(saved), Hex(EncodeListFile(read.lines, read.encoding, 1255, &read.raw)));
  }
}

TEST(EncodeListFile, MarkThenEveryEntryWithCrLf) {
  const std::vector<std::u16string> entries = {u"a", u"", u"中"};
  EXPECT_EQ("EF BB BF 61 0D 0A 0D 0A E4 B8 AD 0D 0A",
            Hex(EncodeListFile(entries, TListEncoding::Utf8, 1252)));
  EXPECT_EQ("FF FE 61 00 0D 00 0A 00 0D 00 0A 00 2D 4E 0D 00 0A 00",
            Hex(EncodeListFile(entries, TListEncoding::Utf16LE, 1252)));
  EXPECT_EQ("FE FF 00 61 00 0D 00 0A 00 0D 00 0A 4E 2D 00 0D 00 0A",
            Hex(EncodeListFile(entries, TListEncoding::Utf16BE, 1252)));
  EXPECT_EQ("61 0D 0A 0D 0A 3F 0D 0A", Hex(EncodeListFile(entries, TListEncoding::Ansi, 1252)));
  EXPECT_EQ("61 0D 0A 0D 0A D6 D0 0D 0A", Hex(EncodeListFile(entries, TListEncoding::Ansi, 936)));
}

TEST(EncodeListFile, UnmarkedUtf8HasNoMark) {
  EXPECT_EQ("61 0D 0A E4 B8 AD 0D 0A", Hex(EncodeListFile({u"a", u"中"}, TListEncoding::Utf8NoMark, 1252)));
  const TDecodedList back = DecodeListFile(EncodeListFile({u"中", u"b"}, TListEncoding::Utf8NoMark, 1252), 1252);
  EXPECT_EQ("utf8nomark [中|b]", Name(back.encoding) + " " + Dump(back.lines));
}

TEST(ChooseSaveEncoding, KeepsWhatWasReadUnlessTextWouldChange) {
  EXPECT_EQ("utf8", Name(ChooseSaveEncoding({u"a"}, std::nullopt, 1252)));
  EXPECT_EQ("ansi", Name(ChooseSaveEncoding({u"café"}, TListEncoding::Ansi, 1252)));
  EXPECT_EQ("utf8", Name(ChooseSaveEncoding({u"中"}, TListEncoding::Ansi, 1252)));
  EXPECT_EQ("ansi", Name(ChooseSaveEncoding({u"中"}, TListEncoding::Ansi, 936)));
  // "Ã©" in 1252 is the bytes C3 A9, which the next load would read as UTF-8 "é".
  EXPECT_EQ("utf8", Name(ChooseSaveEncoding({u"Ã©"}, TListEncoding::Ansi, 1252)));
  EXPECT_EQ("utf8nomark", Name(ChooseSaveEncoding({u"a"}, TListEncoding::Utf8NoMark, 1252)));
  EXPECT_EQ("utf16be", Name(ChooseSaveEncoding({u"a"}, TListEncoding::Utf16BE, 1252)));
}

TEST(FitsCodePage, OnlyWhatComesBackUnchanged) {
  EXPECT_TRUE(FitsCodePage({u"Café", u"naïve", u""}, 1252));
  EXPECT_TRUE(FitsCodePage({u"中文", u"abc"}, 936));
  EXPECT_FALSE(FitsCodePage({u"ok", u"我的博客"}, 1252));
  EXPECT_FALSE(FitsCodePage({u"שלום"}, 936));
  EXPECT_FALSE(FitsCodePage({u"😀"}, 936));
  // A character with a best-fit stand-in in the code page does not fit either.
  EXPECT_FALSE(FitsCodePage({u"\u0100"}, 1252));
  EXPECT_TRUE(FitsCodePage({}, 1252));
}

TEST(EncodeListFile, EmptyListIsTheMarkAlone) {
  EXPECT_EQ("EF BB BF", Hex(EncodeListFile({}, TListEncoding::Utf8, 1252)));
  EXPECT_EQ("FF FE", Hex(EncodeListFile({}, TListEncoding::Utf16LE, 1252)));
  EXPECT_EQ("FE FF", Hex(EncodeListFile({}, TListEncoding::Utf16BE, 1252)));
  EXPECT_EQ("", Hex(EncodeListFile({}, TListEncoding::Ansi, 1252)));
}

TEST(ListFile, EveryEncodingReadsBackWhatItWrote) {
  const std::vector<std::u16string> entries = {u"", u"[url=https://a.example/x]标题[/url]",
                                               u"emoji 😀", u"  spaced  "};
  for (TListEncoding encoding :
       {TListEncoding::Utf8, TListEncoding::Utf16LE, TListEncoding::Utf16BE}) {
    TDecodedList back = DecodeListFile(EncodeListFile(entries, encoding, 1252), 1252);
    EXPECT_EQ(Name(encoding), Name(back.encoding));
    EXPECT_EQ(Dump(entries), Dump(back.lines)) << Name(encoding);
  }
  const std::vector<std::u16string> gbk = {u"中文", u"", u"abc"};
  EXPECT_EQ(Dump(gbk),
            Dump(DecodeListFile(EncodeListFile(gbk, TListEncoding::Ansi, 936), 936).lines));
}

TEST(ListFile, BigListsAreWrittenInPiecesOfWholeLines) {
  // About 300,000 code units: several pieces. A lone surrogate ends some entries and Chinese
  // text fills others, so a piece that cut a line or a character would show.
  std::vector<std::u16string> entries;
  for (int i = 0; i < 6000; ++i)
    entries.push_back(u"[url=https://blog.example/" + FromUtf8(std::to_string(i)) + u"]" +
                      (i % 3 == 0 ? u"博客链接" : u"title") + (i % 7 == 0 ? u"\xD83D" : u"") +
                      u"[/url]");
  for (TListEncoding encoding : {TListEncoding::Utf8, TListEncoding::Utf16LE,
                                 TListEncoding::Utf16BE, TListEncoding::Ansi}) {
    std::vector<std::string> pieces;
    EXPECT_EQ(0, WriteListFile(entries, encoding, 936, [&](std::string_view piece) {
                pieces.emplace_back(piece);
                return 0;
              }));
    ASSERT_GT(pieces.size(), 3u) << Name(encoding);
    std::string whole;
    for (const std::string& piece : pieces) {
      whole += piece;
      if (&piece != &pieces.front() || encoding == TListEncoding::Ansi) {
        const std::string_view crlf = encoding == TListEncoding::Utf16LE ? std::string_view("\r\0\n\0", 4)
                                      : encoding == TListEncoding::Utf16BE ? std::string_view("\0\r\0\n", 4)
                                                                           : "\r\n";
        EXPECT_TRUE(piece.ends_with(crlf)) << Name(encoding) << ": a piece ends inside a line";
      }
    }
    EXPECT_EQ(whole, EncodeListFile(entries, encoding, 936));
    const TDecodedList back = DecodeListFile(whole, 936);
    ASSERT_EQ(entries.size(), back.lines.size()) << Name(encoding);
    EXPECT_EQ(entries[6000 - 3].substr(0, 30), back.lines[6000 - 3].substr(0, 30));
  }
  // A failed write stops the writing and is answered.
  int calls = 0;
  EXPECT_EQ(28, WriteListFile(entries, TListEncoding::Utf8, 936, [&](std::string_view) {
              return ++calls == 2 ? 28 : 0;
            }));
  EXPECT_EQ(2, calls);
}

TEST(ListFile, ArbitraryBytesSettleAfterOneLoad) {
  // Whatever a file holds, what one load makes of it is saved and loaded back unchanged.
  const char alphabet[] = {'a', '\r', '\n', '\0', '\xEF', '\xBB', '\xBF', '\xFF',
                           '\xFE', '\xD8', '\xDC', '\x81', '\xC3', '\xA9', ' ', 'Z'};
  const std::string marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  unsigned state = 2024;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 16;
  };
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = marks[next() % 4];
    for (unsigned n = next() % 40; n > 0; --n)
      bytes += alphabet[next() % sizeof alphabet];
    TDecodedList first = DecodeListFile(bytes, 1252);
    // Saved as a save chooses: an ANSI list whose bytes would read as UTF-8 (C3 A9 is "Ã©"
    // in 1252 and "é" in UTF-8) becomes UTF-8, so that its text stays what it was.
    const TListEncoding saved = ChooseSaveEncoding(first.lines, first.encoding, 1252);
    TDecodedList second = DecodeListFile(EncodeListFile(first.lines, saved, 1252), 1252);
    EXPECT_EQ(Name(saved), Name(second.encoding)) << Hex(bytes);
    EXPECT_EQ(first.lines, second.lines) << Hex(bytes);
  }
}

} // namespace
} // namespace quillon
