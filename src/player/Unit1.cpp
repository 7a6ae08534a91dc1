#include "player/Unit1.h"

#include "toolkit/Application.h"

void TForm1::FormCreate(toolkit::TObject& /*Sender*/) {
  SetCaption(toolkit::Application().Title());
  PauseBtn.LoadGlyph(FResources.Load(u"Pause", platform::ResourceType::Bitmap));
}

void TForm1::FormDestroy(toolkit::TObject& /*Sender*/) {}

void TForm1::MediaPlayerNotify(TMediaPlayer& /*Sender*/) {}

void TForm1::TrackBarVolumeChange(toolkit::TObject& /*Sender*/) {}

void TForm1::NextBtnClick(toolkit::TObject& /*Sender*/) {}

void TForm1::BackSkipClick(toolkit::TObject& /*Sender*/) {}

void TForm1::MusicTrackBarChange(toolkit::TObject& /*Sender*/) {}

void TForm1::MusicTrackBarKeyUp(toolkit::TObject& /*Sender*/, std::uint16_t /*Key*/,
                                toolkit::TShiftState /*Shift*/) {}

void TForm1::ListBoxKeyUp(toolkit::TObject& /*Sender*/, std::uint16_t /*Key*/,
                          toolkit::TShiftState /*Shift*/) {}

void TForm1::ListBoxMouseUp(toolkit::TObject& /*Sender*/, toolkit::TMouseButton /*Button*/,
                            toolkit::TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}

void TForm1::AutoDownCheckBoxClick(toolkit::TObject& /*Sender*/) {}

void TForm1::PauseBtnClick(toolkit::TObject& /*Sender*/) {}

void TForm1::MixerControlChange(TMixer* /*Sender*/, TMixerDev* /*Dev*/, TMixerItem* /*Item*/,
                                TMixerCtrl* /*Ctrl*/) {}

void TForm1::MenuM1Click(toolkit::TObject& /*Sender*/) {
  Close();
}

void TForm1::Jump10Mujic1Click(toolkit::TObject& /*Sender*/) {}
