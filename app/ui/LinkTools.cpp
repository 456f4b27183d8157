#include "app/ui/LinkTools.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include <stdexcept>

#include "app/LinkFormats.h"
#include "app/LinkSafety.h"
#include "app/LinkTemplates.h"
#include "app/StoredLinks.h"
#include "app/ui/TitleFetcher.h"
#include "app/ui/Unit1.h"

namespace quillon {

namespace {

QString ToQt(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

// Formats that only a link drag carries: over a field they mean "this link", not text.
bool NamesALink(const QMimeData& data) {
  return data.hasFormat(QStringLiteral("text/x-moz-url")) ||
         data.hasFormat(QStringLiteral("_NETSCAPE_URL")) ||
         data.hasFormat(QStringLiteral("text/uri-list"));
}

std::vector<std::string> FormatNames(const QMimeData& data) {
  std::vector<std::string> names;
  for (const QString& name : data.formats())
    names.push_back(name.toStdString());
  return names;
}

enum TListCopy { CopyRich, CopyMarkdown, CopyBBCode };

} // namespace

QString LinkFormatCaption(const TLinkFormatInfo& info) {
  return QCoreApplication::translate(kLinkFormatsContext, info.Caption.data());
}

TFormLinkTools::TFormLinkTools(TForm1& form)
    : QObject(&form), FForm(&form), FFetcher(std::make_unique<TTitleFetcher>()) {
  form.setAcceptDrops(true);
  form.installEventFilter(this);
  for (TLinkListBox* list : {form.ListBox1, form.ListBox2}) {
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& pos) {
      std::unique_ptr<QMenu> menu(ListMenu(list));
      menu->exec(list->viewport()->mapToGlobal(pos));
    });
  }
  for (QLineEdit* edit : {form.Edit1, form.Edit2, form.Edit3, form.Edit4})
    edit->installEventFilter(this);
  for (QLineEdit* edit : {form.Edit3, form.Edit4}) {
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this, edit](const QPoint& pos) {
      std::unique_ptr<QMenu> menu(ResultFieldMenu(edit));
      menu->exec(edit->mapToGlobal(pos));
    });
  }

  // Inside the address field at its right end, as a field's own buttons sit: the window's
  // controls keep their places.
  FetchTitleButton = new QToolButton(form.Edit2);
  FetchTitleButton->setObjectName(QStringLiteral("FetchTitleButton"));
  FetchTitleButton->setText(tr("取标题"));
  FetchTitleButton->setCursor(Qt::ArrowCursor);
  FetchTitleButton->setFocusPolicy(Qt::NoFocus);
  PlaceFetchTitleButton();
  connect(FetchTitleButton, &QToolButton::clicked, this, &TFormLinkTools::FetchTitleClick);
  connect(form.Edit1, &QLineEdit::textChanged, this, &TFormLinkTools::UpdateFetchTitleButton);
  connect(form.Edit2, &QLineEdit::textChanged, this, &TFormLinkTools::UpdateFetchTitleButton);
  connect(FFetcher.get(), &TTitleFetcher::TitleFetched, this,
          [this](const QString& address, const QString& title) {
            QGuiApplication::restoreOverrideCursor();
            // The title belongs to the address it was fetched for, and a title typed
            // meanwhile stays.
            if (FForm->Edit2->text() == address && FForm->Edit1->text().isEmpty())
              FForm->Edit1->setText(title);
            UpdateFetchTitleButton();
          });
  connect(FFetcher.get(), &TTitleFetcher::FetchFailed, this,
          [this](const QString&, const QString& message) {
            QGuiApplication::restoreOverrideCursor();
            UpdateFetchTitleButton();
            FForm->ReportError(std::runtime_error(message.toStdString()));
          });
  UpdateFetchTitleButton();
}

TFormLinkTools::~TFormLinkTools() {
  if (FFetcher->Busy())
    QGuiApplication::restoreOverrideCursor();
}

template <class Handler> void TFormLinkTools::Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    FForm->ReportError(e);
  }
}

