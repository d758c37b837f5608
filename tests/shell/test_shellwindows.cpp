#include "testsupport.h"
#include "formdriver.h"
#include "core/ini_file_tools.h"
#include "core/catalogue.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "platform/launch.h"
#include "platform/registry.h"
#include "platform/simplecombo.h"
#include "shell/frmabout.h"
#include "shell/frmoption.h"
#include "shell/lookup.h"
#include "shell/menutable.h"
#include "shell/unitmenu.h"

#include <QDesktopServices>
#include <QListWidget>
#include <optional>

using namespace testing;
using namespace platform;

namespace {
const QString Unchanged = "(as it was)";
const QString Key1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", Key2 = "SOFTWARE\\Microsoft\\Shared Tools Location";

// The program's windows on the screen, by name.
QStringList shownWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<FormWindow*>(w))
            names << w->objectName();
    return names.sort(), names;
}

} // namespace

// The unit finder, the About box and the external tools, driven from the
// main window.
class TestShellWindows : public QObject {
    Q_OBJECT

    std::optional<TestFolder> folder;
    QByteArray searchPath;
    QStringList started, messages;
    QList<QUrl> opened;

    QMainWindow* main() { return the<UnitMenu>().window(); }
    SimpleCombo* combo() { return control<SimpleCombo>(the<lookup>(), "Combo1"); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(the<frmOption>(), name); }
    QString here(QString text) { return text.replace("$DIR", folder->path()); }
    QString iniText()
    {
        QFile f(folder->filePath("orvalis.ini"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "(no file)";
    }
    void createFile(const QString& path, const QString& text) // a program, as far as it matters
    {
        QFile f(here(path));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) >= 0);
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

public slots:
    void openUrl(const QUrl& url) { opened << url; }

private slots:
    void init()
    {
        folder.emplace();
        QVERIFY(QDir(folder->path()).mkdir("bin"));
        searchPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder->filePath("bin")));
        LOADDATA::CategoryName = Unchanged;
        started.clear(), messages.clear(), opened.clear();
        setProgramStarter([this](const ProgramStart& s) {
            started << (QStringList{s.program} + s.arguments).join('|') + QString("/%1").arg(s.style);
            return QFileInfo(s.program).isFile();
        });
        setMsgBoxAnswerer([this](const MsgBoxRequest& r) { return messages << r.title + ": " + r.prompt, vbOK; });
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
        Main();
        QVERIFY(QTest::qWaitForWindowActive(main()));
    }
    void cleanup()
    {
        Form::UnloadAll();
        QCOMPARE(folder->ended.count, 0); // nothing here ends the program
        folder.reset();
        qputenv("PATH", searchPath);
        setProgramStarter(nullptr);
        resetRegistry();
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    // What the user does in the finder (";" between steps: a name to GO TO
    // with Enter, "*name" to double-click, a control or menu item, a main
    // window button), the one window left on the screen, shown once, and
    // the category stored.
    void finder_data()
    {
        columns({"steps", "shown", "category"});
        QTest::newRow("typed only") << "millibar" << "template1" << "Pressure";
        QTest::newRow("double-click") << "*are" << "template1" << "Area";
        QTest::newRow("wrong case") << "Inch" << "lookup" << Unchanged;
        QTest::newRow("CANCEL after a miss") << "Inch;btnCancel" << "UnitMenu" << Unchanged;
        QTest::newRow("Exit after a miss") << "Inch;mnuExit" << "UnitMenu" << Unchanged;
        QTest::newRow("close box after a miss") << "Inch;close box" << "UnitMenu" << Unchanged;
        QTest::newRow("close box beside a screen") << "picBtnLength;close box" << "diaLength" << Unchanged;
        QTest::newRow("close box beside Tool Selection") << "mnuNoteSetup;Inch;close box" << "UnitMenu,frmOption"
                                                         << Unchanged;
        QTest::newRow("open target as it is") << "PicBtnArea;bar" << "template1" << "Pressure";
    }
    void finder()
    {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        QFETCH(QString, category);
        ShowCounter shows;
        shows.name = shown.section(',', 0, 0);
        qApp->installEventFilter(&shows);
        choose(main(), "mnuLookup");
        for (const QString& step : steps.split(';')) {
            QWidget* finder = the<lookup>().window();
            QWidget* in = finder->findChild<QObject*>(step) ? finder : main() && main()->findChild<QObject*>(step) ? main() : nullptr;
            QListWidget* list = combo()->list();
            if (step.startsWith('*')) {
                const QPoint at = list->visualItemRect(list->findItems(step.mid(1), Qt::MatchExactly)[0]).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at); // a double-click's first click
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else if (step == "close box") {
                finder->close();
            } else if (in) {
                choose(in, step);
            } else { // typed, then Enter
                type(combo()->edit(), step);
                QTest::keyClick(combo()->edit(), Qt::Key_Return);
            }
        }
        qApp->removeEventFilter(&shows);
        QCOMPARE(shownWindows(), shown.split(','));
        QCOMPARE(shows.count, 1); // Enter runs GO TO once; an open screen is not loaded again
        QCOMPARE(LOADDATA::CategoryName, category);
        if (shown == "lookup") // the main window is gone, the finder keeps the text
            QCOMPARE(combo()->Text(), steps);
        if (shown == "UnitMenu") { // closed, not hidden: opened again, it is built anew
            choose(main(), "mnuLookup");
            QCOMPARE(combo()->Text(), "angstrom");
        }
    }

    // The finder opens over the main window with every listed name sorted
    // (253 names, none twice, the typed-only ones not listed); every name,
    // listed or typed only, leads to its group's window and, for the generic
    // screen, to a category the catalogue holds.
    void finderEveryName()
    {
        choose(main(), "mnuLookup");
        QCOMPARE(shownWindows() << combo()->Text(), QStringList({"UnitMenu", "lookup", "angstrom"}));
        QStringList listed;
        for (int k = 0; k < combo()->ListCount(); ++k)
            listed << combo()->List(k);
        QVERIFY(std::is_sorted(listed.begin(), listed.end(), [](auto& a, auto& b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));
        type(combo()->edit(), "kilow");
        choose(main(), "mnuLookup"); // only brings the same finder forward
        QCOMPARE(combo()->Text() + QString::number(combo()->ListCount()), "kilow247");
        QSet<QString> all;
        for (const finder::Group& g : finder::groups())
            for (const QString& name : g.listed + g.typed) {
                QVERIFY2((all.insert(name), listed.removeAll(name) == g.listed.contains(name)), qPrintable(name));
                Form::UnloadAll();
                LOADDATA::CategoryName = Unchanged;
                the<UnitMenu>().Show();
                choose(main(), "mnuLookup");
                type(combo()->edit(), name);
                QTest::keyClick(combo()->edit(), Qt::Key_Return);
                QCOMPARE(shownWindows() << LOADDATA::CategoryName, QStringList({g.target, g.category ? g.category : Unchanged}));
                QVERIFY(!g.category || LOADDATA::findCategory(g.category));
            }
        QCOMPARE(all.size() * 10 + int(listed.size()), 2530);
    }

    // Modal over its caller; every way of closing it gives the caller back,
    // and the main window refreshes its custom sets.
    void aboutFromItsCallers_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("owned"); // the caller owns the box
        QTest::newRow("main window, Esc") << "UnitMenu" << int(Qt::Key_Escape) << true;
        QTest::newRow("main window, Enter") << "UnitMenu" << int(Qt::Key_Return) << true;
        for (const char* screen : {"diaLength", "diaVelocity", "template1", "diaUser1"})
            QTest::newRow(screen) << screen << int(Qt::Key_Escape) << true;
        QTest::newRow("feet and inches") << "diaFeet_n_Inches" << int(Qt::Key_Return) << false;
    }
    void aboutFromItsCallers()
    {
        QFETCH(QString, caller);
        QFETCH(int, key);
        QFETCH(bool, owned);
        const bool fromMain = caller == "UnitMenu";
        Form& owner = fromMain ? static_cast<Form&>(the<UnitMenu>()) : *unitmenu::targetForm(caller);
        QVERIFY(showActive(owner));
        QString seen;
        setModalAnswerer([&](QWidget* w) {
            QTRY_VERIFY(QApplication::activeWindow() == w);
            // modal, its caller still shown, and owned by the caller where it should be
            seen = QString::number(w->isModal()) + QString::number(owner.window()->isVisible()) +
                   QString::number(w->windowHandle()->transientParent() == owner.window()->windowHandle());
            WriteIni(folder->filePath("user.dat"), "User2Factors", "Table_Name", "Kitchen");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        choose(owner.window(), "AboutOrvalis");
        QCOMPARE(seen, QString("11%1").arg(int(owned)));
        QVERIFY(!the<frmAbout>().IsLoaded() && !QApplication::activeModalWidget());
        QVERIFY(QTest::qWaitForWindowActive(owner.window()));
        if (fromMain)
            QTRY_COMPARE(control<QLabel>(owner, "lblUser2")->text(), "Kitchen");
    }

    // System Info over registry values (on a real machine, the first
    // installed system-information program); the links beside it.
    void aboutSysInfo_data()
    {
        QTest::addColumn<uint>("type1"); // of value 1; 0: none
        // value2 "": none; "machine": value1 names the programs installed
        columns({"value1", "value2", "started"});
        QTest::addColumn<QStringList>("reads");
        const QStringList first{"PATH"}, both{"PATH", "MSINFO"};
        QTest::newRow("value 1 missing file") << uint(REG_SZ) << "/nonexistent/tool" << "$DIR" << "/nonexistent/tool/1" << first;
        QTest::newRow("value 1") << uint(REG_SZ) << "$DIR/MSINFO32.EXE" << "" << "$DIR/MSINFO32.EXE/1" << first;
        QTest::newRow("value 1 other type") << uint(REG_EXPAND_SZ) << "$DIR/MSINFO32.EXE" << "$DIR" << "" << first;
        QTest::newRow("value 1 of no bytes") << uint(REG_BINARY) << "" << "$DIR" << "" << first;
        QTest::newRow("value 1 a number") << uint(REG_DWORD) << QString::fromLatin1("\x02\x01\0\0", 4) << "$DIR"
                                          << "&h012/1" << first;
        QTest::newRow("value 2") << 0u << "" << "$DIR" << "$DIR/MSINFO32.EXE/1" << both;
        QTest::newRow("value 2 without the tool") << 0u << "" << "/nonexistent" << "" << both;
        QTest::newRow("machine") << 0u << "kinfocenter hardinfo" << "machine" << "$DIR/bin/hardinfo/1" << first;
        QTest::newRow("machine without a tool") << 0u << "" << "machine" << "" << QStringList();
    }
    void aboutSysInfo()
    {
        QFETCH(uint, type1);
        QFETCH(QString, value1);
        QFETCH(QString, value2);
        QFETCH(QString, started);
        QFETCH(QStringList, reads);
        createFile("$DIR/MSINFO32.EXE", "");
        RegistryKey first{HKEY_LOCAL_MACHINE, Key1, {}}, second{HKEY_LOCAL_MACHINE, Key2, {}};
        if (type1)
            first.values["PATH"] = type1 > REG_EXPAND_SZ ? RegistryValue::bytes(type1, value1.toLatin1())
                                                         : RegistryValue::text(here(value1), type1);
        if (!value2.isEmpty())
            second.values["MSINFO"] = RegistryValue::text(here(value2));
        for (const QString& name : value2 == "machine" ? value1.split(' ', Qt::SkipEmptyParts) : QStringList())
            createFile("$DIR/bin/" + name, "");
        value2 == "machine" ? resetRegistry() : setRegistryContent({first, second});
        the<frmAbout>().Show();
        click(control<QPushButton>(the<frmAbout>(), "cmdSysInfo"));
        QCOMPARE(this->started, started.isEmpty() ? QStringList() : QStringList(here(started)));
        const bool ran = started.startsWith("$DIR");
        QCOMPARE(messages.join(""), ran ? "" : "ORVALIS Unit Conversions: System Information Is Unavailable At This Time");
        QCOMPARE(registryReads(), reads);
        HKEY h = 0; // keys may only be read
        QCOMPARE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key1, 0, 0x2003F, &h), reads.isEmpty() ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        for (const char* name : {"URLbrenholtsoft", "lblSupport", "Image2"})
            click(control<QWidget>(the<frmAbout>(), name));
        const QUrl mail("mailto:support@example.org");
        QCOMPARE(opened, QList<QUrl>({QUrl("https://www.example.org/"), mail, mail}));
    }

    // Tool Selection: the paths in force (without orvalis.ini the first
    // installed program of each kind, else the first of the kind in the
    // system's program folder), the new paths typed, how it is closed, and
    // then the file and what the launches start, beside the main window:
    // command lines split without a shell, an existing file's blanks kept.
    void toolSelection_data()
    {
        // typed: calculator|editor; started: Calculator, then Notepad
        columns({"installed", "typed", "button", "file", "started"});
        const QString calc = "/usr/bin/gnome-calculator/4", note = "/usr/bin/gnome-text-editor/4";
        QTest::newRow("nothing typed") << "" << "|" << "btnOK_0" << "(no file)" << calc + " " + note;
        QTest::newRow("installed") << "xcalc kcalc mousepad" << "|" << "btnOK_0" << "(no file)"
                                   << "$DIR/bin/kcalc/4 $DIR/bin/mousepad/4";
        QTest::newRow("only the editor") << "" << "|$DIR/bin/my editor" << "btnOK_0"
                                         << "[Options]\nNotePad=$DIR/bin/my editor\n" << calc + " $DIR/bin/my editor/4";
        QTest::newRow("both") << "" << "/bin/echo a;b|\"$DIR/bin/my editor\" \"x y\" z" << "btnOK_0"
                              << "[Options]\nCalculator=/bin/echo a;b\nNotePad=\"$DIR/bin/my editor\" \"x y\" z\n"
                              << "/bin/echo|a;b/4 $DIR/bin/my editor|x y|z/4";
        QTest::newRow("blanks") << "" << "   |" << "btnOK_0" << "[Options]\nCalculator=   \n" << note;
        QTest::newRow("Cancel") << "" << "/bin/calc|" << "btnCancel" << "(no file)" << calc + " " + note;
        QTest::newRow("cannot write") << "" << "/bin/calc|" << "btnOK_0" << "gone" << "";
    }
    void toolSelection()
    {
        QFETCH(QString, installed);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QString, started);
        for (const QString& name : installed.split(' ', Qt::SkipEmptyParts))
            createFile("$DIR/bin/" + name, "");
        createFile("$DIR/bin/my editor", "");
        if (file == "gone")
            setProgramFolder(folder->filePath("gone")); // no such folder
        choose(main(), "mnuNoteSetup");
        if (typed == "|") // the paths in force, as the launches below start them
            QCOMPARE(box("lblCalcPath")->text() + "/4 " + box("lblNotePath")->text() + "/4", here(started));
        QTRY_COMPARE(QApplication::focusWidget(), box("txtCalcPath"));
        type(box("lblCalcPath"), "typed over the current path");
        type(box("txtCalcPath"), here(typed.section('|', 0, 0)));
        type(box("txtNotePath"), here(typed.section('|', 1)));
        choose(the<frmOption>().window(), button);
        if (file == "gone") { // said, and the dialog stays with the typed path
            QVERIFY(messages.join("").contains("could not be saved"));
            QCOMPARE(box("txtCalcPath")->text(), "/bin/calc");
            return;
        }
        QVERIFY(!the<frmOption>().IsLoaded());
        QCOMPARE(iniText(), here(file));
        QVERIFY(showActive(the<UnitMenu>()));
        choose(main(), "mnuCalculator");
        choose(main(), "mnuNotepad");
        QCOMPARE(this->started.join(' '), here(started));
        QCOMPARE(QApplication::activeWindow(), main()); // the launches keep the focus here
        QCOMPARE(messages, QStringList());
    }

    // Browse fills the box of its row; Cancel keeps what was typed there.
    void toolBrowse()
    {
        createFile("$DIR/bin/kcalc", "");
        choose(main(), "mnuCalcSetup");
        type(box("txtCalcPath"), "typed");
        type(box("txtNotePath"), "typed");
        QString offered, chosen;
        setModalAnswerer([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            offered = dialog->nameFilters().join(',') + " in " + dialog->directory().absolutePath();
            typeOpenFileName(dialog, chosen);
            chosen.isEmpty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
        });
        const QStringList boxes{"typed typed", "typed $DIR/bin/kcalc", "$DIR/bin/kcalc $DIR/bin/kcalc"};
        for (int k = 0; k < 3; ++k) { // Cancel in the first row, a choice in the second, then the first
            chosen = k ? here("$DIR/bin/kcalc") : "";
            choose(the<frmOption>().window(), QString("btnBrowse_%1").arg(k % 2));
            QCOMPARE(offered, "Executables (*.EXE) in /usr/bin");
            QCOMPARE(box("txtCalcPath")->text() + " " + box("txtNotePath")->text(), here(boxes[k]));
        }
    }

    // A program that cannot start shows and says nothing; one that can is
    // started without a shell.
    void toolLaunch()
    {
        setProgramStarter(nullptr);
        createFile("$DIR/orvalis.ini", "[Options]\nNotePad=/nonexistent/calc\n");
        choose(main(), "mnuNotepad");
        QCOMPARE(shownWindows() + messages, QStringList("UnitMenu")); // nothing shown, nothing said
        QVERIFY(!Shell("/nonexistent/calc", vbNormalNoFocus));
        QVERIFY(Shell("/bin/echo started without a shell;", vbNormalNoFocus));
    }
};
ORVALIS_TEST(TestShellWindows)
#include "test_shellwindows.moc"
