#include <QListWidget>
#include <QMouseEvent>
#include <QPalette>

#include "toolkit/ListBox.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

// Like a Windows list box, only the left button selects; the right one leaves the selection
// for the popup menu.
class QtListBoxWidget : public QtControlWidget<QListWidget> {
 public:
  using QtControlWidget::QtControlWidget;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      QtControlWidget::mousePressEvent(event);
    } else {
      event->accept();
    }
  }

  // The user can move the selection but never empty it (Ctrl+click, a click below the rows):
  // a list command must always find a row.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    const auto flags = QtControlWidget::selectionCommand(index, event);
    const bool empties = flags.testAnyFlags(
        QItemSelectionModel::Deselect | QItemSelectionModel::Toggle | QItemSelectionModel::Clear);
    if (event != nullptr && empties) {
      return index.isValid() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate;
    }
    return flags;
  }
};

class QtListBoxPeer final : public QtControlPeer<ListBoxPeer, QtListBoxWidget> {
 public:
  QtListBoxPeer(TListBox& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    // A two-pixel sunken edge as on Windows, so the height holds whole rows.
    FWidget->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FWidget->setLineWidth(2);
    FWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    FWidget->setUniformItemSizes(true);
    FWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FWidget->setFocusPolicy(Qt::StrongFocus);
  }

  void SetItems(const std::vector<std::u16string>& items) override {
    FWidget->clear();
    for (const auto& text : items) {
      auto* item = new QListWidgetItem(ToQString(text), FWidget);
      item->setSizeHint(QSize(0, FItemHeight));
    }
  }
  void SetItemHeight(int height) override {
    FItemHeight = height;
    for (int row = 0; row < FWidget->count(); ++row) {
      FWidget->item(row)->setSizeHint(QSize(0, height));
    }
  }
  void SetParentColor(bool parentColor) override {
    QPalette palette = FWidget->parentWidget()->palette();
    if (parentColor) {
      palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    }
    FWidget->setPalette(palette);
  }
  int ItemIndex() const override {
    const auto selected = FWidget->selectedItems();
    return selected.isEmpty() ? -1 : FWidget->row(selected.front());
  }
  void SetItemIndex(int index) override {
    if (index < 0) {
      FWidget->clearSelection();
      FWidget->setCurrentRow(-1);
      return;
    }
    FWidget->setCurrentRow(index);
    FWidget->scrollToItem(FWidget->item(index));
  }

 private:
  int FItemHeight = 0;
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<ListBoxPeer> CreateListBoxPeer(TListBox& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtListBoxPeer>(owner, parent);
}

}  // namespace toolkit
