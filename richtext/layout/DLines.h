// Drawing items: the rectangles a formatted document is made of, one per run of a text item on
// one line or per non-text item, and the list that holds them.
//
// The base class carries what every item needs; the descendants add storage for what only some
// paragraphs need (justification, extra line spacing, floating boxes), so a plain left-aligned
// paragraph costs no more than the base. Optional properties read 0 and ignore writes where the
// class has no storage for them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "richtext/layout/RVMeasuredRun.h"

namespace richtext {

class TRVItemList;
class TRVStream;

class TRVDrawLineInfo {
public:
  TRVDrawLineInfo() = default;
  // CreateEx.
  TRVDrawLineInfo(std::int32_t ALeft, std::int32_t ATop, std::int32_t AWidth,
                  std::int32_t AHeight, std::int32_t AItemNo, bool AFromNewLine);
  virtual ~TRVDrawLineInfo() = default;
  TRVDrawLineInfo(const TRVDrawLineInfo&) = delete;
  TRVDrawLineInfo& operator=(const TRVDrawLineInfo&) = delete;

  // Declared fields, in stream order.
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t ItemNo = 0;
  // 1-based first character of a text run; 1 for an empty text item, 0 for non-text.
  std::int32_t Offs = 0;
  std::int32_t TextLength = 0;
  std::int32_t BaseLine = 0;
  bool FromNewLine = false;
  bool FromNewPara = false;
  bool FloatingAboveUsed = false;

  // Not streamed: the run's resolved bidirectional level (odd: right to left), set by
  // formatting; and its positions as drawn, made on first use
  // (TCustomRVFormattedData::MeasuredRun).
  std::uint8_t BiDiLevel = 0;
  std::unique_ptr<TRVMeasuredRun> Measured;

  // -- optional properties, in dispatch order --
  virtual std::int32_t GetSpaceAtLeft() const { return 0; }
  virtual void SetSpaceAtLeft(std::int32_t) {}
  virtual std::int32_t GetExtraSpaceAbove() const { return 0; }
  virtual void SetExtraSpaceAbove(std::int32_t) {}
  virtual std::int32_t GetExtraSpaceBelow() const { return 0; }
  virtual void SetExtraSpaceBelow(std::int32_t) {}
  virtual std::int32_t GetObjectHeight() const { return Height; }
  virtual std::int32_t GetObjectLeft() const { return Left; }
  virtual std::int32_t GetObjectTop() const { return Top; }
  virtual std::int32_t GetObjectWidth() const { return Width; }
  virtual std::int32_t GetTextWidth() const { return Width; }
  virtual std::int32_t GetSpaceCount() const { return 0; }
  virtual std::int32_t GetStreamingId() const { return 0; }
  virtual std::int32_t GetLeftNoExpandIndex() const { return 0; }
  virtual std::int32_t GetRightNoExpandIndex() const { return 0; }
  virtual void SetLeftNoExpandIndex(std::int32_t) {}
  virtual void SetRightNoExpandIndex(std::int32_t) {}
  virtual void SetSpaceCount(std::int32_t) {}
  virtual void SetTextWidth(std::int32_t) {}
  void SetData(std::int32_t ALeft, std::int32_t ATop, std::int32_t AItemNo, bool AFromNewLine);
  void SetSize(std::int32_t AWidth, std::int32_t AHeight);

  // Page splitting belongs to printing; a plain item never splits.
  virtual bool CanSplitFirst(std::int32_t /*Y*/) const { return false; }
  virtual std::int32_t InitSplit() { return 0; }
  virtual bool SplitAt(std::int32_t /*Y*/) { return false; }

