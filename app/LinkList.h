// The two link lists: their file format and the sorted, deduplicated list of entries.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileStamp.h"
#include "app/ListFileCodec.h"
#include "richtext/base/RVCodePage.h"

struct UCollator;

namespace quillon {

class TFileWriter;

// Has every thread allocate from the process's main heap; called first thing in main, before
// any thread starts. glibc gives each further thread a heap of its own that grows a page at
// a time, one system call a page: the entries of a 300 MB list, made on the loading thread,
// took 2.7 s that way, against 0.35 s from the main heap, which grows in big steps.
void UseOneHeapForAllThreads();

// What a save wrote.
struct TListSaveResult {
  std::size_t Entries = 0;
  TListEncoding Encoding = TListEncoding::Utf8;
  // CR LF, or the line end of another program's version of the file that the save merged.
  TLineEnd LineEnd = TLineEnd::CrLf;
  // An ANSI list that had to become UTF-8 (with its mark) so that no character was lost.
  bool ChangedToUtf8 = false;
  // The file had changed since it was read: what the other program added and deleted came
  // into the list.
  bool Merged = false;
  std::size_t MergedAdded = 0;
  std::size_t MergedDeleted = 0;
};

// What merging the file's current entries into the list brought.
struct TListMergeResult {
  std::size_t Added = 0;   // entries the other program added
  std::size_t Deleted = 0; // entries it deleted
  bool FileGone = false;   // the file is no more: the list stays as it was
};

inline constexpr char16_t kBBCodeListFileName[] = u"博客SEO_富文本型.txt";
inline constexpr char16_t kMarkdownListFileName[] = u"博客SEO_MarkDown型.txt";

// A sorted link list: entries kept in locale-aware, case-insensitive order (ICU collator of
// the given locale, secondary strength), plus the remembered encoding. An entry read from
// bytes that are no exact text keeps those bytes, and a save writes them back unchanged
// until the entry is edited. The list keeps the entries as it last read or wrote its file
// (the base): a save whose file another program changed meanwhile writes the three-way
// merge of the file, the base and the list.
class TLinkList {
public:
  // localeName empty: ICU default locale. ansiCodePage CP_ACP: the process's ANSI code page.
  explicit TLinkList(std::string localeName = {},
                     richtext::TRVCodePage ansiCodePage = richtext::CP_ACP);
  ~TLinkList();
  TLinkList(const TLinkList&) = delete;
  TLinkList& operator=(const TLinkList&) = delete;
  TLinkList(TLinkList&&) noexcept;
  TLinkList& operator=(TLinkList&&) noexcept;
  // A list with no entries and no file, sorting as this one sorts.
  TLinkList EmptyLike() const { return TLinkList(*this, TEmptyLike{}); }

  // Reads, decodes, replaces all entries (sorted once with collation keys). Only a regular
  // file is read (links followed), without waiting on a FIFO or a device.
  // Throws "Cannot open file \"%s\". %s" (path, system error text). On failure the list is
  // left empty with no remembered encoding; a file that exists but could not be read whole
  // is never written to (Unreadable() says why) until a later load of it succeeds. A missing
  // file is no such failure: the list starts empty and the save makes the file.
  void Load(const std::string& path);
  // Load on a thread of its own, into a new list sorted as this one sorts; this list is not
  // touched. The list comes back with what Load threw, if it threw (a list whose file could
  // not be read whole then holds why).
  // done, when given, is called on that thread once the list is ready.
  struct TLoaded;
  std::future<TLoaded> LoadInBackground(std::string path,
                                        std::function<void()> done = {}) const;
  // Removes duplicates, then writes atomically (temp file + fsync + rename; symlinks
  // followed; permissions kept). Throws "Cannot create file \"%s\". %s". A list that never
  // loaded, or whose file was empty, is written as UTF-8 with a mark; an ANSI list whose
  // code page cannot carry every entry exactly becomes one too. When the file was loaded
  // from the same path and another program has changed it since, the file is read again
  // and the save writes its entries plus those the list added and minus those it deleted
  // since the base (the list takes that merge too); a file changed again while it is
  // written is merged again, a few times at most. Nothing is written over a file that
  // could not be read, at the load or for the merge: the error says why.
  TListSaveResult Save(const std::string& path);
  TListSaveResult Save(const std::string& path, TFileWriter& writer);
  // Brings another program's changes of the file into the list without writing: the file's
  // entries plus those the list added, minus those it deleted since the base, which becomes
  // the file's entries. With no change of the list since the base this is a reload. Throws
  // as Load does (and leaves the list as it was).
  TListMergeResult MergeFromFile(const std::string& path);
  // Whether the file the list was loaded from has changed since the list last read or wrote
  // it (false when the list has no file).
  bool FileChanged() const;
  // The file the list was last loaded from (empty: none).
  const std::string& LoadedPath() const { return FLoadedPath; }
  // Why the file could not be read whole, when it could not: saves to it are refused.
  const std::optional<std::string>& Unreadable() const { return FUnreadable; }
  // Entries that keep bytes which are no exact text in the file's encoding.
  bool IsDamaged(int index) const;
  std::size_t DamagedCount() const;

