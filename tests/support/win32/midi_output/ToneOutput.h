#pragma once

#include <cstdint>

namespace midi_output {

// Makes the notes heard through waveOut: one sine tone of a fixed level at the pitch of the
// latest note still sounding, silence when none is. A fixed level keeps the sound at the
// monitor a measure of the output volume alone, whatever the music. The sound starts with the
// first note and runs on a thread of its own until StopTones.
void NoteOn(std::uint8_t channel, std::uint8_t note);
void NoteOff(std::uint8_t channel, std::uint8_t note);
void ChannelOff(std::uint8_t channel);
void AllNotesOff();
// Silences the notes, closes the wave output and ends the thread (the next note starts them
// again).
void StopTones();

// The sine's amplitude, of full scale.
constexpr double kToneLevel = 0.25;

}  // namespace midi_output
