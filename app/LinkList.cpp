#include "app/LinkList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "app/AtomicFile.h"
#include "app/Utf.h"
#include "richtext/base/RVClasses.h"

namespace quillon {

namespace {

constexpr off_t kMaxListFileSize = off_t{512} << 20;

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

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  const size_t end = text.size();
  size_t start = 0;
  for (size_t i = 0; i < end; ++i) {
    char16_t c = text[i];
    if (c != u'\r' && c != u'\n')
      continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < end)
    lines.emplace_back(text.substr(start));
  return lines;
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int error) {
  throw richtext::ERichViewError(std::string(what) + " \"" + path + "\". " +
                                 std::strerror(error));
}

std::string ReadWholeFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    ThrowFileError("Cannot open file", path, errno);
  std::string bytes;
  struct stat info {};
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    // The converters count in 32-bit lengths; a list this big is not a link list anyway.
    if (info.st_size > kMaxListFileSize) {
      close(fd);
      ThrowFileError("Cannot open file", path, EFBIG);
    }
    bytes.reserve(static_cast<size_t>(info.st_size));
  }
  char buffer[65536];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR)
        continue;
      int error = errno;
      close(fd);
      ThrowFileError("Cannot open file", path, error);
    }
    if (got == 0)
      break;
    bytes.append(buffer, static_cast<size_t>(got));
    if (bytes.size() > static_cast<size_t>(kMaxListFileSize)) {
      close(fd);
      ThrowFileError("Cannot open file", path, EFBIG);
    }
  }
  close(fd);
  return bytes;
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

TDecodedList DecodeListFile(std::string_view bytes, richtext::TRVCodePage ansiCodePage) {
  TDecodedList list{TListEncoding::Ansi, {}};
  std::u16string text;
  if (bytes.starts_with(kUtf8Mark)) {
    list.encoding = TListEncoding::Utf8;
    text = FromUtf8(bytes.substr(kUtf8Mark.size()));
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

std::string EncodeListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                           richtext::TRVCodePage ansiCodePage) {
  size_t total = 0;
  for (const std::u16string& entry : entries)
    total += entry.size() + 2;
  std::u16string text;
  text.reserve(total);
  for (const std::u16string& entry : entries) {
    text += entry;
    text += u"\r\n";
  }
  switch (encoding) {
  case TListEncoding::Utf8:
    return std::string(kUtf8Mark) + ToUtf8(text);
  case TListEncoding::Utf16LE:
    return std::string(kUtf16LEMark) + EncodeUtf16(text, false);
  case TListEncoding::Utf16BE:
    return std::string(kUtf16BEMark) + EncodeUtf16(text, true);
  case TListEncoding::Ansi:
    break;
  }
  return richtext::RVU_UnicodeToAnsiBytes(ansiCodePage, text);
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
  std::string bytes = ReadWholeFile(path);
  TDecodedList decoded = DecodeListFile(bytes, FAnsiCodePage);
  Assign(std::move(decoded.lines));
  FEncoding = decoded.encoding;
}

void TLinkList::Assign(std::vector<std::u16string> lines) {
  // One collation key per line, all in one buffer; comparing keys is a byte compare, far
  // cheaper than comparing the strings with the collator n log n times.
  std::string keys;
  std::vector<std::pair<size_t, size_t>> spans(lines.size());
  std::vector<uint8_t> key(256);
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto* text = reinterpret_cast<const UChar*>(lines[i].data());
    int32_t length = static_cast<int32_t>(lines[i].size());
    int32_t needed = ucol_getSortKey(FCollator.get(), text, length, key.data(),
                                     static_cast<int32_t>(key.size()));
    if (needed > static_cast<int32_t>(key.size())) {
      key.resize(static_cast<size_t>(needed));
      needed = ucol_getSortKey(FCollator.get(), text, length, key.data(), needed);
    }
    // The key ends with a zero byte that no other key byte equals; leave it out.
    size_t size = needed > 0 ? static_cast<size_t>(needed) - 1 : 0;
    spans[i] = {keys.size(), size};
    keys.append(reinterpret_cast<const char*>(key.data()), size);
  }
  // Link lists share long beginnings ("[url=https://..."), and so do their keys. Skip what
  // all keys share, then let the next eight bytes, as one number, decide most comparisons.
  size_t shared = lines.empty() ? 0 : spans[0].second;
  for (size_t i = 1; i < lines.size() && shared > 0; ++i) {
    const char* first = keys.data() + spans[0].first;
    const char* other = keys.data() + spans[i].first;
    size_t limit = std::min(shared, spans[i].second);
    size_t same = 0;
    while (same < limit && first[same] == other[same])
      ++same;
    shared = same;
  }
  struct TSortItem {
    std::uint64_t head;
    size_t index;
  };
  std::vector<TSortItem> order(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::uint64_t head = 0;
    for (size_t b = 0; b < 8; ++b) {
      size_t at = shared + b;
      auto byte = at < spans[i].second
                      ? static_cast<unsigned char>(keys[spans[i].first + at])
                      : 0u; // no key byte is zero, so a shorter key sorts first
      head = head << 8 | byte;
    }
    order[i] = {head, i};
  }
  // Ties fall back to file order: the same as a stable sort, as if each entry had been
  // inserted after its equals one by one.
  const size_t skip = shared + 8;
  std::sort(order.begin(), order.end(), [&](const TSortItem& a, const TSortItem& b) {
    if (a.head != b.head)
      return a.head < b.head;
    const auto& [startA, sizeA] = spans[a.index];
    const auto& [startB, sizeB] = spans[b.index];
    std::string_view tailA = sizeA > skip ? std::string_view(keys.data() + startA + skip,
                                                             sizeA - skip)
                                          : std::string_view();
    std::string_view tailB = sizeB > skip ? std::string_view(keys.data() + startB + skip,
                                                             sizeB - skip)
                                          : std::string_view();
    if (int cmp = tailA.compare(tailB); cmp != 0)
      return cmp < 0;
    return a.index < b.index;
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(lines.size());
  for (const TSortItem& item : order)
    sorted.push_back(std::move(lines[item.index]));
  FEntries = std::move(sorted);
}

void TLinkList::Save(const std::string& path) { Save(path, DefaultFileWriter()); }

void TLinkList::Save(const std::string& path, TFileWriter& writer) {
  RemoveAdjacentDuplicates();
  std::string bytes =
      EncodeListFile(FEntries, FEncoding.value_or(TListEncoding::Ansi), FAnsiCodePage);
  if (int error = ReplaceFileAtomically(path, bytes, writer); error != 0)
    ThrowFileError("Cannot create file", path, error);
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
    throw richtext::ERichViewError("Unable to insert a line");
  } catch (const std::length_error&) {
    throw richtext::ERichViewError("Unable to insert a line");
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
