#pragma once

#include <cstddef>
#include <span>

#include "toolkit/Control.h"

namespace toolkit {

// A push button that shows a picture and no caption. Disabled, it shows the picture greyed.
class TImageButton : public TControl {
 public:
  explicit TImageButton(TContainer& parent);

  // The picture from a complete .bmp file; the colour of its bottom-left pixel is drawn
  // transparent. Throws Exception when the data is no bitmap.
  void LoadGlyph(std::span<const std::byte> bitmapFile);
  // The same picture drawn for a display scaled to `percent` (150, 200), so that it stays sharp
  // there; added after LoadGlyph, which drops those of the previous picture.
  void AddScaledGlyph(int percent, std::span<const std::byte> bitmapFile);

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }
  // Backend entry point: the user clicked the button.
  void DoClick();

 private:
  ImageButtonPeer& FImageButtonPeer;
  TNotifyEvent FOnClick;
};

}  // namespace toolkit
