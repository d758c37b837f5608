#include "platform/program.h"

#include "platform/form.h"

#include <QCoreApplication>

namespace platform {

namespace {
std::function<void()>& endHook()
{
    static std::function<void()> hook;
    return hook;
}
QString& folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

void endProgram()
{
    if (endHook()) {
        endHook()();
        return;
    }
    // exit() leaves the event loop without sending close events, so no
    // screen runs its way back to the main window on the way out.
    QCoreApplication::exit(0);
}

void setEndProgramHook(std::function<void()> hook)
{
    endHook() = std::move(hook);
}

int runToEnd()
{
    const int status = QCoreApplication::exec();
    Form::UnloadAll();
    return status;
}

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder)
{
    folderOverride() = folder;
}

VersionRecord programVersion()
{
    return VersionRecord{ORVALIS_VERSION_RECORD};
}

QString programTitle()
{
    return QStringLiteral("ORVALIS Unit Conversions");
}

} // namespace platform
