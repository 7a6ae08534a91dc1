#pragma once

#include <string>
#include <string_view>

#include "multimedia/mci.h"

namespace sequencer {

// The user's text for a result code of the sequencer device; empty for a code it never returns.
std::u16string_view MciErrorText(mm::MCIERROR error);

// The start-up message when no soundfont can be read: `userChoice` is the path the user named
// (KALVIO_SOUNDFONT), empty when none.
std::u16string NoSoundFontText(std::u16string_view userChoice);

}  // namespace sequencer