// ---- drops ---------------------------------------------------------------------------

std::vector<TDropFormat> TFormLinkTools::DropFormats(const QMimeData& data) {
  std::vector<TDropFormat> formats;
  for (const QString& name : data.formats()) {
    const QByteArray bytes = data.data(name);
    formats.push_back({name.toStdString(), bytes.toStdString()});
  }
  // A platform that hands over addresses only as URLs still has them read.
  if (!data.hasFormat(QStringLiteral("text/uri-list")) && data.hasUrls()) {
    std::string list;
    for (const QUrl& url : data.urls())
      list += url.toString().toStdString() + "\r\n";
    formats.push_back({"text/uri-list", list});
  }
  return formats;
}

bool TFormLinkTools::DropLink(TDropTarget target, const std::vector<TDropFormat>& formats) {
  const std::optional<TDroppedLink> link = ReadDroppedLink(formats);
  if (!link)
    return false;
  FForm->Edit1->setText(ToQt(link->Title));
  FForm->Edit2->setText(ToQt(link->Address));
  // As the list's add button would: compose that list's link, then add it.
  if (target == TDropTarget::BBCodeList) {
    FForm->Button2Click();
    FForm->Button3Click();
  } else if (target == TDropTarget::MarkdownList) {
    FForm->Button1Click();
    FForm->Button5Click();
  }
  return true;
}

bool TFormLinkTools::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // The title button keeps to the right end of the address field as the field grows.
  if (type == QEvent::Resize && watched == FForm->Edit2)
    PlaceFetchTitleButton();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
    return QObject::eventFilter(watched, event);
  auto* drop = static_cast<QDropEvent*>(event);
  const QMimeData* data = drop->mimeData();
  if (!data)
    return false;
  const bool onField = qobject_cast<QLineEdit*>(watched) != nullptr;
  // Over a field, plain text is the field's to take.
  if (onField ? !NamesALink(*data) : !MayHoldLink(FormatNames(*data)))
    return false;
  if (type != QEvent::Drop) {
    drop->acceptProposedAction();
    return true;
  }
  TDropTarget target = TDropTarget::Window;
  if (watched == FForm->ListBox1->viewport())
    target = TDropTarget::BBCodeList;
  else if (watched == FForm->ListBox2->viewport())
    target = TDropTarget::MarkdownList;
  bool taken = false;
  Guarded([&] { taken = DropLink(target, DropFormats(*data)); });
  if (taken)
    drop->acceptProposedAction();
  else
    drop->ignore();
  return true;
}

// ---- context menus -------------------------------------------------------------------

TStoredLink TFormLinkTools::FieldLink(QLineEdit* edit) const {
  // The field's own link when it holds one (a recalled entry keeps its whole title there),
  // else the title and address fields.
  if (auto stored = ParseStoredLink(edit->text().toStdU16String()))
    return *stored;
  return {FForm->Edit1->text().toStdU16String(), FForm->Edit2->text().toStdU16String()};
}

QMenu* TFormLinkTools::ResultFieldMenu(QLineEdit* edit) {
  QMenu* menu = edit->createStandardContextMenu();
  menu->addSeparator();
  for (const TLinkFormatInfo& info : LinkFormats()) {
    const TLinkFormat format = info.Format;
    const std::string_view name = info.Name;
    QAction* action = menu->addAction(LinkFormatCaption(info));
    connect(action, &QAction::triggered, this, [this, edit, format, name] {
      Guarded([&] {
        const TStoredLink link = FieldLink(edit);
        RefuseScriptingAddress(link.Address);
        FForm->Clipboard().SetUnicodeText(FormatLink(format, link.Title, link.Address));
        FForm->ShowStatus(tr("Copied the link as %1")
                              .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))));
      });
    });
  }
  AddTemplateEntries(menu, edit);
  return menu;
}

