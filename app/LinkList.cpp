#include "app/LinkList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "app/AtomicFile.h"
#include "app/HugePages.h"
#include "app/FileStamp.h"
#include "app/ListSort.h"
#include "app/Translatable.h"
#include "app/Utf.h"
#include "richtext/base/RVClasses.h"
#include "richtext/base/RVUni.h"

namespace quillon {

namespace {

constexpr off_t kMaxListFileSize = off_t{512} << 20;

// Callers and users' scripts match these texts: every language keeps them as they are.
constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("quillon::Errors", "Cannot open file");
constexpr const char* kCannotCreate = QT_TRANSLATE_NOOP("quillon::Errors", "Cannot create file");
constexpr const char* kUnableToInsert =
    QT_TRANSLATE_NOOP("quillon::Errors", "Unable to insert a line");

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2 + 1);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t pairs = bytes.size() / 2;
  for (size_t i = 0; i < pairs; ++i) {
    unsigned first = data[2 * i], second = data[2 * i + 1];
    text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  // Half a code unit is damage, not text to drop quietly: it shows up as a replacement
  // character on the last line.
  if (bytes.size() % 2 != 0)
    text += u'\uFFFD';
  return text;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  bytes.resize(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char high = static_cast<char>(text[i] >> 8), low = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i] = bigEndian ? high : low;
    bytes[2 * i + 1] = bigEndian ? low : high;
  }
  return bytes;
}

// Where each line is in the text, so that a big list is not copied line by line before it
// is sorted.
std::vector<TTextSpan> SplitLines(std::u16string_view text) {
  std::vector<TTextSpan> lines;
  const size_t end = text.size();
  size_t start = 0;
  for (size_t i = 0; i < end; ++i) {
    char16_t c = text[i];
    if (c != u'\r' && c != u'\n')
      continue;
    lines.push_back({start, i - start});
    if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < end)
    lines.push_back({start, end - start});
  return lines;
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int error) {
  throw richtext::ERichViewError(std::string(what) + " \"" + path + "\". " +
                                 std::strerror(error));
}

// A whole file's bytes, in a buffer that is not cleared before it is read into: for a big
// list, clearing costs as much as reading.
struct TFileBytes {
  std::unique_ptr<char[]> data;
  size_t size = 0;
  std::string_view View() const { return {data.get(), size}; }
};

TFileBytes ReadWholeFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    ThrowFileError(kCannotOpen, path, errno);
  auto fail = [&](int error) {
    close(fd);
    ThrowFileError(kCannotOpen, path, error);
  };
  struct stat info {};
  size_t capacity = 65536;
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    // The converters count in 32-bit lengths; a list this big is not a link list anyway.
    if (info.st_size > kMaxListFileSize)
      fail(EFBIG);
    // One byte more than the size, so that the end of the file shows without another round.
    capacity = static_cast<size_t>(info.st_size) + 1;
  }
  TFileBytes bytes{std::unique_ptr<char[]>(new char[capacity]), 0};
  AdviseHugePages(bytes.data.get(), capacity);
  for (;;) {
    if (bytes.size == capacity) {
      // The file grew while it was read: read on into a bigger buffer.
      if (capacity > static_cast<size_t>(kMaxListFileSize))
        fail(EFBIG);
      std::unique_ptr<char[]> bigger(new char[capacity * 2]);
      std::memcpy(bigger.get(), bytes.data.get(), bytes.size);
      bytes.data = std::move(bigger);
      capacity *= 2;
    }
    ssize_t got = read(fd, bytes.data.get() + bytes.size, capacity - bytes.size);
    if (got < 0) {
      if (errno == EINTR)
        continue;
      fail(errno);
    }
    if (got == 0)
      break;
    bytes.size += static_cast<size_t>(got);
  }
  close(fd);
  if (bytes.size > static_cast<size_t>(kMaxListFileSize))
    ThrowFileError(kCannotOpen, path, EFBIG);
  return bytes;
}

bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// UTF-8 to UTF-16 a piece at a time, so that the big result is written once rather than
// cleared and then written. A piece ends before a byte that cannot continue a sequence (or
// that follows three continuation bytes, as no sequence is longer), so damaged input yields
// the same U+FFFD as in one conversion.
std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  AdviseHugePages(text.data(), text.capacity() * sizeof(char16_t));
  constexpr size_t kPiece = 16384;
  while (!bytes.empty()) {
    const size_t limit = std::min(bytes.size(), kPiece);
    size_t size = limit;
    while (size < bytes.size() && limit - size < 3 && IsUtf8Continuation(bytes[size]))
      --size;
    if (size < bytes.size() && IsUtf8Continuation(bytes[size]))
      size = limit;
    // Straight into the text: one UTF-16 unit at most per byte.
    const size_t used = text.size();
    text.resize(used + size);
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(text.data() + used),
                         static_cast<int32_t>(size), &length, bytes.data(),
                         static_cast<int32_t>(size), 0xFFFD, nullptr, &error);
    text.resize(U_FAILURE(error) && error != U_STRING_NOT_TERMINATED_WARNING
                    ? used
                    : used + static_cast<size_t>(length));
    bytes.remove_prefix(size);
  }
  return text;
}

// ICU's collation for the POSIX variant (what the C locale becomes) is plain code point
// order with capitals first; the lists are to sort without regard to case in every locale,
// so that variant falls back to the language's ordinary collation.
std::string CollationLocale(std::string localeName) {
  if (localeName.empty())
    localeName = uloc_getDefault();
  char variant[ULOC_FULLNAME_CAPACITY] = {};
  char language[ULOC_LANG_CAPACITY] = {};
  char country[ULOC_COUNTRY_CAPACITY] = {};
  UErrorCode error = U_ZERO_ERROR;
  uloc_getVariant(localeName.c_str(), variant, sizeof variant - 1, &error);
  uloc_getLanguage(localeName.c_str(), language, sizeof language - 1, &error);
  uloc_getCountry(localeName.c_str(), country, sizeof country - 1, &error);
  if (U_FAILURE(error))
    return localeName;
  std::string lowerLanguage(language);
  if (lowerLanguage == "c" || lowerLanguage == "posix")
    return "";
  if (std::strcmp(variant, "POSIX") == 0)
    return country[0] ? lowerLanguage + "_" + country : lowerLanguage;
  return localeName;
}

} // namespace

TListText DecodeListText(std::string_view bytes, richtext::TRVCodePage ansiCodePage) {
  TListText list{TListEncoding::Ansi, {}, {}};
  std::u16string& text = list.text;
  if (bytes.starts_with(kUtf8Mark)) {
    list.encoding = TListEncoding::Utf8;
    text = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (bytes.starts_with(kUtf16LEMark)) {
    list.encoding = TListEncoding::Utf16LE;
    text = DecodeUtf16(bytes.substr(kUtf16LEMark.size()), false);
  } else if (bytes.starts_with(kUtf16BEMark)) {
    list.encoding = TListEncoding::Utf16BE;
    text = DecodeUtf16(bytes.substr(kUtf16BEMark.size()), true);
  } else {
    text = richtext::RVU_AnsiToUnicode(ansiCodePage, bytes);
  }
  if (size_t nul = text.find(u'\0'); nul != std::u16string::npos)
    text.resize(nul);
  list.lines = SplitLines(text);
  return list;
}

TDecodedList DecodeListFile(std::string_view bytes, richtext::TRVCodePage ansiCodePage) {
  TListText text = DecodeListText(bytes, ansiCodePage);
  TDecodedList list{text.encoding, {}};
  list.lines.reserve(text.lines.size());
  for (const TTextSpan& line : text.lines)
    list.lines.emplace_back(text.text, line.start, line.length);
  return list;
}

int WriteListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                  richtext::TRVCodePage ansiCodePage,
                  const std::function<int(std::string_view)>& write) {
  constexpr std::size_t kPiece = 1 << 16;
  std::string_view mark;
  switch (encoding) {
  case TListEncoding::Utf8: mark = kUtf8Mark; break;
  case TListEncoding::Utf16LE: mark = kUtf16LEMark; break;
  case TListEncoding::Utf16BE: mark = kUtf16BEMark; break;
  case TListEncoding::Ansi: break;
  }
  if (!mark.empty())
    if (int error = write(mark); error != 0)
      return error;
  // Every piece ends with a line's CR LF, and neither pairs with a surrogate nor continues a
  // multi-byte character, so the pieces encode as the whole text would.
  std::u16string text;
  text.reserve(kPiece * 2);
  std::unique_ptr<char[]> utf8;
  std::size_t utf8Size = 0;
  auto flush = [&]() -> int {
    if (text.empty())
      return 0;
    std::string other;
    std::string_view bytes;
    switch (encoding) {
    case TListEncoding::Utf8:
      if (utf8Size < text.size() * 3) {
        utf8Size = std::max(text.size() * 3, kPiece * 6);
        utf8.reset(new char[utf8Size]);
      }
      bytes = std::string_view(utf8.get(), static_cast<std::size_t>(
                                               richtext::RVU_UnicodeToUtf8(text, utf8.get()) - utf8.get()));
      break;
    case TListEncoding::Utf16LE:
    case TListEncoding::Utf16BE:
      other = EncodeUtf16(text, encoding == TListEncoding::Utf16BE);
      bytes = other;
      break;
    case TListEncoding::Ansi:
      other = richtext::RVU_UnicodeToAnsiBytes(ansiCodePage, text);
      bytes = other;
      break;
    }
    text.clear();
    return write(bytes);
  };
  for (const std::u16string& entry : entries) {
    text += entry;
    text += u"\r\n";
    if (text.size() >= kPiece)
      if (int error = flush(); error != 0)
        return error;
  }
  return flush();
}

