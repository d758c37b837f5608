#include "platform/filedialog.h"

#include "platform/modal.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSortFilterProxyModel>

namespace platform {

bool fileMatchesPattern(const QFileInfo& file, const QString& pattern)
{
    const QString p = pattern.trimmed();
    if (p.isEmpty())
        return false;
    if (p.compare(QLatin1String("*.EXE"), Qt::CaseInsensitive) == 0)
        return file.isFile() && file.isExecutable();
    // "All Files (*.*)" lists every file, also a name without a dot.
    if (p == QLatin1String("*.*"))
        return true;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(file.fileName()).hasMatch();
}

namespace {

// Lists folders and the files that match a pattern of the chosen filter.
// The dialog's own name filters cannot say "files the user may run", so they
// are switched off and this model decides.
class FilterModel : public QSortFilterProxyModel {
public:
    void setPatterns(const QStringList& patterns)
    {
        patterns_ = patterns;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        if (info.isDir())
            return true;
        for (const QString& p : patterns_)
            if (fileMatchesPattern(info, p))
                return true;
        return false;
    }

private:
    QStringList patterns_;
};

} // namespace

QString chooseExistingFile(QWidget* owner, const QList<FileFilter>& filters, const QString& title,
                           const QString& initialDir)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // No title asks for the system's usual one.
    dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("Open") : title);
    if (!initialDir.isEmpty())
        dialog.setDirectory(initialDir);

    auto* model = new FilterModel;
    dialog.setProxyModel(model);
    QStringList names;
    for (const FileFilter& f : filters)
        names << f.description;
    if (!names.isEmpty())
        dialog.setNameFilters(names);

    auto useFilter = [&dialog, model, filters](int index) {
        model->setPatterns(index >= 0 && index < filters.size() ? filters[index].patterns : QStringList());
        // The dialog reads patterns out of the description's brackets and
        // filters by them itself; our model does the filtering instead.
        if (auto* files = dialog.findChild<QFileSystemModel*>())
            files->setNameFilters({});
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [useFilter, names](const QString& text) { useFilter(int(names.indexOf(text))); });
    useFilter(filters.isEmpty() ? -1 : 0);

    runModal(&dialog, owner);
    if (dialog.result() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace platform
