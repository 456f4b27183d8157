#include "platform/qt/RVQtGraphicInterface.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "platform/qt/RVQtCanvas.h"
#include "richtext/base/RVUni.h"

namespace quillon {

using richtext::TRVCanvas;
using richtext::TRVOutlineTextMetric;
using richtext::TRVSize;
using richtext::TRVTextMetric;

namespace {

constexpr std::size_t MaxCachedFonts = 16;
constexpr std::size_t MaxKnownSerials = 32;
// Words of complex scripts remembered per font before the memory starts over.
constexpr std::size_t MaxCachedWords = 65536;
// Qt's fixed-point advances are in 1/64 pixel.
constexpr int FixedPointUnit = 64;

// States of an advance table entry.
enum : std::uint8_t { Unmeasured, Plain, DependsOnContext, NeedsShaping };

// A character of each context's script, to measure a common character after it.
constexpr std::array<char16_t, TRVQtGraphicInterface::Contexts> ContextAnchors = {
    0, u'a', u'\u03B1', u'\u0430', u'\u4E2D', u'\u3042', u'\u30A2', u'\uAC00', u'\u3105', u'\u05D0'};

// The context of a character that needs no shaping: 0 for common characters, the script's
// context for the scripts measured from the table, -1 for everything that needs shaping.
int ContextOf(char16_t Ch) {
  if (QChar::isSurrogate(Ch))
    return -1;
  switch (QChar::category(Ch)) {
  case QChar::Mark_NonSpacing:
  case QChar::Mark_SpacingCombining:
  case QChar::Mark_Enclosing:
  case QChar::Other_Control:
  case QChar::Other_Format:
  case QChar::Other_Surrogate:
  case QChar::Other_PrivateUse:
  case QChar::Other_NotAssigned:
  case QChar::Separator_Line:
  case QChar::Separator_Paragraph:
    return -1;
  default:
    break;
  }
  switch (QChar::script(Ch)) {
  case QChar::Script_Common:
    return 0;
  case QChar::Script_Latin:
    return 1;
  case QChar::Script_Greek:
    return 2;
  case QChar::Script_Cyrillic:
    return 3;
  case QChar::Script_Han:
    return 4;
  case QChar::Script_Hiragana:
    return 5;
  case QChar::Script_Katakana:
    return 6;
  case QChar::Script_Hangul:
    // Conjoining jamo are composed by shaping; syllables and compatibility jamo are whole.
    return (Ch >= 0xAC00 && Ch <= 0xD7A3) || (Ch >= 0x3130 && Ch <= 0x318F) ? 7 : -1;
  case QChar::Script_Bopomofo:
    return 8;
  case QChar::Script_Hebrew:
    // Hebrew letters do not join; points and cantillation marks (non-spacing) and the
    // presentation forms (ligatures among them) are shaped.
    return Ch >= 0x05D0 && Ch <= 0x05F4 ? 9 : -1;
  default:
    return -1;
  }
}

// Byte offsets of the fields read from the "OS/2" and "post" tables (big-endian int16).
constexpr int OS2SubscriptXSize = 10;
constexpr int OS2SubscriptYSize = 12;
constexpr int OS2SubscriptXOffset = 14;
constexpr int OS2SubscriptYOffset = 16;
constexpr int OS2SuperscriptXSize = 18;
constexpr int OS2SuperscriptYSize = 20;
constexpr int OS2SuperscriptXOffset = 22;
constexpr int OS2SuperscriptYOffset = 24;
constexpr int OS2TypoAscender = 68;
constexpr int OS2TypoDescender = 70;
constexpr int PostUnderlinePosition = 8;
constexpr int PostUnderlineThickness = 10;

int Int16At(const QByteArray& Table, int Offset) {
  return qFromBigEndian<qint16>(Table.constData() + Offset);
}

int CeilPixels(qreal v) {
  // Tolerate the fixed-point noise of the font engine before rounding up.
  return static_cast<int>(std::ceil(v - 1.0 / 64));
}

} // namespace

std::optional<TRVOutlineTextMetric> RVQtReadOutlineMetrics(const QRawFont& Font) {
  if (!Font.isValid() || Font.unitsPerEm() <= 0)
    return std::nullopt;
  const QByteArray os2 = Font.fontTable("OS/2");
  if (os2.size() < OS2SuperscriptYOffset + 2)
    return std::nullopt;
  const qreal scale = Font.pixelSize() / Font.unitsPerEm();
  auto px = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
  TRVOutlineTextMetric m;
  m.otmptSubscriptSize = {px(Int16At(os2, OS2SubscriptXSize)), px(Int16At(os2, OS2SubscriptYSize))};
  m.otmptSubscriptOffset = {px(Int16At(os2, OS2SubscriptXOffset)),
                            px(Int16At(os2, OS2SubscriptYOffset))};
  m.otmptSuperscriptSize = {px(Int16At(os2, OS2SuperscriptXSize)),
                            px(Int16At(os2, OS2SuperscriptYSize))};
  m.otmptSuperscriptOffset = {px(Int16At(os2, OS2SuperscriptXOffset)),
                              px(Int16At(os2, OS2SuperscriptYOffset))};
  if (os2.size() >= OS2TypoDescender + 2) {
    m.otmAscent = px(Int16At(os2, OS2TypoAscender));
    m.otmDescent = px(Int16At(os2, OS2TypoDescender));
  } else {
    m.otmAscent = static_cast<int>(std::lround(Font.ascent()));
    m.otmDescent = -static_cast<int>(std::lround(Font.descent()));
  }
  const QByteArray post = Font.fontTable("post");
  if (post.size() >= PostUnderlineThickness + 2) {
    m.otmsUnderscorePosition = px(Int16At(post, PostUnderlinePosition));
    m.otmsUnderscoreSize = std::max(1, px(Int16At(post, PostUnderlineThickness)));
  } else {
    m.otmsUnderscorePosition = -static_cast<int>(std::lround(Font.underlinePosition()));
    m.otmsUnderscoreSize = std::max(1, static_cast<int>(std::lround(Font.lineThickness())));
  }
  return m;
}

TRVQtGraphicInterface::TFontEntry& TRVQtGraphicInterface::Entry(const TRVCanvas& Canvas) {
  const std::uint64_t serial = Canvas.GetFontSerial();
  if (serial != 0)
    for (const auto& [known, entry] : FSerials)
      if (known == serial)
        return *entry;
  const richtext::TRVFont& key = Canvas.GetFont();
  auto it =
      std::find_if(FFonts.begin(), FFonts.end(), [&](const auto& e) { return e->Key == key; });
  if (it == FFonts.end()) {
    QFont font = RVQtMakeFont(key);
    auto e = std::make_unique<TFontEntry>(key, font);
    e->CellHeight = CeilPixels(e->Metrics.ascent()) + CeilPixels(e->Metrics.descent());
    if (FFonts.size() >= MaxCachedFonts) {
      const TFontEntry* gone = FFonts.back().get();
      std::erase_if(FSerials, [gone](const auto& s) { return s.second == gone; });
      FFonts.pop_back();
    }
    FFonts.insert(FFonts.begin(), std::move(e));
  } else {
    std::rotate(FFonts.begin(), it, it + 1);
  }
  TFontEntry& entry = *FFonts.front();
  if (serial != 0) {
    FSerials.insert(FSerials.begin(), {serial, &entry});
    if (FSerials.size() > MaxKnownSerials)
      FSerials.pop_back();
  }
  return entry;
}

const TRVQtGraphicInterface::TCharAdvance& TRVQtGraphicInterface::CharAdvance(TFontEntry& E,
                                                                             char16_t Ch) {
  std::unique_ptr<TAdvancePage>& page = E.Pages[Ch >> 8];
  if (!page)
    page = std::make_unique<TAdvancePage>();
  TCharAdvance& a = (*page)[Ch & 0xFF];
  if (a.Kind != Unmeasured)
    return a;
  a.Kind = NeedsShaping;
  const int context = ContextOf(Ch);
  if (context < 0)
    return a;
  const QFontMetricsF& fm = E.Metrics;
  auto advance = [&fm](const QString& s) {
    return static_cast<std::int32_t>(std::llround(fm.horizontalAdvance(s) * 64));
  };
  const QString alone(QChar{Ch});
  a.Advance = advance(alone);
  a.Context = static_cast<std::uint8_t>(context);
  a.Kind = Plain;
  if (context > 0)
    return a;
  // A common character is laid out in the font of the script around it.
  std::array<std::int32_t, Contexts> byContext{};
  byContext[0] = a.Advance;
  bool same = true;
  for (int k = 1; k < Contexts; ++k) {
    const QString anchor(QChar{ContextAnchors[k]});
    byContext[static_cast<std::size_t>(k)] = advance(anchor + alone) - advance(anchor);
    same = same && byContext[static_cast<std::size_t>(k)] == a.Advance;
  }
  if (!same) {
    a.Kind = DependsOnContext;
    E.ByContext[Ch] = byContext;
  }
  return a;
}

bool TRVQtGraphicInterface::Advances(TFontEntry& E, std::u16string_view Text, std::int32_t* Out) {
  unsigned contexts = 0;
  bool dependent = false;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char16_t c = Text[i] == richtext::RV_SOFTHYPHEN ? u'-' : Text[i];
    // A character met before is read from its page here; only a new one is measured.
    const TAdvancePage* page = E.Pages[c >> 8].get();
    const TCharAdvance& a = page != nullptr && (*page)[c & 0xFF].Kind != Unmeasured
                                ? (*page)[c & 0xFF]
                                : CharAdvance(E, c);
    if (a.Kind == NeedsShaping)
      return false;
    dependent = dependent || a.Kind == DependsOnContext;
    contexts |= 1u << a.Context;
    Out[i] = a.Advance;
  }
  if (!dependent || (contexts >> 1) == 0)
    return true;
  // Parts of the text may put such a character among other scripts than the whole text
  // does: it is summed only when every script the text holds gives it the same advance.
  for (char16_t c : Text) {
    const auto it = E.ByContext.find(c);
    if (it == E.ByContext.end())
      continue;
    for (int k = 1; k < Contexts; ++k)
      if ((contexts >> k) & 1u && it->second[static_cast<std::size_t>(k)] != it->second[0])
        return false;
  }
  return true;
}

