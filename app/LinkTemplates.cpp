#include "app/LinkTemplates.h"

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "app/LinkFormats.h"
#include "app/Utf.h"
#include "richtext/base/RVUni.h"

namespace quillon {

namespace {

using std::u16string;
using std::u16string_view;

constexpr u16string_view kVariables[] = {u"title", u"url", u"host", u"date", u"selection"};

std::string Trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
    ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r'))
    --end;
  return std::string(text.substr(begin, end - begin));
}

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}


// A value as QSettings writes it: bare, or in double quotes with \" \\ \n \t \r and \xHHHH
// escapes (the form it uses for text with commas, leading blanks or control characters).
std::optional<u16string> ReadValue(const std::string& raw, std::string& error) {
  if (raw.empty() || raw.front() != '"')
    return FromUtf8(raw);
  if (raw.size() < 2 || raw.back() != '"') {
    error = "the value's closing quote is missing";
    return std::nullopt;
  }
  const std::string inner = raw.substr(1, raw.size() - 2);
  u16string out;
  std::string pending;
  auto flush = [&] {
    out += FromUtf8(pending);
    pending.clear();
  };
  for (std::size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] != '\\') {
      pending += inner[i];
      continue;
    }
    if (++i == inner.size()) {
      error = "the value ends in a lone backslash";
      return std::nullopt;
    }
    const char c = inner[i];
    if (c == 'x') {
      char16_t code = 0;
      std::size_t digits = 0;
      while (digits < 4 && i + 1 < inner.size() && richtext::RVU_HexDigitValue(inner[i + 1]) >= 0) {
        code = static_cast<char16_t>(code * 16 + richtext::RVU_HexDigitValue(inner[++i]));
        ++digits;
      }
      if (digits == 0) {
        error = "\\x without hexadecimal digits";
        return std::nullopt;
      }
      flush();
      out += code;
      continue;
    }
    const char plain = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    if (plain == c && c != '"' && c != '\\') {
      error = std::string("unknown escape \\") + c;
      return std::nullopt;
    }
    pending += plain;
  }
  flush();
  return out;
}

// The first fault of a format: an unknown variable or a brace that opens or closes nothing.
std::string FormatFault(u16string_view format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'}') {
      if (i + 1 < format.size() && format[i + 1] == u'}') {
        ++i;
        continue;
      }
      return "a \"}\" closes no variable";
    }
    if (format[i] != u'{')
      continue;
    if (i + 1 < format.size() && format[i + 1] == u'{') {
      ++i;
      continue;
    }
    const std::size_t end = format.find(u'}', i);
    if (end == u16string_view::npos)
      return "a \"{\" is not closed";
    const u16string_view name = format.substr(i + 1, end - i - 1);
    bool known = false;
    for (u16string_view variable : kVariables)
      known = known || name == variable;
    if (!known)
      return "unknown variable {" + ToUtf8(name) +
             "} (the variables are {title}, {url}, {host}, {date}, {selection})";
    i = end;
  }
  return {};
}

std::optional<TTemplateEscape> ReadEscape(const std::string& value) {
  const std::string name = Lower(Trim(value));
  if (name == "none" || name.empty())
    return TTemplateEscape::None;
  if (name == "markdown")
    return TTemplateEscape::Markdown;
  if (name == "bbcode")
    return TTemplateEscape::BBCode;
  if (name == "html")
    return TTemplateEscape::Html;
  return std::nullopt;
}

// What each target does to a value so that its reader gets the value back.
u16string EscapeText(TTemplateEscape escape, u16string_view text) {
  u16string out;
  for (char16_t c : text) {
    switch (escape) {
    case TTemplateEscape::None:
      out += c;
      break;
    case TTemplateEscape::Markdown:
      if (u16string_view(u"\\`*_[]<>").find(c) != u16string_view::npos)
        out += u'\\';
      out += c;
      break;
    case TTemplateEscape::BBCode:
      // The tags' brackets: BBCode has no escape of its own, a character reference shows.
      out += c == u'[' ? u"&#91;" : c == u']' ? u"&#93;" : u16string(1, c);
      break;
    case TTemplateEscape::Html:
      out += c == u'&'   ? u"&amp;"
             : c == u'<' ? u"&lt;"
             : c == u'>' ? u"&gt;"
             : c == u'"' ? u"&quot;"
             : c == u'\'' ? u"&#39;"
                          : u16string(1, c);
      break;
    }
  }
  return out;
}

u16string EscapeUrl(TTemplateEscape escape, u16string_view url) {
  switch (escape) {
  case TTemplateEscape::None:
    return u16string(url);
  case TTemplateEscape::Markdown:
    return PercentEncodeChars(url, u" ()<>");
  case TTemplateEscape::BBCode:
    return PercentEncodeChars(url, u" []\"");
  case TTemplateEscape::Html:
    return EscapeText(escape, PercentEncodeChars(url, u" "));
  }
  return u16string(url);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

} // namespace

const TLinkTemplate* TLinkTemplates::Find(std::u16string_view name) const {
  for (const TLinkTemplate& entry : Templates)
    if (entry.Name == name)
      return &entry;
  return nullptr;
}

