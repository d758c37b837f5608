#pragma once
// A text box's KeyPress: the handler sees the character code of each key
// that types a character (Backspace 8, Enter 13, Ctrl+V 22 and the like
// included) and discards the key by setting it to 0. Keys that type nothing
// (arrows, Delete, Tab, Shift) never reach it.
#include <functional>

class QWidget;

namespace platform {

void onKeyPress(QWidget* box, std::function<void(int& KeyAscii)> handler);

} // namespace platform