bool TRVQtGraphicInterface::GetTextAdvances(TRVCanvas& Canvas, std::u16string_view Text,
                                            std::int32_t* Out, int& Denominator) {
  if (!Advances(Entry(Canvas), Text, Out))
    return false;
  Denominator = FixedPointUnit;
  return true;
}

bool TRVQtGraphicInterface::GetTextMetrics(TRVCanvas& Canvas, TRVTextMetric& M) {
  TFontEntry& e = Entry(Canvas);
  const QFontMetricsF& fm = e.Metrics;
  M = {};
  M.tmAscent = CeilPixels(fm.ascent());
  M.tmDescent = CeilPixels(fm.descent());
  M.tmHeight = M.tmAscent + M.tmDescent;
  M.tmInternalLeading = std::max(0, M.tmHeight - e.Font.pixelSize());
  M.tmExternalLeading = std::max(0, static_cast<int>(std::lround(fm.leading())));
  M.tmAveCharWidth = static_cast<int>(std::lround(fm.averageCharWidth()));
  M.tmMaxCharWidth = static_cast<int>(std::lround(fm.maxWidth()));
  M.tmWeight = e.Font.weight();
  return true;
}

bool TRVQtGraphicInterface::GetOutlineTextMetrics(TRVCanvas& Canvas, TRVOutlineTextMetric& M) {
  TFontEntry& e = Entry(Canvas);
  if (!e.OutlineRead) {
    e.Outline = RVQtReadOutlineMetrics(QRawFont::fromFont(e.Font));
    e.OutlineRead = true;
  }
  if (!e.Outline)
    return false;
  M = *e.Outline;
  return true;
}

