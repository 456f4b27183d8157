// The style sheet: text styles, paragraph styles, and the colours, cursors and options with
// which documents are shown. Items do not carry formatting; they name styles by index.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "richtext/graphics/RVCanvas.h"
#include "richtext/graphics/RVGrIn.h"
#include "richtext/style/RVStyleTypes.h"

namespace richtext {

class TRVStyle;
class TCustomRVInfos;

// -- drawing runs of text (RVStyleDraw*.cpp) --------------------------------------------------

// Patterns of decoration lines.
enum TRVLineStyle : std::uint8_t {
  rvlsNormal,
  rvlsRoundDotted,
  rvlsDotted,
  rvlsDashed,
  rvlsDashDotted,
  rvlsDashDotDotted,
  rvlsHidden
};

// Where a run of text goes on the canvas, in canvas pixels.
struct TRVTextRunGeometry {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  // The canvas y of the baseline.
  int BaseLine = 0;
  // Empty space before the text, inside the rectangle.
  int SpaceAtLeft = 0;
  // The text's natural width and the number of units (spaces, or in a distributed paragraph
  // characters) that widen it to Width.
  int TextWidth = 0;
  int SpaceCount = 0;
  // Where the characters go: one advance per UTF-16 unit of the drawn string, the spreading of
  // a justified or distributed run included. Empty: the text is output in one piece.
  std::span<const int> Advances{};
};

// A decoration line of thickness t centred at Y from X1 to X2 in Color. Unit is the pattern's
// unit in 1/96 inch (0: sizes follow t), scaled to PixelsPerInch.
void RVDrawDecorationLine(TRVCanvas& Canvas, int X1, int X2, int Y, int t, TRVLineStyle Style,
                          int Unit, int PixelsPerInch, TColor Color);
// ---------------------------------------------------------------------------------------------

// Objects copied by Assign. An unsupported source raises "Cannot assign a %s to a %s".
class TRVPersistent {
public:
  virtual ~TRVPersistent() = default;
  virtual const char* ClassName() const = 0;
  virtual void Assign(const TRVPersistent& Source);

protected:
  [[noreturn]] void AssignError(const TRVPersistent& Source) const;
};

// ---------------------------------------------------------------------------------------------
// Style bases

class TCustomRVInfo : public TRVPersistent {
public:
  explicit TCustomRVInfo(TCustomRVInfos* Collection);
  const char* ClassName() const override { return "TCustomRVInfo"; }

  int BaseStyleNo = -1;
  std::u16string StyleName;
  bool Standard = true;

  TCustomRVInfos* GetCollection() const { return FCollection; }
  // The collection's item id (unique within the collection, never reused); -1 outside one.
  int GetID() const { return FID; }
  // Position in the collection, -1 outside one.
  int GetIndex() const;

  virtual std::u16string GetDefaultStyleName() const { return {}; }
  // The style sheet that owns the style's collection; none for a free-standing style.
  virtual TRVStyle* GetRVStyle() const;

  virtual bool IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                             bool IgnoreID = true) const;
  // Mapping maps the other sheet's style indices to this sheet's; may clear a reference of
  // Value that lies beyond it.
  virtual bool IsSimpleEqualEx(TCustomRVInfo& Value, const std::vector<int>& Mapping) const;
  virtual int SimilarityValue(const TCustomRVInfo& Value) const;
  virtual void Reset() { BaseStyleNo = -1; }

protected:
  friend class TCustomRVInfos;
  TCustomRVInfos* FCollection = nullptr;
  int FID = -1;
};

class TCustomFontOrParaRVInfo : public TCustomRVInfo {
public:
  using TCustomRVInfo::TCustomRVInfo;
  const char* ClassName() const override { return "TCustomFontOrParaRVInfo"; }
  int StyleTemplateId = -1;
};

// ---------------------------------------------------------------------------------------------
// Text styles

class TCustomRVFontInfo : public TCustomFontOrParaRVInfo {
public:
  explicit TCustomRVFontInfo(TCustomRVInfos* Collection);
  const char* ClassName() const override { return "TCustomRVFontInfo"; }

