#include "app/LinkCompose.h"

#include "richtext/base/RVClasses.h"

namespace quillon {

namespace {

constexpr std::u16string_view kUrlOpen = u"[url=";
constexpr std::u16string_view kUrlClose = u"[/url]";

bool IsBlank(char16_t c) { return c >= 1 && c <= 32; }

std::u16string RemoveAll(std::u16string_view text, std::u16string_view what) {
  std::u16string result;
  result.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(what); at != std::u16string_view::npos;
       at = text.find(what, from)) {
    result.append(text.substr(from, at - from));
    from = at + what.size();
  }
  result.append(text.substr(from));
  return result;
}

} // namespace

TMarkdownLink ComposeMarkdown(std::u16string_view title, std::u16string_view address) {
  TMarkdownLink link;
  link.address = address.find(u"http") == std::u16string_view::npos
                     ? u"http://" + std::u16string(address)
                     : std::u16string(address);
  link.markdown = u"[" + std::u16string(title) + u"](" + link.address + u")";
  return link;
}

std::u16string ComposeBBCode(std::u16string_view title, std::u16string_view address) {
  return std::u16string(kUrlOpen) + std::u16string(address) + u"]" + std::u16string(title) +
         std::u16string(kUrlClose);
}

std::u16string StripBBCodeTags(std::u16string_view entry) {
  // Both passes run over the whole text, so removing "[url=" may join the pieces of a
  // "[/url]" that the second pass then removes; that is the intended order.
  return RemoveAll(RemoveAll(entry, kUrlOpen), kUrlClose);
}

std::vector<std::u16string> SplitFields(std::u16string_view text, char16_t delimiter,
                                        char16_t quote) {
  std::vector<std::u16string> fields;
  const size_t end = text.size();
  size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < end && IsBlank(text[pos]))
      ++pos;
  };

  skipBlanks();
  while (pos < end) {
    std::u16string field;
    if (text[pos] == quote) {
      ++pos;
      while (pos < end) {
        if (text[pos] != quote) {
          field += text[pos++];
        } else if (pos + 1 < end && text[pos + 1] == quote) {
          field += quote;
          pos += 2;
        } else {
          ++pos; // the closing quote
          break;
        }
      }
    } else {
      size_t start = pos;
      while (pos < end && !IsBlank(text[pos]) && text[pos] != delimiter)
        ++pos;
      field.assign(text.substr(start, pos - start));
    }
    fields.push_back(std::move(field));

    skipBlanks();
    if (pos < end && text[pos] == delimiter) {
      if (pos + 1 == end)
        fields.emplace_back();
      ++pos;
      skipBlanks();
    }
  }
  return fields;
}

void RecallBBCodeEntry(std::u16string_view entry,
                       const std::function<void(const std::u16string&)>& setAddress,
                       const std::function<void(const std::u16string&)>& setTitle) {
  std::vector<std::u16string> fields = SplitFields(StripBBCodeTags(entry), u']', u'"');
  if (fields.empty())
    throw richtext::EListError(0);
  setAddress(fields[0]);
  if (fields.size() < 2)
    throw richtext::EListError(1);
  setTitle(fields[1]);
}

std::u16string HiddenSampleLink() {
  return ComposeBBCode(u"Quillon", u"https://quillon.example/links");
}

} // namespace quillon
