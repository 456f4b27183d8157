// Where the lists live, and the folder made for them on the first save.
#include "app/ListFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "AppTestSupport.h"
#include "app/ErrorBox.h"
#include "app/LinkList.h"

namespace quillon {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

// A home folder of no machine: the choice is a pure function of its setting.
const std::string kHome = "/users/ming";
const std::string kDefaultData = kHome + "/.local/share/quillon/";

TListFolderSetting Setting(bool writable) {
  TListFolderSetting setting;
  setting.executableFolder = "/opt/quillon/";
  setting.home = kHome;
  setting.installFolders = "/usr/local/bin/:/usr/bin";
  setting.writable = [writable](const std::string&) { return writable; };
  return setting;
}

TEST(ListFolder, BesideTheProgramWhenThatFolderIsWritable) {
  EXPECT_EQ("/opt/quillon/", ChooseListFolder(Setting(true)));
  TListFolderSetting withData = Setting(true);
  withData.dataHome = "/data";
  EXPECT_EQ("/opt/quillon/", ChooseListFolder(withData));
  // The folder is asked about with its trailing separator, as the lists' paths use it.
  std::string asked;
  TListFolderSetting noSlash = Setting(true);
  noSlash.executableFolder = "/opt/quillon";
  noSlash.writable = [&asked](const std::string& folder) {
    asked = folder;
    return true;
  };
  EXPECT_EQ("/opt/quillon/", ChooseListFolder(noSlash));
  EXPECT_EQ("/opt/quillon/", asked);
}

TEST(ListFolder, TheUsersDataFolderOtherwise) {
  EXPECT_EQ(kDefaultData, ChooseListFolder(Setting(false)));
  TListFolderSetting withData = Setting(false);
  withData.dataHome = "/data/ming/";
  EXPECT_EQ("/data/ming/quillon/", ChooseListFolder(withData));
  withData.dataHome = "/data/ming";
  EXPECT_EQ("/data/ming/quillon/", ChooseListFolder(withData));
  // A relative data folder is not a valid setting: the default applies.
  withData.dataHome = "relative/share";
  EXPECT_EQ(kDefaultData, ChooseListFolder(withData));
  TListFolderSetting homeless = Setting(false);
  homeless.home.clear();
  EXPECT_EQ("/.local/share/quillon/", ChooseListFolder(homeless));
}

TEST(ListFolder, AnInstalledCopyUsesTheDataFolderEvenWhenItCouldWriteBesideItself) {
  TListFolderSetting installed = Setting(true); // root can write into /usr/bin
  installed.executableFolder = "/usr/bin/";
  EXPECT_EQ(kDefaultData, ChooseListFolder(installed));
  installed.executableFolder = "/usr/bin";
  EXPECT_EQ(kDefaultData, ChooseListFolder(installed));
  installed.executableFolder = "/usr/local/bin/";
  EXPECT_EQ(kDefaultData, ChooseListFolder(installed));
  // A folder that merely begins like one of them is not it.
  installed.executableFolder = "/usr/bin/quillon/";
  EXPECT_EQ("/usr/bin/quillon/", ChooseListFolder(installed));
}

TEST(ListFolder, TheProcessSettingIsItsOwn) {
  const TListFolderSetting setting = CurrentListFolderSetting();
  EXPECT_EQ(ExecutableFolder(), setting.executableFolder);
  ASSERT_TRUE(setting.writable);
  TTempFolder folder;
  EXPECT_TRUE(setting.writable(folder.Path().string() + "/"));
  EXPECT_FALSE(setting.writable(folder.File("missing") + "/"));
}

TEST(ListFolder, TheFirstSaveMakesTheDataFolder) {
  TTempFolder home;
  const std::string folder = home.File(".local/share/quillon") + "/";
  const std::string path = folder + "list.txt";
  PrepareListFolder(path);
  ASSERT_TRUE(std::filesystem::is_directory(folder));
  struct stat info {};
  ASSERT_EQ(0, stat(folder.c_str(), &info));
  EXPECT_EQ(0700u, info.st_mode & 0777);
  TLinkList list("en_US", 1252);
  list.Add(u"a");
  list.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "a\r\n", ReadBytes(path));
  // An existing folder is left as it is.
  PrepareListFolder(path);
  EXPECT_EQ("\xEF\xBB\xBF" "a\r\n", ReadBytes(path));
}

TEST(ListFolder, AFolderThatCannotBeMadeIsACreateError) {
  TTempFolder home;
  // A file where a folder should be: the same for everyone, root included.
  WriteBytes(home.File(".local"), "not a folder");
  const std::string path = home.File(".local/share/quillon/list.txt");
  std::string error;
  try {
    PrepareListFolder(path);
  } catch (const std::exception& e) {
    error = e.what();
  }
  EXPECT_EQ("Cannot create file \"" + path + "\". Not a directory", error);
  EXPECT_EQ("not a folder", ReadBytes(home.File(".local")));
}

} // namespace
} // namespace quillon
