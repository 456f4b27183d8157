// What the HTML and RTF readers share: the character and paragraph formatting other programs
// carry, and the builder that turns runs of text in that formatting into a fragment of items
// with a style collection of its own, ready for RVLoadFragment or RVFragmentItemsForInsertion.
//
// Styles are made from the document's sheet: text style 0 and paragraph style 0 are the base,
// a hyperlink is the base made blue, underlined and a jump (as the link tool makes its link),
// a heading is bold and larger with the paragraph's outline level set, a list item is indented.
// Merging the fragment into the sheet then finds these styles where the sheet has them and adds
// only what it lacks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "richtext/export/RVFReader.h"

namespace richtext {

// Limits against hostile input; a reader raises its error when one is passed.
inline constexpr std::size_t RVImportMaxBytes = 256u * 1024u * 1024u;
inline constexpr std::size_t RVImportMaxItems = 4u * 1024u * 1024u;
inline constexpr int RVImportMaxDepth = 512;

// Fonts that mark a run as code when a document is written as Markdown or BBCode, and the one
// the readers give to code.
inline constexpr const char16_t* RVCodeFontName = u"Courier New";
bool RVIsCodeFontName(std::u16string_view Name);

// The paragraph style of a list item is the base one indented by a quarter inch.
inline constexpr int RVImportListIndentTwips = 360;

struct TRVImportCharFormat {
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false, Code = false;
  // Empty: the base style's font, size and colour.
  std::u16string FontName;
  int SizeDouble = 0;
  bool HasColor = false;
  TColor Color = clNone;
  // A hyperlink's target; empty outside a link.
  std::u16string Link;
};

enum class TRVImportParaKind : std::uint8_t { Normal, Heading, ListItem };

class TRVImportBuilder {
public:
  // Throws ERichViewError(ErrorPrefix + ...) when a limit is passed or RVData has no sheet.
  TRVImportBuilder(TCustomRVData& RVData, std::string ErrorPrefix);

  // Text in the current formatting; zero characters are dropped, and CR, LF and tabs are the
  // reader's business (a tab here becomes a tab item).
  void AddText(std::u16string_view Text);
  void SetFormat(const TRVImportCharFormat& Format);
  const TRVImportCharFormat& Format() const { return FFormat; }
  // The next text starts a new line inside the paragraph; twice in a row leaves an empty line.
  void LineBreak();
  // Ends the paragraph, if it holds anything; an empty paragraph is kept only when Force. A
  // line break just before the end is dropped (as a browser shows "a<br></p>") unless
  // KeepLastBreak (as a word processor shows "a\line\par": an empty line after "a").
  void EndParagraph(bool Force = false, bool KeepLastBreak = false);
  // The kind of the paragraph being filled (Level 1 to 6 for headings).
  void SetParagraph(TRVImportParaKind Kind, int Level = 0);
  bool ParagraphEmpty() const { return !FParaHasItems && FRun.empty(); }

  std::size_t ItemCount() const { return FFragment->Items.size(); }
  [[noreturn]] void Fail(const std::string& What) const;

  // The fragment; the builder is done afterwards. A fragment of no items holds one empty
  // paragraph, so that loading it leaves an empty document rather than none.
  std::unique_ptr<TRVFFragment> Finish();

private:
  void Flush();
  // An empty text item (an empty line or paragraph) in the current formatting, but no link.
  void AddEmptyItem();
  void AddItem(std::int32_t StyleNo, std::u16string Text, bool Tab);
  std::int32_t TextStyleFor(const TRVImportCharFormat& F);
  std::int32_t ParaStyleFor(TRVImportParaKind Kind, int Level);

  TCustomRVData& FData;
  TRVStyle& FSheet;
  std::string FErrorPrefix;
  std::unique_ptr<TRVFFragment> FFragment;
  TRVImportCharFormat FFormat;
  std::u16string FRun;
  TRVImportParaKind FParaKind = TRVImportParaKind::Normal;
  int FParaLevel = 0;
  bool FParaHasItems = false;
  bool FPendingBreak = false;
  std::int32_t FParaNo = -1;
  using TTextKey = std::tuple<int, std::u16string, int, bool, TColor>;
  std::map<TTextKey, std::int32_t> FTextStyles;
  std::map<std::pair<int, int>, std::int32_t> FParaStyles;
};

} // namespace richtext
