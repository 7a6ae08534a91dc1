#include "toolkit/ImageButton.h"

#include "toolkit/Application.h"

namespace toolkit {

TImageButton::TImageButton(TContainer& parent)
    : TControl(parent, CreateImageButtonPeer(*this, parent.ContainerPeer())),
      FImageButtonPeer(static_cast<ImageButtonPeer&>(Peer())) {}

void TImageButton::LoadGlyph(std::span<const std::byte> bitmapFile) {
  FImageButtonPeer.LoadGlyph(bitmapFile);
}

void TImageButton::AddScaledGlyph(int percent, std::span<const std::byte> bitmapFile) {
  FImageButtonPeer.AddScaledGlyph(percent, bitmapFile);
}

void TImageButton::DoClick() {
  if (FOnClick) {
    Application().Dispatch([this, handler = FOnClick] { handler(*this); });
  }
}

}  // namespace toolkit
