#pragma once
// The program's widget style: the platform's own, with the few standard
// icons that every window needs at start-up drawn here.
namespace platform {

// Installs the style on the application; call once, after QApplication.
void installAppStyle();

} // namespace platform
