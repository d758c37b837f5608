#pragma once
// Windows that screens open without depending on them: the main window on
// the way back, and the About box.
namespace platform { class Form; }

// Shows the main window (every screen's way back, after unloading itself).
void ShowMainWindow();

// Shows the About box modal over its owner, once it exists.
void ShowAboutBox(platform::Form* owner);
