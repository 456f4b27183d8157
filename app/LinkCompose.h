// Turning a title and an address into links, and a stored BBCode link back into its fields.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct TMarkdownLink {
  std::u16string address;  // the address as the field should now show it
  std::u16string markdown; // "[title](address)"
};

// Button1Click / Edit2KeyPress(Enter): address gets "http://" in front unless it contains
// "http" anywhere (case-sensitive, so "HTTP://x" is prefixed too).
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

// BBCode recall: strips tags, splits with ']' and '"', calls setAddress(field 0) then
// setTitle(field 1). With no field throws richtext::EListError(0) before any call; with one
// field calls setAddress and then throws richtext::EListError(1).
void RecallBBCodeEntry(std::u16string_view entry,
                       const std::function<void(const std::u16string&)>& setAddress,
                       const std::function<void(const std::u16string&)>& setTitle);

// The hidden sample: a fixed BBCode link (address + one-word title).
std::u16string HiddenSampleLink();

} // namespace quillon
