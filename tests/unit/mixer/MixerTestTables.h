#pragma once

#include <string>
#include <vector>

#include "mixer/Mixers.h"
#include "support/SimulatedMixer.h"

// Row builders for the simulated mixer's tables, and a compact picture of a scanned tree.

SimControl VolumeControl(std::vector<mm::DWORD> values = {}, mm::DWORD flags = 0, mm::DWORD id = 0);
SimControl MuteControl(std::vector<mm::DWORD> values = {}, mm::DWORD id = 0);
SimControl ControlOfType(mm::DWORD type, std::u16string name, mm::DWORD id = 0);

SimLine Destination(mm::DWORD type, std::u16string name, std::vector<SimControl> controls,
                    std::vector<SimLine> sources = {});
SimLine Source(mm::DWORD type, std::u16string name, std::vector<SimControl> controls);

// A sound card as volume panels show it: speakers with volume and mute, wave-out, synthesizer,
// CD and microphone sources, and a wave-in destination with line-in and microphone sources.
SimDevice SoundCard(std::u16string name);

// One string per device ("dev <name>") and per line: a destination's name, a source's indented,
// each followed by its controls' type names, e.g. "Speakers[Volume,Mute]" or "  Wave[Volume]".
std::vector<std::string> Describe(const TMixer& mixer);
