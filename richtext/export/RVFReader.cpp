// RichView Format reading: a parser over the byte string that mirrors the writer record by
// record, then the steps that hand a complete fragment to a document.
#include "richtext/export/RVFReader.h"

#include <charconv>
#include <limits>
#include <string>
#include <utility>


#include "richtext/base/RVUni.h"
#include "richtext/export/RVFMisc.h"
#include "richtext/export/RVFWriter.h"
#include "richtext/style/RVPropStream.h"
#include "richtext/style/RVStyleStream.h"

namespace richtext {

namespace {

[[noreturn]] void Fail(const std::string& What) {
  throw ERichViewError("RVF reading error: " + What);
}

// UTF-8 from a header or data line, with the encoded line breaks restored; invalid sequences
// become U+FFFD.
std::u16string FromRVFString(std::string_view s) {
  std::string bytes(s);
  for (char& c : bytes) {
    if (c == RVF_EncodedLF)
      c = '\n';
    else if (c == RVF_EncodedCR)
      c = '\r';
  }
  if (bytes.empty())
    return {};
  std::u16string out(bytes.size(), u'\0');
  out.resize(static_cast<std::size_t>(RVU_Utf8ToUnicode(bytes, out.data()) - out.data()));
  return out;
}


std::string FromHex(std::string_view s) {
  if (s.size() % 2 != 0)
    Fail("odd number of hexadecimal digits");
  std::string out(s.size() / 2, '\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const int hi = RVU_HexDigitValue(s[2 * i]), lo = RVU_HexDigitValue(s[2 * i + 1]);
    if (hi < 0 || lo < 0)
      Fail("bad hexadecimal digit");
    out[i] = static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::u16string FromUtf16LE(std::string_view bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

// One header's fields: numbers and quoted strings separated by single spaces.
struct THeader {
  std::vector<std::string> Fields;
  std::vector<bool> Quoted;
  std::size_t Size() const { return Fields.size(); }
};

THeader SplitHeader(std::string_view Line) {
  THeader h;
  std::size_t i = 0;
  while (i < Line.size()) {
    if (Line[i] == '"') {
      std::string field;
      ++i;
      for (;;) {
        if (i >= Line.size())
          Fail("unterminated string in a header");
        if (Line[i] == '"') {
          if (i + 1 < Line.size() && Line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += Line[i++];
      }
      h.Fields.push_back(std::move(field));
      h.Quoted.push_back(true);
    } else {
      const std::size_t end = std::min(Line.find(' ', i), Line.size());
      h.Fields.emplace_back(Line.substr(i, end - i));
      h.Quoted.push_back(false);
      i = end;
    }
    if (i < Line.size()) {
      if (Line[i] != ' ')
        Fail("fields of a header not separated by a space");
      ++i;
      if (i == Line.size())
        Fail("a header ends with a space");
    }
  }
  return h;
}

class TRVFParser {
public:
  TRVFParser(std::string_view Bytes, TCustomRVData& RVData, TRVFFragment& Out)
      : FIn(Bytes), FData(RVData), FOut(Out), FStyle(RVData.GetRVStyle()) {}

  void Run();

private:
  bool AtEnd() const { return FPos >= FIn.size(); }
  std::string_view ReadLine();
  std::u16string ReadRawTextLine();
  std::int32_t Number(const THeader& H, std::size_t Index, std::int32_t Min,
                      std::int32_t Max) const;
  std::int32_t TextStyleRef(const THeader& H, std::size_t Index) const;
  std::int32_t ParaRef(const THeader& H, std::size_t Index) const;
  std::u16string Tag(const THeader& H, std::size_t Index) const;
  // A count of lines that the rest of the stream can hold at all.
  std::int32_t LineCount(const THeader& H, std::size_t Index) const;
  TRVItemOptions Options(const THeader& H, std::size_t Index) const;
  // A style reference: a number below the count of the stream's collection (or else the
  // sheet's), Special, or a quoted style name.
  template <typename Infos>
  std::int32_t StyleRef(const THeader& H, std::size_t Index, const Infos& StreamStyles,
                        bool InStream, const Infos* SheetStyles, std::int32_t Min,
                        std::int32_t Special, const char* What) const;

  void ReadDocProperty(const THeader& H);
  std::string ReadStyleBlock(std::int32_t ReadType);
  void ReadCheckpoint(const THeader& H);
  void ReadTextRecord(const THeader& H);
  void ReadNonTextRecord(const THeader& H);
  void ReadExtraProperties(TRVNonTextItemInfo& Item, std::int32_t Count);
  void Append(std::unique_ptr<TCustomRVItemInfo> Item);

  std::string_view FIn;
  std::size_t FPos = 0;
  TCustomRVData& FData;
  TRVFFragment& FOut;
  TRVStyle* FStyle;
  std::unique_ptr<TRVCPInfo> FPendingCP;
};

std::string_view TRVFParser::ReadLine() {
  const std::size_t end = FIn.find(RVF_LineEnd, FPos);
  if (end == std::string_view::npos)
    Fail("truncated stream (a line without its end)");
  std::string_view line = FIn.substr(FPos, end - FPos);
  FPos = end + RVF_LineEnd.size();
  return line;
}

std::u16string TRVFParser::ReadRawTextLine() {
  for (std::size_t p = FPos; p + 1 < FIn.size(); p += 2) {
    if (FIn[p] == RVF_UnicodeLineEnd[0] && FIn[p + 1] == RVF_UnicodeLineEnd[1]) {
      std::u16string text = FromUtf16LE(FIn.substr(FPos, p - FPos));
      FPos = p + 2;
      return text;
    }
  }
  Fail("truncated stream (a text line without its end)");
}

std::int32_t TRVFParser::Number(const THeader& H, std::size_t Index, std::int32_t Min,
                                std::int32_t Max) const {
  if (Index >= H.Size())
    Fail("a header has too few fields");
  const std::string& f = H.Fields[Index];
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), value);
  if (H.Quoted[Index] || f.empty() || ec != std::errc() || end != f.data() + f.size())
    Fail("\"" + f + "\" is not a number");
  if (value < Min || value > Max)
    Fail("number " + f + " out of range");
  return value;
}

template <typename Infos>
std::int32_t FindByName(const Infos& Styles, const std::u16string& Name) {
  for (int i = 0; i < Styles.Count(); ++i)
    if (Styles.Items(i)->StyleName == Name)
      return i;
  return -1;
}

template <typename Infos>
std::int32_t TRVFParser::StyleRef(const THeader& H, std::size_t Index, const Infos& StreamStyles,
                                  bool InStream, const Infos* SheetStyles, std::int32_t Min,
                                  std::int32_t Special, const char* What) const {
  if (Index < H.Size() && H.Quoted[Index]) {
    const std::u16string name = FromRVFString(H.Fields[Index]);
    const std::int32_t no = InStream               ? FindByName(StreamStyles, name)
                            : SheetStyles != nullptr ? FindByName(*SheetStyles, name)
                                                     : -1;
    if (no < 0)
      Fail(std::string("unknown ") + What + " name");
    return no;
  }
  const std::int32_t no = Number(H, Index, Min, std::numeric_limits<std::int32_t>::max());
  const std::int32_t count = InStream               ? StreamStyles.Count()
                             : SheetStyles != nullptr ? SheetStyles->Count()
                                                      : std::numeric_limits<std::int32_t>::max();
  if (no != Special && no >= count)
    Fail(std::string(What) + " " + std::to_string(no) + " does not exist");
  return no;
}

std::int32_t TRVFParser::TextStyleRef(const THeader& H, std::size_t Index) const {
  return StyleRef(H, Index, FOut.TextStyles, FOut.HasTextStyles,
                  FStyle != nullptr ? &FStyle->TextStyles : nullptr, 0, rvsDefStyle, "text style");
}

std::int32_t TRVFParser::ParaRef(const THeader& H, std::size_t Index) const {
  return StyleRef(H, Index, FOut.ParaStyles, FOut.HasParaStyles,
                  FStyle != nullptr ? &FStyle->ParaStyles : nullptr, -1, -1, "paragraph style");
}

std::u16string TRVFParser::Tag(const THeader& H, std::size_t Index) const {
  if (Index >= H.Size())
    Fail("a header has too few fields");
  if (!H.Quoted[Index]) {
    if (H.Fields[Index] != "0")
      Fail("a tag is neither 0 nor a string");
    return {};
  }
  return FromRVFString(H.Fields[Index]);
}

std::int32_t TRVFParser::LineCount(const THeader& H, std::size_t Index) const {
  const std::int32_t n = Number(H, Index, 0, std::numeric_limits<std::int32_t>::max());
  if (static_cast<std::size_t>(n) > (FIn.size() - FPos) / 2)
    Fail("truncated stream (fewer lines than announced)");
  return n;
}

TRVItemOptions TRVFParser::Options(const THeader& H, std::size_t Index) const {
  TRVItemOptions options =
      TRVItemOptions::FromValue(static_cast<std::uint8_t>(Number(H, Index, 0, RVItemOptionsMask)));
  if (options.Contains(rvioSameAsPrev)) {
    options.Exclude(rvioBR);
    options.Exclude(rvioPageBreakBefore);
  }
  return options;
}

std::string TRVFParser::ReadStyleBlock(std::int32_t ReadType) {
  ReadLine(); // the style sheet's name, informative only
  if (ReadType == RVF_READTYPE_TEXT)
    return FromHex(ReadLine());
  if (FIn.size() - FPos < 4)
    Fail("truncated stream (a style block's length)");
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i)
    length = (length << 8) | static_cast<unsigned char>(FIn[FPos + static_cast<std::size_t>(i)]);
  FPos += 4;
  if (length > FIn.size() - FPos)
    Fail("truncated stream (a style block)");
  std::string block(FIn.substr(FPos, length));
  FPos += length;
  return block;
}

// A collection this engine keeps empty (list styles, style templates): checked, not kept.
void SkipCollection(std::string_view Bytes, const char* ClassName) {
  TRVPropertyReader r(Bytes);
  r.ReadSignature();
  if (r.BeginObject() != ClassName)
    Fail(std::string("expected ") + ClassName);
  std::string name;
  while (r.NextProperty(name))
    r.SkipValue();
}

void TRVFParser::ReadDocProperty(const THeader& H) {
  const std::int32_t lines = LineCount(H, 1);
  const std::int32_t readType = Number(H, 4, 0, RVF_READTYPE_HEX);
  const std::int32_t kind = Number(H, 6, 0, std::numeric_limits<std::int32_t>::max());
  const bool isStyles = kind == RVF_DOCPROP_TEXTSTYLES || kind == RVF_DOCPROP_PARASTYLES ||
                        kind == RVF_DOCPROP_LISTSTYLES || kind == RVF_DOCPROP_STYLETEMPLATES ||
                        kind == RVF_DOCPROP_STYLETEMPLATENAMES;
  if (isStyles) {
    if (lines != 2 || (readType != RVF_READTYPE_TEXT && readType != RVF_READTYPE_BINARY))
      Fail("a style record of an unknown form");
    const std::string block = ReadStyleBlock(readType);
    try {
      if (kind == RVF_DOCPROP_TEXTSTYLES) {
        RVLoadFontInfosFromBytes(block, FOut.TextStyles);
        FOut.HasTextStyles = true;
      } else if (kind == RVF_DOCPROP_PARASTYLES) {
        RVLoadParaInfosFromBytes(block, FOut.ParaStyles);
        FOut.HasParaStyles = true;
      } else {
        SkipCollection(block, kind == RVF_DOCPROP_LISTSTYLES ? "TRVListInfos"
                                                             : "TRVStyleTemplateCollection");
      }
    } catch (const ERichViewError& e) {
      Fail(std::string("damaged style collection (") + e.what() + ")");
    }
    return;
  }
  if (readType != RVF_READTYPE_TEXT)
    Fail("a document property record of an unknown form");
  switch (kind) {
  case RVF_DOCPROP_UNITS:
    if (lines != 1)
      Fail("a units record of an unknown form");
    {
      const std::string_view v = ReadLine();
      if (v != "0" && v != "1")
        Fail("unknown units");
      FOut.HasUnits = true;
      FOut.Units = v == "1" ? rvstuTwips : rvstuPixels;
    }
    return;
  case RVF_DOCPROP_DOCPROPLIST:
    FOut.HasDocProperties = true;
    FOut.DocProperties.clear();
    for (std::int32_t i = 0; i < lines; ++i)
      FOut.DocProperties.push_back(FromRVFString(ReadLine()));
    return;
  default:
    // The resolution, document parameters and whatever a newer writer adds: lines skipped.
    for (std::int32_t i = 0; i < lines; ++i)
      ReadLine();
    return;
  }
}

void TRVFParser::ReadCheckpoint(const THeader& H) {
  if (H.Size() != 8 || Number(H, 1, 1, 1) != 1)
    Fail("a checkpoint record of an unknown form");
  if (FPendingCP)
    Fail("two checkpoints on one item");
  auto cp = std::make_unique<TRVCPInfo>();
  cp->Tag = Tag(H, 5);
  cp->RaiseEvent = Number(H, 6, 0, 1) != 0;
  cp->Persistent = Number(H, 7, 0, 1) != 0;
  cp->Name = FromRVFString(ReadLine());
  FPendingCP = std::move(cp);
}

void TRVFParser::Append(std::unique_ptr<TCustomRVItemInfo> Item) {
  Item->Checkpoint = std::move(FPendingCP);
  FOut.Items.push_back(std::move(Item));
}

void TRVFParser::ReadTextRecord(const THeader& H) {
  if (H.Size() != 6 && H.Size() != 7)
    Fail("a text record of an unknown form");
  const std::int32_t styleNo = TextStyleRef(H, 0);
  const std::int32_t lines = LineCount(H, 1);
  const std::int32_t paraNo = ParaRef(H, 2);
  const TRVItemOptions options = Options(H, 3);
  const std::int32_t readType = Number(H, 4, 0, RVF_READTYPE_HEX);
  if (readType != RVF_READTYPE_TEXT && readType != RVF_READTYPE_HEX)
    Fail("text of an unknown read type");
  const std::u16string tag = Tag(H, 5);
  const std::u16string hint = H.Size() == 7 ? FromRVFString(H.Fields[6]) : std::u16string();
  if (H.Size() == 7 && !H.Quoted[6])
    Fail("a hint that is not a string");
  for (std::int32_t i = 0; i < lines; ++i) {
    auto item = CreateRichViewItem(styleNo, &FData);
    item->StyleNo = styleNo;
    item->ParaNo = paraNo;
    item->ItemOptions = options;
    item->Tag = tag;
    item->Hint = hint;
    item->ItemText = readType == RVF_READTYPE_TEXT ? ReadRawTextLine()
                                                   : FromUtf16LE(FromHex(ReadLine()));
    Append(std::move(item));
  }
}

void TRVFParser::ReadExtraProperties(TRVNonTextItemInfo& Item, std::int32_t Count) {
  for (std::int32_t i = 0; i < Count; ++i) {
    const std::string_view line = ReadLine();
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
      Fail("an extra property without a value");
    const std::string_view name = line.substr(0, eq), value = line.substr(eq + 1);
    if (name == RVF_EXTRA_HINT)
      Item.Hint = FromRVFString(value);
    else if (name == RVF_EXTRA_UNREMOVABLE)
      Item.DeleteProtect = value != "0";
    else if (name == RVF_EXTRA_HIDDEN)
      Item.Hidden = value != "0";
  }
}

void TRVFParser::ReadNonTextRecord(const THeader& H) {
  const std::int32_t kind = Number(H, 0, std::numeric_limits<std::int32_t>::min(), -1);
  if (kind != rvsBreak && kind != rvsTab)
    Fail("items of kind " + std::to_string(kind) + " cannot be read");
  if (H.Size() != (kind == rvsBreak ? 9u : 7u))
    Fail("a record of an unknown form");
  const std::int32_t extra = LineCount(H, 1);
  const std::int32_t paraNo = ParaRef(H, 2);
  TRVItemOptions options = Options(H, 3);
  if (Number(H, 4, 0, 0) != 0)
    Fail("a non-text item of an unknown read type");
  auto item = CreateRichViewItem(kind, &FData);
  auto* nonText = static_cast<TRVNonTextItemInfo*>(item.get());
  item->StyleNo = kind;
  item->ParaNo = paraNo;
  item->Tag = Tag(H, 5);
  if (kind == rvsBreak) {
    auto* line = static_cast<TRVBreakItemInfo*>(item.get());
    line->Color = static_cast<TColor>(
        Number(H, 6, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    line->Style = static_cast<TRVBreakStyle>(Number(H, 7, 0, static_cast<int>(rvbsDashed)));
    line->LineWidth = Number(H, 8, 0, 255);
    options.Exclude(rvioBR); // a full-width item never breaks a line inside a paragraph
  } else {
    static_cast<TRVTabItemInfo*>(item.get())->TextStyleNo = TextStyleRef(H, 6);
  }
  item->ItemOptions = options;
  ReadExtraProperties(*nonText, extra);
  Append(std::move(item));
}

void TRVFParser::Run() {
  while (!AtEnd()) {
    const THeader h = SplitHeader(ReadLine());
    if (h.Size() == 0)
      Fail("an empty header");
    if (h.Quoted[0]) {
      ReadTextRecord(h);
      continue;
    }
    const std::int32_t kind = Number(h, 0, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    if (kind >= 0)
      ReadTextRecord(h);
    else if (kind == rvsVersionInfo)
      Number(h, 1, 0, std::numeric_limits<std::int32_t>::max());
    else if (kind == rvsDocProperty)
      ReadDocProperty(h);
    else if (kind == rvsCheckpoint)
      ReadCheckpoint(h);
    else
      ReadNonTextRecord(h);
  }
  FOut.EndCheckpoint = std::move(FPendingCP);
}

// Style numbers of the fragment's items in the sheet's numbering.
struct TStyleMaps {
  std::vector<std::int32_t> Text;
  std::vector<std::int32_t> Para;
  std::int32_t MapText(std::int32_t No) const {
    return No >= 0 && No < static_cast<std::int32_t>(Text.size()) ? Text[static_cast<std::size_t>(No)] : No;
  }
  std::int32_t MapPara(std::int32_t No) const {
    return No >= 0 && No < static_cast<std::int32_t>(Para.size()) ? Para[static_cast<std::size_t>(No)] : No;
  }
};

template <typename Infos>
void ReplaceCollection(Infos& Target, const Infos& Source) {
  Target.Clear();
  for (int i = 0; i < Source.Count(); ++i)
    Target.Add()->Assign(*Source.Items(i));
}

TStyleMaps MergeStyles(TRVStyle& Style, const TRVFFragment& F) {
  TStyleMaps maps;
  if (F.HasTextStyles)
    for (int i = 0; i < F.TextStyles.Count(); ++i)
      maps.Text.push_back(Style.FindTextStyle(*F.TextStyles.Items(i)));
  if (F.HasParaStyles)
    for (int i = 0; i < F.ParaStyles.Count(); ++i)
      maps.Para.push_back(Style.FindParaStyle(*F.ParaStyles.Items(i)));
  return maps;
}

void MapItem(TCustomRVItemInfo& Item, const TStyleMaps& Maps) {
  if (Item.StyleNo >= 0)
    Item.StyleNo = Maps.MapText(Item.StyleNo);
  else if (const std::int32_t assoc = Item.GetAssociatedTextStyleNo(); assoc >= 0)
    Item.SetAssociatedTextStyleNo(Maps.MapText(assoc));
  Item.ParaNo = Maps.MapPara(Item.ParaNo);
}

} // namespace

std::unique_ptr<TRVFFragment> RVFParse(std::string_view Bytes, TCustomRVData& RVData) {
  auto fragment = std::make_unique<TRVFFragment>();
  TRVFParser(Bytes, RVData, *fragment).Run();
  return fragment;
}

void RVFLoadDocument(TCustomRVData& RVData, std::string_view Bytes, TRVFStyleLoading Styles) {
  RVLoadFragment(RVData, *RVFParse(Bytes, RVData), Styles);
}

void RVLoadFragment(TCustomRVData& RVData, TRVFFragment& Fragment, TRVFStyleLoading Styles) {
  TRVFFragment* f = &Fragment;
  TRVStyle* style = RVData.GetRVStyle();
  TStyleMaps maps;
  if (style != nullptr) {
    if (Styles == TRVFStyleLoading::rvfslReplace) {
      if (f->HasTextStyles)
        ReplaceCollection(style->TextStyles, f->TextStyles);
      if (f->HasParaStyles)
        ReplaceCollection(style->ParaStyles, f->ParaStyles);
      if (f->HasUnits)
        style->Units = f->Units;
    } else {
      maps = MergeStyles(*style, *f);
    }
  }
  RVData.Clear(); // clears the document properties too
  if (f->HasDocProperties)
    if (TRVRootProperties* props = RVData.GetRootProperties())
      props->DocProperties = std::move(f->DocProperties);
  std::int32_t lastPara = 0;
  for (std::size_t i = 0; i < f->Items.size(); ++i) {
    std::unique_ptr<TCustomRVItemInfo> item = std::move(f->Items[i]);
    MapItem(*item, maps);
    if (i == 0) {
      item->ItemOptions.Exclude(rvioSameAsPrev);
      item->ItemOptions.Exclude(rvioBR);
    }
    if (item->ParaNo < 0)
      item->ParaNo = lastPara;
    lastPara = item->ParaNo;
    std::unique_ptr<TRVCPInfo> cp = std::move(item->Checkpoint);
    if (cp)
      RVData.AddCheckpoint(cp->Name, cp->RaiseEvent, cp->Tag);
    TCustomRVItemInfo* added = item.get();
    TRVUnicodeString text = std::move(item->ItemText);
    RVData.AddItemAsIs(text, std::move(item));
    if (cp && added->Checkpoint)
      added->Checkpoint->Persistent = cp->Persistent;
  }
  if (f->EndCheckpoint) {
    RVData.AddCheckpoint(f->EndCheckpoint->Name, f->EndCheckpoint->RaiseEvent,
                         f->EndCheckpoint->Tag);
    RVData.NotAddedCP->Persistent = f->EndCheckpoint->Persistent;
  }
}

std::vector<std::unique_ptr<TCustomRVItemInfo>> RVFReadItemsForInsertion(TCustomRVData& RVData,
                                                                        std::string_view Bytes) {
  return RVFragmentItemsForInsertion(RVData, *RVFParse(Bytes, RVData));
}

std::vector<std::unique_ptr<TCustomRVItemInfo>>
RVFragmentItemsForInsertion(TCustomRVData& RVData, TRVFFragment& Fragment) {
  TRVFFragment* f = &Fragment;
  TStyleMaps maps;
  if (TRVStyle* style = RVData.GetRVStyle())
    maps = MergeStyles(*style, *f);
  for (auto& item : f->Items) {
    MapItem(*item, maps);
    item->Checkpoint.reset(); // a pasted anchor would duplicate a name of the document
  }
  return std::move(f->Items);
}

} // namespace richtext