std::string EncodeListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                           richtext::TRVCodePage ansiCodePage) {
  std::string bytes;
  WriteListFile(entries, encoding, ansiCodePage, [&](std::string_view piece) {
    bytes += piece;
    return 0;
  });
  return bytes;
}

void TLinkList::TCollatorCloser::operator()(UCollator* collator) const { ucol_close(collator); }

TLinkList::TLinkList(std::string localeName, richtext::TRVCodePage ansiCodePage)
    : FAnsiCodePage(ansiCodePage == richtext::CP_ACP ? richtext::RVU_GetProcessAnsiCodePage()
                                                     : ansiCodePage) {
  localeName = CollationLocale(std::move(localeName));
  UErrorCode error = U_ZERO_ERROR;
  FCollator.reset(ucol_open(localeName.c_str(), &error));
  if (U_FAILURE(error)) {
    error = U_ZERO_ERROR;
    FCollator.reset(ucol_open("", &error));
  }
  if (U_FAILURE(error) || !FCollator)
    throw richtext::ERichViewError(std::string("Cannot create a collator: ") +
                                   u_errorName(error));
  // Secondary strength: letter case (a tertiary difference) does not order entries, accents
  // still do.
  ucol_setStrength(FCollator.get(), UCOL_SECONDARY);
}

TLinkList::~TLinkList() = default;

void TLinkList::Load(const std::string& path) {
  FEntries.clear();
  FEncoding.reset();
  // Taken before reading: a write that lands while the file is read then shows as a
  // change at the next save, rather than slipping through.
  FLoadedPath = path;
  FLoadedStamp = StampOf(path);
  // What sorting needs once per language is made on another processor while the file is
  // read and decoded (the thread is joined however this ends).
  std::jthread preparing;
  UErrorCode cloneError = U_ZERO_ERROR;
  std::shared_ptr<UCollator> clone(ucol_clone(FCollator.get(), &cloneError), ucol_close);
  if (U_SUCCESS(cloneError) && clone) {
    try {
      preparing = std::jthread([clone] { PrepareCollationOrder(clone.get()); });
    } catch (const std::system_error&) {
    }
  }
  TListText decoded = DecodeListText(ReadWholeFile(path).View(), FAnsiCodePage);
  std::vector<std::u16string_view> lines;
  lines.reserve(decoded.lines.size());
  for (const TTextSpan& line : decoded.lines)
    lines.emplace_back(decoded.text.data() + line.start, line.length);
  // The entries are made in their sorted order, one after the other in memory, so that
  // everything that walks the list later (a save above all) walks memory in order.
  const std::vector<std::size_t> order = CollationOrder(FCollator.get(), lines);
  FEntries.reserve(order.size());
  for (std::size_t index : order)
    FEntries.emplace_back(lines[index]);
  FEncoding = decoded.encoding;
}

