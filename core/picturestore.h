#pragma once
// The picture store: every button picture and category icon, by name.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

class btn {
public:
    // Loading an already loaded store changes nothing.
    void Load();
    bool IsLoaded() const { return loaded_; }

    // Every name the store answers to.
    static const QStringList& names();
    static bool has(const QString& name);
    // The picture of that name at its designed size; a null pixmap for a
    // name the store does not hold.
    QPixmap picture(const QString& name) const;
    QIcon icon(const QString& name) const;

private:
    bool loaded_ = false;
};
