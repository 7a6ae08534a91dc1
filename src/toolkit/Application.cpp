#include "toolkit/Application.h"

#include <algorithm>
#include <exception>

#include "rtl/Exception.h"
#include "rtl/MessageBoxText.h"
#include "rtl/TextConversion.h"
#include "toolkit/PostedMessages.h"

namespace toolkit {
namespace {

TApplication* theApplication = nullptr;

}  // namespace

TApplication& Application() {
  return *theApplication;
}

TApplication::TApplication() : FPeer(CreateApplicationPeer()) {
  theApplication = this;
}

TApplication::~TApplication() {
  while (!FForms.empty()) {
    DestroyForm(*FForms.back());
  }
  FPeer.reset();
  theApplication = nullptr;
}

void TApplication::SetIcon(std::span<const std::byte> imageFile) {
  FPeer->SetIcon(imageFile);
}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
  TForm& added = *form;
  FForms.push_back(std::move(form));
  added.DoCreate();
  if (FMainForm == nullptr) {
    FMainForm = &added;
  }
}

void TApplication::DestroyForm(TForm& form) {
  const auto owned = std::ranges::find(FForms, &form, &std::unique_ptr<TForm>::get);
  if (owned == FForms.end()) {
    return;
  }
  if (!FSessionEnded) {
    form.DoDestroy();
  }
  if (FMainForm == &form) {
    FMainForm = nullptr;
  }
  auto destroyed = std::move(*owned);
  FForms.erase(owned);
}

void TApplication::Run() {
  if (FMainForm == nullptr || FTerminating) {
    return;
  }
  FMainForm->Show();
  FPeer->Run();
}

void TApplication::ProcessMessages() {
  FPeer->ProcessEvents();
  Dispatch(ProcessPostedMessages);
}

void TApplication::FormClosed(TForm& form) {
  if (&form == FMainForm) {
    FPeer->Quit();
  }
}

void TApplication::Terminate() {
  FTerminating = true;
  if (FMainForm != nullptr) {
    FMainForm->Close();
  }
  FPeer->Quit();
}

void TApplication::EndSession() {
  if (FSessionEnded) {
    return;
  }
  FSessionEnded = true;
  FTerminating = true;
  for (auto form = FForms.rbegin(); form != FForms.rend(); ++form) {
    (*form)->DoDestroy();
  }
}

void TApplication::Restore() {
  if (FMainForm != nullptr && FMainForm->Minimized()) {
    FMainForm->Peer().Restore();
  }
}

void TApplication::BringToFront() {
  if (FMainForm != nullptr) {
    FMainForm->Peer().BringToFront();
  }
}

void TApplication::Dispatch(const std::function<void()>& handler) noexcept {
  try {
    handler();
  } catch (...) {
    HandleException();
  }
}

void TApplication::HandleException() noexcept {
  try {
    try {
      throw;
    } catch (const Exception& error) {
      ShowException(error.Message());
    } catch (const std::exception& error) {
      ShowException(Utf8ToUtf16(error.what()));
    }
  } catch (...) {
    // Nothing is left to report with: the box itself failed, or the error carries no text.
  }
}

void TApplication::ShowException(const std::u16string& message) {
  ShowMessageBox(MessageBoxText(message), FTitle, TMessageBoxIcon::Error);
}

int TApplication::ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                 TMessageBoxIcon icon) {
  return ShowMessageBox({text, caption, icon, {{u"OK", mrOk}}, mrOk});
}

int TApplication::ShowMessageBox(const TMessageBoxRequest& box) {
  return FPeer->ShowMessageBox(box);
}

}  // namespace toolkit
