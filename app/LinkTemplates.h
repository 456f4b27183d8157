// Link templates: formats a user defines, such as "- [{title}]({url}) — {date}", kept in
// $XDG_CONFIG_HOME/quillon/templates.ini, one section per template:
//
//   [Markdown item]
//   format=- [{title}]({url}) — {date}
//   escape=markdown
//
// The variables are {title}, {url}, {host}, {date} and {selection}; "{{" and "}}" stand for
// the braces themselves. Each value is escaped for the template's target (none, markdown,
// bbcode, html) before it goes in. The file is in QSettings' INI form; it is read here line
// by line so that a fault is named by its line and the other templates stay usable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class TTemplateEscape { None, Markdown, BBCode, Html };

struct TLinkTemplate {
  std::u16string Name;
  std::u16string Format;
  TTemplateEscape Escape = TTemplateEscape::None;
};

struct TLinkTemplates {
  std::vector<TLinkTemplate> Templates; // in the file's order
  // One per fault, naming the file and the line: "templates.ini:4: unknown variable {titel}".
  std::vector<std::string> Errors;
  const TLinkTemplate* Find(std::u16string_view name) const;
};

// FileName is what the errors call the file.
TLinkTemplates ParseLinkTemplates(std::string_view bytes, const std::string& fileName);

// $XDG_CONFIG_HOME/quillon/templates.ini when $XDG_CONFIG_HOME is an absolute path, else
// $HOME/.config/quillon/templates.ini.
std::string LinkTemplatesPath();
// The file at LinkTemplatesPath(); a missing file holds no templates and no fault.
TLinkTemplates LoadLinkTemplates();

struct TTemplateValues {
  std::u16string Title;
  std::u16string Url;
  std::u16string Date;      // YYYY-MM-DD
  std::u16string Selection; // the page's selected text, if any
};

// The template with the values put in; {host} is the address's host name.
std::u16string ExpandLinkTemplate(const TLinkTemplate& linkTemplate, const TTemplateValues& values);

// The host name of an address ("https://Example.com:8080/a" gives "example.com"); empty
// when it has none.
std::u16string AddressHost(std::u16string_view url);
// Today's date in the local time zone, as {date} gives it.
std::u16string TodayIso();

} // namespace quillon
