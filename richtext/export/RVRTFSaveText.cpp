#include "richtext/export/RVRTFSaveText.h"

#include "richtext/base/RVUni.h"
#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVRTFSaveTextLanguages.h"
#include "richtext/export/RVRTFSaveTextWords.h"
#include "richtext/base/RVStream.h"

#include <array>
#include <charconv>
#include <memory>

namespace richtext {

namespace {

constexpr char LowerHexDigits[] = "0123456789abcdef";

void AppendDecimal(std::string& out, unsigned value) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// ---- Printable ASCII -------------------------------------------------------------------------

// The RTF form of each code unit 1..127 under one combination of flags. Built once per
// combination from the escaping rules, so the per-character work is one table lookup.
struct TAsciiForm {
  char text[6];
  unsigned char length;
  bool plain; // written as itself
};
using TAsciiForms = std::array<TAsciiForm, 128>;

TAsciiForms BuildAsciiForms(bool specialCode, bool doubleBSlashes, bool rtfControlsToCodes,
                            bool encodeDblQuotes) {
  TAsciiForms forms{};
  for (unsigned c = 1; c < 128; ++c) {
    std::string form;
    if (!specialCode && c == '\\' && doubleBSlashes)
      form = "\\\\\\\\";
    else
      form = RVMakeRTFStr(std::string(1, static_cast<char>(c)), specialCode, false,
                          rtfControlsToCodes, encodeDblQuotes);
    forms[c].length = static_cast<unsigned char>(form.copy(forms[c].text, sizeof forms[c].text));
    forms[c].plain = form.size() == 1 && form[0] == static_cast<char>(c);
  }
  return forms;
}

const TAsciiForms& AsciiForms(bool specialCode, bool doubleBSlashes, bool rtfControlsToCodes,
                              bool encodeDblQuotes) {
  static const std::array<TAsciiForms, 16> all = [] {
    std::array<TAsciiForms, 16> tables{};
    for (unsigned i = 0; i < tables.size(); ++i)
      tables[i] = BuildAsciiForms(i & 1, i & 2, i & 4, i & 8);
    return tables;
  }();
  return all[(specialCode ? 1 : 0) | (doubleBSlashes ? 2 : 0) | (rtfControlsToCodes ? 4 : 0) |
             (encodeDblQuotes ? 8 : 0)];
}

// ---- ANSI fallbacks --------------------------------------------------------------------------

struct TFallback {
  std::string rtf;
  // How many RTF characters rtf stands for: what a reader that understands "\uN" skips.
  unsigned count = 0;
};

// The fallback is escaped like the text around it, and its count is the number of RTF
// characters written for it, which is what a reader that understands "\uN" skips. An escaped
// double quote (a backslash and the quote) and a doubled backslash of field instruction text
// are two characters each; counting them as one would leave the quote or a backslash behind
// for such a reader, and a lone backslash would escape what follows it in the field.
TFallback MakeFallback(char16_t c, TRVCodePage codePage, bool doubleBSlashes,
                       bool encodeDblQuotes) {
  // No code page holds half a character.
  const std::string bytes =
      RVU_IsSurrogate(c) ? std::string("?") : RVU_UnicodeToAnsi(codePage, std::u16string_view(&c, 1));
  TFallback fallback;
  for (const char b : bytes) {
    if (b == '\\' && doubleBSlashes) {
      fallback.rtf += "\\\\\\\\";
      fallback.count += 2;
      continue;
    }
    fallback.rtf += RVMakeRTFStr(std::string_view(&b, 1), false, true, false, encodeDblQuotes);
    fallback.count += b == '"' && encodeDblQuotes ? 2 : 1;
  }
  return fallback;
}

// Converting one code unit at a time through the code page is the slow part of non-ASCII
// text, and run after run repeats the same characters, so conversions are remembered across
// calls (per thread: the cache is not shared).
class TFallbackCache {
public:
  TFallbackCache(TRVCodePage codePage, bool doubleBSlashes, bool encodeDblQuotes)
      : FCodePage(codePage), FDoubleBSlashes(doubleBSlashes), FEncodeDblQuotes(encodeDblQuotes) {}

