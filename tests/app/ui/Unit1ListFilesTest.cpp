// The window and the files behind its lists: a file that could not be read is never written
// over, another program's changes come into the lists, long entries stay quick, and
// addresses that run code make no link.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QClipboard>

#include <algorithm>
#include <filesystem>

#include "tests/app/ui/FormFixture.h"

namespace quillon::test {
namespace {

using ListFilesTest = FormFixture;

// Writes a list file the way another program replaces it: a new file renamed over it.
void ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".other";
  {
    QFile file(QString::fromStdString(temp));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::filesystem::rename(temp, path);
}

TEST_F(ListFilesTest, AListThatCouldNotBeReadIsNeverWrittenAndCanGoElsewhere) {
  // A folder in the file's place: it exists, but no list can be read from it.
  ASSERT_TRUE(QDir(Folder.path()).mkdir(QString::fromStdU16String(kBBCodeListFileName)));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Form->ListBox1->Notice(),
            QStringLiteral(u"博客SEO_富文本型.txt could not be read: nothing will be written to it"));
  EXPECT_TRUE(Form->ListBox2->Notice().isEmpty());
  Notifier.Boxes.clear();

  Form->Edit3->setText("[url=a]Mine[/url]");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Notifier.Boxes[0].text.substr(0, 22), u"Nothing was written to");
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"[url=a]Mine[/url]"}));
  EXPECT_TRUE(std::filesystem::is_directory(ListPath(kBBCodeListFileName)));

  // Closing offers another file for the entries.
  Notifier.Boxes.clear();
  Notifier.SaveAnswer = TSaveChoice::Save;
  const std::string elsewhere = FolderPath() + "saved elsewhere.txt";
  Notifier.SaveAsAnswer = elsewhere;
  EXPECT_TRUE(Form->ConfirmClose());
  ASSERT_EQ(Notifier.Boxes.size(), 2u);
  EXPECT_EQ(Notifier.Boxes[1].kind, u"save as");
  QFile saved(QString::fromStdString(elsewhere));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll().toStdString(), Utf8List({"[url=a]Mine[/url]"}));

  // Once the file can be read, Reload takes it in, keeps the window's entries, and lifts
  // the ban.
  std::filesystem::remove(ListPath(kBBCodeListFileName));
  WriteList(kBBCodeListFileName, Utf8List({"[url=b]File[/url]"}));
  Form->ReloadList(Form->ListBox1);
  EXPECT_TRUE(Form->ListBox1->Notice().isEmpty());
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"[url=a]Mine[/url]", "[url=b]File[/url]"}));
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  EXPECT_EQ(ReadList(kBBCodeListFileName), Utf8List({"[url=a]Mine[/url]", "[url=b]File[/url]"}));
}

TEST_F(ListFilesTest, ASaveMergesWhatAnotherProgramAdded) {
  WriteList(kBBCodeListFileName, Utf8List({"[url=http://a.example/]A[/url]"}));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  // Another program adds an entry; the watcher is slower than the user here.
  ReplaceFile(ListPath(kBBCodeListFileName),
              Utf8List({"[url=http://a.example/]A[/url]", "[url=http://ext.example/]External[/url]"}));
  Form->Edit3->setText("[url=http://m.example/]Mine[/url]");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  EXPECT_TRUE(Notifier.Boxes.empty());
  EXPECT_EQ(ReadList(kBBCodeListFileName),
            Utf8List({"[url=http://a.example/]A[/url]", "[url=http://ext.example/]External[/url]",
                      "[url=http://m.example/]Mine[/url]"}));
  EXPECT_EQ(Rows(Form->ListBox1).size(), 3);
  EXPECT_EQ(Form->StatusLine->text(),
            "Saved 3 entries\nMerged 1 entry added by another program");
}

TEST_F(ListFilesTest, OutsideChangesComeIntoTheListsShown) {
  WriteList(kBBCodeListFileName, Utf8List({"a", "b", "c"}));
  WriteList(kMarkdownListFileName, Utf8List({"[m](http://m)"}));
  Open();
  // No unsaved changes: a reload in place that keeps the selection.
  Form->ListBox1->SetItemIndex(1);
  ReplaceFile(ListPath(kBBCodeListFileName), Utf8List({"0", "a", "b", "c"}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Rows(Form->ListBox1).size() == 4; }, 5000));
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"0", "a", "b", "c"}));
  EXPECT_EQ(Form->ListBox1->ItemIndex(), 2) << "\"b\" stays selected";
  EXPECT_FALSE(Form->ListBox1->Items().Modified());

  // Unsaved changes: the other program's additions and deletions are merged in.
  Form->Edit4->setText("[mine](http://mine)");
  QTest::mouseClick(Form->Button5, Qt::LeftButton);
  ReplaceFile(ListPath(kMarkdownListFileName), Utf8List({"[ext](http://ext)"}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Rows(Form->ListBox2).contains("[ext](http://ext)"); },
                              5000));
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[ext](http://ext)", "[mine](http://mine)"}));
  EXPECT_TRUE(Form->ListBox2->Items().Modified());
  EXPECT_EQ(Form->StatusLine->text(), "Merged 1 added and 1 deleted entries of another program");
  EXPECT_EQ(ReadList(kMarkdownListFileName), Utf8List({"[ext](http://ext)"}));

  // A removed file leaves the list as shown, with changes to save.
  std::filesystem::remove(ListPath(kBBCodeListFileName));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Form->ListBox1->Items().Modified(); }, 5000));
  EXPECT_EQ(Rows(Form->ListBox1), QStringList({"0", "a", "b", "c"}));
  // Our own save is no outside change.
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  QTest::qWait(400);
  EXPECT_FALSE(Form->ListBox1->Items().Modified());
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListFilesTest, ABigListLoadsInTheBackgroundAndNothingDoneMeanwhileIsLost) {
  // Over 8 MB: the window shows at once with the list marked as loading, then its rows.
  std::string bytes = kUtf8Mark;
  constexpr int kCount = 140000;
  for (int i = 0; i < kCount; ++i)
    bytes += "[url=http://big.example/" + std::to_string(1000000 + i) +
             "]An entry of a big list, number " + std::to_string(i) + "[/url]\r\n";
  ASSERT_GE(bytes.size(), std::size_t{8} << 20);
  WriteList(kBBCodeListFileName, bytes);
  WriteList(kMarkdownListFileName, Utf8List({"[a](http://small.example/)"}));
  OpenWhileLoading();
  ASSERT_TRUE(Form->ListBox1->Items().Loading());
  EXPECT_EQ(Form->ListBox1->Notice(), QStringLiteral(u"Loading\u2026"));
  EXPECT_EQ(Form->ListBox1->model()->rowCount(), 0);
  // The small list is there at once.
  EXPECT_FALSE(Form->ListBox2->Items().Loading());
  EXPECT_EQ(Rows(Form->ListBox2), QStringList({"[a](http://small.example/)"}));

  // An add meanwhile waits for the list, and lands in it.
  Form->Edit3->setText("[url=http://m.example/]Mine[/url]");
  QTest::mouseClick(Form->Button3, Qt::LeftButton);
  EXPECT_EQ(Form->ListBox1->model()->rowCount(), kCount + 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Form->ListBox1->Notice().isEmpty(); }, 60000));
  EXPECT_TRUE(Notifier.Boxes.empty());
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  const std::string saved = ReadList(kBBCodeListFileName);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), kCount + 1);
  EXPECT_NE(saved.find("\r\n[url=http://m.example/]Mine[/url]\r\n"), std::string::npos);
}

