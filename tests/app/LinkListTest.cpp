#include "app/LinkList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "AppTestSupport.h"
#include "app/ListSort.h"
#include "richtext/base/RVClasses.h"

namespace quillon {
namespace {

using test::Dump;
using test::Hex;
using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

class LinkListFiles : public ::testing::Test {
protected:
  // Round trip through a file: what the list holds after loading bytes.
  std::string LoadDump(TLinkList& list, std::string_view bytes) {
    WriteBytes(path, bytes);
    list.Load(path);
    return Dump(list.Entries());
  }
  TTempFolder folder;
  std::string path = folder.File("博客SEO_富文本型.txt");
};

TEST_F(LinkListFiles, LoadSortsWithoutRegardToCase) {
  TLinkList list("en_US", 1252);
  EXPECT_EQ("[a|b]", LoadDump(list, "b\na"));
  // Entries equal but for case keep their file order.
  EXPECT_EQ("[a|A|B|b]", LoadDump(list, "B\na\nA\nb"));
  EXPECT_EQ("[A|a|b|B]", LoadDump(list, "b\nA\nB\na"));
  // Accents still order (secondary strength).
  EXPECT_EQ("[e|E|é|f]", LoadDump(list, "f\n\xE9\ne\nE"));
  EXPECT_EQ("[||x|y]", LoadDump(list, "y\n\nx\r\n\n"));
}

TEST_F(LinkListFiles, AddGoesAfterItsEquals) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "a\nb\nc");
  EXPECT_EQ(1, list.InsertPosition(u"A"));
  EXPECT_EQ(1, list.Add(u"A"));
  EXPECT_EQ(2, list.Add(u"a"));
  EXPECT_EQ(0, list.Add(u""));
  EXPECT_EQ(6, list.Add(u"d"));
  EXPECT_EQ(6, list.Add(u"C"));
  EXPECT_EQ("[|a|A|a|b|c|C|d]", Dump(list.Entries()));
  // Nothing reaches the file until a save.
  EXPECT_EQ("a\nb\nc", ReadBytes(path));
}

TEST_F(LinkListFiles, BulkLoadOrdersLikeAddingOneByOne) {
  // Entries with a long common beginning, ties in case and accents, and empty ones: the
  // bulk sort must give exactly the order that inserting each after its equals gives.
  const char16_t* const parts[] = {u"Blog", u"blog", u"BLOG", u"blög", u"链接", u"a", u""};
  std::vector<std::u16string> lines;
  unsigned state = 17;
  for (int i = 0; i < 300; ++i) {
    state = state * 1103515245u + 12345u;
    lines.push_back(u"[url=https://blog.example.net/" + std::u16string(parts[(state >> 8) % 7]) +
                    u"]" + std::u16string(parts[(state >> 16) % 7]) + u"[/url]");
    if (i % 50 == 0)
      lines.emplace_back();
  }
  TLinkList bulk("zh_CN", 936), oneByOne("zh_CN", 936);
  bulk.Assign(lines);
  for (const std::u16string& line : lines)
    oneByOne.Add(line);
  EXPECT_EQ(Dump(oneByOne.Entries()), Dump(bulk.Entries()));
}

