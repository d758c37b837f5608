#include "screens/screenparts.h"

#include "core/navigation.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/twips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace screenparts {

QString indexed(const QString& name, int Index)
{
    return name + QLatin1Char('_') + QString::number(Index);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font, unsigned backColor,
              const Twips& at)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    platform::setBackColor(l, backColor);
    platform::placeTwips(l, at.left, at.top, at.width, at.height);
    return l;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const Twips& at)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    platform::placeTwips(box, at.left, at.top, at.width, at.height);
    return box;
}

QGroupBox* frame(QWidget* parent, const QString& name, int Index, unsigned backColor, const Twips& at)
{
    auto* f = new QGroupBox(Index == 0 ? QStringLiteral("Convert from:") : QStringLiteral("Convert to:"), parent);
    f->setObjectName(indexed(name, Index));
    f->setFont(platform::vbFont(9.75));
    platform::setBackColor(f, backColor);
    platform::placeTwips(f, at.left, at.top, at.width, at.height);
    return f;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, unsigned backColor,
                    const Twips& at)
{
    QPushButton* b = platform::commandButton(parent, name, caption, at.left, at.top, at.width, at.height);
    b->setFont(platform::vbFont(9.75));
    platform::setBackColor(b, backColor);
    return b;
}

void setTabOrder(const QList<QWidget*>& order)
{
    for (qsizetype k = 0; k + 1 < order.size(); ++k)
        QWidget::setTabOrder(order[k], order[k + 1]);
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

    // The menu bar speaks in the desktop's menu font, not the form's.
    QFont menuFont = QApplication::font("QMenuBar");
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    bar->setFont(menuFont);

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->setSeparatorsCollapsible(false); // its leading separator is shown
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
