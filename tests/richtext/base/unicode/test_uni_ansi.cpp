// UTF-16 to ANSI conversion, the code page lookups and reading UTF-16 back from a stream.
#include "richtext/base/RVClasses.h"
#include "richtext/base/RVUniAnsi.h"
#include "richtext/base/RVStream.h"
#include "richtext/base/RVUni.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <string>

using namespace richtext;

namespace {

// Switches the process locale (and with it the ANSI code page) for one test.
class TScopedDefaultLocale {
public:
  explicit TScopedDefaultLocale(const char* name) : FSaved(uloc_getDefault()) {
    UErrorCode error = U_ZERO_ERROR;
    uloc_setDefault(name, &error);
  }
  ~TScopedDefaultLocale() {
    UErrorCode error = U_ZERO_ERROR;
    uloc_setDefault(FSaved.c_str(), &error);
  }

private:
  std::string FSaved;
};

constexpr TRVCodePage UnknownCodePage = 12345;

} // namespace

TEST(UnicodeToAnsi, SingleBytePagesAndUnmappableCharacters) {
  EXPECT_EQ("caf\xE9 \x80", RVU_UnicodeToAnsi(1252, u"café €"));
  EXPECT_EQ("\xCF\xF0\xE8\xE2\xE5\xF2", RVU_UnicodeToAnsi(1251, u"Привет"));
  // Each character the page lacks becomes exactly one "?", around the ones it has.
  EXPECT_EQ("??????", RVU_UnicodeToAnsi(1252, u"Привет"));
  EXPECT_EQ("a?b?c", RVU_UnicodeToAnsi(1251, u"a中b한c"));
  EXPECT_EQ("", RVU_UnicodeToAnsi(1252, u""));
}

TEST(UnicodeToAnsi, DoubleBytePagesUseQuestionMarkToo) {
  EXPECT_EQ("\x93\xFA\x96\x7B", RVU_UnicodeToAnsi(932, u"日本"));
  EXPECT_EQ("\xD6\xD0\xCE\xC4", RVU_UnicodeToAnsi(936, u"中文"));
  // Hangul is in neither page: one "?" each, whatever the converter's own substitute is.
  EXPECT_EQ("a\x92\x86?b", RVU_UnicodeToAnsi(932, u"a中한b"));
  EXPECT_EQ("\xD6\xD0?", RVU_UnicodeToAnsi(936, u"中한"));
}

TEST(UnicodeToAnsi, SurrogatesBecomeOneQuestionMarkPerCharacter) {
  EXPECT_EQ("a?b", RVU_UnicodeToAnsi(1252, u"a\U0001F600b"));
  EXPECT_EQ("?x", RVU_UnicodeToAnsi(1252, std::u16string{0xD800, u'x'}));
  EXPECT_EQ("x?", RVU_UnicodeToAnsi(936, std::u16string{u'x', 0xDC00}));
}

TEST(UnicodeToAnsi, UnusableCodePageRetriesWithProcessCodePage) {
  ASSERT_FALSE(RVU_IsCodePageSupported(UnknownCodePage));
  TScopedDefaultLocale russian("ru_RU");
  ASSERT_EQ(1251u, RVU_GetProcessAnsiCodePage());
  EXPECT_EQ("\xCF\xF0\xE8\xE2\xE5\xF2", RVU_UnicodeToAnsi(UnknownCodePage, u"Привет"));
  EXPECT_EQ("\xCF\xF0\xE8\xE2\xE5\xF2", RVU_UnicodeToAnsi(CP_ACP, u"Привет"));
}

TEST(LocaleCodePage, NamedLocaleProcessAndKeyboard) {
  EXPECT_EQ(1251u, RVU_GetLocaleCodePage("ru_RU.UTF-8"));
  EXPECT_EQ(932u, RVU_GetLocaleCodePage("ja_JP"));
  TScopedDefaultLocale chinese("zh_CN");
  EXPECT_EQ(936u, RVU_GetLocaleCodePage());
  EXPECT_EQ(936u, RVU_GetKeyboardCodePage());
}

TEST(UnicodeStream, ReadsFromPositionToEnd) {
  TRVMemoryStream stream(std::string("a\0b\0\x2D\x4E", 6));
  EXPECT_EQ(u"ab中", RVU_UnicodeStreamToUnicodeString(stream));
  EXPECT_EQ(6u, stream.Position());
  stream.SetPosition(2);
  EXPECT_EQ(u"b中", RVU_UnicodeStreamToUnicodeString(stream));
  EXPECT_EQ(u"", RVU_UnicodeStreamToUnicodeString(stream));
}

TEST(UnicodeStream, OddByteCountRaises) {
  TRVMemoryStream stream(std::string("a\0b", 3));
  try {
    RVU_UnicodeStreamToUnicodeString(stream);
    FAIL() << "no error for 3 bytes";
  } catch (const ERichViewError& e) {
    EXPECT_EQ(std::string(errRVUnicodeOddBytes), e.what());
  }
  stream.SetPosition(1);
  EXPECT_EQ(u"\u6200", RVU_UnicodeStreamToUnicodeString(stream));
}

TEST(FindUnitFrom, FindsTheFirstUnitAtTheLimitWhereverItStands) {
  // Every length up to a few blocks of four, with the unit at every place and of every
  // size around the limits the engine uses.
  for (char16_t limit : {u'\x80', u'\u0400'}) {
    for (std::size_t length = 0; length < 13; ++length) {
      for (std::size_t at = 0; at <= length; ++at) {
        for (char16_t unit : {static_cast<char16_t>(limit - 1), limit,
                              static_cast<char16_t>(limit + 1), u'\xFFFF', u'\xD83D'}) {
          std::u16string text(length, u'a');
          if (at < length)
            text[at] = unit;
          const bool found = at < length && unit >= limit;
          for (std::size_t from = 0; from <= length; ++from)
            ASSERT_EQ(found && from <= at ? at : length, RVU_FindUnitFrom(text, from, limit))
                << "length " << length << " at " << at << " unit " << int(unit) << " from "
                << from;
        }
      }
    }
  }
}
