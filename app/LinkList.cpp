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
#include <unordered_map>
#include <unordered_set>

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

[[noreturn]] void ThrowFileError(const char* what, const std::string& path,
                                 const std::string& reason) {
  throw richtext::ERichViewError(std::string(what) + " \"" + path + "\". " + reason);
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int error) {
  ThrowFileError(what, path, std::strerror(error));
}

// What a file that is no regular file is, for the error that refuses it.
std::string NotARegularFile(mode_t mode) {
  if (S_ISDIR(mode))
    return std::strerror(EISDIR);
  const char* kind = S_ISFIFO(mode)                     ? "a FIFO"
                     : S_ISCHR(mode) || S_ISBLK(mode)   ? "a device"
                     : S_ISSOCK(mode)                   ? "a socket"
                                                        : "not a file";
  return std::string("Not a regular file (") + kind + ")";
}

// A whole file's bytes, in a buffer that is not cleared before it is read into: for a big
// list, clearing costs as much as reading.
struct TFileBytes {
  std::unique_ptr<char[]> data;
  size_t size = 0;
  std::string_view View() const { return {data.get(), size}; }
};

// missing is set (and nothing thrown) when there is no file at the path.
TFileBytes ReadWholeFile(const std::string& path, bool& missing) {
  missing = false;
  // Without waiting: opening a FIFO for reading would wait for a writer, and a device may
  // never answer. Only a regular file is read, as the open descriptor shows it.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) {
      missing = true;
      return {};
    }
    ThrowFileError(kCannotOpen, path, errno);
  }
  auto fail = [&](int error) {
    close(fd);
    ThrowFileError(kCannotOpen, path, error);
  };
  struct stat info {};
  if (fstat(fd, &info) != 0)
    fail(errno);
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    ThrowFileError(kCannotOpen, path, NotARegularFile(info.st_mode));
  }
  size_t capacity = 65536;
  if (info.st_size > 0) {
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

std::uint64_t HashEntry(std::u16string_view text, std::string_view raw) {
  std::uint64_t hash = std::hash<std::u16string_view>()(text);
  if (!raw.empty())
    hash ^= std::hash<std::string_view>()(raw) * 0x9E3779B97F4A7C15ull + 0x7F4A7C15ull;
  return hash;
}

struct TEntryKey {
  std::u16string_view Text;
  std::string_view Raw;
  bool operator==(const TEntryKey&) const = default;
};

struct TEntryKeyHash {
  std::size_t operator()(const TEntryKey& key) const { return HashEntry(key.Text, key.Raw); }
};

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

TLinkList::TReadFile TLinkList::Read(const std::string& path) const {
  TReadFile file;
  // Taken before reading: a write that lands while the file is read then shows as a change
  // later, rather than slipping through.
  file.Stamp = StampOf(path);
  const TFileBytes bytes = ReadWholeFile(path, file.Missing);
  file.Empty = bytes.size == 0;
  if (!file.Missing)
    file.Decoded = DecodeListFile(bytes.View(), FAnsiCodePage);
  return file;
}

void TLinkList::TakeSorted(std::vector<std::u16string> lines, std::vector<std::string> raw) {
  const std::vector<std::size_t> order =
      CollationOrder(FCollator.get(), std::vector<std::u16string_view>(lines.begin(), lines.end()));
  std::vector<std::u16string> sorted;
  sorted.reserve(lines.size());
  for (std::size_t index : order)
    sorted.push_back(std::move(lines[index]));
  FEntries = std::move(sorted);
  FRaw.clear();
  if (!raw.empty()) {
    FRaw.reserve(order.size());
    for (std::size_t index : order)
      FRaw.push_back(std::move(raw[index]));
  }
}

void TLinkList::Load(const std::string& path) {
  FEntries.clear();
  FRaw.clear();
  FBase.clear();
  FEncoding.reset();
  FLineEnd = TLineEnd::CrLf;
  FUnreadable.reset();
  FLoadedEmpty = false;
  FLoadedPath = path;
  FLoadedStamp = StampOf(path);
  // What a save killed midway left beside the file goes before anything else.
  RemoveStaleTemporaries(path);
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
  bool missing = false;
  TFileBytes bytes;
  try {
    bytes = ReadWholeFile(path, missing);
  } catch (const std::exception& e) {
    // A file that is there but could not be read whole must not be written over by what
    // the list holds, which is not what the file holds.
    FUnreadable = e.what();
    throw;
  }
  if (missing)
    ThrowFileError(kCannotOpen, path, ENOENT);
  TListText decoded = DecodeListText(bytes.View(), FAnsiCodePage);
  FLoadedEmpty = bytes.size == 0;
  bytes = {};
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
  if (!decoded.raw.empty()) {
    std::vector<std::string> byLine(lines.size());
    for (auto& [line, raw] : decoded.raw)
      byLine[line] = std::move(raw);
    FRaw.reserve(order.size());
    for (std::size_t index : order)
      FRaw.push_back(std::move(byLine[index]));
  }
  FEncoding = decoded.encoding;
  FLineEnd = decoded.lineEnd;
  RememberBase();
}

void TLinkList::Assign(std::vector<std::u16string> lines) { TakeSorted(std::move(lines), {}); }

std::uint64_t TLinkList::HashOf(std::size_t index) const {
  return HashEntry(FEntries[index], FRaw.empty() ? std::string_view() : FRaw[index]);
}

void TLinkList::RememberBase() {
  FBase.resize(FEntries.size());
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    FBase[i] = HashOf(i);
  std::sort(FBase.begin(), FBase.end());
}

TListMergeResult TLinkList::MergeWith(const TDecodedList& file) {
  // Counts by entry: what the list added since the base is list minus base, what it deleted
  // is base minus list, each counted as often as it occurs.
  std::unordered_map<std::uint64_t, long> base, changes;
  for (std::uint64_t hash : FBase)
    ++base[hash];
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    ++changes[HashOf(i)];
  for (const auto& [hash, count] : base)
    changes[hash] -= count; // > 0: added by the list, < 0: deleted by it
  TListMergeResult result;
  std::unordered_map<std::uint64_t, long> inFile;
  std::vector<std::u16string> lines;
  std::vector<std::string> raw;
  const bool fileHasRaw = !file.raw.empty();
  const bool anyRaw = fileHasRaw || !FRaw.empty();
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const std::string_view fileRaw = fileHasRaw ? std::string_view(file.raw[i]) : std::string_view();
    const std::uint64_t hash = HashEntry(file.lines[i], fileRaw);
    ++inFile[hash];
    // An entry the list deleted goes, as often as the list deleted it; one the other
    // program added again stays.
    if (auto change = changes.find(hash); change != changes.end() && change->second < 0) {
      ++change->second;
      continue;
    }
    lines.push_back(file.lines[i]);
    if (anyRaw)
      raw.emplace_back(fileRaw);
  }
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    auto change = changes.find(HashOf(i));
    if (change == changes.end() || change->second <= 0)
      continue;
    --change->second;
    lines.push_back(FEntries[i]);
    if (anyRaw)
      raw.push_back(FRaw.empty() ? std::string() : FRaw[i]);
  }
  // What the other program did: the file against the base.
  for (const auto& [hash, count] : inFile) {
    const auto at = base.find(hash);
    const long before = at == base.end() ? 0 : at->second;
    if (count > before)
      result.Added += static_cast<std::size_t>(count - before);
  }
  for (const auto& [hash, count] : base) {
    const auto at = inFile.find(hash);
    const long now = at == inFile.end() ? 0 : at->second;
    if (count > now)
      result.Deleted += static_cast<std::size_t>(count - now);
  }
  TakeSorted(std::move(lines), std::move(raw));
  return result;
}

