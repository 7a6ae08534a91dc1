#include "player/Catalogue.h"

#include "rtl/IntToStr.h"

std::u16string PieceResourceName(std::int32_t piece) {
  return u"RS_" + IntToStr(piece);
}