  TRVBiDiMode BiDiMode = rvbdUnspecified;
  TCursor JumpCursor = crJump;
  std::u16string FontName = u"Arial";
  int SizeDouble = 20; // half points
  TColor Color = clWindowText;
  TColor BackColor = clNone;
  TColor HoverColor = clNone;
  TColor HoverBackColor = clNone;
  TColor UnderlineColor = clNone;
  TColor HoverUnderlineColor = clNone;
  TRVUnderlineType UnderlineType = rvutNormal;
  TRVHoverEffects HoverEffects;
  TFontStyles Style;
  TRVFontStylesEx StyleEx;
  int VShift = 0;
  TFontCharset Charset = DEFAULT_CHARSET;
  TRVProtectOptions Protection;
  TRVTextOptions Options;
  int CharScale = 100;
  int CharSpacing = 0;
  int EmptyWidth = 0;
  TRVSubSuperScriptType SubSuperScriptType = rvsssNormal;
  int ParaStyleTemplateId = -1;

  // Whole points: SizeDouble / 2 toward zero; setting stores twice the value.
  int GetSize() const { return SizeDouble / 2; }
  void SetSize(int Value) { SizeDouble = Value * 2; }

  std::u16string GetDefaultStyleName() const override { return u"Font Style"; }
  void Assign(const TRVPersistent& Source) override;
  // From a font of the drawing layer: face, size, colour, style set and character set.
  void Assign(const TRVFont& Source);
  void Reset() override;
  virtual bool IsEqual(const TCustomRVFontInfo& Value, TRVFontInfoProperties IgnoreList) const;
  bool IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  int SimilarityValue(const TCustomRVInfo& Value) const override;

  // The simple font path can be used (no horizontal scaling).
  bool CanUseTFont() const { return CharScale == 100; }

  // Puts the style's font, character spacing and text alignment on the canvas. Without
  // CanUseCustomPPI the canvas font's own resolution is used; ToFormatCanvas lays out for the
  // high-resolution format canvas (100 times the resolution).
  void Apply(TRVCanvas& Canvas, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
             bool IgnoreSubSuperScript, bool ToFormatCanvas,
             TRVGraphicInterface* GraphicInterface) const;
  // Colours for drawing text in the given state (see TRVStyle::ApplyStyleColor).
  void ApplyColor(TRVCanvas& Canvas, const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                  bool Printing, TRVColorMode ColorMode) const;
  void ApplyTextColor(TRVCanvas& Canvas, const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                      bool Printing, TRVColorMode ColorMode) const;
  void ApplyBackColor(TRVCanvas& Canvas, const TRVStyle& RVStyle, TRVTextDrawStates DrawState,
                      bool Printing, TRVColorMode ColorMode) const;

  // -- drawing (RVStyleDraw*.cpp) --
  // Outputs the run's characters with the canvas's font and colours (already applied), then
  // its decoration lines: underline, hidden-text mark, overline.
  void Draw(const std::u16string& s, TRVCanvas& Canvas, const TRVTextRunGeometry& Run,
            const TRVStyle& RVStyle, TRVTextDrawStates DrawState, bool Printing,
            TRVGraphicInterface* GraphicInterface) const;
  // True when Draw gives the run an underline in this state.
  bool IsUnderlinedIn(TRVTextDrawStates DrawState) const;

  // The text and background colours ApplyColor would set (clNone: no fill).
  TColor GetTextColorFor(const TRVStyle& RVStyle, TRVTextDrawStates DrawState, bool Printing,
                         TRVColorMode ColorMode) const;
  TColor GetBackColorFor(const TRVStyle& RVStyle, TRVTextDrawStates DrawState, bool Printing,
                         TRVColorMode ColorMode) const;

protected:
  void AssignFontProperties(const TCustomRVFontInfo& Source);
};

class TFontInfo : public TCustomRVFontInfo {
public:
  explicit TFontInfo(TCustomRVInfos* Collection = nullptr) : TCustomRVFontInfo(Collection) {}
  const char* ClassName() const override { return "TFontInfo"; }

  bool Unicode = true; // always true; never copied, compared or reset
  bool Jump = false;
  int NextStyleNo = -1;
  TRVFontInfoProperties ModifiedProperties;

  using TCustomRVFontInfo::Assign;
  void Assign(const TRVPersistent& Source) override;
  void Reset() override;
  bool IsEqual(const TCustomRVFontInfo& Value, TRVFontInfoProperties IgnoreList) const override;
  bool IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  bool IsSimpleEqualEx(TCustomRVInfo& Value, const std::vector<int>& Mapping) const override;
};