void TLinkList::TakeFileAsBase(const TReadFile& file, const std::string& path) {
  FEncoding = file.Decoded.encoding;
  FLineEnd = file.Decoded.lineEnd;
  FLoadedEmpty = file.Empty;
  FLoadedPath = path;
  FLoadedStamp = file.Stamp;
  FUnreadable.reset();
  FBase.clear();
  FBase.reserve(file.Decoded.lines.size());
  for (std::size_t i = 0; i < file.Decoded.lines.size(); ++i)
    FBase.push_back(HashEntry(file.Decoded.lines[i],
                              file.Decoded.raw.empty() ? std::string_view()
                                                       : std::string_view(file.Decoded.raw[i])));
  std::sort(FBase.begin(), FBase.end());
}

TListMergeResult TLinkList::MergeFromFile(const std::string& path) {
  TReadFile file = Read(path);
  TListMergeResult result;
  if (file.Missing) {
    // Nothing to take from a file that is gone; the list stays as it is, to be saved anew.
    FLoadedStamp = file.Stamp;
    FBase.clear();
    result.FileGone = true;
    return result;
  }
  result = MergeWith(file.Decoded);
  // The list now holds what the file holds and its own changes on top: the file is the base.
  TakeFileAsBase(file, path);
  return result;
}

bool TLinkList::FileChanged() const {
  return FLoadedStamp && !(StampOf(FLoadedPath) == *FLoadedStamp);
}

