#include "platform/appstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>

namespace platform {

namespace {

// A menu bar asks for its overflow chevron the moment it is made. The
// platform's icon is a picture file whose format Qt finds by loading every
// image plugin, which costs more start-up time than the rest of the main
// window; a chevron drawn here costs nothing.
QIcon chevron(bool horizontal)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.5));
    if (!horizontal) {
        p.translate(16, 0);
        p.rotate(90);
    }
    for (int x : {4, 9}) {
        QPainterPath path;
        path.moveTo(x, 4);
        path.lineTo(x + 3.5, 8);
        path.lineTo(x, 12);
        p.drawPath(path);
    }
    return QIcon(pm);
}

class AppStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return chevron(true);
        if (icon == SP_ToolBarVerticalExtensionButton)
            return chevron(false);
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

void installAppStyle()
{
    QApplication::setStyle(new AppStyle);
}

} // namespace platform
