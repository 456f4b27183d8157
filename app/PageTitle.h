// A web page's title, from the bytes of its first megabyte and its Content-Type header:
// which charset the page is in (byte-order mark, then the header's charset, then a <meta>
// tag, as browsers decide), the decoded text, and the <title> in it with references decoded
// and white space collapsed. The window's fetch button uses this; the Qt part only fetches.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon {

// At most this much of a page is read; a title further on is not found.
inline constexpr std::size_t kPageTitleReadLimit = 1024 * 1024;

// How a page's encoding was found: the ICU converter name and what said so.
struct TPageCharset {
  std::string Converter; // "UTF-8", "GB18030", "Big5-HKSCS", "Shift_JIS", "windows-1252", ...
  enum class TSource { ByteOrderMark, Header, MetaTag, Default } Source = TSource::Default;
  std::size_t MarkLength = 0; // bytes of the byte-order mark, which are no text
  bool operator==(const TPageCharset&) const = default;
};

// The charset parameter of a Content-Type value ("text/html; charset=GBK" -> "GBK"),
// unquoted; empty when there is none.
std::string ContentTypeCharset(std::string_view contentType);

// Whether a Content-Type value names an HTML page (text/html or application/xhtml+xml).
// An empty value counts: the server did not say.
bool IsHtmlContentType(std::string_view contentType);

// The charset named by a <meta charset> or <meta http-equiv="Content-Type" content="...;
// charset=..."> tag before the page's <title> or body (an ASCII-compatible page).
std::string MetaTagCharset(std::string_view bytes);

// The ICU converter for an encoding label as pages write them ("gb2312" -> "GB18030",
// "x-sjis" -> "Shift_JIS", "latin1" -> "windows-1252"); empty when ICU has none.
std::string PageConverterName(std::string_view label);

TPageCharset DetectPageCharset(std::string_view bytes, std::string_view contentType);

// The bytes after the mark in Charset, bad sequences as U+FFFD.
std::u16string DecodePage(std::string_view bytes, const TPageCharset& charset);

// The text of the first <title> element outside comments, references decoded, white space
// collapsed; none when the page has no title or an empty one.
std::optional<std::u16string> ExtractTitle(std::u16string_view html);

// What went wrong, as the error box says it.
class EPageTitleError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// All of the above: the title of the page, or EPageTitleError("the page is not HTML (...)"
// or "the page has no title").
std::u16string PageTitle(std::string_view bytes, std::string_view contentType);

// The address to fetch for what the user typed: blanks trimmed, "http://" in front of an
// address without a scheme. EPageTitleError for an empty address or a scheme other than
// http and https.
std::string PageAddress(std::u16string_view typed);

} // namespace quillon
