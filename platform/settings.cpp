#include "platform/settings.h"

#include <QSettings>
#include <QStringList>

namespace platform {

namespace {
const QString Organisation = QStringLiteral("Orvalis");
} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    QSettings store(Organisation, appName);
    store.beginGroup(section);
    if (!store.contains(key))
        return defaultValue;
    const QVariant value = store.value(key);
    // A hand-edited value with commas reads back as a list; it was one text.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value)
{
    QSettings store(Organisation, appName);
    store.beginGroup(section);
    store.setValue(key, value);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

void setSettingsFolder(const QString& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

} // namespace platform
