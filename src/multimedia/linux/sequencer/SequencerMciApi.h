#pragma once

// The Media Control Interface on Linux: one device type, the MIDI sequencer, which opens
// Standard MIDI Files (".mid", ".midi", ".rmi") and plays them through FluidSynth. Commands are
// meant for one thread, the UI thread, as the toolkit delivers notifications there.

#include <future>
#include <map>
#include <memory>
#include <vector>

#include "multimedia/linux/sequencer/SequencerDevice.h"
#include "multimedia/linux/sequencer/SoundFontChoice.h"
#include "multimedia/linux/sequencer/Synthesizer.h"
#include "multimedia/mci.h"

namespace sequencer {

class SequencerMciApi : public mm::MciApi {
 public:
  // The synthesiser is made at the first successful open, with this output and the first of
  // these soundfonts that loads, and kept.
  explicit SequencerMciApi(
      AudioOutput output = AudioOutput::kDevice,
      std::vector<SoundFontCandidate> soundFonts = SystemSoundFontCandidates());
  ~SequencerMciApi() override;

  mm::MCIERROR mciSendCommandW(mm::MCIDEVICEID IDDevice, mm::UINT uMsg, mm::DWORD_PTR fdwCommand,
                               mm::DWORD_PTR dwParam) override;
  mm::BOOL mciGetErrorStringW(mm::MCIERROR fdwError, mm::LPWSTR pszText, mm::UINT cchText) override;

  // Starts making the synthesiser on another thread, so that the first open need not wait the
  // whole load of the soundfont; that open takes it over.
  void PrepareSynthesizer();

  // The start-up message when none of the soundfonts can be read; empty when one can.
  std::u16string SoundFontProblem() const;

  // The synthesiser once a device has been opened; for rendering kOffline output.
  Synthesizer* SynthesizerInUse() const { return FSynthesizer.get(); }

 private:
  mm::MCIERROR Open(mm::DWORD flags, mm::MCI_OPEN_PARMSW& parms);
  mm::MCIERROR Command(SequencerDevice& device, mm::UINT command, mm::DWORD flags,
                       mm::DWORD_PTR record);

  const AudioOutput FOutput;
  const std::vector<SoundFontCandidate> FSoundFonts;
  std::unique_ptr<Synthesizer> FSynthesizer;  // outlives every device
  std::future<std::unique_ptr<Synthesizer>> FPreparedSynthesizer;
  std::map<mm::MCIDEVICEID, std::unique_ptr<SequencerDevice>> FDevices;
  mm::MCIDEVICEID FLastId = 0;
};

}  // namespace sequencer