TRVSize TRVQtGraphicInterface::TextSizeBasic(TRVCanvas& Canvas, std::u16string_view Text) {
  TFontEntry& e = Entry(Canvas);
  if (Text.empty())
    return {0, e.CellHeight};
  const int extra = Canvas.GetTextCharacterExtra() * static_cast<int>(Text.size());
  FScratch.resize(Text.size());
  if (Advances(e, Text, FScratch.data())) {
    std::int64_t sum = 0;
    for (std::int32_t a : FScratch)
      sum += a;
    // Qt's own sum rounded as lround rounds it: halves away from zero.
    const std::int64_t px = sum >= 0 ? (sum + FixedPointUnit / 2) / FixedPointUnit
                                     : -((-sum + FixedPointUnit / 2) / FixedPointUnit);
    return {static_cast<int>(px) + extra, e.CellHeight};
  }
  const std::int64_t sum = ShapedAdvance(e, Text);
  const int cx = static_cast<int>((sum + FixedPointUnit / 2) / FixedPointUnit) + extra;
  return {cx, e.CellHeight};
}

std::int64_t TRVQtGraphicInterface::ShapedAdvance(TFontEntry& E, std::u16string_view Text) {
  auto advance = [&E](const QString& s) {
    return static_cast<std::int64_t>(std::llround(E.Metrics.horizontalAdvance(s) * 64));
  };
  // Shaping (joining, marks, clusters) does not reach across a space, and with kerning off
  // nothing else joins two words: a word measured once stands for every place it is met.
  // What can differ is the font a common character (a digit, a bracket) is laid out in,
  // which follows the script before it; the word is measured after a letter of that script.
  if (E.WordCount > MaxCachedWords) {
    E.Words.clear();
    E.WordCount = 0;
  }
  std::int64_t sum = 0;
  char16_t context = 0;
  TWordAdvances* words = nullptr;
  int wordsScript = -1;
  std::size_t i = 0;
  while (i < Text.size()) {
    std::size_t end = i;
    while (end < Text.size() && Text[end] != u' ')
      ++end;
    while (end < Text.size() && Text[end] == u' ')
      ++end;
    const std::u16string_view word = Text.substr(i, end - i);
    const int script = context != 0 ? QChar::script(context) : QChar::Script_Common;
    if (script != wordsScript) {
      words = &E.Words[script];
      wordsScript = script;
    }
    auto it = words->find(word);
    if (it == words->end()) {
      QString w = QString::fromUtf16(word.data(), static_cast<qsizetype>(word.size()));
      w.replace(QChar(richtext::RV_SOFTHYPHEN), QChar(u'-'));
      std::int64_t a = 0;
      if (context == 0) {
        a = advance(w);
      } else {
        const QString before = QString(QChar(context)) + QChar(u' ');
        a = advance(before + w) - advance(before);
      }
      it = words->emplace(std::u16string(word), a).first;
      ++E.WordCount;
    }
    sum += it->second;
    // The word's last letter of a script is the next word's context.
    for (std::size_t k = end; k > i; --k) {
      const char16_t c = Text[k - 1];
      if (c == u' ' || QChar::isSurrogate(c))
        continue;
      const QChar::Script s = QChar::script(c);
      if (s != QChar::Script_Common && s != QChar::Script_Inherited) {
        context = c;
        break;
      }
    }
    i = end;
  }
  return sum;
}

int TRVQtGraphicInterface::GetDeviceCaps(TRVCanvas& Canvas, int Index) {
  if (Index == richtext::HORZRES || Index == richtext::VERTRES) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
      return 0;
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return Index == richtext::HORZRES ? size.width() : size.height();
  }
  return TRVGraphicInterface::GetDeviceCaps(Canvas, Index);
}

std::unique_ptr<TRVCanvas> TRVQtGraphicInterface::CreateScreenCanvas() {
  const int ppi = richtext::RV_GetScreenPixelsPerInch();
  return std::make_unique<TRVQtCanvas>(ppi, ppi);
}

std::unique_ptr<TRVCanvas> TRVQtGraphicInterface::CreateCompatibleCanvas(TRVCanvas& Canvas) {
  return std::make_unique<TRVQtCanvas>(Canvas.GetPixelsPerInchX(), Canvas.GetPixelsPerInchY());
}

} // namespace quillon
