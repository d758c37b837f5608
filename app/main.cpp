#include "core/orvl_mod.h"
#include "platform/appstyle.h"
#include "platform/form.h"
#include "shell/unitmenu.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    platform::installAppStyle();
    // The main window hides while a screen is open: the program ends only
    // where it says so, never because no window is showing.
    QApplication::setQuitOnLastWindowClosed(false);
    ConnectNavigation();
    Main();
    const int rc = app.exec();
    platform::Form::UnloadAll();
    return rc;
}
