// HTML reading: the stream decoded to UTF-16 by its byte-order mark or <meta charset>, then one
// pass of a small tokenizer that keeps a stack of open elements; each element's formatting is
// the one around it changed by the element, so the formatting of text is the top's.
#include "richtext/export/RVHTMLReader.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "richtext/base/RVLinkScheme.h"
#include "richtext/base/RVUni.h"
#include "richtext/base/RVHTMLEntities.h"
#include "richtext/export/RVImport.h"

namespace richtext {

namespace {

constexpr const char* kPrefix = "HTML reading error: ";

[[noreturn]] void Fail(const std::string& What) {
  throw ERichViewError(kPrefix + What);
}

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}
bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}
bool IsLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool EqualsNoCase(std::u16string_view a, std::u16string_view lowerB) {
  if (a.size() != lowerB.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != lowerB[i])
      return false;
  return true;
}
std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Decoding

char ByteLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The charset a <meta> near the start names; empty when none does.
std::string MetaCharset(std::string_view Bytes) {
  const std::string_view head = Bytes.substr(0, 4096);
  static constexpr std::string_view key = "charset";
  for (std::size_t i = 0; i + key.size() < head.size(); ++i) {
    std::size_t k = 0;
    while (k < key.size() && ByteLower(head[i + k]) == key[k])
      ++k;
    if (k < key.size())
      continue;
    std::size_t j = i + key.size();
    while (j < head.size() && (head[j] == ' ' || head[j] == '\t'))
      ++j;
    if (j >= head.size() || head[j] != '=')
      continue;
    ++j;
    while (j < head.size() && (head[j] == ' ' || head[j] == '"' || head[j] == '\''))
      ++j;
    std::string name;
    while (j < head.size() && name.size() < 40 &&
           (std::isalnum(static_cast<unsigned char>(head[j])) || head[j] == '-' ||
            head[j] == '_' || head[j] == ':' || head[j] == '.'))
      name += ByteLower(head[j++]);
    if (!name.empty())
      return name;
  }
  return {};
}

