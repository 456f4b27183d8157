#include "app/LinkFormats.h"

#include "app/LinkCompose.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/Translatable.h"
#include "app/Utf.h"

namespace quillon {

namespace {

using std::u16string;
using std::u16string_view;

constexpr std::array<TLinkFormatInfo, 6> kFormats{{
    {TLinkFormat::Html, "html",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为 HTML 链接")},
    {TLinkFormat::ReStructuredText, "rst",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为 reStructuredText 链接")},
    {TLinkFormat::AsciiDoc, "asciidoc",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为 AsciiDoc 链接")},
    {TLinkFormat::Org, "org",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为 Org 链接")},
    {TLinkFormat::MediaWiki, "mediawiki",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为 MediaWiki 链接")},
    {TLinkFormat::Line, "line",
     QT_TRANSLATE_NOOP("quillon::LinkFormats", "复制为“标题 — 地址”文本行")},
}};

// Blanks and control characters cannot stand in an address of any markup format: a space
// ends the address in MediaWiki and AsciiDoc and is dropped by reStructuredText.
u16string EncodeAddressBlanks(u16string_view address, u16string_view more) {
  u16string chars;
  for (char16_t c = 0; c <= 0x20; ++c)
    chars += c;
  chars += u'\x7F';
  chars += more;
  return PercentEncodeChars(address, chars);
}

void AppendDecimalReference(u16string& out, char32_t code) {
  out += u"&#";
  for (char c : std::to_string(static_cast<unsigned long>(code)))
    out += static_cast<char16_t>(c);
  out += u';';
}

// ---- HTML ----------------------------------------------------------------------------

// "&", "<", ">" (and '"' with Quote) as HTML writes them; false for any other character.
bool AppendHtmlEscape(u16string& out, char16_t c, bool quote) {
  const char16_t* escaped = c == u'&'            ? u"&amp;"
                            : c == u'<'          ? u"&lt;"
                            : c == u'>'          ? u"&gt;"
                            : quote && c == u'"' ? u"&quot;"
                                                 : nullptr;
  if (escaped)
    out += escaped;
  return escaped != nullptr;
}

// Text and double-quoted attribute values alike.
u16string HtmlEscape(u16string_view text) {
  u16string out;
  for (char16_t c : text)
    if (!AppendHtmlEscape(out, c, true))
      out += c;
  return out;
}

u16string FormatHtml(u16string_view title, u16string_view address) {
  return u"<a href=\"" + HtmlEscape(EncodeAddressBlanks(address, {})) + u"\">" + HtmlEscape(title) +
         u"</a>";
}

// ---- reStructuredText ----------------------------------------------------------------

// Inside `...` only the backslash, the backquote and the angle brackets that would start
// the embedded address mean something.
u16string RstEscapeTitle(u16string_view title) {
  u16string out;
  for (char16_t c : title) {
    if (c == u'\\' || c == u'`' || c == u'<' || c == u'>')
      out += u'\\';
    out += c;
  }
  return out;
}

u16string RstEscapeAddress(u16string_view address) {
  const u16string encoded = EncodeAddressBlanks(address, u"<>");
  u16string out;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char16_t c = encoded[i];
    // A final "_" would make the address a reference to a target of that name.
    if (c == u'\\' || c == u'`' || (c == u'_' && i + 1 == encoded.size()))
      out += u'\\';
    out += c;
  }
  return out;
}

bool IsRstSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

u16string FormatRst(u16string_view title, u16string_view address) {
  // Interpreted text may neither begin nor end with white space.
  while (!title.empty() && IsRstSpace(title.front()))
    title.remove_prefix(1);
  while (!title.empty() && IsRstSpace(title.back()))
    title.remove_suffix(1);
  u16string text = RstEscapeTitle(title);
  if (!text.empty())
    text += u' ';
  // Anonymous ("__"), so that two links with one title in a document do not clash.
  return u"`" + text + u"<" + RstEscapeAddress(address) + u">`__";
}

// ---- AsciiDoc ------------------------------------------------------------------------

// Characters that start inline formatting, passthroughs, attribute references, macros,
// replacements or the link macro's attribute list. A character reference keeps each one
// out of every substitution: it is only turned back into the character by the reader of
// the converted output.
bool IsAsciiDocMarkup(char16_t c) {
  switch (c) {
  case u'*':
  case u'_':
  case u'`':
  case u'#':
  case u'^':
  case u'~':
  case u'+':
  case u'[':
  case u']':
  case u'{':
  case u'}':
  case u'\\':
  case u'<':
  case u'>':
  case u'&':
  case u'\'':
  case u'"':
  case u'=':
  case u'@':
  case u'$':
  case u'|':
  case u'(':
  case u':':
    return true;
  default:
    return false;
  }
}

// "--" (dash), "..." (ellipsis) are replaced only in runs; a lone "-" or "." stays.
bool InRun(u16string_view text, std::size_t i, char16_t c) {
  return (i > 0 && text[i - 1] == c) || (i + 1 < text.size() && text[i + 1] == c);
}

u16string AsciiDocEscape(u16string_view text) {
  u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsAsciiDocMarkup(c) || ((c == u'-' || c == u'.') && InRun(text, i, c)))
      AppendDecimalReference(out, c);
    else
      out += c;
  }
  return out;
}

u16string FormatAsciiDoc(u16string_view title, u16string_view address) {
  // The target keeps its ":" (the scheme) but no blank, which would end it.
  u16string target;
  for (char16_t c : EncodeAddressBlanks(address, {})) {
    if (c != u':' && c != u'(' && IsAsciiDocMarkup(c))
      AppendDecimalReference(target, c);
    else
      target += c;
  }
  return u"link:" + target + u"[" + AsciiDocEscape(title) + u"]";
}

// ---- Org mode ------------------------------------------------------------------------

bool IsOrgBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == 0x200B;
}

// Emphasis opens after the start, a blank or one of -({'" and before a non-blank; it
// closes after a non-blank and before the end, a blank or punctuation.
bool OrgCanOpen(u16string_view text, std::size_t i) {
  const bool preOk = i == 0 || IsOrgBlank(text[i - 1]) ||
                     u16string_view(u"-({'\"").find(text[i - 1]) != u16string_view::npos;
  return preOk && i + 1 < text.size() && !IsOrgBlank(text[i + 1]);
}

bool OrgCanClose(u16string_view text, std::size_t i) {
  const bool postOk = i + 1 == text.size() || IsOrgBlank(text[i + 1]) ||
                      u16string_view(u"-.,;:!?')}[\"\\").find(text[i + 1]) != u16string_view::npos;
  return postOk && i > 0 && !IsOrgBlank(text[i - 1]);
}

// "_" and "^" after a non-blank start a subscript or superscript (Org's default).
bool OrgCanScript(u16string_view text, std::size_t i) {
  return i > 0 && !IsOrgBlank(text[i - 1]) && i + 1 < text.size() && !IsOrgBlank(text[i + 1]);
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The Org entities written for characters that could close the link or start markup, and
// when each is needed.
enum class TOrgWhen { Always, AtMarkup, AtMarkupOrScript, AtScript, AfterEntity };
struct TOrgEntity {
  char16_t Char;
  const char16_t* Entity;
  TOrgWhen When;
};
constexpr TOrgEntity kOrgEntities[] = {
    // A bracket of any kind could close the description or the link.
    {u'[', u"\\lbrack{}", TOrgWhen::Always},
    {u']', u"\\rbrack{}", TOrgWhen::Always},
    // Targets, radio targets, angle links, timestamps; inline math.
    {u'<', u"\\lt{}", TOrgWhen::Always},
    {u'>', u"\\gt{}", TOrgWhen::Always},
    {u'$', u"\\dollar{}", TOrgWhen::Always},
    {u'*', u"\\ast{}", TOrgWhen::AtMarkup},
    {u'/', u"\\slash{}", TOrgWhen::AtMarkup},
    {u'+', u"\\plus{}", TOrgWhen::AtMarkup},
    {u'_', u"\\under{}", TOrgWhen::AtMarkupOrScript},
    {u'^', u"\\asciicirc{}", TOrgWhen::AtScript},
    // Right after an entity a brace would be read as its argument.
    {u'{', u"\\lbrace{}", TOrgWhen::AfterEntity},
};

bool OrgEntityNeeded(TOrgWhen when, u16string_view title, std::size_t i, bool afterEntity) {
  const bool markup = OrgCanOpen(title, i) || OrgCanClose(title, i);
  switch (when) {
  case TOrgWhen::Always:
    return true;
  case TOrgWhen::AtMarkup:
    return markup;
  case TOrgWhen::AtMarkupOrScript:
    return markup || OrgCanScript(title, i);
  case TOrgWhen::AtScript:
    return OrgCanScript(title, i);
  case TOrgWhen::AfterEntity:
    return afterEntity;
  }
  return false;
}

// Where Org has no entity its escape is a zero-width space that parts the character from
// what would complete the markup: -1 puts it before the character, 1 after, 0 nowhere.
int OrgZeroWidthSpace(u16string_view title, std::size_t i) {
  const char16_t c = title[i];
  const char16_t next = i + 1 < title.size() ? title[i + 1] : u'\0';
  // A backslash before a letter or a bracket would start an entity or a fragment.
  if (c == u'\\' &&
      (IsAsciiLetter(next) ||
       (next != 0 && u16string_view(u"\\{}()[]_^").find(next) != u16string_view::npos)))
    return 1;
  if ((c == u'=' || c == u'~') && OrgCanClose(title, i))
    return 1;
  // "--" and "..." become dashes and an ellipsis.
  if ((c == u'-' || c == u'.') && next == c)
    return 1;
  // "scheme:" would make a link inside the description.
  if (c == u':' && i > 0 && IsAsciiLetter(title[i - 1]) && next != 0 && !IsOrgBlank(next))
    return -1;
  return 0;
}

u16string OrgEscapeTitle(u16string_view title) {
  u16string out;
  bool afterEntity = false;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char16_t c = title[i];
    const auto entity = std::find_if(std::begin(kOrgEntities), std::end(kOrgEntities),
                                     [c](const TOrgEntity& e) { return e.Char == c; });
    if (entity != std::end(kOrgEntities) && OrgEntityNeeded(entity->When, title, i, afterEntity)) {
      out += entity->Entity;
      afterEntity = true;
      continue;
    }
    afterEntity = false;
    const int space = OrgZeroWidthSpace(title, i);
    if (space < 0)
      out += u'\x200B';
    out += c;
    if (space > 0)
      out += u'\x200B';
  }
  return out;
}

u16string FormatOrg(u16string_view title, u16string_view address) {
  const u16string target = EncodeAddressBlanks(address, u"[]\\");
  if (title.empty())
    return u"[[" + target + u"]]";
  return u"[[" + target + u"][" + OrgEscapeTitle(title) + u"]]";
}

// ---- MediaWiki -----------------------------------------------------------------------

u16string MediaWikiEscapeTitle(u16string_view title) {
  // Brackets end the link, quotes make bold or italics, braces and pipes belong to
  // templates and tables, tildes make signatures, "__" magic words, and ":" would let a
  // reader link a "scheme:" inside the text.
  constexpr u16string_view wikiMarkup = u"[]'{}|~:";
  u16string out;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char16_t c = title[i];
    if (AppendHtmlEscape(out, c, false))
      continue;
    if (wikiMarkup.find(c) != u16string_view::npos || (c == u'_' && InRun(title, i, u'_')))
      AppendDecimalReference(out, c);
    else
      out += c;
  }
  return out;
}

u16string FormatMediaWiki(u16string_view title, u16string_view address) {
  // An external link needs a scheme, or the wiki shows the brackets as text.
  u16string full(address);
  if (!full.starts_with(u"//") && !HasScheme(full))
    full = u"http://" + full;
  const u16string target = EncodeAddressBlanks(full, u"[]<>\"{}|'");
  if (title.empty())
    return u"[" + target + u"]";
  return u"[" + target + u" " + MediaWikiEscapeTitle(title) + u"]";
}

} // namespace

std::span<const TLinkFormatInfo> LinkFormats() {
  return kFormats;
}

std::optional<TLinkFormat> FindLinkFormat(std::string_view name) {
  for (const TLinkFormatInfo& info : kFormats)
    if (info.Name == name)
      return info.Format;
  return std::nullopt;
}

u16string PercentEncodeChars(u16string_view Address, u16string_view Chars) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  u16string out;
  for (std::size_t i = 0; i < Address.size(); ++i) {
    const char16_t c = Address[i];
    if (Chars.find(c) == u16string_view::npos) {
      out += c;
      continue;
    }
    for (unsigned char byte : ToUtf8(Address.substr(i, 1))) {
      out += u'%';
      out += static_cast<char16_t>(kHex[byte >> 4]);
      out += static_cast<char16_t>(kHex[byte & 0xF]);
    }
  }
  return out;
}

u16string FormatLink(TLinkFormat Format, u16string_view Title, u16string_view Address) {
  switch (Format) {
  case TLinkFormat::Html:
    return FormatHtml(Title, Address);
  case TLinkFormat::ReStructuredText:
    return FormatRst(Title, Address);
  case TLinkFormat::AsciiDoc:
    return FormatAsciiDoc(Title, Address);
  case TLinkFormat::Org:
    return FormatOrg(Title, Address);
  case TLinkFormat::MediaWiki:
    return FormatMediaWiki(Title, Address);
  case TLinkFormat::Line:
    return u16string(Title) + u" \u2014 " + u16string(Address);
  }
  return {};
}

} // namespace quillon
