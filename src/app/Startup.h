#pragma once

// The process after the runtime's start-up: the single-instance guard and, for the first
// instance, the application object's set-up, the main window and the message loop until that
// window closes. Returns the exit code.
int RunKalvio();
