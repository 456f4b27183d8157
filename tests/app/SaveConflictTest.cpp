// A save never writes over entries that another program (or another Quillon) put into the
// file after this list loaded it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "app/AtomicFile.h"
#include "app/LinkList.h"

namespace quillon {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

class SaveConflict : public ::testing::Test {
protected:
  std::string SaveError(TLinkList& list) {
    try {
      list.Save(path);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "saved";
  }
  std::string Changed() const {
    return "The file \"" + path +
           "\" was changed by another program after it was loaded. Nothing was saved, so "
           "that no entry is lost";
  }
  TTempFolder folder;
  std::string path = folder.File("list.txt");
  TLinkList list{"en_US", 1252};
};

TEST_F(SaveConflict, OwnSavesFollowOneAnother) {
  WriteBytes(path, "b\r\na\r\n");
  list.Load(path);
  list.Add(u"c");
  EXPECT_EQ("saved", SaveError(list));
  list.Add(u"d");
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("a\r\nb\r\nc\r\nd\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileReplacedByAnotherProgramIsNotWritten) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  list.Add(u"mine");
  // Another Quillon saves the same list its own way: a new file renamed over the old one.
  TLinkList other("en_US", 1252);
  other.Load(path);
  other.Add(u"theirs");
  other.Save(path);
  EXPECT_EQ(Changed(), SaveError(list));
  EXPECT_EQ("a\r\ntheirs\r\n", ReadBytes(path));
  // Loading again takes their entries in, and then saving goes ahead.
  list.Load(path);
  list.Add(u"mine");
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("a\r\nmine\r\ntheirs\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileWrittenInPlaceIsNotWritten) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  // An editor that appends to the file where it stands (same inode).
  std::ofstream(path, std::ios::binary | std::ios::app) << "z\r\n";
  EXPECT_EQ(Changed(), SaveError(list));
  EXPECT_EQ("a\r\nz\r\n", ReadBytes(path));
  EXPECT_EQ("list.txt", folder.Listing());
}

TEST_F(SaveConflict, AFileMadeSinceAFailedLoadIsNotWritten) {
  EXPECT_THROW(list.Load(path), std::exception);
  WriteBytes(path, "made meanwhile\r\n");
  list.Add(u"mine");
  EXPECT_EQ(Changed(), SaveError(list));
  EXPECT_EQ("made meanwhile\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileStillMissingOrRemovedIsWritten) {
  EXPECT_THROW(list.Load(path), std::exception);
  list.Add(u"first");
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("\xEF\xBB\xBF" "first\r\n", ReadBytes(path));
  // Removed by someone: there is nothing to lose, so the list is written again.
  std::filesystem::remove(path);
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("\xEF\xBB\xBF" "first\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AnotherPathIsNotCompared) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  const std::string elsewhere = folder.File("elsewhere.txt");
  WriteBytes(elsewhere, "old\r\n");
  list.Save(elsewhere);
  EXPECT_EQ("a\r\n", ReadBytes(elsewhere));
  // A list that never loaded a file has nothing to compare with.
  TLinkList fresh("en_US", 1252);
  fresh.Add(u"x");
  fresh.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "x\r\n", ReadBytes(path));
}

} // namespace
} // namespace quillon