void TLinkList::Assign(std::vector<std::u16string> lines) {
  const std::vector<std::size_t> order =
      CollationOrder(FCollator.get(), std::vector<std::u16string_view>(lines.begin(), lines.end()));
  std::vector<std::u16string> sorted;
  sorted.reserve(lines.size());
  for (std::size_t index : order)
    sorted.push_back(std::move(lines[index]));
  FEntries = std::move(sorted);
}

void TLinkList::Save(const std::string& path) { Save(path, DefaultFileWriter()); }

void TLinkList::Save(const std::string& path, TFileWriter& writer) {
  RemoveAdjacentDuplicates();
  const TListEncoding encoding = FEncoding.value_or(TListEncoding::Ansi);
  const bool loadedHere = FLoadedStamp && path == FLoadedPath;
  if (loadedHere) {
    // Someone else's entries in the file would be lost by writing ours over them. A file
    // that is gone loses nothing, so it is simply written anew.
    const TFileStamp now = StampOf(path);
    if (now.exists && !(now == *FLoadedStamp))
      throw richtext::ERichViewError("The file \"" + path +
                                     "\" was changed by another program after it was "
                                     "loaded. Nothing was saved, so that no entry is lost");
  }
  auto produce = [&](const TWriteBytes& write) {
    return WriteListFile(FEntries, encoding, FAnsiCodePage, write);
  };
  if (int error = ReplaceFileAtomically(path, produce, writer); error != 0)
    ThrowFileError(kCannotCreate, path, error);
  if (loadedHere)
    FLoadedStamp = StampOf(path);
}

int TLinkList::InsertPosition(std::u16string_view entry) const {
  const auto* text = reinterpret_cast<const UChar*>(entry.data());
  const int32_t length = static_cast<int32_t>(entry.size());
  // Upper bound: a new entry goes after every entry it collates equal to.
  auto at = std::upper_bound(FEntries.begin(), FEntries.end(), entry,
                             [&](std::u16string_view, const std::u16string& existing) {
                               return ucol_strcoll(FCollator.get(), text, length,
                                                   reinterpret_cast<const UChar*>(
                                                       existing.data()),
                                                   static_cast<int32_t>(existing.size())) ==
                                      UCOL_LESS;
                             });
  return static_cast<int>(at - FEntries.begin());
}

int TLinkList::Add(std::u16string entry) {
  int index = InsertPosition(entry);
  try {
    FEntries.insert(FEntries.begin() + index, std::move(entry));
  } catch (const std::bad_alloc&) {
    throw richtext::ERichViewError(kUnableToInsert);
  } catch (const std::length_error&) {
    throw richtext::ERichViewError(kUnableToInsert);
  }
  return index;
}

void TLinkList::Delete(int index) {
  if (index == -1)
    return;
  if (index < 0 || index >= Count())
    throw richtext::EListError(index);
  FEntries.erase(FEntries.begin() + index);
}

void TLinkList::RemoveAdjacentDuplicates() {
  // Same result as removing entry i when it equals entry i - 1, for i from the end down to
  // 1, without moving the tail once per removal.
  FEntries.erase(std::unique(FEntries.begin(), FEntries.end()), FEntries.end());
}

int TLinkList::Count() const { return static_cast<int>(FEntries.size()); }

const std::u16string& TLinkList::Entry(int index) const {
  if (index < 0 || index >= Count())
    throw richtext::EListError(index);
  return FEntries[static_cast<size_t>(index)];
}

const std::vector<std::u16string>& TLinkList::Entries() const { return FEntries; }

std::optional<TListEncoding> TLinkList::Encoding() const { return FEncoding; }

} // namespace quillon
