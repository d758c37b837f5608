#pragma once
// Driving forms in tests as a user does: clicks, keys and choices on the
// real widgets, then reading what the controls show.
#include "testsupport.h"
#include "platform/form.h"
#include "platform/modal.h"
#include "platform/program.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace testing {

// The control of that name on a loaded form ("Text1", "btnFeet_0").
template <class T>
T* control(const platform::Form& form, const QString& name)
{
    return form.window() ? form.window()->findChild<T*>(name) : nullptr;
}

// Shows the form and waits until it is the active window, so keys and
// shortcuts reach it.
inline bool showActive(platform::Form& form)
{
    form.Show();
    if (!form.window())
        return false;
    form.window()->activateWindow();
    return QTest::qWaitForWindowActive(form.window());
}

inline void click(QWidget* w)
{
    QVERIFY(w && w->isVisible());
    QTest::mouseClick(w, Qt::LeftButton);
}

// Replaces the text of a box by typing, as a user selecting all and typing.
inline void type(QLineEdit* box, const QString& text)
{
    QVERIFY(box);
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Chooses an entry of a drop-down list as a mouse choice in its open list
// does: the entry becomes current and the list raises its Click.
inline void pick(QComboBox* list, const QString& text)
{
    QVERIFY(list);
    const int target = list->findText(text, Qt::MatchExactly);
    QVERIFY2(target >= 0, qPrintable(text));
    list->setFocus(Qt::MouseFocusReason);
    list->setCurrentIndex(target);
    emit list->activated(target);
}

// A key with Ctrl, sent to whatever has the focus in that window.
inline void ctrl(QWidget* window, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, key, Qt::ControlModifier);
}

// The names of the next count controls that Tab reaches from start.
inline QStringList tabChain(QWidget* start, int count)
{
    QStringList seen;
    QWidget* w = start;
    for (int k = 0; k < count; ++k) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible())
            w = w->nextInFocusChain();
        seen << w->objectName();
    }
    return seen;
}

// Types a full path into the open-file dialog's name box, as a user may
// whatever the dialog lists.
inline void typeOpenFileName(QFileDialog* dialog, const QString& path)
{
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(path);
}

// Answers the next open-file dialogs as a user does: chooses the file at
// path and presses Open, or presses Cancel when path is empty.
inline void answerOpenFile(const QString& path)
{
    platform::setModalAnswerer([path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (dialog && path.isEmpty()) {
            dialog->reject();
        } else if (dialog) {
            typeOpenFileName(dialog, path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
}

// Counts the program's endings instead of ending the test program.
struct EndWatcher {
    int count = 0;
    EndWatcher() { platform::setEndProgramHook([this] { ++count; }); }
    ~EndWatcher() { platform::setEndProgramHook(nullptr); }
};

// Data tables: string columns declared at once, a cell of the current row
// read by its column name, and the locale a row's tag names ("de_DE ..."
// rows run under de_DE, the others under C).
inline void columns(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        QTest::addColumn<QString>(name);
}
template <class T = QString>
T cell(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}
inline void useRowLocale()
{
    QLocale::setDefault(QLocale(QString::fromLatin1(QByteArray(QTest::currentDataTag()).startsWith("de_DE") ? "de_DE" : "C")));
}

// One test's surroundings: a temporary program folder (or a folder named
// sub inside it) for orvalis.ini and user.dat, the program's endings
// counted, and afterwards every form unloaded and every answerer removed.
struct TestFolder : QTemporaryDir {
    EndWatcher ended;
    explicit TestFolder(const QString& sub = QString())
    {
        if (!sub.isEmpty())
            QDir(path()).mkdir(sub);
        platform::setProgramFolder(sub.isEmpty() ? path() : filePath(sub));
    }
    ~TestFolder()
    {
        platform::Form::UnloadAll();
        platform::setModalAnswerer(nullptr);
        platform::setMsgBoxAnswerer(nullptr);
        platform::setProgramFolder(QString());
    }
};

// Chooses a unit on side i of a conversion screen (controls named "..._i")
// as a user does: clicks the shown button of that caption, else picks the
// entry from the list that holds it.
inline void chooseUnit(const platform::Form& form, const QString& unit, int i)
{
    const QList<QWidget*> side = form.window()->findChildren<QWidget*>(QRegularExpression(QStringLiteral("_%1$").arg(i)));
    for (QWidget* w : side)
        if (auto* b = qobject_cast<QPushButton*>(w); b && b->isVisible() && b->text() == unit)
            return click(b);
    for (QWidget* w : side)
        if (auto* l = qobject_cast<QComboBox*>(w); l && l->findText(unit) >= 0)
            return pick(l, unit);
    QFAIL(qPrintable(unit));
}

// Uses the menu item, or clicks the control, of that name in a window.
inline void choose(QWidget* window, const QString& name)
{
    if (QAction* item = window->findChild<QAction*>(name))
        return item->trigger();
    click(window->findChild<QWidget*>(name));
}

// A test of the screen F: its controls by name, what they show, and a
// unit chosen on side i as a user does.
template <class F>
struct ScreenTest : QObject {
    std::optional<TestFolder> folder; // the program's files, the main window's too
    F& screen() { return platform::the<F>(); }
    // Each test's start: a fresh folder (the last test's forms unload with the
    // one before), the C locale, the screen shown and active.
    void start()
    {
        folder.emplace();
        useLocale("C");
        QVERIFY(showActive(screen()));
    }
    template <class T = QLineEdit>
    T* get(const QString& name) { return control<T>(screen(), name); }
    QString shown(const QString& name) { return get<QWidget>(name)->property("text").toString(); }
    void choose(const QString& unit, int i) { chooseUnit(screen(), unit, i); }
    // Clicks the unit button named "btn<name>_<i>".
    void clickUnit(const QString& name, int i) { click(get<QPushButton>(QStringLiteral("btn%1_%2").arg(name).arg(i))); }
    // Types the input, chooses both units and gives the result shown.
    QString convert(const QString& input, const QString& from, const QString& to)
    {
        type(get("Text1"), input);
        choose(from, 0);
        choose(to, 1);
        return shown("Text4");
    }
};

// Counts the showings of the program's windows (only those of that name,
// if one is given) while it is installed as an event filter.
struct ShowCounter : QObject {
    QString name;
    int count = 0;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        count += e->type() == QEvent::Show && qobject_cast<platform::FormWindow*>(o) &&
                 (name.isEmpty() || o->objectName() == name);
        return false;
    }
};

} // namespace testing
