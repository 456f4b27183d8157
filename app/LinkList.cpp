#include "app/LinkList.h"
#include "app/Parallel.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <future>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <utility>

#include "app/AtomicFile.h"
#include "app/FileStamp.h"
#include "app/ListSort.h"
#include "app/Translatable.h"
#include "app/Utf.h"
#include "richtext/base/RVHugePages.h"
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
  richtext::RV_AdviseHugePages(bytes.data.get(), capacity);
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

// 64 bits of a string's bytes, eight at a time, each folded in through a 128-bit product:
// a list of 100,000 entries is hashed in about a millisecond, several times quicker than
// the standard library's hash, and two different entries of a list share a hash about
// once in 10^9 lists.
std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

std::uint64_t HashBytes(const void* data, std::size_t size, std::uint64_t seed) {
  constexpr std::uint64_t k0 = 0xA0761D6478BD642Full, k1 = 0xE7037ED1A0B428DBull;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::uint64_t hash = seed ^ Mix(size ^ k0, k1);
  for (; size >= 8; size -= 8, bytes += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    hash = Mix(hash ^ word ^ k0, k1 ^ (hash >> 29));
  }
  if (size > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, size);
    hash = Mix(hash ^ word ^ k1, k0 ^ (hash >> 29));
  }
  return Mix(hash ^ k1, k0 ^ hash);
}

std::uint64_t HashEntry(std::u16string_view text, std::string_view raw) {
  std::uint64_t hash = HashBytes(text.data(), text.size() * sizeof(char16_t), 0);
  if (!raw.empty())
    hash = HashBytes(raw.data(), raw.size(), hash ^ 0x5BD1E995u);
  return hash;
}

// Sorts hashes by their bytes from the lowest up, eleven bits at a time: the hashes are
// spread evenly, and six passes over them are quicker than a comparison sort.
void SortHashes(std::vector<std::uint64_t>& hashes) {
  if (hashes.size() < 4096) {
    std::sort(hashes.begin(), hashes.end());
    return;
  }
  constexpr int kBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kBits;
  std::vector<std::uint64_t> other;
  richtext::RV_ReserveOnHugePages(other, hashes.size());
  other.resize(hashes.size());
  std::vector<std::size_t> counts(kBuckets);
  for (int shift = 0; shift < 64; shift += kBits) {
    std::fill(counts.begin(), counts.end(), 0);
    for (std::uint64_t hash : hashes)
      ++counts[(hash >> shift) & (kBuckets - 1)];
    std::size_t at = 0;
    for (std::size_t& count : counts)
      at += std::exchange(count, at);
    for (std::uint64_t hash : hashes)
      other[counts[(hash >> shift) & (kBuckets - 1)]++] = hash;
    hashes.swap(other);
  }
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

void UseOneHeapForAllThreads() { mallopt(M_ARENA_MAX, 1); }

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
TLinkList::TLinkList(TLinkList&&) noexcept = default;
TLinkList& TLinkList::operator=(TLinkList&&) noexcept = default;

TLinkList::TLinkList(const TLinkList& like, TEmptyLike)
    : FAnsiCodePage(like.FAnsiCodePage) {
  UErrorCode error = U_ZERO_ERROR;
  FCollator.reset(ucol_clone(like.FCollator.get(), &error));
  if (U_FAILURE(error) || !FCollator)
    throw richtext::ERichViewError(std::string("Cannot create a collator: ") +
                                   u_errorName(error));
}

std::future<TLinkList::TLoaded> TLinkList::LoadInBackground(std::string path,
                                                            std::function<void()> done) const {
  // The new list, with a collator of its own, is made here: ICU collators are not to be
  // shared between threads.
  return std::async(std::launch::async,
                    [path = std::move(path), done = std::move(done)](TLinkList list) {
                      std::exception_ptr error;
                      try {
                        list.Load(path);
                      } catch (...) {
                        error = std::current_exception();
                      }
                      TLoaded loaded{std::move(list), error};
                      if (done)
                        done();
                      return loaded;
                    },
                    EmptyLike());
}

TLinkList::TReadFile TLinkList::Read(const std::string& path) const {
  TReadFile file;
  // Taken before reading: a write that lands while the file is read then shows as a change
  // later, rather than slipping through.
  file.Stamp = StampOf(path);
  const TFileBytes bytes = ReadWholeFile(path, file.Missing);
  file.Empty = bytes.size == 0;
  if (!file.Missing)
    file.Text = DecodeListText(bytes.View(), FAnsiCodePage);
  return file;
}

void TLinkList::TakeSorted(const std::vector<std::u16string_view>& lines,
                           const std::vector<std::string_view>& raw) {
  // The entries are made in their sorted order, one after the other in memory, so that
  // everything that walks the list later (a save above all) walks memory in order.
  const std::vector<std::size_t> order = CollationOrder(FCollator.get(), lines);
  std::vector<std::u16string> entries;
  richtext::RV_ReserveOnHugePages(entries, order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    // In a list that was in no order the next lines lie anywhere in the text: ask for one
    // a few lines ahead while this one is copied. (The copies are made on this thread
    // alone: threads that allocate at once only wait for each other on the one heap.)
    constexpr std::size_t kAhead = 8;
    if (i + kAhead < order.size())
      __builtin_prefetch(lines[order[i + kAhead]].data());
    entries.emplace_back(lines[order[i]]);
  }
  std::vector<std::string> entryRaw;
  if (!raw.empty()) {
    entryRaw.reserve(order.size());
    for (std::size_t index : order)
      entryRaw.emplace_back(raw[index]);
  }
  FEntries = std::move(entries);
  FRaw = std::move(entryRaw);
}

void TLinkList::Load(const std::string& path) {
  FEntries.clear();
  FRaw.clear();
  FBase.clear();
  FEncoding.reset();
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
  richtext::RV_ReserveOnHugePages(lines, decoded.lines.size());
  for (const TTextSpan& line : decoded.lines)
    lines.emplace_back(decoded.text.data() + line.start, line.length);
  std::vector<std::string_view> raw;
  if (!decoded.raw.empty()) {
    raw.resize(lines.size());
    for (const auto& [line, lineBytes] : decoded.raw)
      raw[line] = lineBytes;
  }
  TakeSorted(lines, raw);
  FEncoding = decoded.encoding;
  RememberBase();
}

void TLinkList::Assign(std::vector<std::u16string> lines) {
  TakeSorted(std::vector<std::u16string_view>(lines.begin(), lines.end()), {});
}

std::uint64_t TLinkList::HashOf(std::size_t index) const {
  return HashEntry(FEntries[index], FRaw.empty() ? std::string_view() : FRaw[index]);
}

// Entries enough to be hashed on a thread of their own.
constexpr std::size_t kHashesPerThread = 100000;

void TLinkList::RememberBase() {
  FBase.clear();
  richtext::RV_ReserveOnHugePages(FBase, FEntries.size());
  FBase.resize(FEntries.size());
  ForEachSlice(FEntries.size(), kHashesPerThread, [this](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i)
      FBase[i] = HashOf(i);
  });
  SortHashes(FBase);
}

