#include "core/openfile.h"

#include "platform/filedialog.h"
#include "platform/form.h"

QString ShowOpen(platform::Form* owner, QString& filter, const QString& title, const QString& initialDir)
{
    if (!filter.endsWith(QLatin1Char('|')))
        filter += QLatin1Char('|');
    filter.replace(QLatin1Char('|'), QChar(0));

    // Pairs of description and pattern list; a description without its
    // pattern list offers nothing to list and is left out.
    QList<platform::FileFilter> pairs;
    const QStringList parts = filter.split(QChar(0));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        pairs.append({parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    }
    return platform::chooseExistingFile(owner ? owner->window() : nullptr, pairs, title, initialDir);
}