// The invalid-index text style: belongs to no collection but knows the sheet.
class TErrFontInfo : public TFontInfo {
public:
  explicit TErrFontInfo(TRVStyle* RVStyle) : TFontInfo(nullptr), FRVStyle(RVStyle) {}
  const char* ClassName() const override { return "TErrFontInfo"; }
  TRVStyle* GetRVStyle() const override { return FRVStyle; }

private:
  TRVStyle* FRVStyle;
};

// ---------------------------------------------------------------------------------------------
// Collections

class TCustomRVInfos {
public:
  explicit TCustomRVInfos(TRVStyle* Owner) : FOwner(Owner) {}
  virtual ~TCustomRVInfos();
  TCustomRVInfos(const TCustomRVInfos&) = delete;
  TCustomRVInfos& operator=(const TCustomRVInfos&) = delete;

  TRVStyle* GetOwner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsValidIndex(int Index) const { return Index >= 0 && Index < Count(); }
  void Clear();
  // Removes the item at a valid index; later items move down. EListError otherwise.
  void Delete(int Index);
  int IndexOf(const TCustomRVInfo* Item) const;

protected:
  virtual std::unique_ptr<TCustomRVInfo> CreateItem() = 0;
  TCustomRVInfo* AddItem();
  TCustomRVInfo* At(int Index) const { return FItems[static_cast<std::size_t>(Index)].get(); }

private:
  TRVStyle* FOwner;
  std::vector<std::unique_ptr<TCustomRVInfo>> FItems;
  int FNextID = 0;
};

class TFontInfos : public TCustomRVInfos {
public:
  using TCustomRVInfos::TCustomRVInfos;
  ~TFontInfos() override;

  // The style, or the invalid-index style for an index outside 0 .. Count() - 1.
  TFontInfo* Items(int Index) const;
  TFontInfo& operator[](int Index) const { return *Items(Index); }
  // Copies Value into the existing item (or into the invalid-index style).
  void SetItems(int Index, const TFontInfo& Value);

  TFontInfo* Add();
  TFontInfo* AddFont(const std::u16string& Name, int Size, TColor Color, TColor BackColor,
                     TFontStyles Style);
  TFontInfo* AddFontEx(const std::u16string& Name, int Size, TColor Color, TColor BackColor,
                       TFontStyles Style, TFontCharset Charset);

  int FindSuchStyle(int BaseStyle, const TFontInfo& Style, TRVFontInfoProperties Mask) const;
  int FindSuchStyleEx(int BaseStyle, const TFontInfo& Style, TRVFontInfoProperties Mask);
  int FindStyleWithFont(int BaseStyle, const TRVFont& Font) const;
  int FindStyleWithFontSize(int BaseStyle, int Size) const;
  int FindStyleWithColor(int BaseStyle, TColor Color, TColor BackColor) const;
  int FindStyleWithFontName(int BaseStyle, const std::u16string& FontName) const;
  int FindStyleWithCharset(int BaseStyle, TFontCharset Charset) const;
  int FindStyleWithFontStyle(int BaseStyle, TFontStyles Value, TFontStyles Mask) const;

  TFontInfo* InvalidItem() const;
  void SetInvalidItem(const TFontInfo& Value);

protected:
  std::unique_ptr<TCustomRVInfo> CreateItem() override;

private:
  template <typename Has>
  int FindWith(int BaseStyle, TRVFontInfoProperties IgnoreList, Has has) const;
  mutable std::unique_ptr<TErrFontInfo> FInvalidItem;
};

// ---------------------------------------------------------------------------------------------
// Parts of a paragraph style

class TRVRect : public TRVPersistent {
public:
  const char* ClassName() const override { return "TRVRect"; }
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  void Assign(const TRVPersistent& Source) override;
  bool IsEqual(const TRVRect& Value) const;
  bool IsAllEqual(int Value) const;
  void SetAll(int Value) { Left = Top = Right = Bottom = Value; }
};

class TRVBooleanRect : public TRVPersistent {
public:
  const char* ClassName() const override { return "TRVBooleanRect"; }
  bool Left = true, Top = true, Right = true, Bottom = true;
  void Assign(const TRVPersistent& Source) override;
  bool IsEqual(const TRVBooleanRect& Value) const;
  void SetAll(bool Value) { Left = Top = Right = Bottom = Value; }
};