TEST_F(LinkListFiles, ABigListLoadsEveryEntryOnceInCollationOrder) {
  // Keys made on every processor and big buffers: every entry comes back once, in order.
  std::vector<std::u16string> lines;
  unsigned state = 5;
  for (int i = 0; i < 120000; ++i) {
    state = state * 1103515245u + 12345u;
    lines.push_back(u"[url=https://blog.example.net/" + FromUtf8(std::to_string(state % 100000)) +
                    u"]" + (state & 0x10000 ? u"Blog" : u"blog") + u"[/url]");
  }
  WriteBytes(path, EncodeListFile(lines, TListEncoding::Utf8, 936));
  TLinkList list("zh_CN", 936);
  list.Load(path);
  ASSERT_EQ(120000, list.Count());
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UCollator, TCollatorCloser> collator(ucol_open("zh_CN", &error));
  ucol_setStrength(collator.get(), UCOL_SECONDARY);
  auto collate = [&](const std::u16string& a, const std::u16string& b) {
    return ucol_strcoll(collator.get(), reinterpret_cast<const UChar*>(a.data()),
                        static_cast<int32_t>(a.size()), reinterpret_cast<const UChar*>(b.data()),
                        static_cast<int32_t>(b.size()));
  };
  for (int i = 1; i < list.Count(); ++i)
    ASSERT_NE(UCOL_GREATER, collate(list.Entry(i - 1), list.Entry(i))) << "at " << i;
  std::vector<std::u16string> loaded = list.Entries(), expected = lines;
  std::sort(loaded.begin(), loaded.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_TRUE(loaded == expected);
}

TEST_F(LinkListFiles, CollationFollowsTheLocale) {
  // In Swedish "ö" sorts after "z"; elsewhere beside "o".
  TLinkList swedish("sv_SE", 1252), english("en_US", 1252);
  EXPECT_EQ("[o|z|ö]", LoadDump(swedish, "\xF6\nz\no"));
  EXPECT_EQ("[o|ö|z]", LoadDump(english, "\xF6\nz\no"));
  // The C locale still sorts without regard to case.
  std::string saved = uloc_getDefault();
  UErrorCode error = U_ZERO_ERROR;
  uloc_setDefault("en_US_POSIX", &error);
  TLinkList posix;
  uloc_setDefault(saved.c_str(), &error);
  EXPECT_EQ("[b|B|c]", LoadDump(posix, "c\nb\nB"));
}

TEST_F(LinkListFiles, DeleteAndIndexErrors) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "a\nb\nc");
  list.Delete(-1);
  EXPECT_EQ("[a|b|c]", Dump(list.Entries()));
  list.Delete(1);
  EXPECT_EQ("[a|c]", Dump(list.Entries()));
  EXPECT_EQ("List index out of bounds (2)", ErrorOf([&] { list.Delete(2); }));
  EXPECT_EQ("List index out of bounds (-2)", ErrorOf([&] { list.Delete(-2); }));
  EXPECT_EQ("List index out of bounds (2)", ErrorOf([&] { list.Entry(2); }));
  EXPECT_EQ("c", ToUtf8(list.Entry(1)));
}

TEST_F(LinkListFiles, SaveRemovesAdjacentDuplicatesExactly) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "x\nx\ny\nx\na\nA\n\n\n");
  list.Save(path);
  EXPECT_EQ("[|a|A|x|y]", Dump(list.Entries()));
  EXPECT_EQ("\r\na\r\nA\r\nx\r\ny\r\n", ReadBytes(path));

  // a, A, a, A: no two neighbours are equal, so the old rule of neighbours kept all four.
  list.Add(u"a");
  list.Add(u"A");
  EXPECT_EQ(2u, list.RemoveDuplicates());
  EXPECT_EQ("[|a|A|x|y]", Dump(list.Entries()));
}

TEST_F(LinkListFiles, RepeatsGoWithinTheRunTheSortHoldsEqual) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "[Foo]\n[FOO]\n[Foo]\n[foo]\n[FOO]\nb\nB\nb\n");
  EXPECT_EQ("[[Foo]|[FOO]|[Foo]|[foo]|[FOO]|b|B|b]", Dump(list.Entries()));
  EXPECT_EQ("[1|1|0|1|0|1|1|0]", [&] {
    std::string out = "[";
    for (bool keep : list.FirstOfEach())
      out += std::string(out.size() > 1 ? "|" : "") + (keep ? "1" : "0");
    return out + "]";
  }());
  list.Save(path);
  EXPECT_EQ("[[Foo]|[FOO]|[foo]|b|B]", Dump(list.Entries()));
  EXPECT_EQ("[Foo]\r\n[FOO]\r\n[foo]\r\nb\r\nB\r\n", ReadBytes(path));
  // Accents make a difference to the sort, so these are no repeats.
  LoadDump(list, "e\n\xC3\xA9\ne\n");
  list.Save(path);
  EXPECT_EQ("[e|é]", Dump(list.Entries()));
}

TEST_F(LinkListFiles, SavesInTheEncodingItRead) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "\xEF\xBB\xBF" "b\na");
  list.Add(u"中");
  list.Save(path);
  EXPECT_EQ("EF BB BF 61 0D 0A 62 0D 0A E4 B8 AD 0D 0A", Hex(ReadBytes(path)));

  LoadDump(list, std::string("\xFF\xFE" "b\0", 4));
  list.Save(path);
  EXPECT_EQ("FF FE 62 00 0D 00 0A 00", Hex(ReadBytes(path)));

  // Unmarked UTF-8 stays unmarked UTF-8; entries added to it were written as "?" when it
  // was read as ANSI.
  LoadDump(list, "caf\xC3\xA9\nb\na");
  EXPECT_EQ(TListEncoding::Utf8NoMark, list.Encoding());
  EXPECT_EQ("[a|b|café]", Dump(list.Entries()));
  list.Add(u"中");
  list.Save(path);
  EXPECT_EQ("a\r\nb\r\ncaf\xC3\xA9\r\n\xE4\xB8\xAD\r\n", ReadBytes(path));
}

