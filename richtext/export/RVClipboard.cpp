#include "richtext/export/RVClipboard.h"

#include <chrono>
#include <new>
#include <thread>
#include <vector>

#include "richtext/base/RVUniAnsi.h"
#include "richtext/export/RVStr.h"

namespace richtext {

// ---------------------------------------------------------------------------------------------
// Registered formats: one number per name for the whole run, like the system's atom table.

namespace {

std::vector<std::u16string>& RegisteredNames() {
  static std::vector<std::u16string> names;
  return names;
}

bool SameNameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i]))
      return false;
  return true;
}

} // namespace

TRVClipboardFormat RVRegisterClipboardFormat(std::u16string_view Name) {
  if (Name.empty())
    return 0;
  auto& names = RegisteredNames();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (SameNameIgnoringAsciiCase(names[i], Name))
      return RVFirstRegisteredFormat + static_cast<TRVClipboardFormat>(i);
  names.emplace_back(Name);
  return RVFirstRegisteredFormat + static_cast<TRVClipboardFormat>(names.size() - 1);
}

std::u16string RVGetClipboardFormatName(TRVClipboardFormat Format) {
  const auto& names = RegisteredNames();
  if (Format < RVFirstRegisteredFormat || Format - RVFirstRegisteredFormat >= names.size())
    return {};
  return names[Format - RVFirstRegisteredFormat];
}

// ---------------------------------------------------------------------------------------------
// Sessions

void TRVSystemClipboard::Open() {
  if (FOpenRefCount == 0)
    DoOpen();
  ++FOpenRefCount;
}

void TRVSystemClipboard::Close() {
  if (FOpenRefCount == 0)
    return;
  if (--FOpenRefCount == 0)
    DoClose();
}

void TRVSystemClipboard::Clear() {
  Open();
  try {
    DoEmpty();
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TRVSystemClipboard::SetData(TRVClipboardFormat Format, std::string Data) {
  Open();
  try {
    DoSetData(Format, std::move(Data));
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

bool TRVSystemClipboard::HasFormat(TRVClipboardFormat Format) {
  Open();
  bool result = false;
  try {
    result = DoHasFormat(Format);
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return result;
}

std::string TRVSystemClipboard::GetData(TRVClipboardFormat Format) {
  Open();
  std::string result;
  try {
    result = DoGetData(Format);
  } catch (...) {
    Close();
    throw;
  }
  Close();
  return result;
}

bool TRVSystemClipboard::Allocate(std::string& Block, std::size_t Size) {
  try {
    Block.assign(Size, '\0');
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

void TRVSystemClipboard::Sleep(int Milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

// ---------------------------------------------------------------------------------------------
// The process's clipboard

namespace {

// Stands in until a platform binding is installed: a program without one has no clipboard.
class TRVNoClipboard final : public TRVSystemClipboard {
protected:
  void DoOpen() override { throw ERVClipboardOpenError("no system clipboard is available"); }
  void DoClose() override {}
  void DoEmpty() override {}
  void DoSetData(TRVClipboardFormat, std::string) override {}
  bool DoHasFormat(TRVClipboardFormat) override { return false; }
  std::string DoGetData(TRVClipboardFormat) override { return {}; }
};

TRVNoClipboard& NoClipboard() {
  static TRVNoClipboard clipboard;
  return clipboard;
}

TRVSystemClipboard* InstalledClipboard = nullptr;

} // namespace

TRVSystemClipboard* RVSetSystemClipboard(TRVSystemClipboard* Clipboard) {
  TRVSystemClipboard* previous = InstalledClipboard;
  InstalledClipboard = Clipboard;
  return previous;
}

TRVSystemClipboard& RVSystemClipboard() {
  return InstalledClipboard ? *InstalledClipboard : NoClipboard();
}

bool RVTryOpenClipboard() {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  int delay = DELAYSTEPMS;
  for (int attempt = 1; attempt <= MAXRETRIES; ++attempt) {
    try {
      clipboard.Open();
      return true;
    } catch (const ERVClipboardOpenError&) {
      if (attempt == MAXRETRIES)
        throw;
      clipboard.Sleep(delay);
      delay += DELAYSTEPMS;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Blocks

namespace {

void SetBlock(const void* Data, std::size_t Size, TRVClipboardFormat Format) {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  std::string block;
  if (!clipboard.Allocate(block, Size))
    throw ERichViewError(errRVNoMemory);
  block.resize(Size);
  if (Size)
    std::char_traits<char>::copy(block.data(), static_cast<const char*>(Data), Size);
  clipboard.SetData(Format, std::move(block));
}

} // namespace

void RVSetTextToClipboardA(std::string_view s, TRVClipboardFormat Format) {
  std::string bytes(s);
  bytes.push_back('\0');
  SetBlock(bytes.data(), bytes.size(), Format);
}

void RVSetTextToClipboardW(std::u16string_view s, TRVClipboardFormat Format) {
  std::u16string text(s);
  text.push_back(u'\0');
  SetBlock(RVU_UnicodeToLEBytes(text).data(), text.size() * 2, Format);
}

void RVSetBytesToClipboard(std::string_view Bytes, TRVClipboardFormat Format) {
  SetBlock(Bytes.data(), Bytes.size(), Format);
}

bool RVGetTextFromClipboardW(std::u16string& s, TRVClipboardFormat Format) {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  if (!clipboard.HasFormat(Format))
    return false;
  std::string bytes = clipboard.GetData(Format);
  if (bytes.size() % 2)
    bytes.push_back('\0'); // a stray last byte still makes a code unit, as (size + 1) div 2
  s = RVU_LEBytesToUnicode(bytes);
  if (const auto zero = s.find(u'\0'); zero != std::u16string::npos)
    s.resize(zero);
  return true;
}

bool RVGetTextFromClipboardA(std::string& s, TRVClipboardFormat Format) {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  if (!clipboard.HasFormat(Format))
    return false;
  s = clipboard.GetData(Format);
  if (const auto zero = s.find('\0'); zero != std::string::npos)
    s.resize(zero);
  return true;
}

bool RVGetURLFromClipboard(std::u16string& s) {
  s.clear();
  RVRegisterClipboardFormats();
  if (RVGetTextFromClipboardW(s, CFRV_URLW))
    return true;
  std::string bytes;
  if (!RVGetTextFromClipboardA(bytes, CFRV_URL))
    return false;
  s = RVU_AnsiToUnicode(RVU_GetProcessAnsiCodePage(), bytes);
  return true;
}

TRVCodePage RVGetClipboardCodePage() {
  return RVU_GetKeyboardCodePage();
}

} // namespace richtext
