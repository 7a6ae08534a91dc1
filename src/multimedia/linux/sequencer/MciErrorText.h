#pragma once

#include <string_view>

#include "multimedia/mci.h"

namespace sequencer {

// The user's text for a result code of the sequencer device; empty for a code it never returns.
std::u16string_view MciErrorText(mm::MCIERROR error);

}  // namespace sequencer
