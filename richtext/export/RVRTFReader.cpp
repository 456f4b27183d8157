// RTF reading: one pass over the bytes with a stack of group states. Text goes to the import
// builder through a buffer; 8-bit bytes wait in their own buffer until something else comes,
// so that a double-byte character split over two \'hh is decoded whole.
#include "richtext/export/RVRTFReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "richtext/base/RVLinkScheme.h"
#include "richtext/base/RVCodePage.h"
#include "richtext/base/RVUni.h"
#include "richtext/export/RVImport.h"

namespace richtext {

namespace {

constexpr const char* kPrefix = "RTF reading error: ";
// RTF's own limits: a control word has at most 32 letters, its parameter at most 10 digits.
constexpr std::size_t kMaxWordLength = 32;
constexpr std::size_t kMaxDigits = 10;

[[noreturn]] void Fail(const std::string& What) {
  throw ERichViewError(kPrefix + What);
}

enum class TDest : std::uint8_t {
  Text,
  Skip,
  FontTable,
  ColorTable,
  StyleSheet,
  FieldInst,
  ListText,
};

struct TGroupState {
  TDest Dest = TDest::Text;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  int Font = -1; // -1: the default font
  int Color = 0;
  int SizeHalf = 24;
  int UC = 1;
  int Field = -1; // the field whose instruction or result this group is in
  int Link = -1;  // index in the links of the hyperlink this text belongs to
};

struct TFont {
  std::u16string Name;
  TRVCodePage CodePage = 0; // 0: the document's
};

struct TStyleEntry {
  int HeadingLevel = 0;
};

// The control words this reader knows; anything else is skipped with its parameter.
enum class TWord : std::uint8_t {
  ansi, ansicpg, b, blue, bullet, cell, cf, cpg, deff, emdash, emspace, endash, enspace, f,
  fcharset, field, fldinst, fldrslt, fonttbl, fs, green, i, ilvl, line, listtext, lquote,
  ldblquote, ls, mac, nestcell, nestrow, outlinelevel, page, par, pard, pc, pca, plain,
  pntext, qmspace, rdblquote, red, row, rquote, rtf, s, sect, strike, striked, stylesheet, tab,
  u, uc, ul, ulc, ulnone, colortbl, skip, ulother, zwj, zwnj
};

struct TWordEntry {
  std::string_view Name;
  TWord Word;
};

// Sorted by name for a binary search.
constexpr TWordEntry kWords[] = {
    {"aftncn", TWord::skip}, {"aftnsep", TWord::skip}, {"aftnsepc", TWord::skip},
    {"annotation", TWord::skip}, {"ansi", TWord::ansi}, {"ansicpg", TWord::ansicpg},
    {"atnauthor", TWord::skip}, {"atndate", TWord::skip}, {"atnid", TWord::skip},
    {"author", TWord::skip}, {"b", TWord::b}, {"blue", TWord::blue},
    {"bullet", TWord::bullet}, {"buptim", TWord::skip}, {"cell", TWord::cell},
    {"cf", TWord::cf}, {"colortbl", TWord::colortbl}, {"comment", TWord::skip},
    {"cpg", TWord::cpg}, {"creatim", TWord::skip}, {"deff", TWord::deff},
    {"doccomm", TWord::skip}, {"emdash", TWord::emdash}, {"emspace", TWord::emspace},
    {"endash", TWord::endash}, {"enspace", TWord::enspace}, {"f", TWord::f},
    {"fcharset", TWord::fcharset}, {"field", TWord::field}, {"fldinst", TWord::fldinst},
    {"fldrslt", TWord::fldrslt}, {"fonttbl", TWord::fonttbl}, {"footer", TWord::skip},
    {"footerf", TWord::skip}, {"footerl", TWord::skip}, {"footerr", TWord::skip},
    {"footnote", TWord::skip}, {"fs", TWord::fs}, {"ftncn", TWord::skip},
    {"ftnsep", TWord::skip}, {"ftnsepc", TWord::skip}, {"green", TWord::green},
    {"header", TWord::skip}, {"headerf", TWord::skip}, {"headerl", TWord::skip},
    {"headerr", TWord::skip}, {"i", TWord::i}, {"ilvl", TWord::ilvl},
    {"info", TWord::skip}, {"keywords", TWord::skip}, {"ldblquote", TWord::ldblquote},
    {"line", TWord::line}, {"listtable", TWord::skip}, {"listtext", TWord::listtext},
    {"lquote", TWord::lquote}, {"ls", TWord::ls}, {"mac", TWord::mac},
    {"nestcell", TWord::nestcell}, {"nestrow", TWord::nestrow}, {"nonshppict", TWord::skip},
    {"object", TWord::skip}, {"operator", TWord::skip}, {"outlinelevel", TWord::outlinelevel},
    {"page", TWord::page}, {"par", TWord::par}, {"pard", TWord::pard},
    {"pc", TWord::pc}, {"pca", TWord::pca}, {"pict", TWord::skip},
    {"plain", TWord::plain}, {"pn", TWord::skip}, {"pntext", TWord::pntext},
    {"pntxta", TWord::skip}, {"pntxtb", TWord::skip}, {"printim", TWord::skip},
    {"private", TWord::skip}, {"qmspace", TWord::qmspace}, {"rdblquote", TWord::rdblquote},
    {"red", TWord::red}, {"revtbl", TWord::skip}, {"revtim", TWord::skip},
    {"row", TWord::row}, {"rquote", TWord::rquote}, {"rsidtbl", TWord::skip},
    {"rtf", TWord::rtf}, {"rxe", TWord::skip}, {"s", TWord::s},
    {"sect", TWord::sect}, {"shppict", TWord::skip}, {"strike", TWord::strike},
    {"striked", TWord::striked}, {"stylesheet", TWord::stylesheet}, {"subject", TWord::skip},
    {"tab", TWord::tab}, {"tc", TWord::skip}, {"template", TWord::skip},
    {"title", TWord::skip}, {"txe", TWord::skip}, {"u", TWord::u},
    {"uc", TWord::uc}, {"ul", TWord::ul}, {"ulc", TWord::ulc},
    {"uld", TWord::ulother}, {"uldash", TWord::ulother}, {"uldashd", TWord::ulother},
    {"uldb", TWord::ulother}, {"ulhwave", TWord::ulother}, {"ulnone", TWord::ulnone},
    {"ulth", TWord::ulother}, {"ulw", TWord::ulother}, {"ulwave", TWord::ulother},
    {"userprops", TWord::skip}, {"xe", TWord::skip}, {"xmlnstbl", TWord::skip},
    {"zwj", TWord::zwj}, {"zwnj", TWord::zwnj},
};
static_assert(std::is_sorted(std::begin(kWords), std::end(kWords),
                             [](const TWordEntry& a, const TWordEntry& b) { return a.Name < b.Name; }));

std::optional<TWord> LookUp(std::string_view Name) {
  const auto it = std::lower_bound(std::begin(kWords), std::end(kWords), Name,
                                   [](const TWordEntry& e, std::string_view n) { return e.Name < n; });
  if (it != std::end(kWords) && it->Name == Name)
    return it->Word;
  return std::nullopt;
}

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}


// The target of a HYPERLINK field instruction; empty for other fields.
std::u16string HyperlinkTarget(std::u16string_view Inst) {
  std::size_t i = 0;
  auto skipSpaces = [&] {
    while (i < Inst.size() && (Inst[i] == u' ' || Inst[i] == u'\t' || Inst[i] == u'\r' || Inst[i] == u'\n'))
      ++i;
  };
  auto argument = [&] {
    std::u16string out;
    if (i < Inst.size() && Inst[i] == u'"') {
      for (++i; i < Inst.size() && Inst[i] != u'"'; ++i) {
        if (Inst[i] == u'\\' && i + 1 < Inst.size() && (Inst[i + 1] == u'\\' || Inst[i + 1] == u'"'))
          ++i;
        out += Inst[i];
      }
      ++i;
    } else {
      while (i < Inst.size() && Inst[i] != u' ')
        out += Inst[i++];
    }
    return out;
  };
  skipSpaces();
  static constexpr std::u16string_view keyword = u"hyperlink";
  if (Inst.size() - i < keyword.size())
    return {};
  for (std::size_t k = 0; k < keyword.size(); ++k)
    if (AsciiLower(Inst[i + k]) != keyword[k])
      return {};
  i += keyword.size();
  std::u16string target, local;
  bool hasLocal = false;
  while (skipSpaces(), i < Inst.size()) {
    if (Inst[i] == u'\\' && i + 1 < Inst.size()) {
      const char16_t sw = AsciiLower(Inst[i + 1]);
      i += 2;
      skipSpaces();
      if (sw == u'l') {
        local = argument();
        hasLocal = true;
      }
      else if (sw == u'o' || sw == u't')
        argument();
      continue;
    }
    std::u16string a = argument();
    if (target.empty())
      target = std::move(a);
  }
  // Undo the escapes the engine's writer makes, and only those, in the target and the anchor.
  // An empty anchor is the address's own "#" at its end, which the writer gives as \l "".
  if (hasLocal)
    target += u"#" + local;
  std::u16string out;
  for (std::size_t k = 0; k < target.size(); ++k) {
    if (target[k] == u'%' && k + 2 < target.size()) {
      const int hi = RVU_HexDigitValue(static_cast<char>(target[k + 1] < 128 ? target[k + 1] : 0));
      const int lo = RVU_HexDigitValue(static_cast<char>(target[k + 2] < 128 ? target[k + 2] : 0));
      const int v = hi * 16 + lo;
      if (hi >= 0 && lo >= 0 && (v == 0x0A || v == 0x0D || v == 0x20 || v == 0x22 || v == 0x25 || v == 0x2B)) {
        out += static_cast<char16_t>(v);
        k += 2;
        continue;
      }
    }
    out += target[k];
  }
  return out;
}

class TRTFParser {
public:
  TRTFParser(std::string_view Bytes, TCustomRVData& RVData) : FIn(Bytes), FBuilder(RVData, kPrefix) {}
  std::unique_ptr<TRVFFragment> Run();

private:
  void ControlWord(std::string_view Word, bool HasParam, int Param);
  void ControlSymbol(char C);
  void OpenGroup();
  void CloseGroup();
  void TextByte(char C);
  void TextUnit(char16_t C);
  void BeginText();
  void FlushBytes();
  void FlushText();
  void StartParagraphIfNeeded();
  void EndParagraph();
  void ApplyFormat();
  TRVCodePage CurrentCodePage() const;
  bool Skipping() { return FSkipFallback > 0 && (--FSkipFallback, true); }