namespace {

// Takes one of key out of a sorted multiset held as a vector with a count of what was taken
// of each run of equals: false when none is left.
class TSortedTaker {
public:
  explicit TSortedTaker(std::vector<std::uint64_t> keys)
      : FKeys(std::move(keys)), FTaken(FKeys.size(), false) {}
  bool Take(std::uint64_t key) {
    auto at = std::lower_bound(FKeys.begin(), FKeys.end(), key);
    for (; at != FKeys.end() && *at == key; ++at) {
      const auto index = static_cast<std::size_t>(at - FKeys.begin());
      if (!FTaken[index]) {
        FTaken[index] = true;
        return true;
      }
    }
    return false;
  }
  bool Empty() const { return FKeys.empty(); }

private:
  std::vector<std::uint64_t> FKeys;
  std::vector<bool> FTaken;
};

// How many of a (a sorted multiset) b lacks.
std::size_t CountMissing(const std::vector<std::uint64_t>& a, const std::vector<std::uint64_t>& b) {
  std::size_t missing = 0;
  auto inB = b.begin();
  for (std::uint64_t key : a) {
    while (inB != b.end() && *inB < key)
      ++inB;
    if (inB != b.end() && *inB == key)
      ++inB;
    else
      ++missing;
  }
  return missing;
}

} // namespace

TLinkList::TListChanges TLinkList::ChangesSinceBase() const {
  // All as sorted hashes of text and bytes, counted with multiplicity: what the list added
  // since the base is list minus base, what it deleted is base minus list; sorting numbers
  // and walking them side by side is far cheaper than hash tables of a big list.
  TListChanges changes;
  changes.Mine.resize(FEntries.size());
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    changes.Mine[i] = HashOf(i);
  std::vector<std::uint64_t> mineSorted = changes.Mine;
  SortHashes(mineSorted);
  std::set_difference(mineSorted.begin(), mineSorted.end(), FBase.begin(), FBase.end(),
                      std::back_inserter(changes.Added));
  std::set_difference(FBase.begin(), FBase.end(), mineSorted.begin(), mineSorted.end(),
                      std::back_inserter(changes.Deleted));
  return changes;
}

TLinkList::TReadFile TLinkList::ReadForMerge(const std::string& path, TListChanges& changes) const {
  // The list's own changes are found on another processor while the file is read (the
  // thread only reads the list; it is waited for however the read ends).
  std::future<TListChanges> found;
  try {
    found = std::async(std::launch::async, [this] { return ChangesSinceBase(); });
  } catch (const std::system_error&) {
  }
  TReadFile file = Read(path);
  changes = found.valid() ? found.get() : ChangesSinceBase();
  return file;
}

