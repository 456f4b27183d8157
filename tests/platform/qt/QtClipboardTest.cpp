// The engine's clipboard on Qt's (offscreen platform): one QMimeData per session, the MIME
// targets of each block, and reading back.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>

#include "platform/qt/RVQtCanvas.h"
#include "platform/qt/RVQtClipboard.h"
#include "platform/qt/RVQtGraphics.h"
#include "richtext/export/RVClipboardHTML.h"
#include "richtext/export/RVStr.h"
#include "tests/support/TestHyperlinkDocument.h"

namespace quillon {
namespace {

using namespace richtext;
using namespace std::string_literals;

std::string Bytes(const QMimeData* data, const char* target) {
  const QByteArray bytes = data->data(QString::fromLatin1(target));
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

class QtClipboardTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterQtGraphics();
    RegisterQtClipboard();
  }
  void SetUp() override { QGuiApplication::clipboard()->clear(); }
  static QClipboard* Qt() { return QGuiApplication::clipboard(); }
};

TEST_F(QtClipboardTest, HyperlinkCopyPublishesEveryFormatWithTheWritersBytes) {
  TRVQtCanvas canvas;
  richtext::test::TTestHyperlinkDocument doc(&canvas);
  doc.Build(u"Quillon & <links>", u"http://q.example/?a=1&b=2");
  const std::string rtf = doc.SelectionRTF();
  const std::string rvf = doc.SelectionRVF();

  doc.RichViewEdit1.Copy();
  const QMimeData* data = Qt()->mimeData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ("RichView Format|application/rtf|text/html|text/plain|text/richtext|text/rtf",
            [&] {
              QStringList formats = data->formats();
              formats.sort();
              return formats.join(u'|').toStdString();
            }());
  EXPECT_EQ(QStringLiteral("Quillon & <links>"), data->text());
  EXPECT_EQ(rtf, Bytes(data, "text/rtf"));
  EXPECT_EQ(rtf, Bytes(data, "application/rtf"));
  EXPECT_EQ(rtf, Bytes(data, "text/richtext"));
  const std::string block = Bytes(data, "RichView Format");
  ASSERT_GE(block.size(), 4u);
  const std::uint32_t length = static_cast<unsigned char>(block[0]) |
                               static_cast<unsigned char>(block[1]) << 8 |
                               static_cast<unsigned char>(block[2]) << 16 |
                               static_cast<std::uint32_t>(static_cast<unsigned char>(block[3]))
                                   << 24;
  EXPECT_EQ(rvf.size(), length);
  EXPECT_EQ(rvf, block.substr(4));
  EXPECT_EQ("<meta charset=\"utf-8\"><a href=\"http://q.example/?a=1&amp;b=2\" "
            "style=\"color:#0000ff;text-decoration:underline\">Quillon &amp; &lt;links&gt;</a>",
            Bytes(data, "text/html"));
}

TEST_F(QtClipboardTest, OneSessionIsPublishedOnceWhenItCloses) {
  RVRegisterClipboardFormats();
  QSignalSpy changes(Qt(), &QClipboard::dataChanged);
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  clipboard.Open();
  clipboard.SetData(CF_UNICODETEXT, "h\0i\0\0\0"s);
  clipboard.SetData(CFRV_RTF, "{\\rtf1 hi}");
  EXPECT_EQ(0, changes.count());
  clipboard.Close();
  EXPECT_EQ(1, changes.count());
  EXPECT_EQ(QStringLiteral("hi"), Qt()->mimeData()->text());
  EXPECT_EQ("{\\rtf1 hi}", Bytes(Qt()->mimeData(), "text/rtf"));

  // A later session that does not empty the clipboard adds to what it holds...
  RVSetBytesToClipboard("<b>hi</b>", CFRV_HTML);
  EXPECT_EQ(2, changes.count());
  EXPECT_EQ(QStringLiteral("hi"), Qt()->mimeData()->text());
  EXPECT_EQ("<b>hi</b>", Bytes(Qt()->mimeData(), "text/html"));
  // ...until someone else takes the clipboard.
  Qt()->setText(QStringLiteral("theirs"));
  RVSetBytesToClipboard("{\\rtf1 mine}", CFRV_RTF);
  EXPECT_FALSE(Qt()->mimeData()->hasText());
  EXPECT_EQ("{\\rtf1 mine}", Bytes(Qt()->mimeData(), "application/rtf"));

  clipboard.Clear();
  EXPECT_TRUE(Qt()->mimeData() == nullptr || Qt()->mimeData()->formats().isEmpty());
}

TEST_F(QtClipboardTest, EightBitTextStandsInOnlyWithoutUnicodeText) {
  TRVSystemClipboard& clipboard = RVSystemClipboard();
  clipboard.Clear();
  RVSetTextToClipboardA("abc", CF_TEXT);
  EXPECT_EQ(QStringLiteral("abc"), Qt()->mimeData()->text());
  clipboard.Open();
  RVSetTextToClipboardW(u"\u00E9t\u00E9", CF_UNICODETEXT);
  RVSetTextToClipboardA("ete", CF_TEXT);
  clipboard.Close();
  EXPECT_EQ(QStringLiteral(u"\u00E9t\u00E9"), Qt()->mimeData()->text());
}

TEST_F(QtClipboardTest, ReadingBackFindsOtherProgramsTextAndOurFormats) {
  RVRegisterClipboardFormats();
  Qt()->setText(QStringLiteral(u"w\u00F6rld"));
  std::u16string text;
  EXPECT_TRUE(RVGetTextFromClipboardW(text, CF_UNICODETEXT));
  EXPECT_EQ(u"w\u00F6rld", text);
  EXPECT_FALSE(RVSystemClipboard().HasFormat(CFRV_RVF));

  RVSetBytesToClipboard("\x03\0\0\0abc"s, CFRV_RVF);
  EXPECT_TRUE(RVSystemClipboard().HasFormat(CFRV_RVF));
  EXPECT_EQ("\x03\0\0\0abc"s, RVSystemClipboard().GetData(CFRV_RVF));
  auto* theirs = new QMimeData;
  theirs->setData(QStringLiteral("text/richtext"), "{\\rtf1 x}");
  Qt()->setMimeData(theirs);
  EXPECT_EQ("{\\rtf1 x}", RVSystemClipboard().GetData(CFRV_RTF));
}

} // namespace
} // namespace quillon
