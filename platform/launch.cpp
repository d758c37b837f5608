#include "platform/launch.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QWidget>

namespace platform {

namespace {
ProgramStarter& starter()
{
    static ProgramStarter s;
    return s;
}

bool startDetached(const ProgramStart& start)
{
    QProcess process;
    process.setProgram(start.program);
    process.setArguments(start.arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}
} // namespace

std::optional<ProgramStart> programOf(const QString& commandLine, int style)
{
    if (commandLine.trimmed().isEmpty())
        return std::nullopt;
    if (QFileInfo(commandLine).isFile())
        return ProgramStart{commandLine, {}, style};
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return std::nullopt;
    const QString program = parts.takeFirst();
    return ProgramStart{program, parts, style};
}

bool Shell(const QString& commandLine, int style)
{
    const std::optional<ProgramStart> start = programOf(commandLine, style);
    if (!start)
        return false;
    QPointer<QWidget> active = QApplication::activeWindow();
    const bool started = starter() ? starter()(*start) : startDetached(*start);
    if (started && style == vbNormalNoFocus && active)
        active->activateWindow();
    return started;
}

void setProgramStarter(ProgramStarter starter_)
{
    starter() = std::move(starter_);
}

} // namespace platform
