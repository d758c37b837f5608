#include "testsupport.h"
#include "formdriver.h"
#include "core/ini_file_tools.h"
#include "core/orvl_mod.h"
#include "platform/imagecontrol.h"
#include "platform/launch.h"
#include "platform/modal.h"
#include "platform/registry.h"
#include "screens/dialength.h"
#include "shell/frmabout.h"
#include "shell/unitmenu.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <optional>

using namespace testing;
using namespace platform;

namespace {
const QString Key1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString Key2 = "SOFTWARE\\Microsoft\\Shared Tools Location";
} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> folder;
    QStringList messages, started;
    QList<QUrl> opened;

    frmAbout& about() { return the<frmAbout>(); }
    QString here(QString text) { return text.replace("$DIR", folder->path()); }

public slots:
    void openUrl(const QUrl& url) { opened << url; }

private slots:
    void init()
    {
        folder.emplace();
        setProgramFolder(folder->path());
        messages.clear(), started.clear(), opened.clear();
        setMsgBoxAnswerer([this](const MsgBoxRequest& r) { return messages << r.title + ": " + r.prompt, vbOK; });
        setProgramStarter([this](const ProgramStart& s) {
            started << QStringList(s.program).join(' ') + QStringList(s.arguments).join(' ');
            return QFileInfo(s.program).isFile();
        });
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
    }
    void cleanup()
    {
        Form::UnloadAll();
        setModalAnswerer(nullptr);
        setMsgBoxAnswerer(nullptr);
        setProgramStarter(nullptr);
        resetRegistry();
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
        setProgramFolder(QString());
    }

    // Modal over the main window and over the length screen; every way of
    // closing it gives the caller back, and the main window refreshes its
    // custom sets.
    void fromItsCallers_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<int>("key"); // 0: the close box
        QTest::newRow("main window, Esc") << "UnitMenu" << int(Qt::Key_Escape);
        QTest::newRow("main window, Enter") << "UnitMenu" << int(Qt::Key_Return);
        QTest::newRow("main window, close box") << "UnitMenu" << 0;
        QTest::newRow("length screen, Esc") << "diaLength" << int(Qt::Key_Escape);
    }
    void fromItsCallers()
    {
        QFETCH(QString, caller);
        QFETCH(int, key);
        EndWatcher ended;
        Form& owner = caller == "UnitMenu" ? static_cast<Form&>(the<UnitMenu>()) : the<diaLength>();
        QVERIFY(showActive(owner));
        QString seen;
        setModalAnswerer([&](QWidget* w) {
            QTRY_VERIFY(QApplication::activeWindow() == w);
            seen = w->windowTitle() + "|" + w->findChild<QLabel*>("lblTitle")->text() + "|" +
                   (owner.window()->isVisible() ? "over its caller" : "alone");
            WriteIni(folder->filePath("user.dat"), "User2Factors", "Table_Name", "Kitchen");
            key ? QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)) : void(w->close());
        });
        owner.window()->findChild<QAction*>("AboutOrvalis")->trigger();
        QCOMPARE(seen, "About Orvalis|Orvalis Unit Conversions - Ver. 5.2.1|over its caller");
        QVERIFY(!about().IsLoaded());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(QTest::qWaitForWindowActive(owner.window()));
        if (caller == "UnitMenu")
            QTRY_COMPARE(control<QLabel>(owner, "lblUser2")->text(), "Kitchen");
        QCOMPARE(ended.count, 0);
    }

    void sysInfo_data()
    {
        QTest::addColumn<uint>("type1"); // type of value 1; 0: none
        QTest::addColumn<QString>("value1");
        QTest::addColumn<QString>("value2"); // "": none
        QTest::addColumn<QString>("started");
        QTest::addColumn<QStringList>("reads");
        QTest::newRow("value 1 names a missing file")
            << uint(REG_SZ) << "/nonexistent/msinfo" << "$DIR" << "/nonexistent/msinfo" << QStringList{"PATH"};
        QTest::newRow("value 1 names the tool")
            << uint(REG_SZ) << "$DIR/MSINFO32.EXE" << "" << "$DIR/MSINFO32.EXE" << QStringList{"PATH"};
        QTest::newRow("value 1 of another type") << uint(REG_EXPAND_SZ) << "$DIR/MSINFO32.EXE" << "$DIR" << ""
                                                 << QStringList{"PATH"};
        QTest::newRow("value 1 of no bytes") << uint(REG_BINARY) << "" << "$DIR" << "" << QStringList{"PATH"};
        QTest::newRow("value 2 holds the tool")
            << 0u << "" << "$DIR" << "$DIR/MSINFO32.EXE" << QStringList{"PATH", "MSINFO"};
        QTest::newRow("value 2 without the tool") << 0u << "" << "/nonexistent" << "" << QStringList{"PATH", "MSINFO"};
        QTest::newRow("neither") << 0u << "" << "" << "" << QStringList{"PATH", "MSINFO"};
    }
    void sysInfo()
    {
        QFETCH(uint, type1);
        QFETCH(QString, value1);
        QFETCH(QString, value2);
        QFETCH(QString, started);
        QFETCH(QStringList, reads);
        QFile tool(folder->filePath("MSINFO32.EXE"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        RegistryKey first{HKEY_LOCAL_MACHINE, Key1, {}}, second{HKEY_LOCAL_MACHINE, Key2, {}};
        if (type1)
            first.values["PATH"] = value1.isEmpty() ? RegistryValue::bytes(type1, {}) : RegistryValue::text(here(value1), type1);
        if (!value2.isEmpty())
            second.values["MSINFO"] = RegistryValue::text(here(value2));
        setRegistryContent({first, second});
        about().Show();
        click(control<QPushButton>(about(), "cmdSysInfo"));
        QCOMPARE(this->started, started.isEmpty() ? QStringList() : QStringList(here(started)));
        const bool runs = QFileInfo(here(started)).isFile();
        QCOMPARE(messages, runs ? QStringList() : QStringList("ORVALIS Unit Conversions: System Information Is Unavailable At This Time"));
        QCOMPARE(registryReads(), reads);
        QVERIFY(about().window()->isVisible());
    }

    void getKeyValue_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("after");
        QTest::newRow("32-bit number") << uint(REG_DWORD) << QByteArray("\x02\x01\x00\x00", 4) << "" << true << "&h012";
        QTest::newRow("number without a zero byte") << uint(REG_DWORD) << QByteArray("\xff\x00\x00\x01", 4) << ""
                                                    << true << "&h100FF";
        QTest::newRow("text") << uint(REG_SZ) << QByteArray("/usr/bin/tool\0", 14) << "" << true << "/usr/bin/tool";
        QTest::newRow("text without its NUL") << uint(REG_SZ) << QByteArray("abc") << "" << true << "abc";
        QTest::newRow("other type") << uint(REG_EXPAND_SZ) << QByteArray("abc\0", 4) << "kept" << true << "kept";
        QTest::newRow("longer than the buffer") << uint(REG_SZ) << QByteArray(1025, 'a') << "old" << false << "";
        QTest::newRow("no such value") << 0u << QByteArray() << "old" << false << "";
    }
    void getKeyValue()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(QString, before);
        QFETCH(bool, found);
        QFETCH(QString, after);
        RegistryKey key{HKEY_LOCAL_MACHINE, Key1, {}};
        if (type)
            key.values["PATH"] = RegistryValue::bytes(type, data);
        setRegistryContent({key});
        QString KeyVal = before;
        QCOMPARE(about().GetKeyValue(HKEY_LOCAL_MACHINE, Key1, "PATH", KeyVal), found);
        QCOMPARE(KeyVal, after);
        // Keys may only be read: an open that asks to change them fails.
        HKEY h = 0;
        QCOMPARE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key1, 0, 0x2003F, &h), ERROR_ACCESS_DENIED);
    }

    // On a real machine the first installed system-information program.
    void machineValue()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(folder->path()));
        QString KeyVal;
        resetRegistry();
        QVERIFY(!about().GetKeyValue(HKEY_LOCAL_MACHINE, Key1, "PATH", KeyVal));
        for (const char* name : {"kinfocenter", "hardinfo"}) {
            QFile program(folder->filePath(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        resetRegistry();
        const bool found = about().GetKeyValue(HKEY_LOCAL_MACHINE, Key1, "PATH", KeyVal);
        qputenv("PATH", path);
        QVERIFY(found);
        QCOMPARE(KeyVal, folder->filePath("hardinfo"));
    }

    void linksAndPictures()
    {
        about().Show();
        for (const char* name : {"URLbrenholtsoft", "lblSupport", "Image2"})
            click(control<QWidget>(about(), name));
        QCOMPARE(opened, QList<QUrl>({QUrl("https://www.example.org/"), QUrl("mailto:support@example.org"),
                                      QUrl("mailto:support@example.org")}));
        QCOMPARE(control<QLabel>(about(), "URLbrenholtsoft")->text(), "www.example.org");
        for (const char* name : {"Image1", "Image2"})
            QVERIFY(!control<ImageControl>(about(), name)->picture().isNull());
        QVERIFY(about().window()->isVisible());
    }
};
ORVALIS_TEST(TestAbout)
#include "test_frmabout.moc"