class TRVBorder : public TRVPersistent {
public:
  const char* ClassName() const override { return "TRVBorder"; }
  TColor Color = clWindowText;
  TRVBorderStyle Style = rvbNone;
  int Width = 1;
  int InternalWidth = 1;
  TRVRect BorderOffsets;
  TRVBooleanRect VisibleBorders;

  void Assign(const TRVPersistent& Source) override;
  void Reset();
  bool IsEqual(const TRVBorder& Value) const;
  // Width of all drawn lines and gaps, by style.
  int GetTotalWidth() const;
};

class TRVBackgroundRect : public TRVPersistent {
public:
  const char* ClassName() const override { return "TRVBackgroundRect"; }
  TColor Color = clNone;
  int Opacity = 100000; // thousandths of a percent
  TRVRect BorderOffsets;

  void Assign(const TRVPersistent& Source) override;
  void Reset();
  bool IsEqual(const TRVBackgroundRect& Value) const;
  bool IsSemitransparent() const;
};

class TRVTabInfos;

class TRVTabInfo : public TRVPersistent {
public:
  explicit TRVTabInfo(TRVTabInfos* Collection = nullptr) : FCollection(Collection) {}
  const char* ClassName() const override { return "TRVTabInfo"; }

  TRVTabAlign Align = rvtaLeft;
  std::u16string Leader;

  int GetPosition() const { return FPosition; }
  // Re-sorts the owning collection at once.
  void SetPosition(int Value);

  void Assign(const TRVPersistent& Source) override;
  bool IsEqual(const TRVTabInfo& Value) const;

private:
  friend class TRVTabInfos;
  TRVTabInfos* FCollection;
  int FPosition = 0;
};

// Tab stops, kept in ascending Position order.
class TRVTabInfos : public TRVPersistent {
public:
  TRVTabInfos() = default;
  TRVTabInfos(const TRVTabInfos&) = delete;
  TRVTabInfos& operator=(const TRVTabInfos&) = delete;
  const char* ClassName() const override { return "TRVTabInfos"; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError for an index out of range.
  TRVTabInfo* Items(int Index) const;
  TRVTabInfo* Add();
  TRVTabInfo* Add(int Position, TRVTabAlign Align = rvtaLeft, const std::u16string& Leader = {});
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  void SortTabs();
  // Index of the tab exactly at Position, or -1.
  int Find(int Position) const;

  void Assign(const TRVPersistent& Source) override;
  bool IsEqual(const TRVTabInfos& Value) const;

private:
  std::vector<std::unique_ptr<TRVTabInfo>> FItems;
};

// ---------------------------------------------------------------------------------------------
// Paragraph styles

class TCustomRVParaInfo : public TCustomFontOrParaRVInfo {
public:
  explicit TCustomRVParaInfo(TCustomRVInfos* Collection);
  const char* ClassName() const override { return "TCustomRVParaInfo"; }

  int FirstIndent = 0;
  int LeftIndent = 0;
  int RightIndent = 0;
  int LineSpacing = 100;
  TRVLineSpacingType LineSpacingType = rvlsPercent;
  TRVAlignment Alignment = rvaLeft;
  TRVLastLineAlignment LastLineAlignment = rvllaDefault;
  TRVBorder Border;
  TRVBackgroundRect Background;
  TRVParaOptions Options;
  TRVBiDiMode BiDiMode = rvbdUnspecified;
  int OutlineLevel = 0;
  TRVTabInfos Tabs;

  int GetSpaceBefore() const { return FSpaceBefore; }
  int GetSpaceAfter() const { return FSpaceAfter; }
  // Negative values are stored as 0.
  void SetSpaceBefore(int Value) { FSpaceBefore = Value < 0 ? 0 : Value; }
  void SetSpaceAfter(int Value) { FSpaceAfter = Value < 0 ? 0 : Value; }

  std::u16string GetDefaultStyleName() const override { return u"Paragraph Style"; }
  void Assign(const TRVPersistent& Source) override;
  void Reset() override;
  virtual bool IsEqual(const TCustomRVParaInfo& Value, TRVParaInfoProperties IgnoreList) const;
  bool IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  int SimilarityValue(const TCustomRVInfo& Value) const override;
  bool ExtraLineSpacing() const;
  bool IsHeading(int MaxLevel) const { return OutlineLevel >= 1 && OutlineLevel <= MaxLevel; }

private:
  int FSpaceBefore = 0;
  int FSpaceAfter = 0;
};

class TParaInfo : public TCustomRVParaInfo {
public:
  explicit TParaInfo(TCustomRVInfos* Collection = nullptr) : TCustomRVParaInfo(Collection) {}
  const char* ClassName() const override { return "TParaInfo"; }

