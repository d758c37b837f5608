#include "platform/keypress.h"

#include "platform/events.h"

#include <QKeyEvent>
#include <QWidget>

namespace platform {

void onKeyPress(QWidget* box, std::function<void(int& KeyAscii)> handler)
{
    onEvent(box, QEvent::KeyPress, [handler = std::move(handler)](QEvent* e) {
        auto* key = static_cast<QKeyEvent*>(e);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return false;
        case Qt::Key_Backspace: {
            int KeyAscii = 8;
            handler(KeyAscii);
            return KeyAscii == 0;
        }
        default:
            break;
        }
        const QString typed = key->text();
        if (typed.isEmpty())
            return false;
        int KeyAscii = typed.at(0).unicode();
        handler(KeyAscii);
        return KeyAscii == 0;
    });
}

} // namespace platform