std::u16string FromUtf16(std::string_view Bytes, bool BigEndian) {
  std::u16string out(Bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto a = static_cast<unsigned char>(Bytes[2 * i]);
    const auto b = static_cast<unsigned char>(Bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(BigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return out;
}

std::u16string FromUtf8(std::string_view Bytes) {
  if (Bytes.empty())
    return {};
  std::u16string out(Bytes.size(), u'\0');
  out.resize(static_cast<std::size_t>(RVU_Utf8ToUnicode(Bytes, out.data()) - out.data()));
  return out;
}

std::u16string FromCharset(std::string_view Bytes, const std::string& Name) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* conv = ucnv_open(Name.c_str(), &status);
  if (U_FAILURE(status) || conv == nullptr)
    Fail("unknown character set \"" + Name + "\"");
  std::u16string out(Bytes.size() * 2 + 2, u'\0');
  const int32_t length =
      ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                    Bytes.data(), static_cast<int32_t>(Bytes.size()), &status);
  ucnv_close(conv);
  if (U_FAILURE(status))
    Fail("the text cannot be decoded as " + Name);
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string Decode(std::string_view Bytes) {
  if (Bytes.size() >= 3 && Bytes.substr(0, 3) == "\xEF\xBB\xBF")
    return FromUtf8(Bytes.substr(3));
  if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFF\xFE")
    return FromUtf16(Bytes.substr(2), false);
  if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFE\xFF")
    return FromUtf16(Bytes.substr(2), true);
  // Some browsers put UTF-16 without a mark on the clipboard.
  if (Bytes.size() >= 2 && Bytes[0] == '<' && Bytes[1] == '\0')
    return FromUtf16(Bytes, false);
  std::string name = MetaCharset(Bytes);
  if (name.empty() || name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8")
    return FromUtf8(Bytes);
  // As browsers do: the Latin-1 and ASCII labels mean windows-1252.
  if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "ascii")
    name = "windows-1252";
  if (name == "utf-16" || name == "utf-16le")
    return FromUtf8(Bytes); // a <meta> naming UTF-16 in 8-bit text is wrong about it
  return FromCharset(Bytes, name);
}

// ---------------------------------------------------------------------------------------------
// Elements

enum : unsigned {
  efBlock = 1u << 0,
  efVoid = 1u << 1,
  efRaw = 1u << 2, // content up to the end tag is not text
  efPre = 1u << 3,
  efList = 1u << 4,
  efOrdered = 1u << 5,
  efListItem = 1u << 6,
  efCell = 1u << 7,
  efRow = 1u << 8,
  efHeading = 1u << 9,
  efBreak = 1u << 10,
  efBold = 1u << 11,
  efItalic = 1u << 12,
  efUnderline = 1u << 13,
  efStrike = 1u << 14,
  efCode = 1u << 15,
  efLink = 1u << 16,
  efParagraph = 1u << 17,
};

struct TElement {
  std::u16string_view Name;
  unsigned Flags;
};

// The elements that mean something here; any other keeps its text and nothing else.
constexpr std::array<TElement, 77> kElements = {{
    {u"a", efLink},
    {u"address", efBlock | efItalic},
    {u"area", efVoid},
    {u"article", efBlock},
    {u"aside", efBlock},
    {u"b", efBold},
    {u"base", efVoid},
    {u"blockquote", efBlock},
    {u"body", efBlock},
    {u"br", efVoid | efBreak},
    {u"caption", efBlock},
    {u"center", efBlock},
    {u"cite", efItalic},
    {u"code", efCode},
    {u"col", efVoid},
    {u"dd", efBlock},
    {u"del", efStrike},
    {u"details", efBlock},
    {u"dfn", efItalic},
    {u"dialog", efBlock},
    {u"div", efBlock},
    {u"dl", efBlock},
    {u"dt", efBlock},
    {u"em", efItalic},
    {u"embed", efVoid},
    {u"fieldset", efBlock},
    {u"figcaption", efBlock},
    {u"figure", efBlock},
    {u"footer", efBlock},
    {u"form", efBlock},
    {u"h1", efBlock | efHeading},
    {u"h2", efBlock | efHeading},
    {u"h3", efBlock | efHeading},
    {u"h4", efBlock | efHeading},
    {u"h5", efBlock | efHeading},
    {u"h6", efBlock | efHeading},
    {u"head", efBlock},
    {u"header", efBlock},
    {u"hr", efVoid | efBlock},
    {u"html", efBlock},
    {u"i", efItalic},
    {u"iframe", efRaw},
    {u"img", efVoid},
    {u"input", efVoid},
    {u"ins", efUnderline},
    {u"kbd", efCode},
    {u"li", efBlock | efListItem},
    {u"link", efVoid},
    {u"main", efBlock},
    {u"meta", efVoid},
    {u"nav", efBlock},
    {u"noscript", efRaw},
    {u"ol", efBlock | efList | efOrdered},
    {u"p", efBlock | efParagraph},
    {u"param", efVoid},
    {u"pre", efBlock | efPre | efCode},
    {u"s", efStrike},
    {u"samp", efCode},
    {u"script", efRaw},
    {u"section", efBlock},
    {u"source", efVoid},
    {u"strike", efStrike},
    {u"strong", efBold},
    {u"style", efRaw},
    {u"summary", efBlock},
    {u"table", efBlock},
    {u"td", efCell},
    {u"template", efRaw},
    {u"textarea", efRaw},
    {u"th", efCell | efBold},
    {u"title", efRaw},
    {u"tr", efBlock | efRow},
    {u"track", efVoid},
    {u"tt", efCode},
    {u"u", efUnderline},
    {u"ul", efBlock | efList},
    {u"var", efItalic},
}};

unsigned ElementFlags(std::u16string_view LowerName) {
  const auto it = std::lower_bound(kElements.begin(), kElements.end(), LowerName,
                                   [](const TElement& e, std::u16string_view n) { return e.Name < n; });
  return it != kElements.end() && it->Name == LowerName ? it->Flags : 0;
}

struct TAttribute {
  std::u16string_view Name; // as written
  std::u16string_view Value; // references not yet decoded
};

std::u16string DecodeReferences(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char32_t code = 0;
    const std::size_t length = s[i] == u'&' ? RVReadHTMLReference(s, i, code) : 0;
    if (length == 0) {
      out += s[i++];
    } else {
      RVAppendCodePoint(out, code);
      i += length;
    }
  }
  return out;
}

struct TOpen {
  std::u16string Name; // lower case
  unsigned Flags = 0;
  TRVImportCharFormat Format;
  int Counter = 0; // the next number of an ordered list; the cells so far of a row
};

class THTMLParser {
public:
  THTMLParser(std::u16string_view Text, TCustomRVData& RVData)
      : FText(Text), FBuilder(RVData, kPrefix) {
    FEmit = FText.find(u"<!--StartFragment") == std::u16string_view::npos;
  }

  std::unique_ptr<TRVFFragment> Run();

private:
  void TextRun(std::size_t& I);
  void Char(char16_t C);
  void FlushText();
  void BlockBoundary();
  void StartTag(std::u16string_view Name, const std::vector<TAttribute>& Attrs, bool SelfClosing);
  void EndTag(std::u16string_view Name);
  void PopTo(std::size_t Index);
  void ApplyCSS(std::u16string_view CSS, TRVImportCharFormat& F) const;
  void SetParagraphFromStack();
  const TRVImportCharFormat& Current() const { return FStack.empty() ? FBase : FStack.back().Format; }
  std::size_t ReadTag(std::size_t I);

  std::u16string_view FText;
  TRVImportBuilder FBuilder;
  std::vector<TOpen> FStack;
  TRVImportCharFormat FBase;
  std::u16string FOut;
  bool FEmit = true;
  bool FSpace = false;
  bool FLineStart = true;
  bool FFormatDirty = true;
  int FPreDepth = 0;
  bool FPreStart = false;
  // The paragraph holds only a list item's marker: a block inside the item continues it.
  bool FMarkerOnly = false;
  std::vector<TAttribute> FAttrs;
};

void THTMLParser::FlushText() {
  if (!FOut.empty()) {
    FBuilder.AddText(FOut);
    FOut.clear();
  }
}

void THTMLParser::Char(char16_t C) {
  if (!FEmit)
    return;
  // A blank between two runs goes with the one before it, unless that one is a link the blank
  // leaves: an underlined blank after a link's text is what nobody selected.
  const bool space = FPreDepth == 0 && !IsSpace(C) && FSpace && !FLineStart;
  if (space && (FBuilder.Format().Link.empty() || FBuilder.Format().Link == Current().Link)) {
    FOut += u' ';
    FSpace = false;
  }
  if (FFormatDirty) {
    FlushText();
    FBuilder.SetFormat(Current());
    FFormatDirty = false;
  }
  if (FPreDepth > 0) {
    // The line break right after <pre> is not content.
    if (FPreStart && (C == u'\r' || C == u'\n')) {
      FPreStart = C == u'\r';
      return;
    }
    FPreStart = false;
    FMarkerOnly = false;
    if (C == u'\r')
      return;
    if (C == u'\n') {
      FlushText();
      FBuilder.LineBreak();
      return;
    }
    FOut += C;
    FLineStart = false;
    return;
  }
  if (IsSpace(C)) {
    FSpace = true;
    return;
  }
  if (FSpace && !FLineStart)
    FOut += u' ';
  FSpace = false;
  FLineStart = false;
  FMarkerOnly = false;
  FOut += C;
}

void THTMLParser::TextRun(std::size_t& I) {
  const std::size_t n = FText.size();
  while (I < n) {
    const char16_t c = FText[I];
    if (c == u'<')
      return;
    if (c == u'&') {
      char32_t code = 0;
      if (const std::size_t length = RVReadHTMLReference(FText, I, code); length > 0) {
        if (code > 0xFFFF) {
          std::u16string pair;
          RVAppendCodePoint(pair, code);
          Char(pair[0]);
          Char(pair[1]);
        } else {
          Char(static_cast<char16_t>(code));
        }
        I += length;
        continue;
      }
    }
    Char(c);
    ++I;
    // The characters after a plain one that are plain too need none of Char's bookkeeping.
    // So do single blanks between words, which stay as they are.
    if (FEmit && !IsSpace(c)) {
      const std::size_t from = I;
      auto plain = [&](char16_t d) { return d != u'<' && d != u'&' && !IsSpace(d); };
      while (I < n && (plain(FText[I]) ||
                       (FText[I] == u' ' && I + 1 < n && (FPreDepth > 0 || plain(FText[I + 1])))))
        ++I;
      FOut.append(FText.substr(from, I - from));
    }
  }
}

void THTMLParser::BlockBoundary() {
  FMarkerOnly = false;
  FlushText();
  FBuilder.EndParagraph();
  FSpace = false;
  FLineStart = true;
  FFormatDirty = true;
}

void THTMLParser::SetParagraphFromStack() {
  for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
    if (it->Flags & efHeading) {
      FBuilder.SetParagraph(TRVImportParaKind::Heading, it->Name[1] - u'0');
      return;
    }
    if (it->Flags & efListItem) {
      FBuilder.SetParagraph(TRVImportParaKind::ListItem);
      return;
    }
  }
  FBuilder.SetParagraph(TRVImportParaKind::Normal);
}

