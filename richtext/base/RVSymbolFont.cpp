#include "richtext/base/RVSymbolFont.h"

#include "richtext/base/RVSymbolFontLookAlike.h"
#include "richtext/base/RVSymbolFontSymbol.h"
#include "richtext/base/RVSymbolFontWebdings.h"
#include "richtext/base/RVSymbolFontWingdings.h"
#include "richtext/base/RVSymbolFontWingdings2.h"
#include "richtext/base/RVSymbolFontWingdings3.h"

#include <span>

namespace richtext {

namespace {

struct TKnownFontName {
  std::u16string_view name;
  TRVKnownSymbolFont font;
};

constexpr TKnownFontName KnownFontNames[] = {
    {u"symbol", TRVKnownSymbolFont::rvksfSymbol},
    {u"wingdings", TRVKnownSymbolFont::rvksfWingdings},
    {u"wingdings 2", TRVKnownSymbolFont::rvksfWingdings_2},
    {u"wingdings 3", TRVKnownSymbolFont::rvksfWingdings_3},
    {u"webdings", TRVKnownSymbolFont::rvksfWebdings},
};

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view lowerCase) {
  if (a.size() != lowerCase.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t c = a[i];
    if (c >= u'A' && c <= u'Z')
      c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != lowerCase[i])
      return false;
  }
  return true;
}

const char32_t* MapOf(TRVKnownSymbolFont font) {
  switch (font) {
  case TRVKnownSymbolFont::rvksfSymbol:
    return RVSymbolMap_Symbol;
  case TRVKnownSymbolFont::rvksfWingdings:
    return RVSymbolMap_Wingdings;
  case TRVKnownSymbolFont::rvksfWingdings_2:
    return RVSymbolMap_Wingdings2;
  case TRVKnownSymbolFont::rvksfWingdings_3:
    return RVSymbolMap_Wingdings3;
  case TRVKnownSymbolFont::rvksfWebdings:
    return RVSymbolMap_Webdings;
  case TRVKnownSymbolFont::rvksfNone:
    break;
  }
  return nullptr;
}

std::span<const TRVSymbolLookAlike> LookAlikesOf(TRVKnownSymbolFont font) {
  if (font == TRVKnownSymbolFont::rvksfSymbol)
    return RVSymbolLookAlike_Symbol;
  if (font == TRVKnownSymbolFont::rvksfWingdings)
    return RVSymbolLookAlike_Wingdings;
  return {};
}

const char* FindLookAlike(std::span<const TRVSymbolLookAlike> table, unsigned byte) {
  for (const TRVSymbolLookAlike& entry : table)
    if (entry.byte == byte)
      return entry.text;
  return nullptr;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// The font byte a stored character stands for, or -1 when it is not one.
int FontByteOf(char16_t c) {
  if (c >= RVSymbolFontFirstByte && c <= 0xFF)
    return c;
  if (c >= 0xF000 + RVSymbolFontFirstByte && c <= 0xF0FF)
    return c - 0xF000;
  return -1;
}

} // namespace

TRVKnownSymbolFont RV_GetKnownSymbolFont(std::u16string_view FontName) {
  for (const TKnownFontName& known : KnownFontNames)
    if (EqualsIgnoringAsciiCase(FontName, known.name))
      return known.font;
  return TRVKnownSymbolFont::rvksfNone;
}

char32_t RV_SymbolFontCharToUnicode(TRVKnownSymbolFont Font, unsigned Byte) {
  const char32_t* map = MapOf(Font);
  if (map == nullptr || Byte < RVSymbolFontFirstByte || Byte > 0xFF)
    return Byte;
  return map[Byte - RVSymbolFontFirstByte];
}

std::u16string RV_MakeUniStringForExport(std::u16string_view Text, bool ForANSI,
                                         std::u16string_view FontName) {
  const TRVKnownSymbolFont font = RV_GetKnownSymbolFont(FontName);
  if (font == TRVKnownSymbolFont::rvksfNone)
    return std::u16string(Text);
  const std::span<const TRVSymbolLookAlike> lookAlikes =
      ForANSI ? LookAlikesOf(font) : std::span<const TRVSymbolLookAlike>{};
  const bool typedKeys = ForANSI && font == TRVKnownSymbolFont::rvksfSymbol;

  std::u16string out;
  out.reserve(Text.size());
  for (char16_t c : Text) {
    const int byte = FontByteOf(c);
    if (byte < 0) {
      out += c;
      continue;
    }
    if (const char* plain = FindLookAlike(lookAlikes, static_cast<unsigned>(byte))) {
      for (const char* p = plain; *p; ++p)
        out += static_cast<char16_t>(*p);
    } else if (typedKeys && byte < 0x7F) {
      out += static_cast<char16_t>(byte);
    } else {
      AppendCodePoint(out, RV_SymbolFontCharToUnicode(font, static_cast<unsigned>(byte)));
    }
  }
  return out;
}

} // namespace richtext