TEST_F(LinkListFiles, AnAnsiListBecomesUtf8OnlyWhenAnEntryDoesNotFit) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "caf\xE9\n");
  EXPECT_EQ(TListEncoding::Ansi, list.Encoding());
  list.Add(u"naïve");
  TListSaveResult saved = list.Save(path);
  EXPECT_FALSE(saved.ChangedToUtf8);
  EXPECT_EQ("caf\xE9\r\nna\xEFve\r\n", ReadBytes(path));

  // Written in 1252 this was "???? ???? ? Café".
  list.Add(u"我的博客 שלום 😀 Café");
  saved = list.Save(path);
  EXPECT_TRUE(saved.ChangedToUtf8);
  EXPECT_EQ(TListEncoding::Utf8, saved.Encoding);
  EXPECT_EQ("\xEF\xBB\xBF" "caf\xC3\xA9\r\nna\xC3\xAFve\r\n"
            "\xE6\x88\x91\xE7\x9A\x84\xE5\x8D\x9A\xE5\xAE\xA2 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D "
            "\xF0\x9F\x98\x80 Caf\xC3\xA9\r\n",
            ReadBytes(path));
  // Said once: the list is UTF-8 from now on.
  EXPECT_FALSE(list.Save(path).ChangedToUtf8);
  EXPECT_EQ(TListEncoding::Utf8, list.Encoding());

  // In GBK the Chinese fits and the Hebrew and the emoji do not.
  TLinkList gbk("zh_CN", 936);
  LoadDump(gbk, "\xD6\xD0\xCE\xC4\n");
  gbk.Add(u"中文 more");
  EXPECT_FALSE(gbk.Save(path).ChangedToUtf8);
  EXPECT_EQ("\xD6\xD0\xCE\xC4\r\n\xD6\xD0\xCE\xC4 more\r\n", ReadBytes(path));
  gbk.Add(u"שלום 😀");
  EXPECT_TRUE(gbk.Save(path).ChangedToUtf8);
  EXPECT_TRUE(ReadBytes(path).starts_with("\xEF\xBB\xBF"));
}

TEST_F(LinkListFiles, AnEmptyFileIsSavedAsUtf8WithAMark) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "");
  EXPECT_EQ(TListEncoding::Ansi, list.Encoding());
  list.Add(u"é");
  list.Save(path);
  EXPECT_EQ("EF BB BF C3 A9 0D 0A", Hex(ReadBytes(path)));
  EXPECT_EQ(TListEncoding::Utf8, list.Encoding());
}

TEST_F(LinkListFiles, SavingAnEmptyList) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "\xEF\xBB\xBF" "only");
  list.Delete(0);
  list.Save(path);
  EXPECT_EQ("EF BB BF", Hex(ReadBytes(path)));
  LoadDump(list, "only");
  list.Delete(0);
  list.Save(path);
  EXPECT_EQ("", Hex(ReadBytes(path)));
}

TEST_F(LinkListFiles, MissingFileLeavesAnEmptyListSavedAsUtf8) {
  TLinkList list("en_US", 1252);
  LoadDump(list, "\xEF\xBB\xBF" "old");
  std::string missing = folder.File("missing.txt");
  EXPECT_EQ("Cannot open file \"" + missing + "\". No such file or directory",
            ErrorOf([&] { list.Load(missing); }));
  EXPECT_EQ(0, list.Count());
  EXPECT_FALSE(list.Encoding().has_value());

  // Saved in the code page before, so that what it could not hold became "?".
  list.Add(u"é 中");
  list.Save(missing);
  EXPECT_EQ("EF BB BF C3 A9 20 E4 B8 AD 0D 0A", Hex(ReadBytes(missing)));
  EXPECT_EQ(TListEncoding::Utf8, list.Encoding());
}

TEST_F(LinkListFiles, UnreadablePathIsAnOpenError) {
  TLinkList list("en_US", 1252);
  EXPECT_EQ("Cannot open file \"" + folder.Path().string() + "\". Is a directory",
            ErrorOf([&] { list.Load(folder.Path().string()); }));
  EXPECT_EQ(0, list.Count());

  // Far beyond any link list: refused before anything is read (the file is sparse).
  std::string huge = folder.File("huge.txt");
  WriteBytes(huge, "a\n");
  std::filesystem::resize_file(huge, std::uintmax_t{3} << 30);
  EXPECT_EQ("Cannot open file \"" + huge + "\". File too large",
            ErrorOf([&] { list.Load(huge); }));
}