  std::string_view FIn;
  std::size_t FPos = 0;
  TRVImportBuilder FBuilder;
  std::vector<TGroupState> FStack;
  TGroupState S;
  bool FStarred = false; // \* came just before
  bool FGroupStart = false; // nothing but \* read since the group opened
  int FSkipFallback = 0;
  std::string FBytes;   // 8-bit text waiting for decoding
  std::u16string FText; // text waiting for the builder
  bool FFormatDirty = true;
  TRVCodePage FDocCodePage = 1252;
  int FDefFont = 0;
  std::vector<std::pair<int, TFont>> FFonts;
  int FFontEntry = -1;
  std::string FFontName;
  TRVCodePage FFontCodePage = 0;
  std::vector<std::optional<TColor>> FColors;
  int FRed = -1, FGreen = -1, FBlue = -1;
  std::vector<std::pair<int, TStyleEntry>> FStyles;
  int FStyleEntry = -1;
  int FStyleOutline = -1;
  std::string FStyleName;
  std::vector<std::u16string> FFieldInsts;
  std::vector<std::u16string> FLinks;
  std::u16string FMarker;
  // The paragraph being read
  bool FParaStarted = false;
  int FParaHeading = 0;
  bool FParaList = false;
  bool FMarkerDone = false;
  bool FCellPending = false;
};

const TFont* FindFont(const std::vector<std::pair<int, TFont>>& Fonts, int No) {
  for (const auto& f : Fonts)
    if (f.first == No)
      return &f.second;
  return nullptr;
}

TRVCodePage TRTFParser::CurrentCodePage() const {
  if (const TFont* f = FindFont(FFonts, S.Font < 0 ? FDefFont : S.Font); f && f->CodePage != 0)
    return f->CodePage;
  return FDocCodePage;
}

void TRTFParser::FlushBytes() {
  if (FBytes.empty())
    return;
  TRVCodePage cp = S.Dest == TDest::FontTable && FFontCodePage != 0 ? FFontCodePage : CurrentCodePage();
  if (!RVU_IsCodePageSupported(cp))
    cp = 1252;
  const std::u16string text = RVU_AnsiToUnicode(cp, FBytes);
  FBytes.clear();
  for (char16_t c : text)
    TextUnit(c);
}

void TRTFParser::FlushText() {
  FlushBytes();
  if (!FText.empty()) {
    FBuilder.AddText(FText);
    FText.clear();
  }
}

void TRTFParser::ApplyFormat() {
  TRVImportCharFormat f;
  f.Bold = S.Bold;
  f.Italic = S.Italic;
  f.Underline = S.Underline;
  f.StrikeOut = S.StrikeOut;
  if (const TFont* font = FindFont(FFonts, S.Font < 0 ? FDefFont : S.Font))
    f.FontName = font->Name;
  f.SizeDouble = S.SizeHalf;
  if (S.Color > 0 && static_cast<std::size_t>(S.Color) < FColors.size() && FColors[static_cast<std::size_t>(S.Color)]) {
    f.HasColor = true;
    f.Color = *FColors[static_cast<std::size_t>(S.Color)];
  }
  if (S.Link >= 0)
    f.Link = FLinks[static_cast<std::size_t>(S.Link)];
  FBuilder.SetFormat(f);
  FFormatDirty = false;
}

void TRTFParser::StartParagraphIfNeeded() {
  if (FParaStarted)
    return;
  FParaStarted = true;
  if (FParaHeading > 0)
    FBuilder.SetParagraph(TRVImportParaKind::Heading, FParaHeading);
  else if (FParaList)
    FBuilder.SetParagraph(TRVImportParaKind::ListItem);
  else
    FBuilder.SetParagraph(TRVImportParaKind::Normal);
}

void TRTFParser::BeginText() {
  if (FFormatDirty) {
    if (!FText.empty()) {
      FBuilder.AddText(FText);
      FText.clear();
    }
    ApplyFormat();
  }
  if (!FParaStarted)
    StartParagraphIfNeeded();
  if (FParaList && FParaHeading == 0 && !FMarkerDone) {
    // A list paragraph without a marker of its own text gets a bullet.
    FMarkerDone = true;
    FText += u"\u2022 ";
  }
  if (FCellPending) {
    FCellPending = false;
    FText += u'\t';
  }
}

void TRTFParser::TextUnit(char16_t C) {
  switch (S.Dest) {
  case TDest::Text:
    BeginText();
    FText += C;
    break;
  case TDest::FieldInst:
    if (S.Field >= 0)
      FFieldInsts[static_cast<std::size_t>(S.Field)] += C;
    break;
  case TDest::ListText:
    FMarker += C;
    break;
  case TDest::FontTable:
  case TDest::StyleSheet:
  case TDest::ColorTable:
  case TDest::Skip:
    break;
  }
}

void TRTFParser::TextByte(char C) {
  if (Skipping())
    return;
  switch (S.Dest) {
  case TDest::FontTable:
    if (C == ';') {
      if (FFontEntry >= 0) {
        TFont font;
        TRVCodePage cp = FFontCodePage;
        if (cp != 0 && !RVU_IsCodePageSupported(cp))
          cp = 0;
        font.CodePage = cp;
        font.Name = RVU_AnsiToUnicode(cp != 0 ? cp : (RVU_IsCodePageSupported(FDocCodePage) ? FDocCodePage : 1252), FFontName);
        FFonts.emplace_back(FFontEntry, std::move(font));
      }
      FFontName.clear();
      FFontEntry = -1;
    } else {
      FFontName += C;
    }
    return;
  case TDest::ColorTable:
    if (C == ';') {
      if (FRed < 0 && FGreen < 0 && FBlue < 0)
        FColors.emplace_back(std::nullopt);
      else
        FColors.emplace_back(static_cast<TColor>(std::max(FRed, 0) | (std::max(FGreen, 0) << 8) |
                                                 (std::max(FBlue, 0) << 16)));
      FRed = FGreen = FBlue = -1;
    }
    return;
  case TDest::StyleSheet:
    if (C == ';') {
      if (FStyleEntry >= 0) {
        TStyleEntry e;
        std::string name;
        for (char c : FStyleName)
          name += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        while (!name.empty() && name.front() == ' ')
          name.erase(0, 1);
        if (name.size() == 9 && name.compare(0, 8, "heading ") == 0 && name[8] >= '1' && name[8] <= '6')
          e.HeadingLevel = name[8] - '0';
        else if (FStyleOutline >= 0 && FStyleOutline < 6)
          e.HeadingLevel = FStyleOutline + 1;
        FStyles.emplace_back(FStyleEntry, e);
      }
      FStyleName.clear();
      FStyleEntry = -1;
      FStyleOutline = -1;
    } else {
      FStyleName += C;
    }
    return;
  case TDest::Skip:
    return;
  default:
    break;
  }
  if (static_cast<unsigned char>(C) >= 0x80) {
    FBytes += C;
    return;
  }
  FlushBytes();
  TextUnit(static_cast<char16_t>(C));
}

void TRTFParser::EndParagraph() {
  FlushText();
  if (S.Dest != TDest::Text)
    return;
  StartParagraphIfNeeded();
  FBuilder.EndParagraph(true, true);
  FParaStarted = false;
  FMarkerDone = false;
  FCellPending = false;
}

void TRTFParser::OpenGroup() {
  FlushBytes();
  if (FStack.size() >= static_cast<std::size_t>(RVImportMaxDepth))
    Fail("groups nested deeper than " + std::to_string(RVImportMaxDepth));
  FStack.push_back(S);
  FSkipFallback = 0;
  FGroupStart = true;
  FStarred = false;
}

void TRTFParser::CloseGroup() {
  if (FStack.empty())
    Fail("a group closes that was never opened");
  FlushBytes();
  const TDest was = S.Dest;
  if (was == TDest::ListText && (FStack.back().Dest == TDest::Text)) {
    // The marker of a list paragraph: a bullet of any symbol font becomes one bullet,
    // a number stays as it is written.
    std::u16string marker;
    for (char16_t c : FMarker)
      if (c != u'\t' && c != u' ')
        marker += c;
    const bool number = !marker.empty() && std::any_of(marker.begin(), marker.end(), [](char16_t c) {
      return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
    FMarker.clear();
    S = FStack.back();
    FStack.pop_back();
    FParaList = true;
    FMarkerDone = true;
    FFormatDirty = true;
    BeginText();
    if (number)
      FText += marker + u" ";
    else
      FText += u"\u2022 ";
    FSkipFallback = 0;
    return;
  }
  if (was == TDest::FontTable && FFontEntry >= 0 && !FFontName.empty())
    TextByte(';'); // a last entry without its ';'
  S = FStack.back();
  FStack.pop_back();
  FFormatDirty = true;
  FSkipFallback = 0;
  FStarred = false;
  FGroupStart = false;
}

void TRTFParser::ControlSymbol(char C) {
  switch (C) {
  case '*':
    FStarred = true;
    return;
  case '\\':
  case '{':
  case '}':
    TextByte(C);
    break;
  case '~':
    if (!Skipping())
      FlushBytes(), TextUnit(u'\u00A0');
    break;
  case '-':
    if (!Skipping())
      FlushBytes(), TextUnit(u'\u00AD');
    break;
  case '_':
    if (!Skipping())
      FlushBytes(), TextUnit(u'\u2011');
    break;
  case '\n':
  case '\r':
    if (!Skipping())
      EndParagraph();
    break;
  default:
    // \| \: and the others carry nothing readable here
    Skipping();
    break;
  }
  FStarred = false;
  FGroupStart = false;
}

void TRTFParser::ControlWord(std::string_view Word, bool HasParam, int Param) {
  const std::optional<TWord> w = LookUp(Word);
  const bool starred = FStarred;
  const bool groupStart = FGroupStart;
  FStarred = false;
  FGroupStart = false;
  if (starred && groupStart) {
    // An ignorable destination: read only the ones known here.
    if (!w || (*w != TWord::fldinst && *w != TWord::listtext && *w != TWord::pntext)) {
      FlushBytes();
      S.Dest = TDest::Skip;
      return;
    }
  }
  if (S.Dest == TDest::Skip)
    return;
  if (!w) {
    Skipping();
    return;
  }
  // Words that are text count as one fallback character.
  auto text = [&](char16_t c) {
    if (!Skipping()) {
      FlushBytes();
      TextUnit(c);
    }
  };
  switch (*w) {
  case TWord::rtf: break;
  case TWord::ansi: FDocCodePage = 1252; break;
  case TWord::mac: FDocCodePage = 10000; break;
  case TWord::pc: FDocCodePage = 437; break;
  case TWord::pca: FDocCodePage = 850; break;
  case TWord::ansicpg:
    if (HasParam && Param > 0 && RVU_IsCodePageSupported(static_cast<TRVCodePage>(Param)))
      FDocCodePage = static_cast<TRVCodePage>(Param);
    break;
  case TWord::deff: FDefFont = Param; break;
  case TWord::fonttbl: FlushText(); S.Dest = TDest::FontTable; break;
  case TWord::colortbl: FlushText(); S.Dest = TDest::ColorTable; break;
  case TWord::stylesheet: FlushText(); S.Dest = TDest::StyleSheet; break;
  case TWord::skip: FlushText(); S.Dest = TDest::Skip; break;
  case TWord::f:
    if (S.Dest == TDest::FontTable) {
      FFontEntry = Param;
      FFontName.clear();
      FFontCodePage = 0;
    } else {
      FlushBytes();
      S.Font = Param;
      FFormatDirty = true;
    }
    break;
  case TWord::fcharset:
    if (S.Dest == TDest::FontTable)
      FFontCodePage = RVU_Charset2CodePage(static_cast<std::uint8_t>(Param));
    break;
  case TWord::cpg:
    if (S.Dest == TDest::FontTable && Param > 0)
      FFontCodePage = static_cast<TRVCodePage>(Param);
    break;
  case TWord::red: FRed = std::clamp(Param, 0, 255); break;
  case TWord::green: FGreen = std::clamp(Param, 0, 255); break;
  case TWord::blue: FBlue = std::clamp(Param, 0, 255); break;
  case TWord::s:
    if (S.Dest == TDest::StyleSheet) {
      FStyleEntry = Param;
      FStyleName.clear();
    } else {
      for (const auto& st : FStyles)
        if (st.first == Param && st.second.HeadingLevel > 0 && !FParaStarted)
          FParaHeading = st.second.HeadingLevel;
    }
    break;
  case TWord::outlinelevel:
    if (S.Dest == TDest::StyleSheet)
      FStyleOutline = Param;
    else if (!FParaStarted && Param >= 0 && Param < 6)
      FParaHeading = Param + 1;
    break;
  case TWord::ls:
    if (S.Dest == TDest::Text && !FParaStarted)
      FParaList = true;
    break;
  case TWord::ilvl: break; // a level, also of the outline numbering headings have
  case TWord::pard:
    if (S.Dest == TDest::Text && !FParaStarted) {
      FParaHeading = 0;
      FParaList = false;
    }
    break;
  case TWord::plain:
    FlushBytes();
    S.Bold = S.Italic = S.Underline = S.StrikeOut = false;
    S.Font = -1;
    S.Color = 0;
    S.SizeHalf = 24;
    FFormatDirty = true;
    break;
  case TWord::b: FlushBytes(); S.Bold = !HasParam || Param != 0; FFormatDirty = true; break;
  case TWord::i: FlushBytes(); S.Italic = !HasParam || Param != 0; FFormatDirty = true; break;
  case TWord::ul:
  case TWord::ulother: FlushBytes(); S.Underline = !HasParam || Param != 0; FFormatDirty = true; break;
  case TWord::ulnone: FlushBytes(); S.Underline = false; FFormatDirty = true; break;
  case TWord::ulc: break;
  case TWord::strike:
  case TWord::striked: FlushBytes(); S.StrikeOut = !HasParam || Param != 0; FFormatDirty = true; break;
  case TWord::cf: FlushBytes(); S.Color = Param; FFormatDirty = true; break;
  case TWord::fs:
    FlushBytes();
    S.SizeHalf = HasParam && Param > 0 ? std::min(Param, 3276) : 24;
    FFormatDirty = true;
    break;
  case TWord::uc: S.UC = std::clamp(HasParam ? Param : 1, 0, 16); break;
  case TWord::u: {
    if (Skipping())
      break;
    FlushBytes();
    const int unit = Param < 0 ? Param + 65536 : Param;
    TextUnit(unit >= 0 && unit <= 0xFFFF ? static_cast<char16_t>(unit) : u'\uFFFD');
    FSkipFallback = S.UC;
    break;
  }
  case TWord::par:
  case TWord::sect:
  case TWord::page:
  case TWord::row:
  case TWord::nestrow:
    if (!Skipping())
      EndParagraph();
    break;
  case TWord::line:
    if (!Skipping() && S.Dest == TDest::Text) {
      FlushText();
      StartParagraphIfNeeded();
      FBuilder.LineBreak();
    }
    break;
  case TWord::tab: text(u'\t'); break;
  case TWord::cell:
  case TWord::nestcell:
    // Cells are parted by tabs; the last one of a row needs none.
    if (!Skipping() && S.Dest == TDest::Text) {
      FlushBytes();
      FCellPending = true;
    }
    break;
  case TWord::emdash: text(u'\u2014'); break;
  case TWord::endash: text(u'\u2013'); break;
  case TWord::emspace: text(u'\u2003'); break;
  case TWord::enspace: text(u'\u2002'); break;
  case TWord::qmspace: text(u'\u2005'); break;
  case TWord::bullet: text(u'\u2022'); break;
  case TWord::lquote: text(u'\u2018'); break;
  case TWord::rquote: text(u'\u2019'); break;
  case TWord::ldblquote: text(u'\u201C'); break;
  case TWord::rdblquote: text(u'\u201D'); break;
  case TWord::zwj: text(u'\u200D'); break;
  case TWord::zwnj: text(u'\u200C'); break;
  case TWord::field:
    FlushText();
    S.Field = static_cast<int>(FFieldInsts.size());
    FFieldInsts.emplace_back();
    break;
  case TWord::fldinst:
    FlushText();
    S.Dest = S.Field >= 0 ? TDest::FieldInst : TDest::Skip;
    break;
  case TWord::fldrslt:
    FlushText();
    if (S.Field >= 0) {
      std::u16string target = HyperlinkTarget(FFieldInsts[static_cast<std::size_t>(S.Field)]);
      // A link that would run code where it is followed keeps its text, as no link.
      if (!target.empty() && !RV_ScriptingScheme(target)) {
        S.Link = static_cast<int>(FLinks.size());
        FLinks.push_back(std::move(target));
        FFormatDirty = true;
      }
    }
    S.Dest = TDest::Text;
    break;
  case TWord::listtext:
  case TWord::pntext:
    FlushText();
    if (S.Dest == TDest::Text) {
      S.Dest = TDest::ListText;
      FMarker.clear();
    } else {
      S.Dest = TDest::Skip;
    }
    break;
  }
}

std::unique_ptr<TRVFFragment> TRTFParser::Run() {
  const std::size_t n = FIn.size();
  std::size_t start = 0;
  while (start < n && (FIn[start] == ' ' || FIn[start] == '\r' || FIn[start] == '\n' || FIn[start] == '\t'))
    ++start;
  if (FIn.compare(start, 5, "{\\rtf") != 0)
    Fail("the stream does not start with {\\rtf");
  FPos = start;
  bool started = false;
  while (FPos < n) {
    const char c = FIn[FPos];
    if (c == '{') {
      ++FPos;
      OpenGroup();
      started = true;
      continue;
    }
    if (c == '}') {
      ++FPos;
      CloseGroup();
      if (FStack.empty())
        break; // the document's group is closed; what follows is not RTF
      continue;
    }
    if (c == '\\') {
      ++FPos;
      if (FPos >= n)
        Fail("the stream ends after a backslash");
      const char d = FIn[FPos];
      if ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z')) {
        const std::size_t wordStart = FPos;
        while (FPos < n && ((FIn[FPos] >= 'a' && FIn[FPos] <= 'z') || (FIn[FPos] >= 'A' && FIn[FPos] <= 'Z')))
          ++FPos;
        if (FPos - wordStart > kMaxWordLength)
          Fail("a control word longer than 32 letters");
        const std::string_view word = FIn.substr(wordStart, FPos - wordStart);
        bool negative = false, hasParam = false;
        long long value = 0;
        if (FPos < n && FIn[FPos] == '-') {
          negative = true;
          ++FPos;
        }
        const std::size_t digitsStart = FPos;
        while (FPos < n && FIn[FPos] >= '0' && FIn[FPos] <= '9') {
          value = value * 10 + (FIn[FPos] - '0');
          ++FPos;
          if (FPos - digitsStart > kMaxDigits)
            Fail("a number longer than 10 digits");
        }
        hasParam = FPos > digitsStart;
        if (negative && !hasParam)
          Fail("a '-' without a number");
        if (value > 2147483647LL)
          Fail("a number beyond 32 bits");
        if (FPos < n && FIn[FPos] == ' ')
          ++FPos;
        ControlWord(word, hasParam, static_cast<int>(negative ? -value : value));
        continue;
      }
      ++FPos;
      if (d == '\'') {
        if (FPos + 2 > n)
          Fail("the stream ends inside \\'hh");
        const int hi = RVU_HexDigitValue(FIn[FPos]), lo = RVU_HexDigitValue(FIn[FPos + 1]);
        if (hi < 0 || lo < 0)
          Fail("\\' without two hexadecimal digits");
        FPos += 2;
        FStarred = false;
        FGroupStart = false;
        TextByte(static_cast<char>(hi * 16 + lo));
        continue;
      }
      ControlSymbol(d);
      continue;
    }
    ++FPos;
    if (c == '\r' || c == '\n' || c == '\0')
      continue;
    FStarred = false;
    FGroupStart = false;
    if (S.Dest == TDest::Text && FSkipFallback == 0 && FBytes.empty() && c >= 0x20 && c < 0x7F) {
      // A run of plain text: the characters up to the next control, group or 8-bit byte.
      BeginText();
      const std::size_t from = FPos - 1;
      while (FPos < n && FIn[FPos] >= 0x20 && FIn[FPos] < 0x7F && FIn[FPos] != '\\' &&
             FIn[FPos] != '{' && FIn[FPos] != '}')
        ++FPos;
      FText.append(FIn.begin() + static_cast<std::ptrdiff_t>(from),
                   FIn.begin() + static_cast<std::ptrdiff_t>(FPos));
      continue;
    }
    TextByte(c);
  }
  if (!started || !FStack.empty())
    Fail("the stream ends inside a group");
  FlushText();
  return FBuilder.Finish();
}

} // namespace

std::unique_ptr<TRVFFragment> RVRTFParse(std::string_view Bytes, TCustomRVData& RVData) {
  if (Bytes.size() > RVImportMaxBytes)
    Fail("the stream is larger than " + std::to_string(RVImportMaxBytes) + " bytes");
  return TRTFParser(Bytes, RVData).Run();
}

void RVRTFLoadDocument(TCustomRVData& RVData, std::string_view Bytes) {
  RVLoadFragment(RVData, *RVRTFParse(Bytes, RVData), TRVFStyleLoading::rvfslAddIfNeeded);
}

std::vector<std::unique_ptr<TCustomRVItemInfo>> RVRTFReadItemsForInsertion(TCustomRVData& RVData,
                                                                          std::string_view Bytes) {
  return RVFragmentItemsForInsertion(RVData, *RVRTFParse(Bytes, RVData));
}

} // namespace richtext
