#include "app/ui/GrowingLayout.h"

#include <QWidget>
#include <QWidgetItem>

namespace quillon {

TGrowingLayout::TGrowingLayout(QWidget* parent, QSize FirstSize)
    : QLayout(parent), FFirstSize(FirstSize) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
  setSizeConstraint(QLayout::SetMinimumSize);
}

TGrowingLayout::~TGrowingLayout() {
  while (QLayoutItem* item = takeAt(0))
    delete item;
}

void TGrowingLayout::Add(QWidget* Widget, const QRect& Place, const TGrowRule& Rule) {
  addChildWidget(Widget);
  FEntries.append({new QWidgetItem(Widget), Place, Rule});
  Widget->setGeometry(Place);
  invalidate();
}

void TGrowingLayout::addItem(QLayoutItem* item) {
  const QRect place = item->widget() ? item->widget()->geometry() : item->geometry();
  FEntries.append({item, place, TGrowRule::Fixed()});
  invalidate();
}

QLayoutItem* TGrowingLayout::itemAt(int index) const {
  return index >= 0 && index < FEntries.size() ? FEntries[index].Item : nullptr;
}

QLayoutItem* TGrowingLayout::takeAt(int index) {
  if (index < 0 || index >= FEntries.size())
    return nullptr;
  QLayoutItem* item = FEntries.takeAt(index).Item;
  invalidate();
  return item;
}

int TGrowingLayout::count() const {
  return static_cast<int>(FEntries.size());
}

QSize TGrowingLayout::sizeHint() const {
  return FFirstSize;
}

QSize TGrowingLayout::minimumSize() const {
  return FFirstSize;
}

QRect TGrowingLayout::Grown(const TEntry& Entry, QSize Size) const {
  const QRect& p = Entry.Place;
  const TPlace grown =
      GrowPlace({p.x(), p.y(), p.width(), p.height()}, Entry.Rule,
                Size.width() - FFirstSize.width(), Size.height() - FFirstSize.height());
  return QRect(grown.Left, grown.Top, grown.Width, grown.Height);
}

QRect TGrowingLayout::PlaceAt(const QWidget* Widget, QSize Size) const {
  for (const TEntry& entry : FEntries)
    if (entry.Item->widget() == Widget)
      return Grown(entry, Size);
  return {};
}

void TGrowingLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  // Widgets take their place as it is: a widget item would bend it to the widget's size
  // hint and policy, and the places at the first size are exact.
  for (const TEntry& entry : FEntries) {
    const QRect place = Grown(entry, rect.size()).translated(rect.topLeft());
    if (QWidget* widget = entry.Item->widget())
      widget->setGeometry(place);
    else
      entry.Item->setGeometry(place);
  }
}

} // namespace quillon
