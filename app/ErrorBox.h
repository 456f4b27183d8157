// How errors and messages reach the user, and the application title they carry.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace quillon {

// The answers to "save the changes before closing?".
enum class TSaveChoice { Save, Discard, Cancel };

// Shows boxes; the Qt one uses QMessageBox, tests record calls.
class TNotifier {
public:
  virtual ~TNotifier() = default;
  // Stop icon, one OK button.
  virtual void ShowError(const std::u16string& title, const std::u16string& text) = 0;
  // Plain message box: one OK button, no icon, centred on the screen.
  virtual void ShowMessage(const std::u16string& title, const std::u16string& text) = 0;
  // Question icon; Save, Discard and Cancel buttons (Save the default, Escape cancels).
  virtual TSaveChoice AskSaveChanges(const std::u16string& title, const std::u16string& text) = 0;
  // Question icon; Yes and No (No the default). True for Yes.
  virtual bool AskYesNo(const std::u16string& title, const std::u16string& text) = 0;
  // A file to save to, starting at suggestedPath (UTF-8); empty when the user cancels.
  virtual std::string AskSaveFileName(const std::u16string& title, const std::string& suggestedPath) = 0;
};

// Title rule: file name without folder, cut at its first '.', every char after the first
// lower-cased. "build/bin/quillon" -> "quillon".
std::u16string ApplicationTitle(std::string_view executablePath);

// Appends "." when the last char's code is above '.' (46).
std::u16string ErrorBoxText(std::u16string_view message);

// Converts an exception's UTF-8 message and shows it with ShowError and the app title.
void ShowException(TNotifier& notifier, std::u16string_view title, const std::exception& e);

// Full path of the running executable (/proc/self/exe) and its folder with trailing '/'.
std::string ExecutablePath();
std::string ExecutableFolder();

} // namespace quillon