TListSaveResult TLinkList::Save(const std::string& path) { return Save(path, DefaultFileWriter()); }

TListSaveResult TLinkList::Save(const std::string& path, TFileWriter& writer) {
  const bool loadedHere = FLoadedStamp && path == FLoadedPath;
  if (loadedHere && FUnreadable)
    throw richtext::ERichViewError("Nothing was written to \"" + path +
                                   "\": it could not be read whole (" + *FUnreadable +
                                   "), so writing the list would lose what it holds");
  {
    const std::string target = ResolveSaveTarget(path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
      ThrowFileError(kCannotCreate, path, NotARegularFile(info.st_mode));
  }
  RemoveDuplicates();
  TListSaveResult result;
  // A file changed between the merge and the rename is merged again, a few times at most.
  constexpr int kTries = 4;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (loadedHere && FileChanged()) {
      // Another program wrote the file since the list read or wrote it: its entries come in.
      // A file that cannot be read now is not written over either.
      TReadFile file = Read(path);
      if (!file.Missing) {
        const TListMergeResult merged = MergeWith(file.Decoded);
        result.Merged = true;
        result.MergedAdded += merged.Added;
        result.MergedDeleted += merged.Deleted;
        // Should the file change again before the rename, this version is what the next
        // merge compares with.
        TakeFileAsBase(file, path);
        RemoveDuplicates();
      } else {
        FLoadedStamp = file.Stamp;
      }
    }
    // A new list, or an empty file, has no encoding worth keeping.
    std::optional<TListEncoding> readIn = FEncoding;
    if (FLoadedEmpty && readIn == TListEncoding::Ansi)
      readIn.reset();
    const TListEncoding encoding =
        ChooseSaveEncoding(FEntries, readIn, FAnsiCodePage, FRaw.empty() ? nullptr : &FRaw);
    auto produce = [&](const TWriteBytes& write) {
      return WriteListFile(FEntries, encoding, FAnsiCodePage, write,
                           FRaw.empty() ? nullptr : &FRaw, FLineEnd);
    };
    const TFileStamp expected = loadedHere ? *FLoadedStamp : TFileStamp{};
    auto stillCurrent = [&] { return !loadedHere || StampOf(path) == expected; };
    const int error = ReplaceFileAtomically(path, produce, writer, stillCurrent);
    if (error == kFileChangedMeanwhile)
      continue;
    if (error != 0)
      ThrowFileError(kCannotCreate, path, error);
    result.ChangedToUtf8 = readIn == TListEncoding::Ansi && encoding != TListEncoding::Ansi;
    // A copy saved to another file changes nothing of what the list knows of its own.
    if (loadedHere || !FLoadedStamp) {
      if (loadedHere)
        FLoadedStamp = StampOf(path);
      FEncoding = encoding;
      FLoadedEmpty = false;
      RememberBase();
    }
    result.Entries = FEntries.size();
    result.Encoding = encoding;
    return result;
  }
  throw richtext::ERichViewError("The file \"" + path +
                                 "\" kept being changed by another program while it was saved. "
                                 "Nothing was saved; the window keeps every entry");
}

