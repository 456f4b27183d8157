// Reading back what a copy put on the clipboard: one target's bytes, and how often a piece
// of markup occurs in them.
#pragma once

#include <QMimeData>
#include <QString>

#include <cstddef>
#include <string>

namespace quillon::test {

inline std::string Bytes(const QMimeData* data, const char* target) {
  const QByteArray bytes = data->data(QString::fromLatin1(target));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

} // namespace quillon::test