  const TFallback& Get(char16_t c) {
    if (!FResolved) {
      // The process code page can change between calls, so the cache is keyed by the page
      // actually used, as RVU_UnicodeToAnsi chooses it.
      if (FCodePage == CP_ACP || !RVU_IsCodePageSupported(FCodePage))
        FCodePage = RVU_GetProcessAnsiCodePage();
      FResolved = true;
    }
    thread_local std::unique_ptr<std::array<TEntry, 4096>> entries;
    if (!entries)
      entries = std::make_unique<std::array<TEntry, 4096>>();
    TEntry& entry = (*entries)[c & 0xFFF];
    if (!entry.valid || entry.key != c || entry.codePage != FCodePage ||
        entry.doubleBSlashes != FDoubleBSlashes || entry.encodeDblQuotes != FEncodeDblQuotes) {
      entry.fallback = MakeFallback(c, FCodePage, FDoubleBSlashes, FEncodeDblQuotes);
      entry.key = c;
      entry.codePage = FCodePage;
      entry.doubleBSlashes = FDoubleBSlashes;
      entry.encodeDblQuotes = FEncodeDblQuotes;
      entry.valid = true;
    }
    return entry.fallback;
  }

private:
  struct TEntry {
    char16_t key = 0;
    bool valid = false;
    bool doubleBSlashes = false;
    bool encodeDblQuotes = false;
    TRVCodePage codePage = 0;
    TFallback fallback;
  };
  TRVCodePage FCodePage;
  bool FResolved = false;
  bool FDoubleBSlashes;
  bool FEncodeDblQuotes;
};

void AppendFallbackCount(std::string& out, unsigned count) {
  out += RTF_UnicodeFallbackCount;
  AppendDecimal(out, count);
}

void EncodeUnicodeRTF(std::u16string_view s, TRVCodePage codePage, bool saveAnsi,
                      bool forceSaveAnsi, bool specialCode, bool doubleBSlashes,
                      bool rtfControlsToCodes, bool encodeDblQuotes, TRVStream& stream) {
  constexpr std::size_t ChunkSize = 64 * 1024;
  const TAsciiForms& ascii =
      AsciiForms(specialCode, doubleBSlashes, rtfControlsToCodes, encodeDblQuotes);
  const bool withFallback = saveAnsi || forceSaveAnsi;
  const unsigned defaultCount = saveAnsi ? 1 : 0;
  unsigned currentCount = defaultCount;
  TFallbackCache fallbacks(codePage, doubleBSlashes, encodeDblQuotes);

  std::string out;
  out.reserve(std::min(s.size() + s.size() / 8 + 16, ChunkSize + 64));
  for (std::size_t i = 0; i < s.size(); ++i) {
    // Plain text goes over in runs: most run text is letters, digits and spaces.
    std::size_t run = i;
    while (run < s.size() && s[run] < 128 && ascii[s[run]].plain)
      ++run;
    if (run > i) {
      const std::size_t at = out.size();
      out.resize(at + (run - i));
      for (std::size_t k = i; k < run; ++k)
        out[at + (k - i)] = static_cast<char>(s[k]);
      i = run;
      if (i == s.size())
        break;
    }
    const char16_t c = s[i];
    if (c != 0 && c < 128) {
      const TAsciiForm& form = ascii[c];
      if (form.length == 1)
        out.push_back(form.text[0]);
      else
        out.append(form.text, form.length);
    } else if (const std::string_view word = specialCode ? std::string_view() : RTFNamedCharWord(c);
               !word.empty()) {
      out += word;
    } else {
      const TFallback* fallback = withFallback ? &fallbacks.Get(c) : nullptr;
      if (fallback && fallback->count != currentCount) {
        AppendFallbackCount(out, fallback->count);
        currentCount = fallback->count;
      }
      out += RTF_UnicodeChar;
      AppendDecimal(out, c);
      out += ' ';
      if (fallback)
        out += fallback->rtf;
    }
    if (out.size() >= ChunkSize) {
      stream.Write(out);
      out.clear();
    }
  }
  if (currentCount != defaultCount) {
    // The space ends the word, so text written right after it cannot become its parameter.
    AppendFallbackCount(out, defaultCount);
    out += ' ';
  }
  stream.Write(out);
}

std::string EncodeToString(std::u16string_view s, TRVCodePage codePage, bool saveAnsi,
                           bool forceSaveAnsi, bool specialCode, bool doubleBSlashes,
                           bool rtfControlsToCodes, bool encodeDblQuotes) {
  TRVMemoryStream stream;
  EncodeUnicodeRTF(s, codePage, saveAnsi, forceSaveAnsi, specialCode, doubleBSlashes,
                   rtfControlsToCodes, encodeDblQuotes, stream);
  return stream.TakeBytes();
}

} // namespace

// ---- Escaping rules --------------------------------------------------------------------------

std::string RTFHexEscape(unsigned char byte) {
  std::string escape(RTF_HexChar);
  escape += LowerHexDigits[byte >> 4];
  escape += LowerHexDigits[byte & 0xF];
  return escape;
}

std::string RTFEscapeControlChars(std::string_view s, bool EncodeDblQuotes) {
  std::string out;
  out.reserve(s.size() + 4);
  for (char c : s) {
    if (c == '\\' || c == '{' || c == '}')
      out += '\\';
    else if (c == '"' && EncodeDblQuotes)
      out += "\\\\";
    out += c;
  }
  return out;
}

void RTFReplaceHex(std::string& s, bool UseNamedEntities, bool ReplaceRTFControls) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    const auto byte = static_cast<unsigned char>(ch);
    const bool rtfControl = ch == '\\' || ch == '{' || ch == '}';
    if (byte >= 0x20 && byte <= 0x7F && !(ReplaceRTFControls && rtfControl))
      out += ch;
    else if (byte == 0xA0 && UseNamedEntities)
      out += RTF_NonBreakingSpace;
    else
      out += RTFHexEscape(byte);
  }
  s = std::move(out);
}