  int InsertPosition(std::u16string_view entry) const; // where Add would put it
  // The index of an entry equal to entry code unit for code unit (the last of them), -1
  // when there is none.
  int Find(std::u16string_view entry) const;
  int Add(std::u16string entry); // returns the index; "Unable to insert a line"
  void Delete(int index);        // -1: nothing happens
  // For every entry, whether it is the first of its kind (equal code unit for code unit)
  // within the run of entries the sort holds equal, that is, whether RemoveDuplicates keeps it.
  std::vector<bool> FirstOfEach() const;
  // Removes every repeat within such a run, keeping the first of each; answers how many went.
  std::size_t RemoveDuplicates();
  int Count() const;
  const std::u16string& Entry(int index) const; // EListError out of range
  const std::vector<std::u16string>& Entries() const;
  std::optional<TListEncoding> Encoding() const;
  richtext::TRVCodePage AnsiCodePage() const { return FAnsiCodePage; }

  // Replaces the entries with lines in the given order, sorting them as Load does. Exposed
  // for callers that have the text already (and for measuring the sort on its own).
  void Assign(std::vector<std::u16string> lines);

private:
  struct TEmptyLike {};
  TLinkList(const TLinkList& like, TEmptyLike);
  // The file read whole, or the error of the read. A missing file reads as no entries.
  struct TReadFile {
    bool Missing = false;
    bool Empty = false;
    TListText Text;
    TFileStamp Stamp;
  };
  TReadFile Read(const std::string& path) const;
  // Sorts lines (with their raw bytes: none, or one a line) into FEntries and FRaw.
  void TakeSorted(const std::vector<std::u16string_view>& lines,
                  const std::vector<std::string_view>& raw);
  // What the list added and deleted since the base, by hash of text and bytes; Mine holds
  // every entry's hash in list order.
  struct TListChanges {
    std::vector<std::uint64_t> Mine, Added, Deleted;
  };
  TListChanges ChangesSinceBase() const;
  // Reads the file as Read does, finding the list's changes meanwhile.
  TReadFile ReadForMerge(const std::string& path, TListChanges& changes) const;
  // The three-way merge of a file's entries (taken out of file) with the list against the
  // base, which becomes the file's entries.
  TListMergeResult MergeWith(TListText& file, TListChanges changes);
  void RememberBase();
  // The file as read becomes what the list compares with: its encoding, line end and stamp.
  void TakeFileAsBase(const TReadFile& file, const std::string& path);
  std::uint64_t HashOf(std::size_t index) const;

  struct TCollatorCloser {
    void operator()(UCollator* collator) const;
  };
  std::unique_ptr<UCollator, TCollatorCloser> FCollator;
  richtext::TRVCodePage FAnsiCodePage;
  std::vector<std::u16string> FEntries;
  // Empty while no entry keeps bytes of its own, else one string an entry (empty for most).
  std::vector<std::string> FRaw;
  std::optional<TListEncoding> FEncoding;
  std::optional<std::string> FUnreadable;
  // The entries as last read or written, by hash of text and bytes, sorted.
  std::vector<std::uint64_t> FBase;
  // The last load found the file empty: nothing in it to keep an encoding for.
  bool FLoadedEmpty = false;
  // The file as the last load found it (it may have been missing), and as the list's own
  // saves left it.
  std::string FLoadedPath;
  std::optional<TFileStamp> FLoadedStamp;
};

struct TLinkList::TLoaded {
  TLinkList List;
  std::exception_ptr Error;
};

} // namespace quillon
