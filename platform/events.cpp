#include "platform/events.h"

#include <QKeyEvent>
#include <QWidget>

namespace platform {

namespace {
class Hook : public QObject {
public:
    Hook(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> fn)
        : QObject(target), type_(type), fn_(std::move(fn))
    {
        target->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == type_ && fn_(e); }

private:
    QEvent::Type type_;
    std::function<bool(QEvent*)> fn_;
};
} // namespace

void onEvent(QObject* target, QEvent::Type type, std::function<bool(QEvent*)> fn)
{
    new Hook(target, type, std::move(fn));
}

void passShortcutsToMenu(QWidget* textBox, const QList<QKeySequence>& keys)
{
    onEvent(textBox, QEvent::ShortcutOverride, [keys](QEvent* e) {
        auto* key = static_cast<QKeyEvent*>(e);
        const QKeySequence pressed(key->keyCombination());
        if (!keys.contains(pressed))
            return false;
        // Left unaccepted, the override fails and the shortcut reaches the
        // menu item.
        e->ignore();
        return true;
    });
}

} // namespace platform
