// The system clipboard as the engine sees it, and the clipboard module's helpers: the retrying
// open and the functions that put a text or byte block on the clipboard or read one back.
//
// The clipboard works in open/close sessions that nest: an open while this process already
// has the clipboard open only counts up, a close counts down and ends the session at zero.
// Everything set inside one session belongs together; a platform binding may publish the
// whole session at once when it ends. Formats are numbers: the standard ones below and the
// ones registered by name, which keep their names so that a binding can publish them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "richtext/base/RVClasses.h"
#include "richtext/base/RVCodePage.h"

namespace richtext {

using TRVClipboardFormat = std::uint32_t;

inline constexpr TRVClipboardFormat CF_TEXT = 1;
inline constexpr TRVClipboardFormat CF_UNICODETEXT = 13;
inline constexpr TRVClipboardFormat CF_LOCALE = 16;

// The first number handed out to a format registered by name; the standard formats stay
// below it.
inline constexpr TRVClipboardFormat RVFirstRegisteredFormat = 0xC000;

// The number of the format called Name, registering it on first use. Names compare without
// regard to ASCII case, so every spelling of a name gets one number for the whole run.
// An empty name gets 0 (no format).
TRVClipboardFormat RVRegisterClipboardFormat(std::u16string_view Name);
// The name a format was registered with; empty for standard and unknown formats.
std::u16string RVGetClipboardFormatName(TRVClipboardFormat Format);

// The clipboard could not be opened (another program holds it, or there is no clipboard).
// The retrying open waits and tries again on this class only.
class ERVClipboardOpenError : public ERichViewError {
public:
  // Reason: the system's text for why, as in "Cannot open clipboard: <reason>".
  explicit ERVClipboardOpenError(const std::string& Reason)
      : ERichViewError("Cannot open clipboard: " + Reason) {}
};

inline constexpr const char* errRVNoMemory = "No memory";

class TRVSystemClipboard {
public:
  virtual ~TRVSystemClipboard() = default;

  // Opens the clipboard for this process or counts one more nested open.
  // Raises ERVClipboardOpenError when the platform refuses.
  void Open();
  // Counts one open down; at zero the session ends and its contents are handed over.
  void Close();
  bool IsOpen() const { return FOpenRefCount > 0; }
  // Opens, empties and closes: the clipboard then holds nothing.
  void Clear();
  // Sets Data as Format, inside a nested open and close. The clipboard owns the block from
  // then on, and a format set twice in one session keeps the last block.
  void SetData(TRVClipboardFormat Format, std::string Data);
  // Read side; both open and close around the question.
  bool HasFormat(TRVClipboardFormat Format);
  // The bytes held as Format; empty when the format is not there.
  std::string GetData(TRVClipboardFormat Format);

  // A block of Size bytes for SetData, or false when that much memory cannot be had.
  virtual bool Allocate(std::string& Block, std::size_t Size);
  // The pause between two attempts of the retrying open.
  virtual void Sleep(int Milliseconds);

protected:
  // The platform's side of a session. DoOpen raises ERVClipboardOpenError when refused.
  virtual void DoOpen() = 0;
  virtual void DoClose() = 0;
  virtual void DoEmpty() = 0;
  virtual void DoSetData(TRVClipboardFormat Format, std::string Data) = 0;
  virtual bool DoHasFormat(TRVClipboardFormat Format) = 0;
  virtual std::string DoGetData(TRVClipboardFormat Format) = 0;

private:
  int FOpenRefCount = 0;
};

// The clipboard every copy goes to. Until a platform binding installs one, a clipboard that
// refuses to open stands in. Returns the previous one; nullptr restores the stand-in.
TRVSystemClipboard* RVSetSystemClipboard(TRVSystemClipboard* Clipboard);
TRVSystemClipboard& RVSystemClipboard();

// Attempts and the growing pause between them: waits of 250, 500, 750 and 1000 ms, about
// 2.5 s in all, before the fifth refusal propagates.
inline constexpr int MAXRETRIES = 5;
inline constexpr int DELAYSTEPMS = 250;

// Opens the system clipboard, retrying while another program holds it. True when open;
// the last refusal's ERVClipboardOpenError propagates, any other error at once.
bool RVTryOpenClipboard();

// Text blocks with their terminating zero (one byte, or one UTF-16 code unit, little-endian).
// Raise ERichViewError "No memory" when the block cannot be allocated.
void RVSetTextToClipboardA(std::string_view s, TRVClipboardFormat Format);
void RVSetTextToClipboardW(std::u16string_view s, TRVClipboardFormat Format);
// A block of exactly these bytes.
void RVSetBytesToClipboard(std::string_view Bytes, TRVClipboardFormat Format);

// Read side, for pasting. False unless the clipboard holds Format. The W form cuts the text
// at its first zero code unit, the A form at its first zero byte.
bool RVGetTextFromClipboardW(std::u16string& s, TRVClipboardFormat Format);
bool RVGetTextFromClipboardA(std::string& s, TRVClipboardFormat Format);
// A dropped or copied address: "UniformResourceLocatorW" as UTF-16, else
// "UniformResourceLocator" converted from the process's ANSI code page.
bool RVGetURLFromClipboard(std::u16string& s);
// The code page of 8-bit text on the clipboard. No platform here publishes a locale with
// the text, so this is the keyboard's code page.
TRVCodePage RVGetClipboardCodePage();

} // namespace richtext