bool TLinkList::IsDamaged(int index) const {
  return !FRaw.empty() && index >= 0 && index < Count() && !FRaw[static_cast<std::size_t>(index)].empty();
}

std::size_t TLinkList::DamagedCount() const {
  return static_cast<std::size_t>(
      std::count_if(FRaw.begin(), FRaw.end(), [](const std::string& raw) { return !raw.empty(); }));
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

int TLinkList::Find(std::u16string_view entry) const {
  // Equal entries sit in the run the collator holds equal, just before where an add would go.
  for (int index = InsertPosition(entry) - 1; index >= 0; --index) {
    const std::u16string& existing = FEntries[static_cast<std::size_t>(index)];
    if (existing == entry && !IsDamaged(index))
      return index;
    if (ucol_strcoll(FCollator.get(), reinterpret_cast<const UChar*>(existing.data()),
                     static_cast<int32_t>(existing.size()),
                     reinterpret_cast<const UChar*>(entry.data()),
                     static_cast<int32_t>(entry.size())) != UCOL_EQUAL)
      break;
  }
  return -1;
}

int TLinkList::Add(std::u16string entry) {
  int index = InsertPosition(entry);
  try {
    FEntries.insert(FEntries.begin() + index, std::move(entry));
    if (!FRaw.empty())
      FRaw.insert(FRaw.begin() + index, std::string());
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
  if (!FRaw.empty())
    FRaw.erase(FRaw.begin() + index);
}

std::vector<bool> TLinkList::FirstOfEach() const {
  std::vector<bool> keep(FEntries.size(), true);
  auto collatesEqual = [&](const std::u16string& a, const std::u16string& b) {
    return a == b || ucol_strcoll(FCollator.get(), reinterpret_cast<const UChar*>(a.data()),
                                  static_cast<int32_t>(a.size()),
                                  reinterpret_cast<const UChar*>(b.data()),
                                  static_cast<int32_t>(b.size())) == UCOL_EQUAL;
  };
  // The sort keeps entries it holds equal together, so each run of them is looked at on its
  // own; most runs are one entry long.
  std::size_t start = 0;
  while (start < FEntries.size()) {
    std::size_t end = start + 1;
    while (end < FEntries.size() && collatesEqual(FEntries[start], FEntries[end]))
      ++end;
    if (end - start > 1) {
      // Entries with the same text but bytes of their own are different entries.
      std::unordered_set<TEntryKey, TEntryKeyHash> seen;
      for (std::size_t i = start; i < end; ++i)
        if (!seen.insert({FEntries[i], FRaw.empty() ? std::string_view() : std::string_view(FRaw[i])})
                 .second)
          keep[i] = false;
    }
    start = end;
  }
  return keep;
}

std::size_t TLinkList::RemoveDuplicates() {
  const std::vector<bool> keep = FirstOfEach();
  std::size_t to = 0;
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    if (keep[i]) {
      if (to != i) {
        FEntries[to] = std::move(FEntries[i]);
        if (!FRaw.empty())
          FRaw[to] = std::move(FRaw[i]);
      }
      ++to;
    }
  const std::size_t removed = FEntries.size() - to;
  FEntries.resize(to);
  if (!FRaw.empty())
    FRaw.resize(to);
  return removed;
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
