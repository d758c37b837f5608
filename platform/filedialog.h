#pragma once
// The open-file dialog: Qt's own dialog, shown through runModal so that a
// test answers it as it answers any modal window.
#include <QList>
#include <QString>
#include <QStringList>

class QFileInfo;
class QWidget;

namespace platform {

// One entry of the dialog's file-type list: what it shows and the patterns
// of the files it lists.
struct FileFilter {
    QString description;
    QStringList patterns;
};

// Whether the dialog lists a file under pattern. "*.EXE" asks for programs:
// here programs carry no ending, so it lists the files the user may run.
// Every other pattern is a wildcard matched without regard to case, as
// Windows did ("*.*" also lists names without a dot).
bool fileMatchesPattern(const QFileInfo& file, const QString& pattern);

// Lets the user choose one existing file, modal to owner (nullptr: none),
// starting with the first filter and in initialDir ("" lets the dialog
// choose), captioned title ("" gives the usual "Open"). Folders are always
// listed so the user can walk into them.
// Returns the chosen file's full path as it is, or "" when cancelled.
QString chooseExistingFile(QWidget* owner, const QList<FileFilter>& filters, const QString& title,
                           const QString& initialDir);

} // namespace platform
