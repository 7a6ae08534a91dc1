#pragma once

#include <functional>
#include <memory>

#include "player/RemoteControl.h"
#include "toolkit/Form.h"

namespace desktop {

// The player as the desktop's media controls see it, for as long as this object lives. Where the
// desktop offers nothing (no session bus, the name taken, no media keys) the player runs as it
// would without it, silently.
class MediaControls {
 public:
  virtual ~MediaControls() = default;
};

// `window` is the player's main window; `raise` restores it and brings it forward.
std::unique_ptr<MediaControls> ConnectMediaControls(RemoteControl& remote, toolkit::TForm& window,
                                                    std::function<void()> raise);

}  // namespace desktop
