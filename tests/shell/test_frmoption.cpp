#include "testsupport.h"
#include "formdriver.h"
#include "core/orvl_mod.h"
#include "platform/launch.h"
#include "platform/modal.h"
#include "shell/frmoption.h"
#include "shell/unitmenu.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <optional>

using namespace testing;
using namespace platform;

class TestTools : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> folder;
    QByteArray searchPath;
    QStringList started, messages;

    frmOption& dialog() { return the<frmOption>(); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(dialog(), name); }
    QMainWindow* main() { return the<UnitMenu>().window(); }
    void choose(const char* item) { main()->findChild<QAction*>(item)->trigger(); }
    QString here(QString text) { return text.replace("$DIR", folder->path()); }
    QString iniText()
    {
        QFile f(folder->filePath("orvalis.ini"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "(no file)";
    }
    void store(const QString& key, const QString& value)
    {
        QFile f(folder->filePath("orvalis.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(("[Options]\n" + key + "=" + value + "\n").toUtf8());
    }
    void install(const QStringList& programs)
    {
        for (const QString& name : programs) {
            QFile f(folder->filePath("bin/" + name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
    }

private slots:
    void init()
    {
        folder.emplace();
        QVERIFY(QDir(folder->path()).mkdir("bin"));
        setProgramFolder(folder->path());
        searchPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder->filePath("bin")));
        started.clear(), messages.clear();
        setProgramStarter([this](const ProgramStart& s) {
            started << QStringList(QStringList{s.program} + s.arguments).join('|') + QString("/%1").arg(s.style);
            return true;
        });
        setMsgBoxAnswerer([this](const MsgBoxRequest& r) { return messages << r.prompt, vbOK; });
        QVERIFY(showActive(the<UnitMenu>()));
    }
    void cleanup()
    {
        Form::UnloadAll();
        qputenv("PATH", searchPath);
        setProgramStarter(nullptr);
        setMsgBoxAnswerer(nullptr);
        setModalAnswerer(nullptr);
        setProgramFolder(QString());
    }

    // Without orvalis.ini: the first installed program of each kind, or the
    // first of the kind in the program folder; OK with empty boxes writes
    // nothing; a launch while the dialog is open uses the file.
    void defaults_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("calculator");
        QTest::addColumn<QString>("editor");
        QTest::newRow("none installed") << QStringList() << "/usr/bin/gnome-calculator" << "/usr/bin/gnome-text-editor";
        QTest::newRow("some installed") << QStringList{"xcalc", "kcalc", "mousepad"} << "$DIR/bin/kcalc"
                                        << "$DIR/bin/mousepad";
    }
    void defaults()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, calculator);
        QFETCH(QString, editor);
        install(installed);
        choose("mnuCalcSetup");
        QVERIFY(dialog().window()->isVisible() && main()->isVisible());
        QCOMPARE(dialog().window()->windowTitle(), "Tool Selection");
        QCOMPARE(box("lblCalcPath")->text() + " " + box("lblNotePath")->text(), here(calculator) + " " + here(editor));
        QTRY_COMPARE(QApplication::focusWidget(), box("txtCalcPath"));
        type(box("txtCalcPath"), "/usr/bin/typed");
        QWidget* active = QApplication::activeWindow();
        choose("mnuCalculator");
        choose("mnuNotepad");
        QCOMPARE(started, QStringList({here(calculator) + "/4", here(editor) + "/4"}));
        QCOMPARE(QApplication::activeWindow(), active); // the launches keep the focus here
        type(box("txtCalcPath"), "");
        click(control<QPushButton>(dialog(), "btnOK_0"));
        QVERIFY(!dialog().IsLoaded());
        QCOMPARE(iniText(), "(no file)");
    }

    void ok_data()
    {
        QTest::addColumn<QString>("calculator"); // typed into the new-path boxes
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shownAfter"); // current calculator path on the next opening
        QTest::newRow("only the editor") << "" << "/usr/bin/kate" << "[Options]\nNotePad=/usr/bin/kate\n"
                                         << "/usr/bin/gnome-calculator";
        QTest::newRow("both") << "/usr/bin/kcalc -x" << "/usr/bin/kate"
                              << "[Options]\nCalculator=/usr/bin/kcalc -x\nNotePad=/usr/bin/kate\n" << "/usr/bin/kcalc -x";
        QTest::newRow("blanks") << "   " << "" << "[Options]\nCalculator=   \n" << "";
    }
    void ok()
    {
        QFETCH(QString, calculator);
        QFETCH(QString, editor);
        QFETCH(QString, file);
        QFETCH(QString, shownAfter);
        choose("mnuNoteSetup");
        type(box("lblCalcPath"), "typed over the current path");
        type(box("txtCalcPath"), calculator);
        type(box("txtNotePath"), editor);
        click(control<QPushButton>(dialog(), "btnOK_0"));
        QVERIFY(!dialog().IsLoaded());
        QCOMPARE(iniText(), file);
        choose("mnuCalcSetup");
        QCOMPARE(box("lblCalcPath")->text(), shownAfter);
        choose("mnuCalculator");
        QCOMPARE(started, shownAfter.isEmpty() ? QStringList() : QStringList(shownAfter.split(' ').join('|') + "/4"));
        QCOMPARE(messages, QStringList());
    }

    void cancelAndCloseWriteNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndCloseWriteNothing()
    {
        QFETCH(bool, closeBox);
        choose("mnuCalcSetup");
        type(box("txtCalcPath"), "/usr/bin/kcalc");
        closeBox ? void(dialog().window()->close()) : click(control<QPushButton>(dialog(), "btnCancel"));
        QVERIFY(!dialog().IsLoaded());
        QCOMPARE(iniText(), "(no file)");
    }

    void unwritableFileIsReported()
    {
        setProgramFolder(folder->filePath("gone")); // no such folder
        choose("mnuCalcSetup");
        type(box("txtNotePath"), "/usr/bin/kate");
        click(control<QPushButton>(dialog(), "btnOK_0"));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("could not be saved"));
        QVERIFY(dialog().window()->isVisible());
        QCOMPARE(box("txtNotePath")->text(), "/usr/bin/kate");
    }

    // Browse fills the box of its row; Cancel keeps what was typed there.
    void browse_data()
    {
        QTest::addColumn<int>("Index");
        QTest::addColumn<QString>("chosen"); // "": Cancel
        QTest::addColumn<QString>("calculator");
        QTest::addColumn<QString>("editor");
        QTest::newRow("calculator") << 0 << "$DIR/bin/kcalc" << "$DIR/bin/kcalc" << "typed";
        QTest::newRow("editor") << 1 << "$DIR/bin/kcalc" << "typed" << "$DIR/bin/kcalc";
        QTest::newRow("cancelled") << 0 << "" << "typed" << "typed";
    }
    void browse()
    {
        QFETCH(int, Index);
        QFETCH(QString, chosen);
        QFETCH(QString, calculator);
        QFETCH(QString, editor);
        install({"kcalc"});
        choose("mnuCalcSetup");
        type(box("txtCalcPath"), "typed");
        type(box("txtNotePath"), "typed");
        QString offered;
        setModalAnswerer([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            offered = dialog->nameFilters().join(',') + " in " + dialog->directory().absolutePath();
            typeOpenFileName(dialog, here(chosen));
            chosen.isEmpty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
        });
        click(control<QPushButton>(dialog(), Index ? "btnBrowse_1" : "btnBrowse_0"));
        setModalAnswerer(nullptr);
        QCOMPARE(offered, "Executables (*.EXE) in /usr/bin");
        QCOMPARE(box("txtCalcPath")->text() + " " + box("txtNotePath")->text(), here(calculator) + " " + here(editor));
    }

    // Command lines start without a shell.
    void launch_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("start"); // program and arguments, "|" between
        QTest::newRow("shell characters") << "/bin/echo a;b" << "/bin/echo|a;b";
        QTest::newRow("substitution") << "/bin/echo $(reboot) `id` >out" << "/bin/echo|$(reboot)|`id`|>out";
        QTest::newRow("quotes") << "\"$DIR/bin/my editor\" \"x y\" z" << "$DIR/bin/my editor|x y|z";
        QTest::newRow("existing file with a blank") << "$DIR/bin/my editor" << "$DIR/bin/my editor";
        QTest::newRow("empty") << "" << "";
    }
    void launch()
    {
        QFETCH(QString, stored);
        QFETCH(QString, start);
        install({"my editor"});
        store("NotePad", here(stored));
        choose("mnuNotepad");
        QCOMPARE(started, start.isEmpty() ? QStringList() : QStringList(here(start) + "/4"));
        QVERIFY(main()->isVisible());
    }

    // A real start: a program that cannot start shows nothing and changes
    // nothing.
    void realStart()
    {
        setProgramStarter(nullptr);
        store("Calculator", "/nonexistent/calc");
        choose("mnuCalculator");
        QVERIFY(main()->isVisible());
        QCOMPARE(QApplication::activeWindow(), main());
        QCOMPARE(messages, QStringList());
        QCOMPARE(iniText(), "[Options]\nCalculator=/nonexistent/calc\n");
        QVERIFY(!Shell("/nonexistent/calc", vbNormalNoFocus));
        QVERIFY(Shell("/bin/echo started without a shell;", vbNormalNoFocus));
    }
};
ORVALIS_TEST(TestTools)
#include "test_frmoption.moc"