TEST_F(LinkListFiles, AListThatCouldNotBeReadWholeIsNeverWritten) {
  // Before, one add and a save replaced the file with the new entry alone.
  TLinkList list("en_US", 1252);
  std::string huge = folder.File("huge.txt");
  WriteBytes(huge, "a\n");
  std::filesystem::resize_file(huge, std::uintmax_t{3} << 30);
  EXPECT_THROW(list.Load(huge), std::exception);
  ASSERT_TRUE(list.Unreadable().has_value());
  EXPECT_EQ("Cannot open file \"" + huge + "\". File too large", *list.Unreadable());
  list.Add(u"new");
  EXPECT_EQ("Nothing was written to \"" + huge + "\": it could not be read whole (Cannot open file \"" +
                huge + "\". File too large), so writing the list would lose what it holds",
            ErrorOf([&] { list.Save(huge); }));
  EXPECT_EQ(std::uintmax_t{3} << 30, std::filesystem::file_size(huge));
  // Another file takes the entries; a later load that succeeds lifts the ban.
  const std::string elsewhere = folder.File("elsewhere.txt");
  list.Save(elsewhere);
  EXPECT_EQ("\xEF\xBB\xBF" "new\r\n", ReadBytes(elsewhere));
  std::filesystem::resize_file(huge, 2);
  list.Load(huge);
  EXPECT_FALSE(list.Unreadable().has_value());
  list.Add(u"b");
  list.Save(huge);
  EXPECT_EQ("a\r\nb\r\n", ReadBytes(huge));

  // A missing file is no such case: the save makes it.
  const std::string missing = folder.File("missing.txt");
  EXPECT_THROW(list.Load(missing), std::exception);
  EXPECT_FALSE(list.Unreadable().has_value());
}

TEST_F(LinkListFiles, OnlyRegularFilesAreReadAndWritten) {
  TLinkList list("en_US", 1252);
  // A FIFO: the load blocked before any window showed, and SIGTERM had no effect.
  const std::string fifo = folder.File("fifo.txt");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  EXPECT_EQ("Cannot open file \"" + fifo + "\". Not a regular file (a FIFO)",
            ErrorOf([&] { list.Load(fifo); }));
  EXPECT_TRUE(list.Unreadable().has_value());
  // A link to a device: about 1 GB of /dev/zero was read, then the device was replaced by a
  // regular file on save.
  const std::string device = folder.File("device.txt");
  std::filesystem::create_symlink("/dev/zero", device);
  EXPECT_EQ("Cannot open file \"" + device + "\". Not a regular file (a device)",
            ErrorOf([&] { list.Load(device); }));
  TLinkList fresh("en_US", 1252);
  fresh.Add(u"x");
  EXPECT_EQ("Cannot create file \"" + device + "\". Not a regular file (a device)",
            ErrorOf([&] { fresh.Save(device); }));
  EXPECT_TRUE(std::filesystem::is_symlink(device));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/zero"));
  // A link to a regular file is followed: the target is replaced, the link stays a link.
  const std::string target = folder.File("real.txt");
  const std::string link = folder.File("link.txt");
  WriteBytes(target, "a\r\n");
  std::filesystem::create_symlink(target, link);
  list.Load(link);
  list.Add(u"b");
  list.Save(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ("a\r\nb\r\n", ReadBytes(target));
}

TEST_F(LinkListFiles, EntriesNotEditedAreSavedBackByteForByte) {
  TLinkList list("en_US", 1252);
  // Bytes that are no UTF-8 in a UTF-8 list became U+FFFD on the next save, without a word.
  WriteBytes(path, "\xEF\xBB\xBF" "zeta\r\nBad\xFF\xFETitle\r\nalpha\r\n");
  list.Load(path);
  EXPECT_EQ("[alpha|Bad\uFFFD\uFFFDTitle|zeta]", Dump(list.Entries()));
  EXPECT_EQ(1u, list.DamagedCount());
  EXPECT_TRUE(list.IsDamaged(1));
  list.Add(u"new");
  list.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "alpha\r\nBad\xFF\xFETitle\r\nnew\r\nzeta\r\n", ReadBytes(path));
  // A NUL cut its entry and dropped every entry after it.
  WriteBytes(path, std::string("b\0tail\r\na\r\nc\r\n", 14));
  list.Load(path);
  EXPECT_EQ(3, list.Count());
  list.Save(path);
  EXPECT_EQ(std::string("a\r\nb\0tail\r\nc\r\n", 14), ReadBytes(path));
  // Same text, other bytes: two entries, both kept.
  WriteBytes(path, "\xEF\xBB\xBF" "x\xFF\r\nx\xFE\r\n");
  list.Load(path);
  list.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "x\xFF\r\nx\xFE\r\n", ReadBytes(path));
  // An edited entry (deleted and added anew, after the one its text equals) is written as
  // its text.
  list.Delete(0);
  list.Add(u"x\uFFFD");
  list.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "x\xFE\r\nx\xEF\xBF\xBD\r\n", ReadBytes(path));
}

} // namespace
} // namespace quillon
