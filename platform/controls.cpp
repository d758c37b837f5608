#include "platform/controls.h"

#include "platform/events.h"
#include "platform/twips.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace platform {

QColor vbColor(unsigned value)
{
    if (value & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (value) {
        case vbWindowBackground: return pal.color(QPalette::Base);
        case vbWindowText: return pal.color(QPalette::WindowText);
        case vbButtonFace: return pal.color(QPalette::Button);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont vbFont(double points, bool bold)
{
    // The designed face is rarely installed here; the faces after it have
    // Arial's narrow metrics, so captions fit the boxes they were drawn for.
    // A face that is missing is left out once and for all: asking for it
    // again costs a fallback search for every new font.
    static const QStringList families = [] {
        QStringList list{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
        if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")))
            list.prepend(QStringLiteral("MS Sans Serif"));
        return list;
    }();
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setBackColor(QWidget* w, unsigned value)
{
    QPalette pal = w->palette();
    const QColor c = vbColor(value);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    if (qobject_cast<QWidget*>(w) && w->inherits("QComboBox"))
        pal.setColor(QPalette::Base, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QPushButton* commandButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                           int width, int height)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    placeTwips(b, left, top, width, height);
    // A focused command button is chosen by Enter as well as Space.
    onEvent(b, QEvent::KeyPress, [b](QEvent* e) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        b->click();
        return true;
    });
    return b;
}

} // namespace platform
