#include "app/ErrorBox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "richtext/base/RVClasses.h"

namespace quillon {
namespace {

TEST(ApplicationTitle, FileNameCutAtFirstDotWithTailLowered) {
  const std::pair<std::string, std::string> cases[] = {
      {"build/bin/quillon", "quillon"},
      {"/opt/Quillon.Bin.exe", "Quillon"},
      {"/opt/QUILLON", "Quillon"},
      {"/opt/a.b/tool", "tool"},
      {"noFolder", "nofolder"},
      {"/x/ÉTÉ.bin", "Été"},
      {"/x/.hidden", ""},
      {"", ""},
  };
  for (const auto& [path, title] : cases)
    EXPECT_EQ(title, ToUtf8(ApplicationTitle(path))) << path;
}

TEST(ErrorBoxText, DotAfterCharactersAboveDot) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"abc", u"abc."},  {u"abc.", u"abc."}, {u"abc!", u"abc!"}, {u"(1)", u"(1)"},
      {u"a/", u"a/."},    {u"a-", u"a-"},     {u"", u""},         {u"数据", u"数据."},
      {u"9", u"9."},
  };
  for (const auto& [message, text] : cases)
    EXPECT_EQ(ToUtf8(text), ToUtf8(ErrorBoxText(message))) << ToUtf8(message);
}

class TRecordingNotifier : public TNotifier {
public:
  void ShowError(const std::u16string& title, const std::u16string& text) override {
    log += "error(" + ToUtf8(title) + "): " + ToUtf8(text) + "\n";
  }
  void ShowMessage(const std::u16string& title, const std::u16string& text) override {
    log += "message(" + ToUtf8(title) + "): " + ToUtf8(text) + "\n";
  }
  TSaveChoice AskSaveChanges(const std::u16string&, const std::u16string&) override {
    ADD_FAILURE() << "no question is asked here";
    return TSaveChoice::Cancel;
  }
  bool AskYesNo(const std::u16string&, const std::u16string&) override {
    ADD_FAILURE() << "no question is asked here";
    return false;
  }
  std::string AskSaveFileName(const std::u16string&, const std::string&) override {
    ADD_FAILURE() << "no question is asked here";
    return {};
  }
  std::string log;
};

TEST(ShowException, ShowsConvertedMessageAsError) {
  TRecordingNotifier notifier;
  ShowException(notifier, u"quillon", richtext::EListError(1));
  ShowException(notifier, u"quillon", std::runtime_error("无法打开 \"博客.txt\". No such file"));
  EXPECT_EQ("error(quillon): List index out of bounds (1)\n"
            "error(quillon): 无法打开 \"博客.txt\". No such file.\n",
            notifier.log);
}

TEST(ExecutablePath, NamesThisProgramAndItsFolder) {
  std::string path = ExecutablePath();
  std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ('/', folder.back());
  EXPECT_EQ(folder, path.substr(0, folder.size()));
  EXPECT_EQ(std::string::npos, path.find('/', folder.size()));
  struct stat info {};
  ASSERT_EQ(0, stat(path.c_str(), &info)) << path;
  EXPECT_TRUE(S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR)) << path;
}

} // namespace
} // namespace quillon
