// Turning a title and an address into links, and a stored BBCode link back into its fields.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct TMarkdownLink {
  std::u16string address;  // the address as the field should now show it
  std::u16string markdown; // "[title](address)", escaped so that readers get both back
};

// Whether the address starts with a scheme: a letter, then letters, digits, '+', '-' or '.',
// then ':' ("HTTPS:", "mailto:", "ftp:"). A host with a port ("example.com:8080",
// "localhost:3000/x") has none.
bool HasScheme(std::u16string_view address);
// "http://" goes in front of an address without a scheme that does not start with "/"
// (a path, or "//host" without a scheme).
bool NeedsHttpPrefix(std::u16string_view address);

// The characters a Markdown backslash can escape.
constexpr bool IsAsciiPunctuation(char16_t c) {
  return (c >= u'!' && c <= u'/') || (c >= u':' && c <= u'@') || (c >= u'[' && c <= u'`') ||
         (c >= u'{' && c <= u'~');
}

// The title as Markdown link text: '\', '[' and ']' and every character that would start
// emphasis, code, raw HTML, an entity, a citation, maths, sub- or superscript or
// strike-out is escaped with a backslash.
std::u16string MarkdownLinkText(std::u16string_view title);
// The address as a Markdown link destination: in angle brackets when it holds spaces, '<',
// '>' or unbalanced parentheses; controls as %XX; backslashes and '&' that a reader would
// take as escapes or entities are escaped.
std::u16string MarkdownDestination(std::u16string_view address);

// Button1Click / Edit2KeyPress(Enter): the address gets "http://" in front as
// NeedsHttpPrefix says; the link is "[" + text + "](" + destination + ")".
TMarkdownLink ComposeMarkdown(std::u16string_view title, std::u16string_view address);

// Button2Click: "[url=" + address + "]" + title + "[/url]", nothing escaped or prefixed.
std::u16string ComposeBBCode(std::u16string_view title, std::u16string_view address);

// Removes every "[url=", then every "[/url]" (exact case).
std::u16string StripBBCodeTags(std::u16string_view entry);

// The field-splitting rule: blanks are codes 1..32 and separate fields like the delimiter;
// a field starting with the quote char runs to the next lone quote, doubled quotes standing
// for one; a delimiter as the very last char adds one empty field.
std::vector<std::u16string> SplitFields(std::u16string_view text, char16_t delimiter,
                                        char16_t quote);

struct TBBCodeLink {
  std::u16string Address;
  std::u16string Title;
};
// "[url=ADDRESS]TITLE[/url]" (blanks around it aside): the address is the text before the
// first ']', the title everything after it up to the closing tag, kept as typed.
std::optional<TBBCodeLink> ParseBBCodeLink(std::u16string_view entry);

// BBCode recall: a BBCode link gives its whole address and title. Any other entry is
// stripped of its tags and split with ']' and '"': calls setAddress(field 0) then
// setTitle(field 1). With no field throws richtext::EListError(0) before any call; with one
// field calls setAddress and then throws richtext::EListError(1).
void RecallBBCodeEntry(std::u16string_view entry,
                       const std::function<void(const std::u16string&)>& setAddress,
                       const std::function<void(const std::u16string&)>& setTitle);

// The hidden sample: a fixed BBCode link (address + one-word title).
std::u16string HiddenSampleLink();

} // namespace quillon
