// Link formats beside the window's own Markdown and BBCode: HTML, reStructuredText,
// AsciiDoc, Org mode, MediaWiki and a plain "title — address" line. Each writer escapes the
// title and the address for its format so that a reader of that format gets both back;
// docs/link-formats.md lists the rules.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

enum class TLinkFormat { Html, ReStructuredText, AsciiDoc, Org, MediaWiki, Line };

struct TLinkFormatInfo {
  TLinkFormat Format;
  std::string_view Name;       // as quillon-link's --format takes it
  // The entry of the result fields' context menu: UTF-8, marked for translation in
  // kLinkFormatsContext.
  std::string_view Caption;
};
inline constexpr char kLinkFormatsContext[] = "quillon::LinkFormats";

// Every format, in menu order.
std::span<const TLinkFormatInfo> LinkFormats();
std::optional<TLinkFormat> FindLinkFormat(std::string_view name);

// One link in Format; no line break at the end.
std::u16string FormatLink(TLinkFormat Format, std::u16string_view Title,
                          std::u16string_view Address);

// Replaces each character of Address found in Chars by %XX of its UTF-8 bytes and leaves
// every other one, '%' too unless Chars holds it: an address already encoded stays so.
std::u16string PercentEncodeChars(std::u16string_view Address, std::u16string_view Chars);

} // namespace quillon
