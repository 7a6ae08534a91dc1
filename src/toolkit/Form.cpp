#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ReachablePosition.h"

namespace toolkit {

TForm::TForm() : FPeer(CreateFormPeer(*this)) {}

TForm::~TForm() = default;

void TForm::SetCaption(std::u16string caption) {
  FCaption = std::move(caption);
  FPeer->SetCaption(FCaption);
}

void TForm::SetHint(std::u16string hint) {
  FHint = std::move(hint);
  FPeer->SetHint(FHint);
}

void TForm::SetFont(const std::u16string& family, int height) {
  FPeer->SetFont(family, height < 0 ? -height : height);
}

int TForm::Left() const {
  return FPeer->Left();
}

int TForm::Top() const {
  return FPeer->Top();
}

void TForm::SetLeft(int left) {
  FPeer->SetPosition(left, Top());
}

void TForm::SetTop(int top) {
  FPeer->SetPosition(Left(), top);
}

void TForm::SetClientSize(int width, int height) {
  FClientWidth = width;
  FClientHeight = height;
  FPeer->SetClientSize(width, height);
}

void TForm::SetPopupMenu(TPopupMenu* menu) {
  FPopupMenu = menu;
  FPeer->SetPopupMenu(menu != nullptr ? &menu->Peer() : nullptr);
}

void TForm::Show() {
  std::vector<ControlPeer*> peers;
  TControl* firstFocusable = nullptr;
  bool anyFocused = false;
  for (TControl* control : TabChain()) {
    peers.push_back(&control->Peer());
    if (firstFocusable == nullptr && control->CanFocus()) {
      firstFocusable = control;
    }
    anyFocused = anyFocused || control->Focused();
  }
  FPeer->SetFocusChain(peers);
  const std::pair position{Left(), Top()};
  if (MoveIntoReach(position.first, position.second)) {
    FUnreachablePosition = position;
  }
  FPeer->Show();
  if (!anyFocused && firstFocusable != nullptr) {
    firstFocusable->SetFocus();
  }
}

// A stored position may lie on a monitor since unplugged. The position is the frame's corner.
bool TForm::MoveIntoReach(int left, int top) {
  TRect frame = FPeer->FrameBounds();
  frame.Left = left;
  frame.Top = top;
  const TRect reachable = ReachablePosition(frame, FPeer->TitleBarHeight(), FPeer->WorkAreas());
  if (reachable.Left == left && reachable.Top == top) {
    return false;
  }
  FPeer->SetPosition(reachable.Left, reachable.Top);
  return true;
}

bool TForm::Visible() const {
  return FPeer->Visible();
}

void TForm::Close() {
  FPeer->Close();
}

bool TForm::Minimized() const {
  return FPeer->Minimized();
}

void TForm::DoCreate() {
  if (FOnCreate) {
    Application().Dispatch([this, handler = FOnCreate] { handler(*this); });
  }
}

void TForm::DoDestroy() {
  if (FOnDestroy) {
    Application().Dispatch([this, handler = FOnDestroy] { handler(*this); });
  }
}

void TForm::DoFramed() {
  if (const auto unreachable = std::exchange(FUnreachablePosition, std::nullopt)) {
    MoveIntoReach(unreachable->first, unreachable->second);
  }
}

void TForm::DoClosed() {
  Application().FormClosed(*this);
}

}  // namespace toolkit
