#include <QListWidget>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
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
  bool event(QEvent* event) override {
    const bool handled = QtControlWidget::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
      DrawFocusRing(*this, frameWidth());
    }
    return handled;
  }
  bool viewportEvent(QEvent* event) override {
    const bool handled = AsOwnEvent([&] { return QtControlWidget::viewportEvent(event); });
    if (event->type() == QEvent::Paint && hasFocus()) {
      DrawFocusRing(*viewport(), 1);
    }
    return handled;
  }
  void focusInEvent(QFocusEvent* event) override {
    QtControlWidget::focusInEvent(event);
    update();
    viewport()->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QtControlWidget::focusOutEvent(event);
    update();
    viewport()->update();
  }

  // The user's own clicks and keys, and code, change the selection while one of the list's
  // events is handled; any other change comes from an assistive technology (a row selected or
  // toggled on from outside) and chooses that row as a click does, once the change is complete.
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override {
    QtControlWidget::selectionChanged(selected, deselected);
    if (!HandlingOwnEvent() && !FChoicePending) {
      FChoicePending = true;
      QMetaObject::invokeMethod(
          this, [this] { ChooseByAssistant(); }, Qt::QueuedConnection);
    }
  }

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

 private:
  void ChooseByAssistant() {
    FChoicePending = false;
    const auto selected = selectedItems();
    if (selected.isEmpty() || !isEnabled()) {
      return;
    }
    const QPoint centre = visualItemRect(selected.front()).center();
    Owner().DoMouseUp(TMouseButton::mbLeft, {}, centre.x(), centre.y());
  }

  // The focus as a ring in the highlight colour, plain to see at a glance: over the sunken edge
  // and the outermost pixel of the rows.
  void DrawFocusRing(QWidget& surface, int width) const {
    const QRect area = surface.rect();
    QPainter painter(&surface);
    painter.setClipRegion(QRegion(area) - QRegion(area.adjusted(width, width, -width, -width)));
    painter.fillRect(area, palette().color(QPalette::Highlight));
  }

  bool FChoicePending = false;
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
    FWidget->AsOwnEvent([&] {
      FWidget->clear();
      for (const auto& text : items) {
        auto* item = new QListWidgetItem(ToQString(text), FWidget);
        item->setSizeHint(QSize(0, FItemHeight));
      }
    });
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
    FWidget->AsOwnEvent([&] {
      if (index < 0) {
        FWidget->clearSelection();
        FWidget->setCurrentRow(-1);
        return;
      }
      FWidget->setCurrentRow(index);
      FWidget->scrollToItem(FWidget->item(index));
    });
  }
  // The list has no caption: screen readers name it by its hint.
  void SetHint(const std::u16string& hint) override {
    QtControlPeer::SetHint(hint);
    FWidget->setAccessibleName(ToQString(hint));
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
