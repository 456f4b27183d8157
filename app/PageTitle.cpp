#include "app/PageTitle.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <memory>

#include "app/HtmlText.h"
#include "app/Utf.h"

namespace quillon {

namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back()))
    text.remove_suffix(1);
  return text;
}

// The value after "charset" in a Content-Type value or a meta tag's content.
std::string CharsetParameter(std::string_view value) {
  const std::string lower = Lower(value);
  for (std::size_t at = lower.find("charset"); at != std::string::npos;
       at = lower.find("charset", at + 1)) {
    std::size_t i = at + 7;
    while (i < value.size() && IsSpace(value[i]))
      ++i;
    if (i >= value.size() || value[i] != '=')
      continue;
    ++i;
    while (i < value.size() && IsSpace(value[i]))
      ++i;
    if (i < value.size() && (value[i] == '"' || value[i] == '\'')) {
      const std::size_t end = value.find(value[i], i + 1);
      if (end == std::string_view::npos)
        return {};
      return std::string(value.substr(i + 1, end - i - 1));
    }
    std::size_t end = i;
    while (end < value.size() && !IsSpace(value[end]) && value[end] != ';')
      ++end;
    return std::string(value.substr(i, end - i));
  }
  return {};
}

struct TConverterClose {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TConverterClose>;

TConverter OpenConverter(const std::string& name) {
  UErrorCode error = U_ZERO_ERROR;
  TConverter converter(ucnv_open(name.c_str(), &error));
  return U_SUCCESS(error) ? std::move(converter) : nullptr;
}

// The meta tags of an ASCII-compatible page read the same in any of its encodings: widen
// the bytes one to one.
std::u16string Widened(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes)
    out += static_cast<char16_t>(static_cast<unsigned char>(c));
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  // A page cut at the read limit may end inside a character.
  const bool cut = bytes.size() >= kPageTitleReadLimit;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra;
    if (lead < 0x80)
      extra = 0;
    else if (lead >= 0xC2 && lead < 0xE0)
      extra = 1;
    else if (lead >= 0xE0 && lead < 0xF0)
      extra = 2;
    else if (lead >= 0xF0 && lead < 0xF5)
      extra = 3;
    else
      return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if (i + k >= bytes.size())
        return cut;
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
        return false;
    }
    i += extra + 1;
  }
  return true;
}

} // namespace

std::string ContentTypeCharset(std::string_view contentType) {
  return std::string(Trim(CharsetParameter(contentType)));
}

bool IsHtmlContentType(std::string_view contentType) {
  const std::string type = Lower(Trim(contentType.substr(0, contentType.find(';'))));
  return type.empty() || type == "text/html" || type == "application/xhtml+xml";
}

std::string MetaTagCharset(std::string_view bytes) {
  const std::string lower = Lower(bytes.substr(0, std::min<std::size_t>(bytes.size(), 64 * 1024)));
  for (std::size_t at = lower.find("<meta"); at != std::string::npos;
       at = lower.find("<meta", at + 5)) {
    const std::size_t end = lower.find('>', at);
    if (end == std::string::npos)
      break;
    const std::u16string tag = Widened(bytes.substr(at + 5, end - at - 5));
    auto value = [&tag](std::u16string_view name) {
      return Lower(ToUtf8(HtmlAttribute(tag, name).value_or(u"")));
    };
    if (std::string charset = value(u"charset"); !Trim(charset).empty())
      return std::string(Trim(charset));
    if (Trim(value(u"http-equiv")) == "content-type")
      if (std::string charset = CharsetParameter(value(u"content")); !charset.empty())
        return std::string(Trim(charset));
  }
  return {};
}

std::string PageConverterName(std::string_view label) {
  const std::string name = Lower(Trim(label));
  if (name.empty())
    return {};
  // The labels browsers treat as one encoding, mapped to ICU's converter for its superset.
  static constexpr std::pair<std::string_view, std::string_view> kLabels[] = {
      {"utf-8", "UTF-8"},
      {"utf8", "UTF-8"},
      {"unicode-1-1-utf-8", "UTF-8"},
      {"gb2312", "GB18030"},
      {"gbk", "GB18030"},
      {"x-gbk", "GB18030"},
      {"gb_2312-80", "GB18030"},
      {"csgb2312", "GB18030"},
      {"chinese", "GB18030"},
      {"gb18030", "GB18030"},
      {"big5", "Big5-HKSCS"},
      {"big5-hkscs", "Big5-HKSCS"},
      {"x-x-big5", "Big5-HKSCS"},
      {"cn-big5", "Big5-HKSCS"},
      {"csbig5", "Big5-HKSCS"},
      {"shift_jis", "Shift_JIS"},
      {"shift-jis", "Shift_JIS"},
      {"sjis", "Shift_JIS"},
      {"x-sjis", "Shift_JIS"},
      {"ms_kanji", "Shift_JIS"},
      {"windows-31j", "Shift_JIS"},
      {"csshiftjis", "Shift_JIS"},
      {"ms932", "Shift_JIS"},
      {"iso-8859-1", "windows-1252"},
      {"latin1", "windows-1252"},
      {"us-ascii", "windows-1252"},
      {"ascii", "windows-1252"},
      {"windows-1252", "windows-1252"},
      {"utf-16", "UTF-16LE"},
      {"utf-16le", "UTF-16LE"},
      {"utf-16be", "UTF-16BE"}};
  std::string converter = name;
  for (const auto& [label, icuName] : kLabels)
    if (label == name)
      converter = std::string(icuName);
  return OpenConverter(converter) ? converter : std::string();
}

