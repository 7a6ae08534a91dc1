#pragma once

#include <functional>

class TMixer;
class TMixerDev;
class TMixerItem;
class TMixerCtrl;

// An empty event is not called.
using TMixerControlChangeEvent =
    std::function<void(TMixer* Sender, TMixerDev* Dev, TMixerItem* Item, TMixerCtrl* Ctrl)>;
using TMixerLineChangeEvent = std::function<void(TMixer* Sender, TMixerDev* Dev, TMixerItem* Item)>;