  int NextParaNo = -1;
  int DefStyleNo = -1;
  TRVParaInfoProperties ModifiedProperties;

  void Assign(const TRVPersistent& Source) override;
  void Reset() override;
  bool IsEqual(const TCustomRVParaInfo& Value, TRVParaInfoProperties IgnoreList) const override;
  bool IsSimpleEqual(const TCustomRVInfo& Value, bool IgnoreReferences,
                     bool IgnoreID = true) const override;
  bool IsSimpleEqualEx(TCustomRVInfo& Value, const std::vector<int>& Mapping) const override;
};

class TErrParaInfo : public TParaInfo {
public:
  explicit TErrParaInfo(TRVStyle* RVStyle) : TParaInfo(nullptr), FRVStyle(RVStyle) {}
  const char* ClassName() const override { return "TErrParaInfo"; }
  TRVStyle* GetRVStyle() const override { return FRVStyle; }

private:
  TRVStyle* FRVStyle;
};

class TParaInfos : public TCustomRVInfos {
public:
  using TCustomRVInfos::TCustomRVInfos;
  ~TParaInfos() override;

  TParaInfo* Items(int Index) const;
  TParaInfo& operator[](int Index) const { return *Items(Index); }
  void SetItems(int Index, const TParaInfo& Value);
  TParaInfo* Add();

  int FindSuchStyle(int BaseStyle, const TParaInfo& Style, TRVParaInfoProperties Mask) const;
  int FindSuchStyleEx(int BaseStyle, const TParaInfo& Style, TRVParaInfoProperties Mask);
  int FindStyleWithAlignment(int BaseStyle, TRVAlignment Alignment) const;

  TParaInfo* InvalidItem() const;
  void SetInvalidItem(const TParaInfo& Value);

protected:
  std::unique_ptr<TCustomRVInfo> CreateItem() override;

private:
  mutable std::unique_ptr<TErrParaInfo> FInvalidItem;
};

// List styles and style templates: the sheet holds the collections; their content serves
// subsystems that this engine does not have.
class TRVListInfo : public TCustomRVInfo {
public:
  using TCustomRVInfo::TCustomRVInfo;
  const char* ClassName() const override { return "TRVListInfo"; }
  std::u16string GetDefaultStyleName() const override { return u"List Style"; }
};

class TRVListInfos : public TCustomRVInfos {
public:
  using TCustomRVInfos::TCustomRVInfos;
  TRVListInfo* Items(int Index) const;
  TRVListInfo* Add();

protected:
  std::unique_ptr<TCustomRVInfo> CreateItem() override;
};

class TRVStyleTemplate : public TCustomRVInfo {
public:
  using TCustomRVInfo::TCustomRVInfo;
  const char* ClassName() const override { return "TRVStyleTemplate"; }
};

class TRVStyleTemplateCollection : public TCustomRVInfos {
public:
  using TCustomRVInfos::TCustomRVInfos;
  TRVStyleTemplate* Items(int Index) const;
  TRVStyleTemplate* Add();

protected:
  std::unique_ptr<TCustomRVInfo> CreateItem() override;
};

// ---------------------------------------------------------------------------------------------
// Cursors: the engine records which ids a style sheet registered and where each one comes
// from; the platform binding makes the real cursors.

struct TRVCursorRegistration {
  TCursor Id;
  std::u16string ResourceName;
  // The system's hand cursor is preferred, the resource is the fallback.
  bool PreferSystemHand;
};
void RVRegisterCursor(const TRVCursorRegistration& Cursor);
std::vector<TRVCursorRegistration> RVGetRegisteredCursors();
bool RVIsCursorRegistered(TCursor Id);

// ---------------------------------------------------------------------------------------------
// The style sheet

using TFontInfoClass = std::unique_ptr<TFontInfo> (*)(TCustomRVInfos* Collection);
using TParaInfoClass = std::unique_ptr<TParaInfo> (*)(TCustomRVInfos* Collection);
using TListInfoClass = std::unique_ptr<TRVListInfo> (*)(TCustomRVInfos* Collection);

class TRVStyle {
public:
  TRVStyle();
  virtual ~TRVStyle();
  TRVStyle(const TRVStyle&) = delete;
  TRVStyle& operator=(const TRVStyle&) = delete;

