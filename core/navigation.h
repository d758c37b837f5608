#pragma once
// Windows that screens open without depending on them: the main window on
// the way back, and the About box. Both belong to the shell, which names
// them before the program opens its first window (SetNavigation).
namespace platform { class Form; }

struct NavigationTargets {
    platform::Form* (*mainWindow)() = nullptr;
    platform::Form* (*aboutBox)() = nullptr;
};
void SetNavigation(const NavigationTargets& targets);

// Shows the main window (every screen's way back, after unloading itself).
void ShowMainWindow();

// Shows the About box modal over its owner.
void ShowAboutBox(platform::Form* owner);
