#include "support/qt/DialogResponder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace support {

DialogResponder::DialogResponder(std::u16string answer) : FAnswer(std::move(answer)) {
  QObject::connect(&FTimer, &QTimer::timeout, [this] { AnswerOpenBox(); });
  FTimer.start(5);
}

void DialogResponder::AnswerOpenBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    return;
  }
  Box shown{box->windowTitle().toStdU16String(), box->text().toStdU16String(), box->icon(), {}, {}};
  QAbstractButton* answer = nullptr;
  for (QAbstractButton* button : box->buttons()) {
    shown.Buttons.push_back(button->text().toStdU16String());
    if (button->text().toStdU16String() == FAnswer) {
      answer = button;
    }
  }
  if (box->defaultButton() != nullptr) {
    shown.DefaultButton = box->defaultButton()->text().toStdU16String();
  }
  FBoxes.push_back(std::move(shown));
  if (answer != nullptr) {
    answer->click();
  } else {
    QTest::keyClick(box, Qt::Key_Escape);
  }
}

}  // namespace support