void THTMLParser::ApplyCSS(std::u16string_view CSS, TRVImportCharFormat& F) const {
  while (!CSS.empty()) {
    const std::size_t semi = CSS.find(u';');
    std::u16string_view decl = CSS.substr(0, semi);
    CSS = semi == std::u16string_view::npos ? std::u16string_view() : CSS.substr(semi + 1);
    const std::size_t colon = decl.find(u':');
    if (colon == std::u16string_view::npos)
      continue;
    std::u16string name(Trim(decl.substr(0, colon))), value(Trim(decl.substr(colon + 1)));
    for (char16_t& c : name)
      c = Lower(c);
    for (char16_t& c : value)
      c = Lower(c);
    if (const std::size_t imp = value.find(u"!important"); imp != std::u16string::npos)
      value = std::u16string(Trim(std::u16string_view(value).substr(0, imp)));
    if (name == u"font-weight") {
      if (value == u"bold" || value == u"bolder")
        F.Bold = true;
      else if (value == u"normal" || value == u"lighter")
        F.Bold = false;
      else if (!value.empty() && value[0] >= u'1' && value[0] <= u'9')
        F.Bold = value.size() == 3 && value[0] >= u'6';
    } else if (name == u"font-style") {
      F.Italic = value.find(u"italic") != std::u16string::npos ||
                 value.find(u"oblique") != std::u16string::npos;
    } else if (name == u"text-decoration" || name == u"text-decoration-line") {
      if (value.find(u"underline") != std::u16string::npos)
        F.Underline = true;
      if (value.find(u"line-through") != std::u16string::npos)
        F.StrikeOut = true;
      if (value.rfind(u"none", 0) == 0)
        F.Underline = F.StrikeOut = false;
    } else if (name == u"font-family") {
      if (value.find(u"monospace") != std::u16string::npos)
        F.Code = true;
    }
  }
}

