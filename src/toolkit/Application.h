#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/MessageBoxRequest.h"
#include "toolkit/Peers.h"

namespace toolkit {

// The application object: one per process, created first and destroyed last. It owns the forms
// it creates, runs the message loop, and is the default handler of every exception that leaves
// an event handler.
class TApplication {
 public:
  TApplication();
  // Destroys the forms, newest first, each after its destroy handler.
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The caption of the error boxes.
  const std::u16string& Title() const { return FTitle; }
  void SetTitle(std::u16string title) { FTitle = std::move(title); }
  // Whether the main form carries its own taskbar button (Qt's windows always do).
  bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool value) { FMainFormOnTaskBar = value; }
  // An image file (.ico, .png) shown for the application's windows.
  void SetIcon(std::span<const std::byte> imageFile);

  // Constructs a form, then runs its create handler (an exception there is shown and the form
  // is still created). The first form created is the main form.
  template <class Form, class... Args>
  Form& CreateForm(Args&&... args) {
    auto form = std::make_unique<Form>(std::forward<Args>(args)...);
    Form& created = *form;
    AddForm(std::move(form));
    return created;
  }
  TForm* MainForm() const { return FMainForm; }
  // Runs the destroy handler of a form created here (unless the session's end ran it), then
  // destroys it.
  void DestroyForm(TForm& form);

  // Shows the main form and handles messages until it closes.
  void Run();
  // Handles every pending message once, the posted messages of MessageWindow included.
  void ProcessMessages();
  // Called by forms when they close: closing the main form ends Run.
  void FormClosed(TForm& form);
  // The session asks the program to end: as closing the main form does, also from inside a
  // modal box, and before Run (which then returns at once).
  void Terminate();
  bool Terminating() const { return FTerminating; }
  // The session ends now and the process with it, without unwinding: every form's destroy
  // handler runs before this returns, once only, however often it is called.
  void EndSession();

  // Restores the main form when minimised, and brings it to the front, activated.
  void Restore();
  void BringToFront();

  // Runs an event handler as the message loop does: an exception leaving it is handled by
  // HandleException, so it never reaches the caller.
  void Dispatch(const std::function<void()>& handler) noexcept;
  // The default handler: shows the current exception in an error box.
  void HandleException() noexcept;
  // The error box: the message (a "." added when it ends in a character above "."), the title
  // as caption, an error icon, one OK button.
  void ShowException(const std::u16string& message);
  // A modal box with one OK button; returns mrOk.
  int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                     TMessageBoxIcon icon);
  int ShowMessageBox(const TMessageBoxRequest& box);

 private:
  void AddForm(std::unique_ptr<TForm> form);

  std::unique_ptr<ApplicationPeer> FPeer;
  std::u16string FTitle;
  bool FMainFormOnTaskBar = false;
  std::vector<std::unique_ptr<TForm>> FForms;
  TForm* FMainForm = nullptr;
  bool FTerminating = false;
  bool FSessionEnded = false;
};

// The process's application object.
TApplication& Application();

}  // namespace toolkit
