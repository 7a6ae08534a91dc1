#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>
#include <memory>
#include <string>

#include "player/Unit1.h"
#include "support/RecordingMciApi.h"
#include "support/SimulatedMixer.h"
#include "support/TestApplication.h"
#include "toolkit/qt/QtNative.h"

namespace {

using toolkit::qt::WidgetOf;

SimulatedMixer SpeakersMixer() {
  SimControl volume{.type = mm::MIXERCONTROL_CONTROLTYPE_VOLUME, .values = {30000, 30000}};
  SimLine speakers{
      .type = mm::MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, .name = u"Master", .controls = {volume}};
  return SimulatedMixer({SimDevice{u"default", {speakers}}});
}

// The window as its constructor builds it, before any create handler has run.
class WindowLayoutTest : public ::testing::Test {
 protected:
  WindowLayoutTest() {
    support::TestApplication();
    Form = std::make_unique<TForm1>(Mci, Mixer, platform::SystemResources());
  }

  RecordingMciApi Mci;
  SimulatedMixer Mixer = SpeakersMixer();
  std::unique_ptr<TForm1> Form;
};

TEST_F(WindowLayoutTest, TheWindowHasItsFixedSizeFontHintAndMenu) {
  QWidget* window = WidgetOf(*Form);
  EXPECT_EQ(Form->ClientWidth(), 306);
  EXPECT_EQ(Form->ClientHeight(), 238);
  EXPECT_EQ(window->size(), QSize(306, 238));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(Form->Left(), 0);
  EXPECT_EQ(Form->Top(), 0);
  EXPECT_EQ(Form->Hint(), u"マウスの右ボタンクリックでポップアップメニュー表示");
  EXPECT_EQ(window->font().families().front(), QString("Tahoma"));
  EXPECT_EQ(window->font().pixelSize(), 11);
  EXPECT_EQ(Form->TForm::PopupMenu(), &Form->PopupMenu);
  EXPECT_TRUE(Form->OnCreate());
  EXPECT_TRUE(Form->OnDestroy());
}

TEST_F(WindowLayoutTest, JapaneseTextHasAFontWithItsGlyphs) {
  const QFontMetrics metrics(WidgetOf(Form->AutFaseOutCheckBox)->font());
  for (const QChar character : QString::fromUtf8("フェーズアウト音量きよしこの夜")) {
    EXPECT_TRUE(metrics.inFontUcs4(character.unicode())) << static_cast<int>(character.unicode());
  }
}

struct ControlRow {
  const char* name;
  std::function<toolkit::TControl&(TForm1&)> control;
  std::function<toolkit::TContainer&(TForm1&)> parent;
  int left, top, width, height;
  std::u16string caption;
  std::u16string hint;
  int tabOrder;
};

// The controls as the window is built; labels are the width of their text, so their width here
// is 0 and is checked against the text instead.
const ControlRow kControls[] = {
    {"GroupBox1", [](TForm1& f) -> toolkit::TControl& { return f.GroupBox1; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 0, 169, 306, 69, u"音量", u"", 9},
    {"Label1", [](TForm1& f) -> toolkit::TControl& { return f.Label1; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox1; }, 10, 40, 0, 13, u"Min", u"", 0},
    {"Label2", [](TForm1& f) -> toolkit::TControl& { return f.Label2; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox1; }, 272, 40, 0, 13, u"Max", u"", 0},
    {"Label3", [](TForm1& f) -> toolkit::TControl& { return f.Label3; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox1; }, 144, 13, 0, 13, u"50", u"", 0},
    {"TrackBarVolume", [](TForm1& f) -> toolkit::TControl& { return f.TrackBarVolume; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox1; }, 32, 32, 240, 34, u"",
     u"スライダーを右に動かすと音量が大きくなります。", 0},
    {"NextBtn", [](TForm1& f) -> toolkit::TControl& { return f.NextBtn; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 160, 1, 55, 60, u"", u"Next Music", 4},
    {"BackSkip", [](TForm1& f) -> toolkit::TControl& { return f.BackSkip; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 60, 1, 55, 60, u"", u"Previous Music", 2},
    {"GroupBox2", [](TForm1& f) -> toolkit::TControl& { return f.GroupBox2; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 0, 104, 306, 66, u"Music Track", u"", 8},
    {"Label4", [](TForm1& f) -> toolkit::TControl& { return f.Label4; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox2; }, 136, 8, 0, 13, u"1", u"", 0},
    {"MusicTrackBar", [](TForm1& f) -> toolkit::TControl& { return f.MusicTrackBar; },
     [](TForm1& f) -> toolkit::TContainer& { return f.GroupBox2; }, 4, 24, 300, 45, u"",
     u"スライダー移動+KeyPressで楽曲トラックを移動します。", 0},
    {"RePeatChek", [](TForm1& f) -> toolkit::TControl& { return f.RePeatChek; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 15, 35, 45, 17, u"RePe", u"繰り返し演奏",
     1},
    {"ListBox", [](TForm1& f) -> toolkit::TControl& { return f.ListBox; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 0, 70, 304, 30, u"",
     u"リストからダイレクト・選曲できます", 7},
    {"AutFaseOutCheckBox", [](TForm1& f) -> toolkit::TControl& { return f.AutFaseOutCheckBox; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 220, 10, 97, 17, u"フェーズアウト",
     u"自動フェーズアウト", 5},
    {"AutoDownCheckBox", [](TForm1& f) -> toolkit::TControl& { return f.AutoDownCheckBox; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 220, 40, 97, 17, u"シャットダウン",
     u"自動シャットダウン", 6},
    {"PauseBtn", [](TForm1& f) -> toolkit::TControl& { return f.PauseBtn; },
     [](TForm1& f) -> toolkit::TContainer& { return f; }, 116, 1, 45, 60, u"", u"一時停止", 3},
};

class ControlLayoutTest : public WindowLayoutTest,
                          public ::testing::WithParamInterface<ControlRow> {};

QString CaptionOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->text();
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    return group->title();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->text();
  }
  return {};
}

TEST_P(ControlLayoutTest, HasItsParentPlaceSizeCaptionHintAndTabOrder) {
  const ControlRow& row = GetParam();
  toolkit::TControl& control = row.control(*Form);
  QWidget* widget = WidgetOf(control);

  EXPECT_EQ(&control.Parent(), &row.parent(*Form));
  EXPECT_EQ(widget->parentWidget(), toolkit::qt::NativeWidget(row.parent(*Form).ContainerPeer()));
  const int width = row.width != 0 ? row.width : widget->sizeHint().width();
  EXPECT_EQ(widget->geometry(), QRect(row.left, row.top, width, row.height));
  EXPECT_EQ(control.Left(), row.left);
  EXPECT_EQ(control.Width(), width);
  EXPECT_EQ(CaptionOf(widget).toStdU16String(), row.caption);
  EXPECT_EQ(control.Hint(), row.hint);
  EXPECT_EQ(widget->toolTip().toStdU16String(), row.hint);
  EXPECT_EQ(control.TabOrder(), row.tabOrder);
  EXPECT_TRUE(control.Enabled());
  EXPECT_TRUE(control.Visible());
}

INSTANTIATE_TEST_SUITE_P(Controls, ControlLayoutTest, ::testing::ValuesIn(kControls),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(WindowLayoutTest, OnlyTheTwoOptionBoxesAreCutOff) {
  const std::vector<const toolkit::TControl*> labels{&Form->Label1, &Form->Label2, &Form->Label3,
                                                     &Form->Label4};
  for (const toolkit::TControl* label : labels) {
    EXPECT_LE(WidgetOf(*label)->sizeHint().width(), label->Width());
  }
  for (const toolkit::TGroupBox* group : {&Form->GroupBox1, &Form->GroupBox2}) {
    EXPECT_LE(WidgetOf(*group)->sizeHint().width(), group->Width());
  }
  // The repeat box's text ends inside the box; the option boxes reach past the window's edge.
  auto* repeat = static_cast<QCheckBox*>(WidgetOf(Form->RePeatChek));
  QStyleOptionButton option;
  option.initFrom(repeat);
  const QRect text = repeat->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, repeat);
  EXPECT_LE(text.left() + repeat->fontMetrics().horizontalAdvance(repeat->text()), repeat->width());
  for (const toolkit::TCheckBox* box : {&Form->AutFaseOutCheckBox, &Form->AutoDownCheckBox}) {
    EXPECT_GT(box->Left() + box->Width(), Form->ClientWidth());
  }
}

// Top to bottom, and left to right along the row of buttons and boxes.
TEST_F(WindowLayoutTest, TabVisitsTheControlsInLayoutOrder) {
  EXPECT_EQ(Form->TabChain(),
            (std::vector<toolkit::TControl*>{&Form->RePeatChek, &Form->BackSkip, &Form->PauseBtn,
                                             &Form->NextBtn, &Form->AutFaseOutCheckBox,
                                             &Form->AutoDownCheckBox, &Form->ListBox,
                                             &Form->MusicTrackBar, &Form->TrackBarVolume}));
}

TEST_F(WindowLayoutTest, ScreenReadersFindEveryControlByNameAndRole) {
  struct Named {
    const toolkit::TControl* control;
    QAccessible::Role role;
    QString name;
  };
  const std::vector<Named> controls{
      {&Form->NextBtn, QAccessible::Button, "Next Music"},
      {&Form->BackSkip, QAccessible::Button, "Previous Music"},
      {&Form->PauseBtn, QAccessible::Button, "一時停止"},
      {&Form->RePeatChek, QAccessible::CheckBox, "RePe"},
      {&Form->AutFaseOutCheckBox, QAccessible::CheckBox, "フェーズアウト"},
      {&Form->AutoDownCheckBox, QAccessible::CheckBox, "シャットダウン"},
      {&Form->ListBox, QAccessible::List, "リストからダイレクト・選曲できます"},
      {&Form->MusicTrackBar, QAccessible::Slider, "Music Track"},
      {&Form->TrackBarVolume, QAccessible::Slider, "音量"},
  };
  for (const Named& expected : controls) {
    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(WidgetOf(*expected.control));
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), expected.role) << expected.name.toStdString();
    EXPECT_EQ(accessible->text(QAccessible::Name), expected.name);
  }
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(WidgetOf(*Form));
  EXPECT_EQ(window->role(), QAccessible::Window);
  Form->SetCaption(u"Kalvio");
  EXPECT_EQ(window->text(QAccessible::Name), QString("Kalvio"));
  // The pause button's name follows its hint.
  Form->PauseBtn.SetHint(u"再開");
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(WidgetOf(Form->PauseBtn))->text(QAccessible::Name),
      QString("再開"));
}

TEST_F(WindowLayoutTest, SlidersHaveTheirRangesPositionsAndSelection) {
  EXPECT_EQ(Form->TrackBarVolume.Min(), 0);
  EXPECT_EQ(Form->TrackBarVolume.Max(), 100);
  EXPECT_EQ(Form->TrackBarVolume.Position(), 0);
  EXPECT_EQ(Form->MusicTrackBar.Min(), 1);
  EXPECT_EQ(Form->MusicTrackBar.Max(), 120);
  EXPECT_EQ(Form->MusicTrackBar.Position(), 1);
  EXPECT_EQ(Form->MusicTrackBar.SelStart(), 1);
  EXPECT_EQ(Form->MusicTrackBar.SelEnd(), 120);
  for (const toolkit::TTrackBar* slider : {&Form->TrackBarVolume, &Form->MusicTrackBar}) {
    auto* widget = static_cast<QSlider*>(WidgetOf(*slider));
    EXPECT_EQ(widget->minimum(), slider->Min());
    EXPECT_EQ(widget->maximum(), slider->Max());
    EXPECT_EQ(widget->value(), slider->Position());
    EXPECT_EQ(widget->tickPosition(), QSlider::TicksBelow);
  }
}

TEST_F(WindowLayoutTest, TheListHoldsTheCatalogueTitlesInTwoVisibleRows) {
  auto* list = static_cast<QListWidget*>(WidgetOf(Form->ListBox));
  ASSERT_EQ(Form->ListBox.Items().size(), 120U);
  ASSERT_EQ(list->count(), 120);
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("ふるさと"));
  EXPECT_EQ(list->item(36)->text(), QString::fromUtf8("ジングルベル"));
  EXPECT_EQ(list->item(39)->text(), QString::fromUtf8("きよしこの夜"));
  EXPECT_EQ(Form->ListBox.ItemHeight(), 13);
  EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 13);
  EXPECT_EQ(list->viewport()->height() / 13, 2);
  EXPECT_TRUE(Form->ListBox.ParentColor());
  EXPECT_EQ(Form->ListBox.ItemIndex(), -1);
}

TEST_F(WindowLayoutTest, TheCheckBoxesStartUnchecked) {
  for (const toolkit::TCheckBox* box :
       {&Form->RePeatChek, &Form->AutFaseOutCheckBox, &Form->AutoDownCheckBox}) {
    EXPECT_FALSE(box->Checked());
  }
}

TEST_F(WindowLayoutTest, TheSkipButtonsShowThePicturesStoredWithTheLayout) {
  for (const toolkit::TImageButton* button : {&Form->NextBtn, &Form->BackSkip}) {
    auto* widget = static_cast<QPushButton*>(WidgetOf(*button));
    EXPECT_FALSE(widget->icon().isNull());
    EXPECT_EQ(widget->iconSize(), QSize(48, 48));
  }
  // The pause button gets its picture from the create handler.
  EXPECT_TRUE(static_cast<QPushButton*>(WidgetOf(Form->PauseBtn))->icon().isNull());
  for (const toolkit::TImageButton* button : {&Form->NextBtn, &Form->BackSkip, &Form->PauseBtn}) {
    EXPECT_TRUE(static_cast<QPushButton*>(WidgetOf(*button))->text().isEmpty());
  }
}

TEST_F(WindowLayoutTest, EveryEventIsWired) {
  EXPECT_TRUE(Form->TrackBarVolume.OnChange());
  EXPECT_TRUE(Form->NextBtn.OnClick());
  EXPECT_TRUE(Form->BackSkip.OnClick());
  EXPECT_TRUE(Form->MusicTrackBar.OnChange());
  EXPECT_TRUE(Form->MusicTrackBar.OnKeyUp());
  EXPECT_TRUE(Form->ListBox.OnKeyUp());
  EXPECT_TRUE(Form->ListBox.OnMouseUp());
  EXPECT_TRUE(Form->AutoDownCheckBox.OnClick());
  EXPECT_FALSE(Form->AutFaseOutCheckBox.OnClick());
  EXPECT_FALSE(Form->RePeatChek.OnClick());
  EXPECT_TRUE(Form->PauseBtn.OnClick());
  EXPECT_TRUE(Form->Mixer.OnControlChange());
  EXPECT_TRUE(Form->MenuM1.OnClick());
  EXPECT_TRUE(Form->Jump10Mujic1.OnClick());
}

TEST_F(WindowLayoutTest, ThePopupMenuHoldsExitAndJump) {
  QMenu* menu = toolkit::qt::MenuOf(Form->PopupMenu);
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QString("Exit(&X)"));
  EXPECT_EQ(menu->actions()[0]->statusTip(), QString::fromUtf8("終了する"));
  EXPECT_EQ(menu->actions()[1]->text(), QString("Jump+10 Music(&J)"));
  EXPECT_EQ(menu->actions()[1]->statusTip(), QString::fromUtf8("10曲ジャンプする"));
  EXPECT_TRUE(menu->actions()[0]->shortcut().isEmpty());
}

TEST_F(WindowLayoutTest, TheMediaPlayerIsAnInvisibleNextOnlyControl) {
  EXPECT_FALSE(Form->MediaPlayer.Visible());
  EXPECT_FALSE(Form->MediaPlayer.AutoEnable());
  EXPECT_FALSE(Form->MediaPlayer.AutoRewind());
  EXPECT_EQ(Form->MediaPlayer.EnabledButtons(), TButtonSet{btNext});
}

TEST_F(WindowLayoutTest, TheMixerScannedItsDevicesWithTheWindow) {
  EXPECT_EQ(Form->Mixer.Count(), 1);
  EXPECT_NE(Form->Mixer.Master(), nullptr);
}

TEST_F(WindowLayoutTest, ExitClosesTheWindow) {
  Form->Show();
  ASSERT_TRUE(Form->Visible());
  toolkit::qt::MenuOf(Form->PopupMenu)->actions()[0]->trigger();
  EXPECT_FALSE(Form->Visible());
}

}  // namespace