void THTMLParser::PopTo(std::size_t Index) {
  bool block = false;
  while (FStack.size() > Index) {
    const unsigned flags = FStack.back().Flags;
    block = block || (flags & efBlock) != 0;
    if (flags & efPre)
      --FPreDepth;
    FStack.pop_back();
  }
  FFormatDirty = true;
  if (block) {
    BlockBoundary();
    SetParagraphFromStack();
  }
}

void THTMLParser::StartTag(std::u16string_view Name, const std::vector<TAttribute>& Attrs,
                           bool SelfClosing) {
  const unsigned flags = ElementFlags(Name);
  auto attr = [&](std::u16string_view lowerName) -> const TAttribute* {
    for (const TAttribute& a : Attrs)
      if (EqualsNoCase(a.Name, lowerName))
        return &a;
    return nullptr;
  };
  if (flags & efBreak) {
    if (FEmit) {
      FlushText();
      FBuilder.SetFormat(Current());
      FBuilder.LineBreak();
    }
    FSpace = false;
    FLineStart = true;
    return;
  }
  if (flags & efBlock) {
    // A block closes an open paragraph (and a list item the one before it) as browsers do.
    for (std::size_t k = FStack.size(); k-- > 0;) {
      const unsigned open = FStack[k].Flags;
      if ((open & efParagraph) || ((flags & efListItem) && (open & efListItem))) {
        PopTo(k);
        break;
      }
      if ((open & efBlock) && !((flags & efListItem) && !(open & efList)))
        break;
    }
    if (!FMarkerOnly || (flags & efListItem))
      BlockBoundary();
  }
  if ((flags & efVoid) || SelfClosing) {
    // hr and other void blocks have already ended the paragraph.
    return;
  }
  if (FStack.size() >= static_cast<std::size_t>(RVImportMaxDepth))
    Fail("elements nested deeper than " + std::to_string(RVImportMaxDepth));
  TOpen open;
  open.Name = std::u16string(Name);
  open.Flags = flags;
  open.Format = Current();
  TRVImportCharFormat& f = open.Format;
  if (flags & efBold)
    f.Bold = true;
  if (flags & efItalic)
    f.Italic = true;
  if (flags & efUnderline)
    f.Underline = true;
  if (flags & efStrike)
    f.StrikeOut = true;
  if (flags & efCode)
    f.Code = true;
  // A link that would run code where it is followed keeps its text, as no link.
  if (flags & efLink)
    if (const TAttribute* href = attr(u"href"))
      if (std::u16string target = RV_BrowserAddress(DecodeReferences(href->Value)); !RV_ScriptingScheme(target))
        f.Link = std::move(target);
  if (const TAttribute* style = attr(u"style"))
    ApplyCSS(DecodeReferences(style->Value), f);
  if (flags & efOrdered) {
    open.Counter = 1;
    if (const TAttribute* start = attr(u"start")) {
      const std::u16string v(Trim(start->Value));
      int n = 0;
      bool ok = !v.empty() && v.size() < 9;
      for (char16_t c : v)
        ok = ok && c >= u'0' && c <= u'9' && ((n = n * 10 + (c - u'0')), true);
      if (ok)
        open.Counter = n;
    }
  }
  if (flags & efCell) {
    for (std::size_t k = FStack.size(); k-- > 0;)
      if (FStack[k].Flags & efRow) {
        if (FStack[k].Counter++ > 0 && FEmit) {
          FlushText();
          FBuilder.SetFormat(Current());
          FBuilder.AddText(u"\t");
          FSpace = false;
          FLineStart = true;
        }
        break;
      }
  }
  if (flags & efPre) {
    ++FPreDepth;
    FPreStart = true;
  }
  FStack.push_back(std::move(open));
  FFormatDirty = true;
  if (flags & efBlock)
    SetParagraphFromStack();
  if ((flags & efListItem) && FEmit) {
    std::u16string marker = u"\u2022 ";
    for (std::size_t k = FStack.size() - 1; k-- > 0;)
      if (FStack[k].Flags & efList) {
        if (FStack[k].Flags & efOrdered) {
          const std::string number = std::to_string(FStack[k].Counter++);
          marker.assign(number.begin(), number.end());
          marker += u". ";
        }
        break;
      }
    FBuilder.SetFormat(Current());
    FBuilder.AddText(marker);
    FFormatDirty = false;
    FLineStart = true;
    FMarkerOnly = true;
  }
}