  // The declared fields as laid out in memory (booleans one byte each, records padded to four
  // bytes); descendants append theirs.
  virtual void WriteFields(TRVStream& Stream) const;
  virtual void ReadFields(TRVStream& Stream);
};

class TRVJustifyDrawLineInfo : public TRVDrawLineInfo {
public:
  using TRVDrawLineInfo::TRVDrawLineInfo;
  std::int32_t GetTextWidth() const override { return FTextWidth; }
  void SetTextWidth(std::int32_t Value) override { FTextWidth = Value; }
  // List markers keep their offset where justified runs keep their natural width.
  std::int32_t GetMarkerOffset() const { return FTextWidth; }
  void SetMarkerOffset(std::int32_t Value) { FTextWidth = Value; }
  std::int32_t GetSpaceCount() const override { return FSpaceCount; }
  void SetSpaceCount(std::int32_t Value) override { FSpaceCount = Value; }
  std::int32_t GetLeftNoExpandIndex() const override { return FLeftNoExpandIndex; }
  void SetLeftNoExpandIndex(std::int32_t Value) override { FLeftNoExpandIndex = Value; }
  std::int32_t GetRightNoExpandIndex() const override { return FRightNoExpandIndex; }
  void SetRightNoExpandIndex(std::int32_t Value) override { FRightNoExpandIndex = Value; }
  std::int32_t GetStreamingId() const override { return 1; }
  void WriteFields(TRVStream& Stream) const override;
  void ReadFields(TRVStream& Stream) override;

protected:
  std::int32_t FTextWidth = 0;
  std::int32_t FSpaceCount = 0;
  std::int32_t FLeftNoExpandIndex = 0;
  std::int32_t FRightNoExpandIndex = 0;
};

class TRVSimpleLineHeightDrawLineInfo : public TRVJustifyDrawLineInfo {
public:
  using TRVJustifyDrawLineInfo::TRVJustifyDrawLineInfo;
  std::int32_t GetExtraSpaceBelow() const override { return FExtraSpaceBelow; }
  void SetExtraSpaceBelow(std::int32_t Value) override { FExtraSpaceBelow = Value; }
  std::int32_t GetStreamingId() const override { return 2; }
  void WriteFields(TRVStream& Stream) const override;
  void ReadFields(TRVStream& Stream) override;

protected:
  std::int32_t FExtraSpaceBelow = 0;
};

class TRVComplexLineHeightDrawLineInfo : public TRVSimpleLineHeightDrawLineInfo {
public:
  using TRVSimpleLineHeightDrawLineInfo::TRVSimpleLineHeightDrawLineInfo;
  std::int32_t GetExtraSpaceAbove() const override { return FExtraSpaceAbove; }
  void SetExtraSpaceAbove(std::int32_t Value) override { FExtraSpaceAbove = Value; }
  std::int32_t GetStreamingId() const override { return 3; }
  void WriteFields(TRVStream& Stream) const override;
  void ReadFields(TRVStream& Stream) override;

protected:
  std::int32_t FExtraSpaceAbove = 0;
};

enum class TRVFloatingDrawItemType : std::uint8_t { rvdifLeft, rvdifRight };
using enum TRVFloatingDrawItemType;

class TRVFloatingDrawLineInfo : public TRVComplexLineHeightDrawLineInfo {
public:
  using TRVComplexLineHeightDrawLineInfo::TRVComplexLineHeightDrawLineInfo;
  std::int32_t FloatLeft = 0;
  std::int32_t FloatTop = 0;
  std::int32_t FloatWidth = 0;
  std::int32_t FloatHeight = 0;
  TRVFloatingDrawItemType FloatType = rvdifLeft;
  std::int32_t FloatRight() const { return FloatLeft + FloatWidth; }
  std::int32_t FloatBottom() const { return FloatTop + FloatHeight; }
  std::int32_t GetStreamingId() const override { return 4; }
  void WriteFields(TRVStream& Stream) const override;
  void ReadFields(TRVStream& Stream) override;
};

// The drawing item class of a streaming id; none for an unknown id.
std::unique_ptr<TRVDrawLineInfo> RVCreateDrawLineInfo(std::int32_t StreamingId);

// The drawing items of one document, in order; it owns them.
//
// The deletion window lets a partial reformat rebuild a range of lines in place: the old items
// of the range are freed (MarkForDelete), new ones fill the freed slots from the front (Insert
// at the window start), and what is left over is removed once (DeleteMarked), so the tail of the
// list is shifted at most once instead of once per item.
class TRVDrawLines {
public:
  TRVDrawLines() = default;
  TRVDrawLines(const TRVDrawLines&) = delete;
  TRVDrawLines& operator=(const TRVDrawLines&) = delete;

  std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
  // EListError outside the list; an empty slot of the deletion window is none.
  TRVDrawLineInfo* Items(std::int32_t Index) const;
  TRVDrawLineInfo* operator[](std::int32_t Index) const { return Items(Index); }

  TRVDrawLineInfo* Add(std::unique_ptr<TRVDrawLineInfo> Item);
  // While the window is open, Index must be its start ("Assertion failure" otherwise).
  TRVDrawLineInfo* Insert(std::int32_t Index, std::unique_ptr<TRVDrawLineInfo> Item);
  // While the window is open, only the item right before it may be deleted; it joins the window.
  void Delete(std::int32_t Index);
  void MarkForDelete(std::int32_t First, std::int32_t Last);
  void DeleteMarked();
  void Clear();
  // Exchanges the contents (items and deletion windows) of two lists.
  void Swap(TRVDrawLines& Other) {
    FItems.swap(Other.FItems);
    std::swap(FStartDeletedIndex, Other.FStartDeletedIndex);
    std::swap(FDeletedCount, Other.FDeletedCount);
  }

  std::int32_t GetStartDeletedIndex() const { return FStartDeletedIndex; }
  std::int32_t GetDeletedCount() const { return FDeletedCount; }

  // The characters of a text run: Copy(item text, Offs, TextLength).
  std::u16string GetString(std::int32_t Index, const TRVItemList& Items) const;

  // One line per drawing item:
  //   <index>: item <ItemNo> offs <Offs> len <TextLength> at <Left>,<Top> size <Width>x<Height>
  //   base <BaseLine> [L][P] "<run text>"
  // L = FromNewLine, P = FromNewPara; the run text only when Items is given.
  std::string Dump(const TRVItemList* Items = nullptr) const;

private:
  void CheckIndex(std::int32_t Index) const;
  std::vector<std::unique_ptr<TRVDrawLineInfo>> FItems;
  std::int32_t FStartDeletedIndex = -1;
  std::int32_t FDeletedCount = 0;
};

// A drawing item list holding the floating boxes met so far.
class TRVFloatingDrawItems : public TRVDrawLines {};

// The error of an internal inconsistency of drawing items or the formatting stream.
[[noreturn]] void RVDLinesAssertionFailure();

} // namespace richtext
