#include "core/picturestore.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QStringList buildNames()
{
    QStringList names;
    const char* buttons[] = {"Accel", "Angles", "Area", "Bits", "Coffee", "Crown", "Density", "FeetInch",
                             "Fuel", "Lawn", "Length", "Light", "MassFlow", "Power", "Pressure", "Temp",
                             "Time", "Velocity", "Viscosity", "Volume", "VolumeFlow", "Weight", "Work"};
    for (const char* b : buttons) {
        names << QStringLiteral("img%1Up").arg(QLatin1String(b));
        names << QStringLiteral("img%1Dn").arg(QLatin1String(b));
    }
    for (int n = 1; n <= 5; ++n)
        names << QStringLiteral("imgUser%1").arg(n);
    const char* icons[] = {"iconAccelleration", "iconAngles", "iconArea", "iconBits", "iconDensity",
                           "iconFuel", "iconImperial", "iconLight", "iconMassFlow", "iconPower",
                           "iconPressure", "iconTime", "iconViscosity", "iconVolumeFlow", "iconWork",
                           "iconLength", "iconProgram"};
    for (const char* i : icons)
        names << QLatin1String(i);
    return names;
}

QSize designedSize(const QString& name)
{
    if (name.startsWith(QLatin1String("imgFeetInch")))
        return QSize(241, 237);
    return QSize(32, 32);
}

// The drawn file of a picture: resources/pictures/NAME.svg (or .png). The
// pressed picture of the feet-and-inches button is its released one.
QString artworkPath(const QString& name)
{
    const QString base = name == QLatin1String("imgFeetInchDn") ? QStringLiteral("imgFeetInchUp") : name;
    for (const char* ext : {".svg", ".png"}) {
        const QString path = QStringLiteral(":/pictures/") + base + QLatin1String(ext);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

// A plain tile for a name that has no drawing yet.
QPixmap placeholder(const QString& name, QSize size)
{
    QPixmap pm(size);
    const uint hash = qHash(name);
    QColor fill = QColor::fromHsv(int(hash % 360), 90, 230);
    pm.fill(fill);
    QPainter p(&pm);
    p.setPen(fill.darker(name.endsWith(QLatin1String("Dn")) ? 200 : 140));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pm;
}

} // namespace

void btn::Load()
{
    loaded_ = true;
}

const QStringList& btn::names()
{
    static const QStringList all = buildNames();
    return all;
}

bool btn::has(const QString& name)
{
    return names().contains(name);
}

QPixmap btn::picture(const QString& name) const
{
    if (!has(name))
        return QPixmap();
    const QSize size = designedSize(name);
    const QString path = artworkPath(name);
    if (path.isEmpty())
        return placeholder(name, size);
    if (path.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer renderer(path);
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        renderer.render(&p);
        return pm;
    }
    return QPixmap(path).scaled(size);
}

QIcon btn::icon(const QString& name) const
{
    const QPixmap pm = picture(name);
    return pm.isNull() ? QIcon() : QIcon(pm);
}
