// Runs every registered test class of this program in turn. Arguments are
// handed to each class, so "-functions", a function name or "-v2" work as
// with any Qt Test program; "-class NAME" picks one class; "-child NAME"
// runs a test's child program instead (testsupport.h).
#include "testsupport.h"
#include "platform/form.h"
#include "platform/settings.h"
#include "shell/unitmenu.h"
#include <QApplication>
#include <QTemporaryDir>
#include <memory>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ConnectNavigation(); // as the program does before its first window
    // No test reads or writes the user's own settings.
    QTemporaryDir settings;
    platform::setSettingsFolder(settings.path());
    // Nor its cache folder; tests that save as an ordinary user write there too.
    QTemporaryDir cache;
    QFile::setPermissions(cache.path(), QFileDevice::Permissions(0x7777));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));

    QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("-child") && testing::childPrograms().contains(args.value(2)))
        return testing::childPrograms().value(args.value(2))(args.mid(3));
    QString only;
    if (int at = args.indexOf(QStringLiteral("-class")); at >= 0 && at + 1 < args.size()) {
        only = args.at(at + 1);
        args.remove(at, 2);
    }

    int failed = 0;
    for (const auto& reg : testing::registry()) {
        if (!only.isEmpty() && only != QLatin1String(reg.name))
            continue;
        QLocale::setDefault(QLocale::c());
        std::unique_ptr<QObject> test(reg.make());
        failed += QTest::qExec(test.get(), args);
        platform::Form::UnloadAll();
    }
    QLocale::setDefault(QLocale::c());
    return failed == 0 ? 0 : 1;
}
