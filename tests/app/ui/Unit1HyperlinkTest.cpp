// The blue label: the formatted hyperlink in the window's editor and on the real (offscreen)
// clipboard, clicked as a user would.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVStr.h"
#include "tests/app/ui/FormFixture.h"
#include "tests/richtext/export/clipboard/RecordingClipboard.h"

namespace quillon::test {
namespace {

std::string Bytes(const QMimeData* data, const char* target) {
  const QByteArray bytes = data->data(QString::fromLatin1(target));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

class HyperlinkLabelTest : public ClipboardFormFixture {
protected:
  void Click(const QString& title, const QString& address) {
    Form->Edit1->setText(title);
    Form->Edit2->setText(address);
    QTest::mouseClick(Form->Label1, Qt::LeftButton);
  }
  richtext::TRichViewEdit& Editor() { return Form->Hyperlink().RichViewEdit1; }
  static const QMimeData* Clip() { return QGuiApplication::clipboard()->mimeData(); }
  std::string ExpectedRTF() {
    bool ok = false;
    std::string rtf = HyperlinkClipboardRTF(Editor(), ok);
    EXPECT_TRUE(ok);
    return rtf;
  }
};

TEST_F(HyperlinkLabelTest, ClickPutsTheHyperlinkOnTheClipboardInEveryFormat) {
  Click(QStringLiteral(u"博客 links"), QStringLiteral("http://blog.example/p?id=1"));
  ASSERT_NE(nullptr, Clip());
  EXPECT_EQ(QStringLiteral(u"博客 links"), Clip()->text());
  const std::string rtf = Bytes(Clip(), "text/rtf");
  EXPECT_EQ(ExpectedRTF(), rtf);
  EXPECT_NE(std::string::npos, rtf.find("HYPERLINK \"http://blog.example/p?id=1\""));
  EXPECT_EQ(rtf, Bytes(Clip(), "application/rtf"));
  EXPECT_EQ(rtf, Bytes(Clip(), "text/richtext"));
  bool ok = false;
  EXPECT_EQ(HyperlinkClipboardRVF(Editor(), ok), Bytes(Clip(), "RichView Format").substr(4));
  EXPECT_EQ("<meta charset=\"utf-8\"><a href=\"http://blog.example/p?id=1\" "
            "style=\"color:#0000ff;text-decoration:underline\">博客 links</a>",
            Bytes(Clip(), "text/html"));
  EXPECT_TRUE(Notifier.Boxes.empty());
  EXPECT_EQ(u"RVStyle1", Form->Hyperlink().RVStyle1.Name);
}

TEST_F(HyperlinkLabelTest, TwoClicksKeepSevenTextStylesAndOnlyTheSecondTitle) {
  EXPECT_EQ(6, Form->Hyperlink().RVStyle1.TextStyles.Count());
  Click(QStringLiteral("first"), QStringLiteral("http://one.example/"));
  EXPECT_EQ(7, Form->Hyperlink().RVStyle1.TextStyles.Count());
  Click(QStringLiteral("second"), QStringLiteral("http://two.example/"));
  EXPECT_EQ(7, Form->Hyperlink().RVStyle1.TextStyles.Count());
  EXPECT_EQ("6 0 {U} \"second\" tag=\"http://two.example/\"\n",
            Editor().RVData->Items().Dump());
  EXPECT_EQ(QStringLiteral("second"), Clip()->text());
  EXPECT_EQ(std::string::npos, Bytes(Clip(), "text/rtf").find("first"));
}

TEST_F(HyperlinkLabelTest, EmptyTitleLeavesTheClipboardAsItWas) {
  Click(QString(), QStringLiteral("http://a.example/"));
  EXPECT_EQ(QStringLiteral("before"), Clip()->text());
  EXPECT_EQ(QStringList{QStringLiteral("text/plain")}, Clip()->formats());
  EXPECT_TRUE(Notifier.Boxes.empty());
  EXPECT_EQ(1, Editor().ItemCount()); // the empty item is still built
}

TEST_F(HyperlinkLabelTest, AddressWithoutHttpIsTheTargetUnchanged) {
  Click(QStringLiteral("t"), QStringLiteral("example.com/x"));
  EXPECT_EQ(QStringLiteral("example.com/x"), Form->Edit2->text());
  EXPECT_NE(std::string::npos, Bytes(Clip(), "text/rtf").find("HYPERLINK \"example.com/x\""));
  EXPECT_NE(std::string::npos, Bytes(Clip(), "text/html").find("href=\"example.com/x\""));
}

TEST_F(HyperlinkLabelTest, HeldClipboardIsReportedInTheErrorBox) {
  richtext::test::TRecordingClipboard held;
  held.RefuseFrom = 1;
  richtext::test::TInstalledClipboard installed(held);
  Click(QStringLiteral("t"), QStringLiteral("a"));
  ASSERT_EQ(1u, Notifier.Boxes.size());
  EXPECT_EQ((TBox{u"error", kTitle, u"Cannot open clipboard: held by another program."}),
            Notifier.Boxes[0]);
  EXPECT_EQ(QStringLiteral("before"), Clip()->text());
  // The document was built before the copy failed, and stays.
  EXPECT_EQ(u"t", Editor().GetItemText(0));
}

} // namespace
} // namespace quillon::test
