#include "app/ui/BrowserRequests.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/LinkTemplates.h"
#include "app/StoredLinks.h"
#include "app/Utf.h"
#include "app/browser/BrowserMessage.h"
#include "app/ui/Unit1.h"

namespace quillon {

namespace {

QString ToQt(const std::u16string& text) { return QString::fromStdU16String(text); }

// The selection with the page's links kept: its HTML, and its text for the editors that
// take text only.
void CopySelection(const TBrowserMessage& message) {
  auto data = std::make_unique<QMimeData>();
  if (!message.Html.empty())
    data->setHtml(ToQt(message.Html));
  data->setText(ToQt(message.Text));
  QGuiApplication::clipboard()->setMimeData(data.release());
}

} // namespace

TFormBrowserRequests::TFormBrowserRequests(TForm1& form) : QObject(&form), FForm(&form) {}

std::string TFormBrowserRequests::Answer(const std::string& request) {
  try {
    const TBrowserMessage message = ParseBrowserMessage(request);
    if (!message.Template.empty())
      return BrowserReplyOk(u"Copied as " + CopyInTemplate(message));
    Act(message);
    switch (message.Type) {
    case TBrowserMessageType::Tabs:
      return BrowserReplyOk(u"Copied " + QString::number(message.Links.size()).toStdU16String() +
                            u" links");
    case TBrowserMessageType::Selection:
      return BrowserReplyOk(u"Copied the selection");
    default:
      return BrowserReplyOk(u"Copied \u201C" + message.Links.at(0).Title + u"\u201D");
    }
  } catch (const std::exception& e) {
    return BrowserReplyError(e.what());
  }
}

std::u16string TFormBrowserRequests::CopyInTemplate(const TBrowserMessage& message) {
  const TLinkTemplates templates = LoadLinkTemplates();
  const TLinkTemplate* found = templates.Find(message.Template);
  if (!found)
    throw std::runtime_error("No link template [" + ToUtf8(message.Template) + "] in " +
                             LinkTemplatesPath());
  // One line per link; a selection is offered to the template as {selection}.
  std::u16string text;
  const std::u16string today = TodayIso();
  for (const TBrowserLink& link : message.Links) {
    if (!text.empty())
      text += u'\n';
    text += ExpandLinkTemplate(*found, {link.Title, link.Url, today, message.Text});
  }
  FForm->Clipboard().SetUnicodeText(text);
  return message.Template;
}

void TFormBrowserRequests::Act(const TBrowserMessage& message) {
  switch (message.Type) {
  case TBrowserMessageType::Ping:
  case TBrowserMessageType::Templates:
    return;
  case TBrowserMessageType::Tab:
  case TBrowserMessageType::Link: {
    const TBrowserLink& link = message.Links.at(0);
    FForm->Edit1->setText(ToQt(link.Title));
    FForm->Edit2->setText(ToQt(link.Url));
    // As a user would: the BBCode button, the Markdown button, then the blue label.
    FForm->Button2Click();
    FForm->Button1Click();
    FForm->Label1Click();
    return;
  }
  case TBrowserMessageType::Tabs: {
    std::vector<TStoredEntry> entries;
    for (const TBrowserLink& link : message.Links)
      entries.push_back({link.Title, TStoredLink{link.Title, link.Url}});
    try {
      FForm->Hyperlink().BuildListAndCopy(entries);
    } catch (...) {
      FForm->RichViewEdit1->update();
      throw;
    }
    FForm->RichViewEdit1->update();
    return;
  }
  case TBrowserMessageType::Selection:
    CopySelection(message);
    return;
  }
}

} // namespace quillon