std::string_view RTFNamedCharWord(char16_t c) {
  switch (c) {
  case 0x00A0:
    return RTF_NonBreakingSpace;
  case RV_SOFTHYPHEN:
    return RTF_OptionalHyphen;
  case 0x2002:
    return RTF_EnSpace;
  case 0x2003:
    return RTF_EmSpace;
  case 0x2005:
    return RTF_QuarterEmSpace;
  case 0x200C:
    return RTF_ZeroWidthNonJoiner;
  case 0x200D:
    return RTF_ZeroWidthJoiner;
  case 0x2013:
    return RTF_EnDash;
  case 0x2014:
    return RTF_EmDash;
  case 0x2018:
    return RTF_LeftQuote;
  case 0x2019:
    return RTF_RightQuote;
  case 0x201C:
    return RTF_LeftDoubleQuote;
  case 0x201D:
    return RTF_RightDoubleQuote;
  case 0x2022:
    return RTF_Bullet;
  default:
    return {};
  }
}

std::string RTFUnicodeEscape(char16_t c) {
  std::string escape(RTF_UnicodeChar);
  AppendDecimal(escape, c);
  escape += ' ';
  return escape;
}

std::string RVMakeRTFStr(std::string_view s, bool SpecialCode, bool UseNamedEntities,
                         bool RTFControlsToCodes, bool EncodeDblQuotes) {
  std::string out = SpecialCode || RTFControlsToCodes ? std::string(s)
                                                      : RTFEscapeControlChars(s, EncodeDblQuotes);
  RTFReplaceHex(out, UseNamedEntities, RTFControlsToCodes);
  return out;
}

// ---- Text, identifiers, file names -----------------------------------------------------------

void RVWriteUnicodeRTFStr(TRVStream& Stream, std::u16string_view s, TRVCodePage CodePage,
                          bool SaveAnsi, bool ForceSaveAnsi, bool SpecialCode, bool DoubleBSlashes,
                          bool RTFControlsToCodes, bool EncodeDblQuotes) {
  EncodeUnicodeRTF(s, CodePage, SaveAnsi, ForceSaveAnsi, SpecialCode, DoubleBSlashes,
                   RTFControlsToCodes, EncodeDblQuotes, Stream);
}

std::string MakeRTFIdentifierStr(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi) {
  return EncodeToString(s, CodePage, SaveAnsi, true, false, false, false, false);
}

std::string RVMakeRTFFileNameStr(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi) {
  return EncodeToString(s, CodePage, SaveAnsi, true, false, true, false, true);
}

std::string RVMakeRTFStrW(std::u16string_view s, TRVCodePage CodePage, bool SaveAnsi,
                          bool ForceSaveAnsi, bool SpecialCode, bool RTFControlsToCodes) {
  return EncodeToString(s, CodePage, SaveAnsi, ForceSaveAnsi, SpecialCode, false,
                        RTFControlsToCodes, false);
}

int RVU_Charset2Language(int Charset) {
  for (const TRVCharsetLanguage& entry : RVCharsetLanguages)
    if (entry.charset == Charset)
      return entry.language;
  return RVUnlistedCharsetLanguage;
}

} // namespace richtext