TEST_F(ListFilesTest, LongEntriesShowTheirBeginningAndAskBeforeTheyAreRecalled) {
  // One entry of 20 MB drew as overlapping garbage and froze the window when clicked.
  std::string huge = "[url=http://h.example/]";
  huge += std::string(20 << 20, 'x');
  huge += "[/url]";
  WriteList(kBBCodeListFileName, Utf8List({huge.c_str(), "[url=s]Short[/url]"}));
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  const int row = RowOf(Form->ListBox1, "[url=s]Short[/url]") == 0 ? 1 : 0;
  const QString shown = Row(Form->ListBox1, row);
  EXPECT_EQ(shown.size(), TLinkListModel::kShownCharacters + 1);
  EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
  Form->Edit1->setText("kept");
  Notifier.YesNoAnswer = false;
  ClickRow(Form->ListBox1, row);
  ASSERT_EQ(Notifier.Boxes.size(), 1u);
  EXPECT_EQ(Notifier.Boxes[0].kind, u"yesno");
  EXPECT_EQ(Form->Edit1->text(), "kept");
  // A NUL shows as its symbol.
  WriteList(kMarkdownListFileName, std::string("\xEF\xBB\xBF" "a\0b\r\n", 8));
  Form->ReloadList(Form->ListBox2);
  EXPECT_EQ(Row(Form->ListBox2, 0), QStringLiteral(u"a\u2400b"));
}

TEST_F(ListFilesTest, AddressesThatRunCodeMakeNoLink) {
  OpenWithEmptyLists();
  QGuiApplication::clipboard()->setText("before");
  for (const char* address : {"javascript:alert(1)", " JaVa\tScRiPt:alert(1)",
                              "vbscript:msgbox", "DATA:text/html,<script>x</script>"}) {
    Notifier.Boxes.clear();
    Form->Edit1->setText("t");
    Form->Edit2->setText(address);
    Form->Edit3->clear();
    Form->Edit4->clear();
    QTest::mouseClick(Form->Button1, Qt::LeftButton);
    QTest::mouseClick(Form->Button2, Qt::LeftButton);
    Form->Label1Click();
    EXPECT_TRUE(Form->Edit3->text().isEmpty()) << address;
    EXPECT_TRUE(Form->Edit4->text().isEmpty()) << address;
    EXPECT_EQ(Form->Edit2->text(), address) << "nothing is put in front";
    ASSERT_EQ(Notifier.Boxes.size(), 3u) << address;
    EXPECT_EQ(Notifier.Boxes[0].kind, u"error");
    EXPECT_NE(Notifier.Boxes[0].text.find(u"would run code"), std::u16string::npos);
  }
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
  // Every other scheme is kept.
  Notifier.Boxes.clear();
  Form->Edit2->setText("javascripts.example/page");
  QTest::mouseClick(Form->Button1, Qt::LeftButton);
  EXPECT_EQ(Form->Edit4->text(), "[t](http://javascripts.example/page)");
  EXPECT_TRUE(Notifier.Boxes.empty());
}

TEST_F(ListFilesTest, DamagedEntriesAreCountedOnceAndSavedBackUnchanged) {
  const std::string bytes = "\xEF\xBB\xBF" "Bad\xFF\xFETitle\r\nok\r\n";
  WriteList(kBBCodeListFileName, bytes);
  WriteList(kMarkdownListFileName, Utf8List({}));
  Open();
  EXPECT_EQ(Form->StatusLine->text(),
            QStringLiteral(u"博客SEO_富文本型.txt: 1 entry is not valid text in its encoding; "
                           u"it shows \uFFFD and is saved back as it was"));
  EXPECT_TRUE(Rows(Form->ListBox1).contains(QStringLiteral(u"Bad\uFFFD\uFFFDTitle")));
  QTest::mouseClick(Form->Button7, Qt::LeftButton);
  EXPECT_EQ(ReadList(kBBCodeListFileName), bytes);
}

} // namespace
} // namespace quillon::test
