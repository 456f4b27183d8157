// One formatting pass over a document: lines are started, filled with runs and items, and
// finished (aligned, spaced) in document order. Internal to the formatted-data layer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "richtext/layout/CRVFData.h"
#include "richtext/layout/RVFontCache.h"
#include "richtext/layout/RVTextMeasure.h"
#include "richtext/layout/RVTextWidths.h"

namespace richtext {

class TParaInfo;
class TRVStyle;

// The class a new drawing item of Item gets in a paragraph of ParaStyle.
std::unique_ptr<TRVDrawLineInfo> GetStandardDrawLineInfoClass(TCustomRVItemInfo* Item,
                                                              const TParaInfo& ParaStyle);

// Whether a line may start at AfterX at all: the next tab stop of a paragraph from X (x
// measured from the left margin), in device pixels.
struct TRVTabStop {
  std::int32_t Position = 0;
  TRVTabAlign Align = rvtaLeft;
  std::u16string Leader;
};
TRVTabStop RVGetNextTab(const TRVStyle& RVStyle, const TParaInfo& Para, std::int32_t X,
                        const TRVScreenAndDevice& sad);

class TRVFormatter {
public:
  TRVFormatter(TCustomRVFormattedData& Data, TRVStyle& RVStyle, TRVFormatParams& Params,
               TRVScreenAndDevice& sad);

  void FormatItem(std::int32_t ItemNo);
  void UpdateLastTab();
  std::int32_t FinishScreenLine(bool IsParaSectionFinished);

private:
  // Text.
  void FormatText(std::int32_t ItemNo);
  void FormatEmptyText(std::int32_t ItemNo, bool NewLine);
  void AddTextDrawItem(std::int32_t ItemNo, std::int32_t Offs, std::int32_t Length, TRVSize Size,
                       bool StartsLine, std::uint8_t BiDiLevel = 0);
  // The run of Length characters from Offs of the item as drawing items, one per stretch of
  // one bidirectional level, each measured on its own; Size is the size of the whole run.
  void AddTextRuns(std::int32_t ItemNo, std::int32_t Offs, std::int32_t Length,
                   std::int32_t StyleNo, std::u16string_view Disp, TRVSize Size, bool StartsLine);
  bool NextItemsCanBePlacedOnThisLine(std::int32_t ItemNo, std::int32_t CurDrawItemWidth,
                                      std::u16string_view RunText);
  bool AllowSplitBefore(std::int32_t ItemNo);
  // Non-text.
  void FormatFullLine(std::int32_t ItemNo);
  void FormatNonText(std::int32_t ItemNo);
  // Lines.
  void OnStartNewLine(std::int32_t ItemNo, bool Wrapping);
  void GetIndents(std::int32_t ItemNo, bool IsParaSectionStart, std::int32_t& FirstIndent,
                  std::int32_t& RightIndent, std::int32_t& LeftIndent);
  void AdjustLineHeight(std::int32_t H);
  void PlaceLineTop(TRVDrawLineInfo& d, std::int32_t Ascent);
  std::int32_t ProcessLineSpacing(std::int32_t FirstNo, std::int32_t LastNo, const TParaInfo& Para);
  void JustifyLine(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX,
                   std::int32_t DefaultDX);
  void DistributeLine(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX,
                      std::int32_t DefaultDX);
  std::int32_t FirstItemAfterLastTab(std::int32_t FirstNo, std::int32_t LastNo);
  // A line with right-to-left runs is shown in visual order: its drawing items (kept in logical
  // order) are given their places from the left in the order of their levels.
  void ReorderLine(std::int32_t FirstNo, std::int32_t LastNo);
  void SpreadExtraWidth(std::int32_t FirstNo, std::int32_t Start, std::int32_t LastNo,
                        std::int32_t DX, std::int32_t DefaultDX,
                        const std::vector<std::int32_t>& Counts, std::int64_t Total);
  void ShiftItems(std::int32_t FirstNo, std::int32_t LastNo, std::int32_t DX);
  // Fonts.
  void DoApplyFontWhileFormatting(std::int32_t StyleNo);
  TRVMeasureContext Measure(std::int32_t StyleNo);
  TRVSize RunSize(std::int32_t StyleNo, std::u16string_view Run);
  // Paragraph questions.
  const TParaInfo& Para(std::int32_t ParaNo) const;
  bool ParaWraps(const TParaInfo& Para) const;
  bool IsLastOfSection(std::int32_t ItemNo);
  // The text as measured and shown; Count > 0 processes only the first Count characters.
  std::u16string DisplayText(std::int32_t ItemNo, std::int32_t StyleNo, std::size_t Count = 0);

  // The display text of a text item in its style's font, measured once while its lines are
  // made. The item being laid out and the one before it are kept: a wrap trims the last run of
  // the line before, which may belong to the previous item.
  struct TMeasuredText {
    std::int32_t ItemNo = -1;
    std::int32_t StyleNo = -1;
    std::u16string Text;
    TRVTextWidths Widths;
  };
  TMeasuredText& MeasureItemText(std::int32_t ItemNo, std::int32_t StyleNo);
  const TMeasuredText* MeasuredText(std::int32_t ItemNo) const;
  const TRVTextWidths* WidthsFor(std::int32_t StyleNo, std::u16string_view Run) const;

  // The bidirectional levels of the paragraph being laid out: per unit of its text (its text
  // items one after another, each other item one object character), none when the paragraph
  // is wholly left to right; Level is the paragraph's own.
  struct TParaBiDi {
    std::int32_t FirstItemNo = -1;
    std::int32_t LastItemNo = -1;
    int Level = 0;
    std::vector<std::uint8_t> Levels;
    std::vector<std::int32_t> ItemStart;
  };
  const TParaBiDi& ParaBiDi(std::int32_t ItemNo);
  // The level of character Index (0-based) of the item, or of a non-text item.
  std::uint8_t LevelAt(std::int32_t ItemNo, std::int32_t Index);

  TParaBiDi FBiDi;
  TCustomRVFormattedData& D;
  TRVStyle& S;
  TRVFormatParams& P;
  TRVScreenAndDevice& sad;
  TRVGraphicInterface& GI;
  // What the current pass over a text item can see.
  std::int32_t SpaceTillTheEndOfLine = 0;
  std::int32_t CurItemNo = -1;
  std::unique_ptr<TMeasuredText> FCurText = std::make_unique<TMeasuredText>();
  std::unique_ptr<TMeasuredText> FPrevText = std::make_unique<TMeasuredText>();
};

} // namespace richtext
