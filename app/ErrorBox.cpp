#include "app/ErrorBox.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>
#include <unistd.h>

#include <vector>

#include "app/Utf.h"

namespace quillon {

std::u16string ApplicationTitle(std::string_view executablePath) {
  std::string_view name = executablePath;
  if (size_t slash = name.rfind('/'); slash != std::string_view::npos)
    name = name.substr(slash + 1);
  if (size_t dot = name.find('.'); dot != std::string_view::npos)
    name = name.substr(0, dot);

  std::u16string source = FromUtf8(name);
  std::u16string title;
  title.reserve(source.size());
  int32_t i = 0;
  const int32_t length = static_cast<int32_t>(source.size());
  bool first = true;
  while (i < length) {
    UChar32 c;
    U16_NEXT(source.data(), i, length, c);
    if (!first)
      c = u_tolower(c);
    first = false;
    if (U_IS_BMP(c)) {
      title += static_cast<char16_t>(c);
    } else {
      title += static_cast<char16_t>(U16_LEAD(c));
      title += static_cast<char16_t>(U16_TRAIL(c));
    }
  }
  return title;
}

std::u16string ErrorBoxText(std::u16string_view message) {
  std::u16string text(message);
  if (!text.empty() && text.back() > u'.')
    text += u'.';
  return text;
}

void ShowException(TNotifier& notifier, std::u16string_view title, const std::exception& e) {
  notifier.ShowError(std::u16string(title), ErrorBoxText(FromUtf8(e.what())));
}

std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0)
      return {};
    if (static_cast<size_t>(length) < buffer.size())
      return std::string(buffer.data(), static_cast<size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutableFolder() {
  std::string path = ExecutablePath();
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace quillon