TPageCharset DetectPageCharset(std::string_view bytes, std::string_view contentType) {
  if (bytes.starts_with("\xEF\xBB\xBF"))
    return {"UTF-8", TPageCharset::TSource::ByteOrderMark, 3};
  if (bytes.starts_with("\xFF\xFE"))
    return {"UTF-16LE", TPageCharset::TSource::ByteOrderMark, 2};
  if (bytes.starts_with("\xFE\xFF"))
    return {"UTF-16BE", TPageCharset::TSource::ByteOrderMark, 2};
  if (std::string name = PageConverterName(ContentTypeCharset(contentType)); !name.empty())
    return {name, TPageCharset::TSource::Header, 0};
  if (std::string name = PageConverterName(MetaTagCharset(bytes)); !name.empty()) {
    // A page that reads its own meta tag is ASCII-compatible: a tag naming UTF-16 is wrong.
    if (name.starts_with("UTF-16"))
      name = "UTF-8";
    return {name, TPageCharset::TSource::MetaTag, 0};
  }
  return {IsValidUtf8(bytes) ? "UTF-8" : "windows-1252", TPageCharset::TSource::Default, 0};
}

std::u16string DecodePage(std::string_view bytes, const TPageCharset& charset) {
  bytes.remove_prefix(std::min(charset.MarkLength, bytes.size()));
  TConverter converter = OpenConverter(charset.Converter);
  if (!converter)
    return FromUtf8(bytes);
  std::u16string text(bytes.size() + 1, u'\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length =
      ucnv_toUChars(converter.get(), text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                    static_cast<int32_t>(bytes.size()), &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    text.assign(static_cast<std::size_t>(length) + 1, u'\0');
    error = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter.get());
    ucnv_toUChars(converter.get(), text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                  static_cast<int32_t>(bytes.size()), &error);
  }
  if (U_FAILURE(error))
    return FromUtf8(bytes);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::optional<std::u16string> ExtractTitle(std::u16string_view html) {
  std::size_t at = 0;
  while (true) {
    const std::size_t comment = html.find(u"<!--", at);
    const std::size_t title = FindAsciiNoCase(html, u"<title", at);
    if (title == std::u16string_view::npos)
      return std::nullopt;
    if (comment != std::u16string_view::npos && comment < title) {
      const std::size_t end = html.find(u"-->", comment + 4);
      if (end == std::u16string_view::npos)
        return std::nullopt;
      at = end + 3;
      continue;
    }
    const std::size_t after = title + 6;
    // "<titles>" or "<title-x>" are other tags.
    if (after < html.size() && html[after] != u'>' && html[after] > 0x20 && html[after] != u'/') {
      at = after;
      continue;
    }
    const std::size_t open = html.find(u'>', after);
    if (open == std::u16string_view::npos)
      return std::nullopt;
    // The title is raw text: no tags inside, it ends at the first "</title".
    std::size_t close = FindAsciiNoCase(html, u"</title", open + 1);
    if (close == std::u16string_view::npos)
      close = html.size();
    std::u16string text =
        CollapseHtmlWhitespace(DecodeHtmlEntities(html.substr(open + 1, close - open - 1)));
    if (text.empty())
      return std::nullopt;
    return text;
  }
}

std::u16string PageTitle(std::string_view bytes, std::string_view contentType) {
  if (!IsHtmlContentType(contentType))
    throw EPageTitleError("the page is not HTML (" + std::string(Trim(contentType)) + ")");
  bytes = bytes.substr(0, std::min(bytes.size(), kPageTitleReadLimit));
  const std::optional<std::u16string> title =
      ExtractTitle(DecodePage(bytes, DetectPageCharset(bytes, contentType)));
  if (!title)
    throw EPageTitleError("the page has no title");
  return *title;
}

std::string PageAddress(std::u16string_view typed) {
  std::string address = std::string(Trim(ToUtf8(typed)));
  if (address.empty())
    throw EPageTitleError("the address is empty");
  const std::size_t colon = address.find(':');
  const std::size_t slash = address.find('/');
  const bool hasScheme =
      colon != std::string::npos && colon > 0 && (slash == std::string::npos || colon < slash) &&
      std::all_of(address.begin(), address.begin() + static_cast<long>(colon), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '-' || c == '.';
      });
  // "localhost:8080/x" names a port, not a scheme.
  const bool port = hasScheme && colon + 1 < address.size() && address[colon + 1] >= '0' &&
                    address[colon + 1] <= '9';
  if (!hasScheme || port)
    return "http://" + address;
  const std::string scheme = Lower(std::string_view(address).substr(0, colon));
  if (scheme != "http" && scheme != "https")
    throw EPageTitleError("only http and https pages can be fetched, not " + scheme + ":");
  return address;
}

} // namespace quillon