void THTMLParser::EndTag(std::u16string_view Name) {
  for (std::size_t k = FStack.size(); k-- > 0;) {
    if (FStack[k].Name == Name) {
      PopTo(k);
      return;
    }
    // An end tag does not close what lies beyond the list or table it belongs in.
    if ((FStack[k].Flags & (efList | efRow)) && Name != u"ul" && Name != u"ol" && Name != u"tr" &&
        Name != u"table")
      break;
  }
  const unsigned flags = ElementFlags(Name);
  if (flags & efBreak)
    StartTag(Name, {}, false);
  else if (flags & efParagraph)
    BlockBoundary();
}

} // namespace

namespace {

// Reads the tag at FText[I] == '<' and acts on it; returns the position after it.
std::size_t THTMLParser::ReadTag(std::size_t I) {
  const std::size_t n = FText.size();
  if (FText.compare(I, 4, u"<!--") == 0) {
    const std::size_t end = FText.find(u"-->", I + 4);
    if (end == std::u16string_view::npos)
      Fail("the stream ends inside a comment");
    const std::u16string_view note = Trim(FText.substr(I + 4, end - I - 4));
    if (note == u"StartFragment")
      FEmit = true;
    else if (note == u"EndFragment")
      FEmit = false;
    return end + 3;
  }
  if (I + 1 >= n)
    Fail("the stream ends inside a tag");
  const char16_t next = FText[I + 1];
  if (next == u'!' || next == u'?') {
    const std::size_t end = FText.find(u'>', I + 2);
    if (end == std::u16string_view::npos)
      Fail("the stream ends inside a tag");
    return end + 1;
  }
  const bool closing = next == u'/';
  std::size_t j = I + (closing ? 2 : 1);
  if (j >= n || !IsLetter(FText[j])) {
    Char(u'<'); // not a tag: the text "<"
    return I + 1;
  }
  std::u16string name;
  while (j < n && !IsSpace(FText[j]) && FText[j] != u'/' && FText[j] != u'>')
    name += Lower(FText[j++]);
  FAttrs.clear();
  bool selfClosing = false;
  for (;;) {
    while (j < n && (IsSpace(FText[j]) || FText[j] == u'/')) {
      selfClosing = FText[j] == u'/';
      ++j;
    }
    if (j >= n)
      Fail("the stream ends inside a tag");
    if (FText[j] == u'>')
      break;
    selfClosing = false;
    const std::size_t nameStart = j;
    while (j < n && !IsSpace(FText[j]) && FText[j] != u'/' && FText[j] != u'>' && FText[j] != u'=')
      ++j;
    if (j == nameStart)
      ++j; // a stray '=' names nothing
    TAttribute a{FText.substr(nameStart, j - nameStart), {}};
    while (j < n && IsSpace(FText[j]))
      ++j;
    if (j < n && FText[j] == u'=') {
      ++j;
      while (j < n && IsSpace(FText[j]))
        ++j;
      if (j < n && (FText[j] == u'"' || FText[j] == u'\'')) {
        const std::size_t close = FText.find(FText[j], j + 1);
        if (close == std::u16string_view::npos)
          Fail("the stream ends inside a tag");
        a.Value = FText.substr(j + 1, close - j - 1);
        j = close + 1;
      } else {
        const std::size_t valueStart = j;
        while (j < n && !IsSpace(FText[j]) && FText[j] != u'>')
          ++j;
        a.Value = FText.substr(valueStart, j - valueStart);
      }
    }
    if (!closing)
      FAttrs.push_back(a);
  }
  ++j; // past '>'
  if (closing) {
    EndTag(name);
    return j;
  }
  StartTag(name, FAttrs, selfClosing);
  if ((ElementFlags(name) & efRaw) && !selfClosing) {
    // Skip to the matching end tag; the element was pushed, so pop it again.
    for (std::size_t k = j; (k = FText.find(u"</", k)) != std::u16string_view::npos; ++k) {
      if (k + 2 + name.size() <= n && EqualsNoCase(FText.substr(k + 2, name.size()), name) &&
          (k + 2 + name.size() == n || !IsLetter(FText[k + 2 + name.size()]))) {
        const std::size_t end = FText.find(u'>', k);
        if (end == std::u16string_view::npos)
          Fail("the stream ends inside a tag");
        EndTag(name);
        return end + 1;
      }
    }
    Fail("the stream ends inside <" + std::string(name.begin(), name.end()) + ">");
  }
  return j;
}

std::unique_ptr<TRVFFragment> THTMLParser::Run() {
  std::size_t i = 0;
  // The Windows "HTML Format" starts with a header of offsets; the HTML follows it.
  if (FText.compare(0, 8, u"Version:") == 0)
    i = std::min(FText.find(u'<'), FText.size());
  while (i < FText.size()) {
    if (FText[i] == u'<')
      i = ReadTag(i);
    else
      TextRun(i);
  }
  FlushText();
  return FBuilder.Finish();
}

} // namespace

std::unique_ptr<TRVFFragment> RVHTMLParse(std::string_view Bytes, TCustomRVData& RVData) {
  if (Bytes.size() > RVImportMaxBytes)
    Fail("the stream is larger than " + std::to_string(RVImportMaxBytes) + " bytes");
  const std::u16string text = Decode(Bytes);
  return THTMLParser(text, RVData).Run();
}

void RVHTMLLoadDocument(TCustomRVData& RVData, std::string_view Bytes) {
  RVLoadFragment(RVData, *RVHTMLParse(Bytes, RVData), TRVFStyleLoading::rvfslAddIfNeeded);
}

std::vector<std::unique_ptr<TCustomRVItemInfo>> RVHTMLReadItemsForInsertion(TCustomRVData& RVData,
                                                                           std::string_view Bytes) {
  return RVFragmentItemsForInsertion(RVData, *RVHTMLParse(Bytes, RVData));
}

} // namespace richtext
