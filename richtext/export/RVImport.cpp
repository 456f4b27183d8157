#include "richtext/export/RVImport.h"

#include <algorithm>
#include <array>
#include <utility>

#include "richtext/document/RVItem.h"
#include "richtext/document/RVItemKinds.h"

namespace richtext {

namespace {

// Half points of heading text, level 1 first.
constexpr std::array<int, 6> kHeadingSizes = {32, 28, 24, 22, 20, 18};

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

} // namespace

bool RVIsCodeFontName(std::u16string_view Name) {
  static constexpr std::u16string_view names[] = {
      u"Courier New", u"Courier",         u"Consolas",        u"Monaco",
      u"monospace",   u"Liberation Mono", u"DejaVu Sans Mono", u"Lucida Console",
      u"Menlo",       u"Noto Mono",       u"Source Code Pro",  u"Cousine"};
  return std::any_of(std::begin(names), std::end(names),
                     [&](std::u16string_view n) { return EqualsNoCase(n, Name); });
}

TRVImportBuilder::TRVImportBuilder(TCustomRVData& RVData, std::string ErrorPrefix)
    : FData(RVData), FSheet([&]() -> TRVStyle& {
        TRVStyle* sheet = RVData.GetRVStyle();
        if (sheet == nullptr)
          throw ERichViewError(ErrorPrefix + "the document has no style sheet");
        return *sheet;
      }()),
      FErrorPrefix(std::move(ErrorPrefix)), FFragment(std::make_unique<TRVFFragment>()) {
  FFragment->HasTextStyles = true;
  FFragment->HasParaStyles = true;
}

void TRVImportBuilder::Fail(const std::string& What) const {
  throw ERichViewError(FErrorPrefix + What);
}

void TRVImportBuilder::AddText(std::u16string_view Text) {
  static constexpr char16_t special[] = {u'\t', u'\0'};
  while (!Text.empty()) {
    const std::size_t at = Text.find_first_of(std::u16string_view(special, 2));
    FRun.append(Text.substr(0, at));
    if (at == std::u16string_view::npos)
      return;
    if (Text[at] == u'\t') {
      Flush();
      AddItem(TextStyleFor(FFormat), {}, true);
    }
    Text.remove_prefix(at + 1);
  }
}

void TRVImportBuilder::SetFormat(const TRVImportCharFormat& Format) {
  if (!FRun.empty() &&
      (Format.Bold != FFormat.Bold || Format.Italic != FFormat.Italic ||
       Format.Underline != FFormat.Underline || Format.StrikeOut != FFormat.StrikeOut ||
       Format.Code != FFormat.Code || Format.FontName != FFormat.FontName ||
       Format.SizeDouble != FFormat.SizeDouble || Format.HasColor != FFormat.HasColor ||
       Format.Color != FFormat.Color || Format.Link != FFormat.Link))
    Flush();
  FFormat = Format;
}

void TRVImportBuilder::LineBreak() {
  Flush();
  if (!FParaHasItems || FPendingBreak)
    AddEmptyItem();
  FPendingBreak = true;
}

void TRVImportBuilder::EndParagraph(bool Force, bool KeepLastBreak) {
  Flush();
  if ((!FParaHasItems && Force) || (FPendingBreak && KeepLastBreak))
    AddEmptyItem();
  FParaHasItems = false;
  FPendingBreak = false;
}

void TRVImportBuilder::SetParagraph(TRVImportParaKind Kind, int Level) {
  FParaKind = Kind;
  FParaLevel = Kind == TRVImportParaKind::Heading ? std::clamp(Level, 1, 6) : 0;
}

void TRVImportBuilder::Flush() {
  if (FRun.empty())
    return;
  // A surrogate without its other half (a damaged \u pair, an unpaired reference) would make
  // the text unwritable as UTF-8; it becomes U+FFFD.
  for (std::size_t i = 0; i < FRun.size(); ++i) {
    const char16_t c = FRun[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < FRun.size() && FRun[i + 1] >= 0xDC00 &&
        FRun[i + 1] <= 0xDFFF)
      ++i;
    else if (c >= 0xD800 && c <= 0xDFFF)
      FRun[i] = u'\uFFFD';
  }
  // A copy of its own size for the item; the run keeps its memory for the next one.
  AddItem(TextStyleFor(FFormat), std::u16string(FRun), false);
  FRun.clear();
}

void TRVImportBuilder::AddEmptyItem() {
  // An empty line is no part of a link: there is nothing in it to follow.
  const std::u16string link = std::exchange(FFormat.Link, {});
  AddItem(TextStyleFor(FFormat), {}, false);
  FFormat.Link = link;
}

void TRVImportBuilder::AddItem(std::int32_t StyleNo, std::u16string Text, bool Tab) {
  if (FFragment->Items.size() >= RVImportMaxItems)
    Fail("more than " + std::to_string(RVImportMaxItems) + " items");
  std::unique_ptr<TCustomRVItemInfo> item = CreateRichViewItem(Tab ? rvsTab : StyleNo, &FData);
  if (Tab) {
    item->StyleNo = rvsTab;
    item->SetAssociatedTextStyleNo(StyleNo);
  } else {
    item->StyleNo = StyleNo;
    item->ItemText = std::move(Text);
    if (!FFormat.Link.empty())
      item->Tag = FFormat.Link;
  }
  if (!FParaHasItems) {
    FParaNo = ParaStyleFor(FParaKind, FParaLevel);
  } else if (FPendingBreak) {
    item->ItemOptions.Include(rvioBR);
  } else {
    item->ItemOptions.Include(rvioSameAsPrev);
  }
  item->ParaNo = FParaNo;
  FParaHasItems = true;
  FPendingBreak = false;
  FFragment->Items.push_back(std::move(item));
}

std::int32_t TRVImportBuilder::TextStyleFor(const TRVImportCharFormat& F) {
  const bool link = !F.Link.empty();
  const int heading = FParaKind == TRVImportParaKind::Heading ? FParaLevel : 0;
  const int flags = (F.Bold ? 1 : 0) | (F.Italic ? 2 : 0) | (F.Underline ? 4 : 0) |
                    (F.StrikeOut ? 8 : 0) | (F.Code ? 16 : 0) | (link ? 32 : 0) | (heading << 6);
  TTextKey key{flags, F.FontName, F.SizeDouble, F.HasColor, F.Color};
  if (const auto it = FTextStyles.find(key); it != FTextStyles.end())
    return it->second;
  TFontInfo* fi = FFragment->TextStyles.Add();
  fi->Assign(*FSheet.TextStyles.Items(0));
  fi->Standard = false;
  if (heading > 0) {
    fi->Style.Include(fsBold);
    fi->SizeDouble = kHeadingSizes[static_cast<std::size_t>(heading - 1)];
  }
  if (!F.FontName.empty())
    fi->FontName = F.FontName;
  if (F.Code)
    fi->FontName = RVCodeFontName;
  if (F.SizeDouble > 0)
    fi->SizeDouble = F.SizeDouble;
  if (F.HasColor)
    fi->Color = F.Color;
  if (F.Bold)
    fi->Style.Include(fsBold);
  if (F.Italic)
    fi->Style.Include(fsItalic);
  if (F.Underline)
    fi->Style.Include(fsUnderline);
  if (F.StrikeOut)
    fi->Style.Include(fsStrikeOut);
  if (link) {
    // A link the source left without a colour of its own looks as the link tool's link does.
    if (!F.HasColor)
      fi->Color = clBlue;
    fi->Style.Include(fsUnderline);
    fi->Jump = true;
  }
  const std::int32_t no = FFragment->TextStyles.Count() - 1;
  FTextStyles.emplace(std::move(key), no);
  return no;
}

std::int32_t TRVImportBuilder::ParaStyleFor(TRVImportParaKind Kind, int Level) {
  const std::pair<int, int> key{static_cast<int>(Kind), Level};
  if (const auto it = FParaStyles.find(key); it != FParaStyles.end())
    return it->second;
  TParaInfo* pi = FFragment->ParaStyles.Add();
  pi->Assign(*FSheet.ParaStyles.Items(0));
  pi->Standard = false;
  if (Kind == TRVImportParaKind::Heading)
    pi->OutlineLevel = Level;
  else if (Kind == TRVImportParaKind::ListItem)
    pi->LeftIndent += FSheet.TwipsToUnits(RVImportListIndentTwips);
  const std::int32_t no = FFragment->ParaStyles.Count() - 1;
  FParaStyles.emplace(key, no);
  return no;
}

std::unique_ptr<TRVFFragment> TRVImportBuilder::Finish() {
  EndParagraph();
  if (FFragment->Items.empty()) {
    FParaKind = TRVImportParaKind::Normal;
    EndParagraph(true);
  }
  return std::move(FFragment);
}

} // namespace richtext
