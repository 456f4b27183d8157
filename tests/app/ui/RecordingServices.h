// Doubles for the window's boxes and clipboard: they record what the window asks for.
#pragma once

#include <string>
#include <vector>

#include "app/ErrorBox.h"
#include "app/TextClipboard.h"
#include "app/Utf.h"

namespace quillon::test {

struct TBox {
  std::u16string kind; // u"error", u"message" or u"question"
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
  TSaveChoice AskSaveChanges(const std::u16string& title, const std::u16string& text) override {
    Boxes.push_back({u"question", title, text});
    return SaveAnswer;
  }
  bool AskYesNo(const std::u16string& title, const std::u16string& text) override {
    Boxes.push_back({u"yesno", title, text});
    return YesNoAnswer;
  }
  std::string AskSaveFileName(const std::u16string& title, const std::string& suggestedPath) override {
    Boxes.push_back({u"save as", title, FromUtf8(suggestedPath)});
    return SaveAsAnswer;
  }
  std::vector<TBox> Boxes;
  TSaveChoice SaveAnswer = TSaveChoice::Cancel;
  bool YesNoAnswer = false;
  std::string SaveAsAnswer;
};

class TRecordingClipboard : public TTextClipboard {
public:
  void SetUnicodeText(const std::u16string& text) override { Texts.push_back(text); }
  std::vector<std::u16string> Texts;
};

} // namespace quillon::test