TListMergeResult TLinkList::MergeWith(TListText& file, TListChanges changes) {
  const std::vector<std::uint64_t>& mine = changes.Mine;
  std::vector<std::uint64_t>& added = changes.Added;
  std::vector<std::uint64_t>& deleted = changes.Deleted;
  const std::size_t fileCount = file.lines.size();
  auto fileLine = [&](std::size_t i) {
    return std::u16string_view(file.text.data() + file.lines[i].start, file.lines[i].length);
  };
  std::vector<std::string> fileRaw;
  if (!file.raw.empty()) {
    fileRaw.resize(fileCount);
    for (auto& [line, bytes] : file.raw)
      fileRaw[line] = std::move(bytes);
  }
  std::vector<std::uint64_t> theirs(fileCount);
  for (std::size_t i = 0; i < fileCount; ++i)
    theirs[i] = HashEntry(fileLine(i), fileRaw.empty() ? std::string_view() : std::string_view(fileRaw[i]));
  std::vector<std::uint64_t> theirsSorted = theirs;
  SortHashes(theirsSorted);
  TListMergeResult result;
  // What the other program did: the file against the base.
  result.Added = CountMissing(theirsSorted, FBase);
  result.Deleted = CountMissing(FBase, theirsSorted);

  // The file's entries, less those the list deleted (as often as it deleted them; one the
  // other program added again stays), then the list's additions; as views until they are
  // made, once each, in their sorted order.
  std::vector<std::u16string_view> lines;
  std::vector<std::string_view> raw;
  const bool anyRaw = !fileRaw.empty() || !FRaw.empty();
  lines.reserve(fileCount + added.size());
  TSortedTaker toDelete(std::move(deleted));
  for (std::size_t i = 0; i < fileCount; ++i) {
    if (!toDelete.Empty() && toDelete.Take(theirs[i]))
      continue;
    lines.push_back(fileLine(i));
    if (anyRaw)
      raw.push_back(fileRaw.empty() ? std::string_view() : std::string_view(fileRaw[i]));
  }
  TSortedTaker toAdd(std::move(added));
  for (std::size_t i = 0; i < FEntries.size() && !toAdd.Empty(); ++i) {
    if (!toAdd.Take(mine[i]))
      continue;
    lines.push_back(FEntries[i]);
    if (anyRaw)
      raw.push_back(FRaw.empty() ? std::string_view() : std::string_view(FRaw[i]));
  }
  TakeSorted(lines, raw);
  // The list now holds what the file holds and its own changes on top: the file is the base.
  FBase = std::move(theirsSorted);
  return result;
}

void TLinkList::TakeFileAsBase(const TReadFile& file, const std::string& path) {
  FEncoding = file.Text.encoding;
  FLoadedEmpty = file.Empty;
  FLoadedPath = path;
  FLoadedStamp = file.Stamp;
  FUnreadable.reset();
}

TListMergeResult TLinkList::MergeFromFile(const std::string& path) {
  TListChanges changes;
  TReadFile file = ReadForMerge(path, changes);
  TListMergeResult result;
  if (file.Missing) {
    // Nothing to take from a file that is gone; the list stays as it is, to be saved anew.
    FLoadedStamp = file.Stamp;
    FBase.clear();
    result.FileGone = true;
    return result;
  }
  result = MergeWith(file.Text, std::move(changes));
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
  TListSaveResult result;
  // A save writes CR LF, as the lists always have been; a save that merges another
  // program's version of the file keeps that version's line end.
  TLineEnd lineEnd = TLineEnd::CrLf;
  // A file changed between the merge and the rename is merged again, a few times at most.
  constexpr int kTries = 4;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (loadedHere && FileChanged()) {
      // Another program wrote the file since the list read or wrote it: its entries come in.
      // A file that cannot be read now is not written over either.
      TListChanges changes;
      TReadFile file = ReadForMerge(path, changes);
      if (!file.Missing) {
        const TListMergeResult merged = MergeWith(file.Text, std::move(changes));
        result.Merged = true;
        result.MergedAdded += merged.Added;
        result.MergedDeleted += merged.Deleted;
        lineEnd = file.Text.lineEnd;
        // Should the file change again before the rename, this version is what the next
        // merge compares with.
        TakeFileAsBase(file, path);
      } else {
        FLoadedStamp = file.Stamp;
      }
    }
    // After the merge: its repeats go too, and the list is gone through once.
    RemoveDuplicates();
    // A new list, or an empty file, has no encoding worth keeping.
    std::optional<TListEncoding> readIn = FEncoding;
    if (FLoadedEmpty && readIn == TListEncoding::Ansi)
      readIn.reset();
    const TListEncoding encoding =
        ChooseSaveEncoding(FEntries, readIn, FAnsiCodePage, FRaw.empty() ? nullptr : &FRaw);
    auto produce = [&](const TWriteBytes& write) {
      return WriteListFile(FEntries, encoding, FAnsiCodePage, write,
                           FRaw.empty() ? nullptr : &FRaw, lineEnd);
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
    result.LineEnd = lineEnd;
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
