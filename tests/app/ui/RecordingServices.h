// Doubles for the window's boxes and clipboard: they record what the window asks for.
#pragma once

#include <string>
#include <vector>

#include "app/ErrorBox.h"
#include "app/TextClipboard.h"

namespace quillon::test {

struct TBox {
  std::u16string kind; // u"error" or u"message"
  std::u16string title;
  std::u16string text;
  bool operator==(const TBox&) const = default;
};

class TRecordingNotifier : public TNotifier {
public:
  void ShowError(const std::u16string& title, const std::u16string& text) override {
    Boxes.push_back({u"error", title, text});
  }
  void ShowMessage(const std::u16string& title, const std::u16string& text) override {
    Boxes.push_back({u"message", title, text});
  }
  std::vector<TBox> Boxes;
};

class TRecordingClipboard : public TTextClipboard {
public:
  void SetUnicodeText(const std::u16string& text) override { Texts.push_back(text); }
  std::vector<std::u16string> Texts;
};

} // namespace quillon::test
