#include "richtext/base/RVUni.h"

#include <unicode/ustring.h>

#include <cstdint>
#include <cstring>

#include "richtext/base/RVCharsets.h"

namespace richtext {

TRVCodePage RVU_Charset2CodePage(std::uint8_t Charset) {
  if (Charset == SYMBOL_CHARSET)
    // Symbol fonts carry no text of their own; on a multi-byte system their bytes are taken
    // as Western so that they are not paired into double-byte characters.
    return RVU_IsMultiByteCodePage(CP_ACP) ? 1252 : 0;
  for (const auto& entry : RVCharsetCodePages())
    if (entry.Charset == Charset)
      return entry.CodePage;
  return 0;
}

bool RVU_IsMultiByteCodePage(TRVCodePage CodePage) {
  if (CodePage == CP_ACP)
    CodePage = RVU_GetProcessAnsiCodePage();
  switch (CodePage) {
  case 932:
  case 936:
  case 949:
  case 950:
  case 1361:
    return true;
  default:
    return false;
  }
}

void RVU_SwapByteOrder(std::u16string& s) {
  for (char16_t& c : s)
    c = static_cast<char16_t>((c << 8) | (c >> 8));
}

std::string RVU_UnicodeToUtf8(std::u16string_view s) {
  // Room for the worst case (three bytes a unit; a pair takes four for its two), written
  // through a pointer and cut to size at the end.
  std::string out(s.size() * 3, '\0');
  out.resize(static_cast<std::size_t>(RVU_UnicodeToUtf8(s, out.data()) - out.data()));
  return out;
}

char* RVU_UnicodeToUtf8(std::u16string_view s, char* o) {
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] < 0x80) {
      *o++ = static_cast<char>(s[i++]);
      continue;
    }
    int units = 1;
    char32_t cp = RVU_CodePointAt(s, i, units);
    i += static_cast<std::size_t>(units);
    if (RVU_IsSurrogate(cp))
      cp = 0xFFFD;
    if (cp < 0x800) {
      *o++ = static_cast<char>(0xC0 | (cp >> 6));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *o++ = static_cast<char>(0xE0 | (cp >> 12));
      *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      *o++ = static_cast<char>(0xF0 | (cp >> 18));
      *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return o;
}

// ASCII, most text, is widened here eight bytes at a time; what lies between two ASCII bytes
// goes to ICU. An ASCII byte ends every sequence, broken ones too, so damaged input yields
// the same U+FFFD as one conversion. A long stretch without ASCII goes in pieces, each ending
// before a byte that cannot continue a sequence (or after three continuation bytes, as no
// sequence is longer).
char16_t* RVU_Utf8ToUnicode(std::string_view Bytes, char16_t* Out, std::size_t* Substituted) {
  const auto* in = reinterpret_cast<const unsigned char*>(Bytes.data());
  const auto* const end = in + Bytes.size();
  constexpr std::ptrdiff_t kPiece = 16384;
  while (in < end) {
    for (; end - in >= 8; in += 8, Out += 8) {
      std::uint64_t word;
      std::memcpy(&word, in, sizeof word);
      if ((word & 0x8080808080808080ull) != 0)
        break;
      for (int k = 0; k < 8; ++k)
        Out[k] = in[k];
    }
    while (in < end && *in < 0x80)
      *Out++ = *in++;
    if (in == end)
      break;
    const auto* stop = in;
    while (stop < end && *stop >= 0x80 && stop - in < kPiece)
      ++stop;
    if (stop < end && *stop >= 0x80) {
      // A piece cut inside a stretch: not inside a sequence.
      const auto* cut = stop;
      while (cut > in && stop - cut < 3 && (*cut & 0xC0) == 0x80)
        --cut;
      if ((*cut & 0xC0) != 0x80 && cut > in)
        stop = cut;
    }
    int32_t length = 0, substituted = 0;
    UErrorCode error = U_ZERO_ERROR;
    const auto size = static_cast<int32_t>(stop - in);
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(Out), size, &length,
                         reinterpret_cast<const char*>(in), size, 0xFFFD, &substituted, &error);
    if (U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING) {
      Out += length;
      if (Substituted)
        *Substituted += static_cast<std::size_t>(substituted);
    }
    in = stop;
  }
  return Out;
}

std::size_t RVU_FindUnitFrom(std::u16string_view s, std::size_t From, char16_t Limit) {
  // Every unit's bits from the limit's up, in four units at once.
  const std::uint64_t high = 0x0001000100010001u * static_cast<std::uint16_t>(~(Limit - 1));
  std::size_t i = From;
  while (i + 4 <= s.size()) {
    std::uint64_t units;
    std::memcpy(&units, s.data() + i, sizeof units);
    if ((units & high) != 0)
      break;
    i += 4;
  }
  while (i < s.size() && s[i] < Limit)
    ++i;
  return i;
}

} // namespace richtext