  // The component's name ("RVStyle1" on the main window); RVF records it with the styles.
  std::u16string Name;

  // Colours.
  TColor Color = clWindow;
  TColor HoverColor = clNone;
  TColor CurrentItemColor = clNone;
  TColor SelColor = clHighlight;
  TColor SelTextColor = clHighlightText;
  TColor InactiveSelColor = clHighlight;
  TColor InactiveSelTextColor = clHighlightText;
  TColor CheckpointColor = clGreen;
  TColor CheckpointEvColor = clLime;
  TColor PageBreakColor = clBtnShadow;
  TColor SoftPageBreakColor = clBtnFace;
  TColor LiveSpellingColor = clRed;
  TColor GridColor = clBtnFace;
  TColor GridReadOnlyColor = clBtnFace;
  TColor FloatingLineColor = 0x00BDA28A;
  TColor SpecialCharactersColor = clNone;
  TColor FieldHighlightColor = clBtnFace;
  TColor DisabledFontColor = clNone;

  // Cursors and options.
  TCursor JumpCursor = crJump;
  TCursor LineSelectCursor = crRVFlipArrow;
  int SpacesInTab = 0;
  int DefTabWidth = 48;
  bool FullRedraw = false;
  bool UseSound = true;
  bool DefaultUnicodeStyles = true;
  int DefUnicodeStyle = -1;
  unsigned DefCodePage = 0; // the system ANSI code page
  TRVSelectionMode SelectionMode = rvsmWord;
  TRVSelectionStyle SelectionStyle = rvssItems;
  TRVTextBackgroundKind TextBackgroundKind = rvtbkItems;
  TRVPenStyle GridStyle = psDot;
  TRVPenStyle GridReadOnlyStyle = psClear;
  TRVFieldHighlightType FieldHighlightType = rvfhCurrent;
  TRVSeqType FootnoteNumbering = rvseqDecimal;
  TRVSeqType EndnoteNumbering = rvseqLowerRoman;
  TRVSeqType SidenoteNumbering = rvseqLowerAlpha;
  bool FootnotePageReset = true;
  TRVSelectionHandleKind SelectionHandleKind = rvshkWedge;
  TFontQuality FontQuality = fqDefault;
  TRVLineWrapMode LineWrapMode = rvWrapNormal;
  TRVStyleUnits Units = rvstuPixels;
  TRVStyle* MainRVStyle = nullptr;
  // When set, the stream form of styles leaves out style template ids and modified properties.
  bool IgnoreStyleTemplates = false;

  // The four collections, owned by the sheet.
  TFontInfos TextStyles{this};
  TParaInfos ParaStyles{this};
  TRVListInfos ListStyles{this};
  TRVStyleTemplateCollection StyleTemplates{this};

  TRVTextEngine GetTextEngine() const { return FTextEngine; }
  // Changing the engine releases the graphic interface and makes it anew.
  void SetTextEngine(TRVTextEngine Value);
  TRVGraphicInterface* GetGraphicInterface() const { return FGraphicInterface.get(); }
  void SetGraphicInterface(std::unique_ptr<TRVGraphicInterface> Value);

  virtual TFontInfoClass GetTextStyleClass() const;
  virtual TParaInfoClass GetParaStyleClass() const;
  virtual TListInfoClass GetListStyleClass() const;
  // Index of a style equal in every compared property; a copy is appended when none is.
  virtual int FindTextStyle(const TFontInfo& TextStyle);
  virtual int FindParaStyle(const TParaInfo& ParaStyle);

  int AddTextStyle();
  // Needs a valid index (EListError otherwise); later styles move down.
  void DeleteTextStyle(int Index);
  void ResetTextStyles();
  void ResetParaStyles();

  TColor GetHoverColor(int StyleNo) const;
  bool StyleHoverSensitive(int StyleNo) const;
  TColor GetSelectionColor(bool Focused, bool Background) const;

