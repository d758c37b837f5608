#pragma once
// Small hooks on a widget's events, for handlers the toolkit has no signal
// for (GotFocus, KeyPress) and for menu shortcuts inside text boxes.
#include <QEvent>
#include <QKeySequence>
#include <QList>
#include <functional>

class QObject;
class QWidget;

namespace platform {

// Calls fn for each event of that type reaching target; fn returns true to
// stop the event there. The hook lives as long as the target.
void onEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> fn);

// A text box keeps Ctrl+C, Ctrl+V and the like for itself; these keys go to
// the window's menu instead.
void passShortcutsToMenu(QWidget* textBox, const QList<QKeySequence>& keys);

} // namespace platform
