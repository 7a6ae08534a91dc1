#pragma once

// The audio mixer component: TMixer over the system's mixer devices, with its devices, lines,
// controls, multiple-item lists, records, events and EMixerError.

#include "mixer/CheckMixerResult.h"
#include "mixer/EMixerError.h"
#include "mixer/MixerControlStatus.h"
#include "mixer/MixerControlType.h"
#include "mixer/MixerEvents.h"
#include "mixer/MixerLineType.h"
#include "mixer/MixerOptions.h"
#include "mixer/MixerRecords.h"
#include "mixer/MixerValueKind.h"
#include "mixer/TMixer.h"
#include "mixer/TMixerCtrl.h"
#include "mixer/TMixerDev.h"
#include "mixer/TMixerItem.h"
#include "mixer/TMixerMultipleItems.h"
#include "mixer/TMixerTarget.h"
#include "mixer/TextOfField.h"
