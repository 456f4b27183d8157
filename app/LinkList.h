// The two link lists: their file format and the sorted, deduplicated list of entries.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileStamp.h"
#include "richtext/base/RVCodePage.h"

struct UCollator;

namespace quillon {

class TFileWriter;

// Utf8NoMark: a file without a byte-order mark whose bytes are valid UTF-8 holding
// non-ASCII text, written back the same way.
enum class TListEncoding { Ansi, Utf8, Utf8NoMark, Utf16LE, Utf16BE };

// What a save wrote.
struct TListSaveResult {
  std::size_t Entries = 0;
  TListEncoding Encoding = TListEncoding::Utf8;
  // An ANSI list that had to become UTF-8 (with its mark) so that no character was lost.
  bool ChangedToUtf8 = false;
};

struct TDecodedList {
  TListEncoding encoding;
  std::vector<std::u16string> lines;
};

struct TTextSpan {
  std::size_t start;
  std::size_t length;
};

// A list file's text and where each of its lines is in it.
struct TListText {
  TListEncoding encoding;
  std::u16string text;
  std::vector<TTextSpan> lines;
};

// Finds the encoding by byte-order mark (EF BB BF, then FF FE, then FE FF; none: UTF-8 when
// the bytes are valid UTF-8 holding a non-ASCII character, else the ANSI code page), decodes and splits into lines (CR, LF, CR LF; a NUL ends the text). An odd
// trailing byte of UTF-16 text decodes as U+FFFD, so that no byte is silently dropped.
TDecodedList DecodeListFile(std::string_view bytes, richtext::TRVCodePage ansiCodePage);
// The same, with the lines as places in one decoded text.
TListText DecodeListText(std::string_view bytes, richtext::TRVCodePage ansiCodePage);

// The mark of the encoding, then each entry followed by CR LF.
std::string EncodeListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                           richtext::TRVCodePage ansiCodePage);
// The same bytes given to write in pieces of whole lines, about 64 K code units each, so
// that a big list is never encoded whole in memory; stops at and answers the first error
// write answers (0 when all went).
int WriteListFile(const std::vector<std::u16string>& entries, TListEncoding encoding,
                  richtext::TRVCodePage ansiCodePage,
                  const std::function<int(std::string_view)>& write);

// Whether the code page carries every entry exactly: written and read again, each comes back
// unchanged (no default character, no best-fit stand-in).
bool FitsCodePage(const std::vector<std::u16string>& entries, richtext::TRVCodePage codePage);

// The encoding a save writes entries in, given the one they were read in (none: no file was
// read, or it was empty): UTF-8 with a mark for none, and for an ANSI list whose code page
// cannot carry every entry or whose bytes would read back as UTF-8; else the one read in.
TListEncoding ChooseSaveEncoding(const std::vector<std::u16string>& entries,
                                 std::optional<TListEncoding> readIn,
                                 richtext::TRVCodePage ansiCodePage);

inline constexpr char16_t kBBCodeListFileName[] = u"博客SEO_富文本型.txt";
inline constexpr char16_t kMarkdownListFileName[] = u"博客SEO_MarkDown型.txt";

// A sorted link list: entries kept in locale-aware, case-insensitive order (ICU collator of
// the given locale, secondary strength), plus the remembered encoding.
class TLinkList {
public:
  // localeName empty: ICU default locale. ansiCodePage CP_ACP: the process's ANSI code page.
  explicit TLinkList(std::string localeName = {},
                     richtext::TRVCodePage ansiCodePage = richtext::CP_ACP);
  ~TLinkList();
  TLinkList(const TLinkList&) = delete;
  TLinkList& operator=(const TLinkList&) = delete;

  // Reads, decodes, replaces all entries (sorted once with collation keys).
  // Throws "Cannot open file \"%s\". %s" (path, system error text). On failure the list is
  // left empty with no remembered encoding.
  void Load(const std::string& path);
  // Removes duplicates, then writes atomically (temp file + fsync + rename; symlinks
  // followed; permissions kept). Throws "Cannot create file \"%s\". %s". When the file was
  // loaded from the same path and has been written by someone else since (or made, when it
  // was missing), nothing is written and the error says so. A list that never loaded, or
  // whose file was empty, is written as UTF-8 with a mark; an ANSI list whose code page
  // cannot carry every entry exactly becomes one too.
  TListSaveResult Save(const std::string& path);
  TListSaveResult Save(const std::string& path, TFileWriter& writer);

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
  struct TCollatorCloser {
    void operator()(UCollator* collator) const;
  };
  std::unique_ptr<UCollator, TCollatorCloser> FCollator;
  richtext::TRVCodePage FAnsiCodePage;
  std::vector<std::u16string> FEntries;
  std::optional<TListEncoding> FEncoding;
  // The last load found the file empty: nothing in it to keep an encoding for.
  bool FLoadedEmpty = false;
  // The file as the last load found it (it may have been missing), and as the list's own
  // saves left it.
  std::string FLoadedPath;
  std::optional<TFileStamp> FLoadedStamp;
};

} // namespace quillon
