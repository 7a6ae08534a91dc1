#include <utility>
#include <vector>

#include "player/Unit1.h"
#include "rtl/IntToStr.h"

// The pictures come drawn for 100 %, 150 % and 200 % display scaling, the larger ones as
// <name>_150 and <name>_200: a picture scaled up by the toolkit has soft edges.
void TForm1::LoadButtonGlyph(toolkit::TImageButton& button, const std::u16string& name) {
  std::vector<std::pair<int, std::vector<std::byte>>> scaled;
  for (const int percent : {150, 200}) {
    scaled.emplace_back(
        percent, FResources.Load(name + u"_" + IntToStr(percent), platform::ResourceType::Bitmap));
  }
  button.LoadGlyph(FResources.Load(name, platform::ResourceType::Bitmap));
  for (const auto& [percent, bitmapFile] : scaled) {
    button.AddScaledGlyph(percent, bitmapFile);
  }
}
