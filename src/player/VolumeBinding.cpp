#include "player/LabelTexts.h"
#include "player/Unit1.h"

// The volume slider and the system master volume follow each other. A position that came from
// the mixer is never written back to it, and only the slider's own changes reach Label3 and
// MastarVolumeSeting.

void TForm1::TrackBarVolumeChange(toolkit::TObject& /*Sender*/) {
  if (InProcessOfCallback) {
    return;
  }
  Mixer.SetMasterVolume(TrackBarVolume.Position());
  Label3.SetCaption(VolumeText(TrackBarVolume.Position()));
  MastarVolumeSeting = TrackBarVolume.Position();
}

void TForm1::MixerControlChange(TMixer* /*Sender*/, TMixerDev* /*Dev*/, TMixerItem* /*Item*/,
                                TMixerCtrl* Ctrl) {
  InProcessOfCallback = true;
  try {
    TMixerItem* master = Mixer.Master();
    if (master != nullptr && Ctrl == master->VolumeCtrl()) {
      TrackBarVolume.SetPosition(Mixer.MasterVolume());
    }
  } catch (...) {
    InProcessOfCallback = false;
    throw;
  }
  InProcessOfCallback = false;
}

// At start-up: the slider takes the master volume, then the stored volume is applied. Without a
// master volume control the slider stays unbound at 0.
void TForm1::BindVolumeSlider() {
  TMixerItem* master = Mixer.Master();
  if (master == nullptr || !master->VolumeExists()) {
    return;
  }
  MixerControlChange(&Mixer, Mixer.PrimaryDevice(), master, master->VolumeCtrl());
  TrackBarVolume.SetPosition(MastarVolumeSeting);
  // Also when the stored volume equals the master's, which raised no change.
  Label3.SetCaption(VolumeText(TrackBarVolume.Position()));
}

// One step down at every handled notification while fade-out is on.
void TForm1::FadeOutStep() {
  if (AutFaseOutCheckBox.Checked() && TrackBarVolume.Position() > 0) {
    TrackBarVolume.SetPosition(TrackBarVolume.Position() - 1);
  }
}
