// The window's link tools beside its buttons: links dropped from a browser, the context
// menus that copy the result fields' link in further formats and many stored links at once,
// and the button that fetches a page's title. Wires widgets of TForm1 to the plain C++ in
// app/ and shows failures in the window's error box.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

#include "app/DroppedLink.h"
#include "app/LinkFormats.h"
#include "app/StoredLinks.h"

class QLineEdit;
class QMenu;
class QMimeData;
class QToolButton;

namespace quillon {

class TForm1;
class TLinkListBox;
class TTitleFetcher;

// The caption of a format's entry in the result fields' menu, in the window's language.
QString LinkFormatCaption(const TLinkFormatInfo& info);

class TFormLinkTools : public QObject {
  Q_OBJECT
public:
  explicit TFormLinkTools(TForm1& form);
  ~TFormLinkTools() override;

  // Where a link was dropped: the window (or its fields), or one of the two lists.
  enum class TDropTarget { Window, BBCodeList, MarkdownList };
  // Fills the title and address from the drag's formats; on a list, composes that list's
  // link and adds it. Returns whether the formats held a link.
  bool DropLink(TDropTarget target, const std::vector<TDropFormat>& formats);
  static std::vector<TDropFormat> DropFormats(const QMimeData& data);

  // The context menu of Edit3 or Edit4: the edit's own entries, then one per link format,
  // then one per link template of the user (and the faults of the template file).
  // The caller owns the menu.
  QMenu* ResultFieldMenu(QLineEdit* edit);
  // The context menu of a list: the selected entries as formatted hyperlinks, as Markdown,
  // as BBCode. The caller owns the menu.
  QMenu* ListMenu(TLinkListBox* list);

  // The button beside the address that fills the title from the page ("取标题").
  QToolButton* FetchTitleButton;
  TTitleFetcher& Fetcher() { return *FFetcher; }
  // What the button does: fetches the page of the address in Edit2, fills Edit1 when the
  // title arrives, or shows why it did not.
  void FetchTitleClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  template <class Handler> void Guarded(Handler&& handler);
  void CopyListSelection(TLinkListBox* list, int kind);
  // The user's link templates, each copying the field's link in its format.
  void AddTemplateEntries(QMenu* menu, QLineEdit* edit);
  TStoredLink FieldLink(QLineEdit* edit) const;
  void UpdateFetchTitleButton();
  void PlaceFetchTitleButton();

  TForm1* FForm;
  std::unique_ptr<TTitleFetcher> FFetcher;
};

} // namespace quillon
