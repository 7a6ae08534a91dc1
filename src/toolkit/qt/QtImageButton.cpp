#include <QBuffer>
#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>

#include "rtl/Exception.h"
#include "toolkit/ImageButton.h"
#include "toolkit/qt/QtControl.h"

namespace toolkit::qt {
namespace {

// Decodes a .bmp file and makes every pixel of the bottom-left pixel's colour transparent.
QPixmap TransparentGlyph(std::span<const std::byte> bitmapFile) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(bitmapFile.data()),
                                                   static_cast<qsizetype>(bitmapFile.size()));
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  // Straight to Qt's own BMP reader: asking each image plugin first loads them all, and the JPEG
  // library with them, for a millisecond or two at start-up.
  reader.setAutoDetectImageFormat(false);
  QImage image = reader.read();
  if (image.isNull()) {
    throw Exception(u"ビットマップ イメージは有効ではありません");
  }
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == transparent) {
        line[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  return QPixmap::fromImage(image);
}

class QtImageButtonPeer final
    : public QtControlPeer<ImageButtonPeer, QtControlWidget<QPushButton>> {
 public:
  QtImageButtonPeer(TImageButton& owner, WidgetPeer& parent) : QtControlPeer(owner, parent) {
    FWidget->setFocusPolicy(Qt::StrongFocus);
    // Return clicks the focused button, as on Windows, not only Space.
    FWidget->setAutoDefault(true);
    QObject::connect(FWidget, &QPushButton::clicked, [&owner] { owner.DoClick(); });
  }

  // The button shows no caption: screen readers name it by its hint.
  void SetHint(const std::u16string& hint) override {
    QtControlPeer::SetHint(hint);
    FWidget->setAccessibleName(ToQString(hint));
  }

  void LoadGlyph(std::span<const std::byte> bitmapFile) override {
    const QPixmap glyph = TransparentGlyph(bitmapFile);
    FWidget->setIconSize(glyph.size());
    // QIcon derives the greyed picture of the disabled button.
    FIcon = QIcon(glyph);
    FWidget->setIcon(FIcon);
  }

  // QIcon draws the pixmap whose device pixel ratio suits the screen's.
  void AddScaledGlyph(int percent, std::span<const std::byte> bitmapFile) override {
    QPixmap glyph = TransparentGlyph(bitmapFile);
    glyph.setDevicePixelRatio(percent / 100.0);
    FIcon.addPixmap(glyph);
    FWidget->setIcon(FIcon);
  }

 private:
  QIcon FIcon;
};

}  // namespace
}  // namespace toolkit::qt

namespace toolkit {

std::unique_ptr<ImageButtonPeer> CreateImageButtonPeer(TImageButton& owner, WidgetPeer& parent) {
  return std::make_unique<qt::QtImageButtonPeer>(owner, parent);
}

}  // namespace toolkit
