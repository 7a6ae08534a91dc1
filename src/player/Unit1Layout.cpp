#include "player/CatalogueTitles.h"
#include "player/Unit1.h"

TForm1::TForm1(mm::MciApi& mciApi, mm::MixerApi& mixerApi, platform::Resources& resources,
               platform::DocumentsFolder& documents, platform::FileSystem& files,
               platform::ProfileStrings& profileStrings, platform::Shutdown& shutdown)
    : MediaPlayer(mciApi),
      Mixer(mixerApi),
      FResources(resources),
      FDocuments(documents),
      FFiles(files),
      FProfileStrings(profileStrings),
      FShutdown(shutdown) {
  BuildWindow();
  BuildVolumeGroup();
  BuildMusicTrackGroup();
  BuildButtonsAndOptions();
  BuildPopupMenu();
  WireEvents();
  // Components finish loading with the window: the mixer scans its devices here, before the
  // create handler runs.
  MediaPlayer.Loaded();
  Mixer.Loaded();
}

void TForm1::BuildWindow() {
  SetLeft(0);
  SetTop(0);
  SetClientSize(306, 238);
  SetFont(u"Tahoma", -11);
  SetHint(u"マウスの右ボタンクリックでポップアップメニュー表示");
  SetPopupMenu(&PopupMenu);

  MediaPlayer.SetVisible(false);
  MediaPlayer.SetAutoEnable(false);
  MediaPlayer.SetAutoRewind(false);
  MediaPlayer.SetEnabledButtons({btNext});
}

void TForm1::BuildVolumeGroup() {
  // Aligned to the bottom edge of the fixed client area.
  GroupBox1.SetBounds(0, 169, 306, 69);
  GroupBox1.SetCaption(u"音量");
  // Tab follows the layout: the track slider above comes first.
  GroupBox1.SetTabOrder(9);
  Label1.SetBounds(10, 40, 16, 13);
  Label1.SetCaption(u"Min");
  Label2.SetBounds(272, 40, 20, 13);
  Label2.SetCaption(u"Max");
  Label3.SetBounds(144, 13, 12, 13);
  Label3.SetCaption(u"50");
  TrackBarVolume.SetBounds(32, 32, 240, 34);
  TrackBarVolume.SetRange(0, 100);
  TrackBarVolume.SetPosition(0);
  TrackBarVolume.SetHint(u"スライダーを右に動かすと音量が大きくなります。");
  TrackBarVolume.SetTabOrder(0);
}

void TForm1::BuildMusicTrackGroup() {
  GroupBox2.SetBounds(0, 104, 306, 66);
  GroupBox2.SetCaption(u"Music Track");
  GroupBox2.SetTabOrder(8);
  Label4.SetBounds(136, 8, 6, 13);
  Label4.SetCaption(u"1");
  MusicTrackBar.SetBounds(4, 24, 300, 45);
  MusicTrackBar.SetRange(1, 120);
  MusicTrackBar.SetPosition(1);
  MusicTrackBar.SetSelection(1, 120);
  MusicTrackBar.SetHint(u"スライダー移動+KeyPressで楽曲トラックを移動します。");
  MusicTrackBar.SetTabOrder(0);
}

void TForm1::BuildButtonsAndOptions() {
  NextBtn.SetBounds(160, 1, 55, 60);
  NextBtn.SetHint(u"Next Music");
  LoadButtonGlyph(NextBtn, u"NEXTBTN");
  NextBtn.SetTabOrder(4);
  BackSkip.SetBounds(60, 1, 55, 60);
  BackSkip.SetHint(u"Previous Music");
  LoadButtonGlyph(BackSkip, u"BACKSKIP");
  BackSkip.SetTabOrder(2);
  RePeatChek.SetBounds(15, 35, 45, 17);
  RePeatChek.SetCaption(u"RePe");
  RePeatChek.SetHint(u"繰り返し演奏");
  RePeatChek.SetTabOrder(1);
  ListBox.SetBounds(0, 70, 304, 30);
  ListBox.SetItemHeight(13);
  ListBox.SetParentColor(true);
  ListBox.SetItems(CatalogueTitles());
  ListBox.SetHint(u"リストからダイレクト・選曲できます");
  ListBox.SetTabOrder(7);
  // Both option boxes reach past the right edge of the client area and are clipped there.
  AutFaseOutCheckBox.SetBounds(220, 10, 97, 17);
  AutFaseOutCheckBox.SetCaption(u"フェーズアウト");
  AutFaseOutCheckBox.SetHint(u"自動フェーズアウト");
  AutFaseOutCheckBox.SetTabOrder(5);
  AutoDownCheckBox.SetBounds(220, 40, 97, 17);
  AutoDownCheckBox.SetCaption(u"シャットダウン");
  AutoDownCheckBox.SetHint(u"自動シャットダウン");
  AutoDownCheckBox.SetTabOrder(6);
  PauseBtn.SetBounds(116, 1, 45, 60);
  PauseBtn.SetHint(u"一時停止");
  PauseBtn.SetTabOrder(3);
}

void TForm1::BuildPopupMenu() {
  MenuM1.SetCaption(u"Exit(&X)");
  MenuM1.SetHint(u"終了する");
  Jump10Mujic1.SetCaption(u"Jump+10 Music(&J)");
  Jump10Mujic1.SetHint(u"10曲ジャンプする");
}

void TForm1::WireEvents() {
  SetOnCreate([this](toolkit::TObject& sender) { FormCreate(sender); });
  SetOnDestroy([this](toolkit::TObject& sender) { FormDestroy(sender); });
  MediaPlayer.SetOnNotify([this](TMediaPlayer& sender) { MediaPlayerNotify(sender); });
  TrackBarVolume.SetOnChange([this](toolkit::TObject& sender) { TrackBarVolumeChange(sender); });
  NextBtn.SetOnClick([this](toolkit::TObject& sender) { NextBtnClick(sender); });
  BackSkip.SetOnClick([this](toolkit::TObject& sender) { BackSkipClick(sender); });
  MusicTrackBar.SetOnChange([this](toolkit::TObject& sender) { MusicTrackBarChange(sender); });
  MusicTrackBar.SetOnKeyUp(
      [this](toolkit::TObject& sender, std::uint16_t key, toolkit::TShiftState shift) {
        MusicTrackBarKeyUp(sender, key, shift);
      });
  ListBox.SetOnKeyUp([this](toolkit::TObject& sender, std::uint16_t key,
                            toolkit::TShiftState shift) { ListBoxKeyUp(sender, key, shift); });
  ListBox.SetOnMouseUp([this](toolkit::TObject& sender, toolkit::TMouseButton button,
                              toolkit::TShiftState shift, int x,
                              int y) { ListBoxMouseUp(sender, button, shift, x, y); });
  AutoDownCheckBox.SetOnClick([this](toolkit::TObject& sender) { AutoDownCheckBoxClick(sender); });
  PauseBtn.SetOnClick([this](toolkit::TObject& sender) { PauseBtnClick(sender); });
  Mixer.SetOnControlChange(
      [this](TMixer* sender, TMixerDev* dev, TMixerItem* item, TMixerCtrl* ctrl) {
        MixerControlChange(sender, dev, item, ctrl);
      });
  MenuM1.SetOnClick([this](toolkit::TObject& sender) { MenuM1Click(sender); });
  Jump10Mujic1.SetOnClick([this](toolkit::TObject& sender) { Jump10Mujic1Click(sender); });
}