void TFormLinkTools::AddTemplateEntries(QMenu* menu, QLineEdit* edit) {
  // Read at each opening: the user edits the file while the window runs.
  const TLinkTemplates templates = LoadLinkTemplates();
  if (templates.Templates.empty() && templates.Errors.empty())
    return;
  menu->addSeparator();
  for (const TLinkTemplate& entry : templates.Templates) {
    QAction* action = menu->addAction(ToQt(entry.Name));
    connect(action, &QAction::triggered, this, [this, edit, entry] {
      Guarded([&] {
        const TStoredLink link = FieldLink(edit);
        RefuseScriptingAddress(link.Address);
        FForm->Clipboard().SetUnicodeText(
            ExpandLinkTemplate(entry, {link.Title, link.Address, TodayIso(), {}}));
      });
    });
  }
  // A faulty template is left out and its line named, once per opening.
  for (const std::string& error : templates.Errors)
    menu->addAction(QString::fromStdString(error))->setEnabled(false);
}

QMenu* TFormLinkTools::ListMenu(TLinkListBox* list) {
  auto* menu = new QMenu(list);
  const bool any = !list->SelectedRows().empty();
  const std::pair<QString, int> entries[] = {{tr("复制所选链接（所见即所得）"), CopyRich},
                                             {tr("复制所选链接为 MarkDown"), CopyMarkdown},
                                             {tr("复制所选链接为 BBCode"), CopyBBCode}};
  for (const auto& [caption, kind] : entries) {
    QAction* action = menu->addAction(caption);
    action->setEnabled(any);
    connect(action, &QAction::triggered, this,
            [this, list, kind = kind] { CopyListSelection(list, kind); });
  }
  menu->addSeparator();
  // The file read again, the list's unsaved changes kept.
  QAction* reload = menu->addAction(tr("Reload"));
  reload->setObjectName(QStringLiteral("Reload"));
  connect(reload, &QAction::triggered, this, [this, list] { FForm->ReloadList(list); });
  return menu;
}

void TFormLinkTools::CopyListSelection(TLinkListBox* list, int kind) {
  Guarded([&] {
    std::vector<std::u16string> texts;
    for (int row : list->SelectedRows())
      texts.push_back(list->Items().Entry(row));
    const std::vector<TStoredEntry> entries = ReadStoredEntries(texts);
    if (kind == CopyRich) {
      FForm->Hyperlink().BuildListAndCopy(entries);
    } else {
      FForm->Clipboard().SetUnicodeText(ComposeStoredLinks(
          entries, kind == CopyMarkdown ? TStoredLinkText::Markdown : TStoredLinkText::BBCode));
    }
    const int count = static_cast<int>(entries.size());
    FForm->ShowStatus(kind == CopyRich ? tr("Copied %1 links as rich text").arg(count)
                      : kind == CopyMarkdown ? tr("Copied %1 links as Markdown").arg(count)
                                             : tr("Copied %1 links as BBCode").arg(count));
  });
  FForm->RichViewEdit1->update(); // the editor shows the document even when the copy failed
}

// ---- the page's title ----------------------------------------------------------------

void TFormLinkTools::PlaceFetchTitleButton() {
  QLineEdit* edit = FForm->Edit2;
  const int width = FetchTitleButton->fontMetrics().horizontalAdvance(FetchTitleButton->text()) +
                    FetchTitleButton->fontMetrics().height();
  const int height = edit->height() - 4;
  FetchTitleButton->setGeometry(edit->width() - width - 2, 2, width, height);
  edit->setTextMargins(0, 0, width + 2, 0);
}

void TFormLinkTools::UpdateFetchTitleButton() {
  FetchTitleButton->setEnabled(!FFetcher->Busy() && FForm->Edit1->text().isEmpty() &&
                               !FForm->Edit2->text().trimmed().isEmpty());
}

void TFormLinkTools::FetchTitleClick() {
  if (FFetcher->Busy())
    return;
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  FetchTitleButton->setEnabled(false);
  FFetcher->Fetch(FForm->Edit2->text());
}

} // namespace quillon