  // Units. p is RichViewPixelsPerInch when above 0, else the screen's; results are rounded
  // to the nearest integer, ties to the even one.
  int GetPixelsPerInch() const;
  int GetAsPixels(int Value, int MinNonZeroValue = 1) const;
  int GetAsTwips(int Value) const;
  int TwipsToUnits(int Value) const;
  int PixelsToUnits(int Value) const;
  int TwipsToPixels(int Value) const;
  int PixelsToTwips(int Value) const;
  int GetAsDevicePixelsX(int Value, const TRVScreenAndDevice* PSaD, int MinNonZeroValue = 1) const;
  int GetAsDevicePixelsY(int Value, const TRVScreenAndDevice* PSaD, int MinNonZeroValue = 1) const;
  double GetAsPoints(int Value) const;
  std::int64_t GetAsEMU(int Value) const;

  // Applying a text style to a canvas.
  void ApplyStyle(TRVCanvas& Canvas, int StyleNo, TRVBiDiMode DefBiDiMode, bool CanUseCustomPPI,
                  bool IgnoreSubSuperScript = false, bool ToFormatCanvas = false);
  void ApplyStyleColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState, bool Printing,
                       TRVColorMode ColorMode);
  void ApplyStyleTextColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                           bool Printing, TRVColorMode ColorMode);
  void ApplyStyleBackColor(TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                           bool Printing, TRVColorMode ColorMode);

  // -- drawing (RVStyleDraw*.cpp) --
  // A run of text in style StyleNo: the OnDrawStyleText hook first, then the style's Draw
  // unless the hook took over.
  void DrawStyleText(const std::u16string& s, TRVCanvas& Canvas, int StyleNo,
                     const TRVTextRunGeometry& Run, TRVTextDrawStates DrawState, bool Printing);

  // Event hooks; a hook that sets DoDefault to false takes over.
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int StyleNo, TRVTextDrawStates DrawState,
                     bool& DoDefault)>
      OnApplyStyleColor;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int StyleNo, bool& DoDefault)>
      OnApplyStyle;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int StyleNo)> OnAfterApplyStyle;
  std::function<void(TRVStyle& Sender, const std::u16string& s, TRVCanvas& Canvas, int StyleNo,
                     int SpaceAtLeft, int Left, int Top, int Width, int Height,
                     TRVTextDrawStates DrawState, bool& DoDefault)>
      OnDrawStyleText;
  std::function<void(const TRVStyle& Sender, int StyleNo, bool& Sensitive)> OnStyleHoverSensitive;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int StyleNo, int Left, int Top, int Width,
                     int Height, TRVTextDrawStates DrawState, bool& DoDefault)>
      OnDrawTextBack;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int X, int Y, int ItemNo, int XShift,
                     bool RaiseEvent, bool& DoDefault)>
      OnDrawCheckpoint;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int Y, int XShift, bool Soft,
                     bool& DoDefault)>
      OnDrawPageBreak;
  std::function<void(TRVStyle& Sender, TRVCanvas& Canvas, int ParaNo, const TRect& ARect,
                     bool& DoDefault)>
      OnDrawParaBack;

private:
  void RegisterCursors();
  void CreateGraphicInterface();
  TRVTextEngine FTextEngine = rvteUniscribe;
  std::unique_ptr<TRVGraphicInterface> FGraphicInterface;
};

// ---------------------------------------------------------------------------------------------
// Display form of a run of text. Offsets are 1-based character positions (1 .. length + 1);
// each character removed before one moves it back by one.
// The same with, in ShownIndex (when given), the index in the result of every character of s
// and, last, the result's length: characters removed share the index of what follows them.
std::u16string RV_ReturnProcessedStringMap(const std::u16string& s,
                                           const TCustomRVFontInfo& TextStyle, bool LastOnLine,
                                           bool ShowSpecialChars, bool ForDisplay,
                                           bool IsSymbolCharset, std::vector<int>* ShownIndex);
std::u16string RV_ReturnProcessedStringEx(const std::u16string& s,
                                          const TCustomRVFontInfo& TextStyle, bool LastOnLine,
                                          bool ShowSpecialChars, bool ForDisplay,
                                          bool IsSymbolCharset, int& SelOffs1, int& SelOffs2);
std::u16string RV_ReturnProcessedString(const std::u16string& s, const TCustomRVFontInfo& TextStyle,
                                        bool LastOnLine, bool ShowSpecialChars, bool ForDisplay,
                                        bool IsSymbolCharset);

// Closeness measures behind SimilarityValue.
int RV_CompareInts(int a, int b, int Weight);
int RV_CompareColors(TColor c1, TColor c2, int w1, int w2);

} // namespace richtext
