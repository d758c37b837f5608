#include "screens/screenparts.h"

#include "core/navigation.h"
#include "platform/form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

namespace screenparts {

QString indexed(const QString& name, int Index)
{
    return name + QLatin1Char('_') + QString::number(Index);
}

QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcut(key);
    return a;
}

QList<QKeySequence> Menus::keys() const
{
    QList<QKeySequence> all = {mainMenu->shortcut(), copy->shortcut(), paste->shortcut()};
    if (exp)
        all << exp->shortcut();
    return all;
}

Menus buildMenus(QMainWindow* window, const MenuDesign& design)
{
    QMenuBar* bar = window->menuBar();
    auto separator = [](QMenu* menu, const QString& name) { menu->addSeparator()->setObjectName(name); };
    Menus m{};

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    separator(file, QStringLiteral("mnuDash1"));
    m.mainMenu = item(file, design.mainMenuName, QStringLiteral("&Main Menu"), QKeySequence(Qt::CTRL | Qt::Key_M));
    separator(file, QStringLiteral("mnuDash2"));
    m.exit = item(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m.copy = item(edit, QStringLiteral("mnuCopy"), QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m.paste = item(edit, QStringLiteral("mnuPaste"), QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));

    if (design.exponential) {
        QMenu* options = bar->addMenu(QStringLiteral("&Options"));
        options->setObjectName(QStringLiteral("mnuOptions"));
        m.exp = item(options, QStringLiteral("mnuExp"), QStringLiteral("&Exponential"), QKeySequence(Qt::CTRL | Qt::Key_E));
    }
    if (design.about) {
        m.about = bar->addAction(QStringLiteral("&About"));
        m.about->setObjectName(QStringLiteral("AboutOrvalis"));
    }
    return m;
}

void backToMain(platform::Form& screen)
{
    screen.Unload();
    ShowMainWindow();
}

void backToMainOnClose(platform::Form& screen, int UnloadMode)
{
    if (UnloadMode == platform::Form::vbFormControlMenu)
        backToMain(screen);
}

void copyText(const QString& text)
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void pasteInto(QLineEdit* box)
{
    box->setText(QString());
    box->insert(QApplication::clipboard()->text());
}

} // namespace screenparts