TLinkTemplates ParseLinkTemplates(std::string_view bytes, const std::string& fileName) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
    bytes.remove_prefix(3);
  TLinkTemplates result;
  struct TSection {
    TLinkTemplate Template;
    int Line = 0;
    bool HasFormat = false;
    bool Faulty = false;
  };
  std::optional<TSection> section;
  auto error = [&](int line, const std::string& text) {
    result.Errors.push_back(fileName + ":" + std::to_string(line) + ": " + text);
  };
  auto close = [&] {
    if (!section)
      return;
    if (!section->Faulty && !section->HasFormat)
      error(section->Line, "template [" + ToUtf8(section->Template.Name) + "] has no format=");
    else if (!section->Faulty)
      result.Templates.push_back(section->Template);
    section.reset();
  };
  std::istringstream lines{std::string(bytes)};
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#')
      continue;
    if (line[0] == '[') {
      close();
      if (line.back() != ']' || line.size() < 3) {
        error(number, "a section is written [name]");
        section = TSection{{}, number, false, true};
        continue;
      }
      section = TSection{{FromUtf8(Trim(line.substr(1, line.size() - 2))), {}, {}}, number};
      if (result.Find(section->Template.Name)) {
        error(number, "template [" + ToUtf8(section->Template.Name) + "] is defined twice");
        section->Faulty = true;
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      error(number, "expected [name] or key=value");
      if (section)
        section->Faulty = true;
      continue;
    }
    if (!section) {
      error(number, "a key before the first [template]");
      continue;
    }
    if (section->Faulty)
      continue;
    const std::string key = Lower(Trim(line.substr(0, equals)));
    std::string valueError;
    const std::optional<u16string> value = ReadValue(Trim(line.substr(equals + 1)), valueError);
    if (!value) {
      error(number, valueError);
      section->Faulty = true;
    } else if (key == "format") {
      const std::string fault = FormatFault(*value);
      if (!fault.empty()) {
        error(number, fault);
        section->Faulty = true;
      }
      section->Template.Format = *value;
      section->HasFormat = true;
    } else if (key == "escape") {
      const std::optional<TTemplateEscape> escape = ReadEscape(ToUtf8(*value));
      if (!escape) {
        error(number, "unknown escaping \"" + ToUtf8(*value) +
                          "\" (none, markdown, bbcode or html)");
        section->Faulty = true;
      } else {
        section->Template.Escape = *escape;
      }
    } else {
      error(number, "unknown key \"" + key + "\" (format or escape)");
      section->Faulty = true;
    }
  }
  close();
  return result;
}

std::string LinkTemplatesPath() {
  const std::string config = Environment("XDG_CONFIG_HOME");
  const std::string base =
      !config.empty() && config.front() == '/' ? config : Environment("HOME") + "/.config";
  return base + "/quillon/templates.ini";
}

TLinkTemplates LoadLinkTemplates() {
  const std::string path = LinkTemplatesPath();
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return {};
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return ParseLinkTemplates(bytes.str(), path);
}

std::u16string ExpandLinkTemplate(const TLinkTemplate& linkTemplate,
                                  const TTemplateValues& values) {
  const TTemplateEscape escape = linkTemplate.Escape;
  const u16string_view format = linkTemplate.Format;
  u16string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if ((c == u'{' || c == u'}') && i + 1 < format.size() && format[i + 1] == c) {
      out += c;
      ++i;
      continue;
    }
    const std::size_t end = c == u'{' ? format.find(u'}', i) : u16string_view::npos;
    if (end == u16string_view::npos) {
      out += c;
      continue;
    }
    const u16string_view name = format.substr(i + 1, end - i - 1);
    if (name == u"title")
      out += EscapeText(escape, values.Title);
    else if (name == u"url")
      out += EscapeUrl(escape, values.Url);
    else if (name == u"host")
      out += EscapeText(escape, AddressHost(values.Url));
    else if (name == u"date")
      out += values.Date;
    else if (name == u"selection")
      out += EscapeText(escape, values.Selection);
    else
      out += format.substr(i, end - i + 1);
    i = end;
  }
  return out;
}

std::u16string AddressHost(std::u16string_view url) {
  std::size_t start = url.find(u"://");
  start = start == u16string_view::npos ? 0 : start + 3;
  std::size_t end = url.find_first_of(u"/?#", start);
  u16string_view authority = url.substr(start, end == u16string_view::npos ? end : end - start);
  if (const std::size_t at = authority.rfind(u'@'); at != u16string_view::npos)
    authority.remove_prefix(at + 1);
  if (!authority.empty() && authority.front() == u'[') {
    const std::size_t close = authority.find(u']');
    return u16string(authority.substr(0, close == u16string_view::npos ? close : close + 1));
  }
  if (const std::size_t colon = authority.find(u':'); colon != u16string_view::npos)
    authority = authority.substr(0, colon);
  u16string host(authority);
  for (char16_t& ch : host)
    if (ch >= u'A' && ch <= u'Z')
      ch = static_cast<char16_t>(ch - u'A' + u'a');
  return host;
}

std::u16string TodayIso() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return FromUtf8(text);
}

} // namespace quillon
