#include "testsupport.h"
#include "core/ini_file_tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

// Every entry of a folder: no temporary file may be left behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

// ReadIni, WriteIni and GetWindowsDir on real files, as the custom-set
// screen, the main window and the Tool Selection dialog use them.
class TestIniFileTools : public QObject {
    Q_OBJECT
private slots:
    void readDefaults_data()
    {
        QTest::addColumn<QString>("name"); // file name inside the folder
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray opts("[Options]\nCalculator=\nNotePad=  gedit  \n");
        QTest::newRow("missing file") << "none.ini" << QByteArray() << "Options" << "Calculator"
                                      << "c:\\windows\\calc.exe";
        QTest::newRow("missing folder") << "no/such/orvalis.ini" << QByteArray() << "Options" << "Calculator"
                                        << "c:\\windows\\calc.exe";
        QTest::newRow("missing section") << "orvalis.ini" << opts << "Other" << "Calculator"
                                         << "c:\\windows\\calc.exe";
        QTest::newRow("missing key") << "orvalis.ini" << opts << "Options" << "Editor" << "c:\\windows\\calc.exe";
        QTest::newRow("empty value") << "orvalis.ini" << opts << "Options" << "Calculator" << "";
        QTest::newRow("blanks dropped") << "orvalis.ini" << opts << "options" << "notepad" << "gedit";
        QTest::newRow("empty file") << "orvalis.ini" << QByteArray() << "Options" << "Calculator"
                                    << "c:\\windows\\calc.exe";
    }
    void readDefaults()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(name);
        if (!content.isEmpty() || name == "orvalis.ini")
            writeBytes(path, content);
        QCOMPARE(ReadIni(path, section, key, "c:\\windows\\calc.exe"), expected);
    }

    // Paths that are no regular file read as the default, without blocking.
    void readOddPaths()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(ReadIni(dir.path(), "S", "k", "d"), QStringLiteral("d"));
        QCOMPARE(ReadIni(QString(), "S", "k", "d"), QStringLiteral("d"));
        const QString fifo = dir.filePath("fifo.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(ReadIni(fifo, "S", "k", "d"), QStringLiteral("d"));
        QVERIFY(!WriteIni(fifo, "S", "k", "v"));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }

    void writeThenRead()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("orvalis.ini");
        QVERIFY(WriteIni(file, "Options", "Calculator", "/usr/bin/gnome-calculator"));
        QVERIFY(WriteIni(file, "Options", "NotePad", "/usr/bin/gedit"));
        QCOMPARE(ReadIni(file, "Options", "Calculator", "d"), QStringLiteral("/usr/bin/gnome-calculator"));
        QCOMPARE(ReadIni(file, "Options", "NotePad", "d"), QStringLiteral("/usr/bin/gedit"));
        QVERIFY(WriteIni(file, "OPTIONS", "calculator", "kcalc"));
        QCOMPARE(readBytes(file), QByteArray("[Options]\nCalculator=kcalc\nNotePad=/usr/bin/gedit\n"));
        QCOMPARE(entries(dir.path()), QStringList{"orvalis.ini"});
    }

    // Every byte of every other line, comment and blank line stays.
    void otherLinesUntouched_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CRLF") << QByteArray("\r\n");
    }
    void otherLinesUntouched()
    {
        QFETCH(QByteArray, eol);
        auto text = [&](QByteArrayList lines) { return lines.join(eol) + eol; };
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("user.dat");
        writeBytes(file, text({"; Orvalis custom sets", "", "[User1Factors]", "Table_Name = Mine ",
                               "  ; note", "User1_Text=\"inch\"", "", "[User2Factors]", "Table_Name=Two",
                               "[Other]", "x=1"}));
        QVERIFY(WriteIni(file, "User1Factors", "Table_Name", "Yours"));
        QVERIFY(WriteIni(file, "User1Factors", "User1_Factor", " 1"));
        QVERIFY(WriteIni(file, "User6Factors", "Table_Name", "Six"));
        QCOMPARE(readBytes(file),
                 text({"; Orvalis custom sets", "", "[User1Factors]", "Table_Name =Yours", "  ; note",
                       "User1_Text=\"inch\"", "User1_Factor= 1", "", "[User2Factors]", "Table_Name=Two", "[Other]",
                       "x=1", "", "[User6Factors]", "Table_Name=Six"}));
        QCOMPARE(ReadIni(file, "User1Factors", "User1_Text", "d"), QStringLiteral("inch"));
        QCOMPARE(ReadIni(file, "User1Factors", "User1_Factor", "d"), QStringLiteral("1"));
        QCOMPARE(entries(dir.path()), QStringList{"user.dat"});
    }

    // Saving a new custom set writes its 26 keys, in order, into a new
    // section; reading gives the values without the factor's leading blank.
    void customSetSave()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("user.dat");
        writeBytes(file, "[User1Factors]\nTable_Name=One\n");
        QStringList keys{"Button_Image", "Table_Name"};
        QStringList values{"", "User Defined Table"};
        for (int k = 1; k <= 12; ++k) {
            keys << QString("User%1_Text").arg(k) << QString("User%1_Factor").arg(k);
            values << QString("unit %1").arg(k) << QString(" %1").arg(k * 1.5);
        }
        QCOMPARE(keys.size(), 26);
        for (qsizetype i = 0; i < keys.size(); ++i)
            QVERIFY(WriteIni(file, "User2Factors", keys[i], values[i]));
        QByteArray expected("[User1Factors]\nTable_Name=One\n\n[User2Factors]\n");
        for (qsizetype i = 0; i < keys.size(); ++i)
            expected += (keys[i] + "=" + values[i] + "\n").toUtf8();
        QCOMPARE(readBytes(file), expected);
        QCOMPARE(ReadIni(file, "User2Factors", "Button_Image", "x"), QString(""));
        QCOMPARE(ReadIni(file, "User2Factors", "User4_Factor", "x"), QStringLiteral("6"));
        QCOMPARE(ReadIni(file, "User2Factors", "User1_Factor", "x"), QStringLiteral("1.5"));
        QCOMPARE(ReadIni(file, "User1Factors", "Table_Name", "User 1"), QStringLiteral("One"));
        QCOMPARE(ReadIni(file, "User3Factors", "Table_Name", "User 3"), QStringLiteral("User 3"));
    }

    // A tool path of blanks is written and reads back empty, not as
    // the default.
    void blankPath()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("orvalis.ini");
        QVERIFY(WriteIni(file, "Options", "NotePad", "   "));
        QCOMPARE(readBytes(file), QByteArray("[Options]\nNotePad=   \n"));
        QCOMPARE(ReadIni(file, "Options", "NotePad", "c:\\windows\\notepad.exe"), QString(""));
        QCOMPARE(ReadIni(file, "Options", "Calculator", "c:\\windows\\calc.exe"),
                 QStringLiteral("c:\\windows\\calc.exe"));
    }

    // A value can never break the file: it is written on one line.
    void lineBreaksInValue()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("user.dat");
        QVERIFY(WriteIni(file, "User1Factors", "Table_Name", "A\r\n[User2Factors]\nTable_Name=Evil"));
        QVERIFY(WriteIni(file, "User1Factors", "User1_Text", "inch"));
        QCOMPARE(readBytes(file),
                 QByteArray("[User1Factors]\nTable_Name=A  [User2Factors] Table_Name=Evil\nUser1_Text=inch\n"));
        QCOMPARE(ReadIni(file, "User2Factors", "Table_Name", "User 2"), QStringLiteral("User 2"));
        QCOMPARE(ReadIni(file, "User1Factors", "User1_Text", "d"), QStringLiteral("inch"));
    }

    // Names that would corrupt the file are refused and nothing is written.
    void badNames_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("] in section") << "Options]\n[Evil" << "k";
        QTest::newRow("= in key") << "Options" << "Calculator=evil";
        QTest::newRow("line break in key") << "Options" << "k\n[Evil]";
        QTest::newRow("line break in section") << "Op\ntions" << "k";
        QTest::newRow("empty section") << "" << "k";
        QTest::newRow("empty key") << "Options" << "";
    }
    void badNames()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("orvalis.ini");
        const QByteArray before("[Options]\r\nCalculator=calc\r\n");
        writeBytes(file, before);
        QVERIFY(!WriteIni(file, section, key, "v"));
        QCOMPARE(readBytes(file), before);
        QVERIFY(!WriteIni(dir.filePath("new.ini"), section, key, "v"));
        QCOMPARE(entries(dir.path()), QStringList{"orvalis.ini"});
    }

    // Places no file can be written to, even by root: WriteIni says so and
    // leaves everything as it was.
    void unwritable()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray plain("not a folder\n");
        const QString notAFolder = dir.filePath("plain");
        writeBytes(notAFolder, plain);
        QVERIFY(!WriteIni(notAFolder + "/orvalis.ini", "Options", "Calculator", "x"));
        QCOMPARE(readBytes(notAFolder), plain);

        const QString folder = dir.filePath("folder.ini");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(!WriteIni(folder, "Options", "Calculator", "x"));
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(entries(folder).isEmpty());

        QVERIFY(!WriteIni(dir.filePath("missing/orvalis.ini"), "Options", "Calculator", "x"));
        QVERIFY(!WriteIni(QString(), "Options", "Calculator", "x"));
        QCOMPARE(entries(dir.path()), (QStringList{"folder.ini", "plain"}));
    }

    // A write that fails (here: on the file-size limit of the process,
    // which binds root too, as a full disk would) leaves the old file whole,
    // or no file where there was none, and no temporary file.
    void failedWriteLeavesFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<int>("limit");         // bytes a file may have
        QByteArray big("[User1Factors]\r\n");
        for (int i = 0; i < 200; ++i)
            big += "User" + QByteArray::number(i) + "_Text=some unit name\r\n";
        QTest::newRow("cut in the middle") << big << 1024;
        QTest::newRow("nothing fits") << QByteArray("[User1Factors]\nTable_Name=Old\n") << 0;
        QTest::newRow("last line does not fit") << QByteArray("[User1Factors]\nTable_Name=Old\n") << 30;
        QTest::newRow("new file") << QByteArray() << 0;
    }
    void failedWriteLeavesFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, limit);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("user.dat");
        if (!before.isEmpty())
            writeBytes(file, before);

        struct rlimit old {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = rlim_t(limit);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool wrote = WriteIni(file, "User1Factors", "Table_Name", "Mine");
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!wrote);
        if (before.isEmpty()) {
            QVERIFY(entries(dir.path()).isEmpty());
            return;
        }
        QCOMPARE(readBytes(file), before);
        QCOMPARE(entries(dir.path()), QStringList{"user.dat"});
        // With the limit lifted the same write goes through.
        QVERIFY(WriteIni(file, "User1Factors", "Table_Name", "Mine"));
        QCOMPARE(ReadIni(file, "User1Factors", "Table_Name", "d"), QStringLiteral("Mine"));
    }

    // A folder without write permission; root writes anyway, so only a user
    // can see this refusal.
    void readOnlyFolder()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only folders; see unwritable and failedWriteLeavesFile");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("orvalis.ini");
        const QByteArray before("[Options]\nCalculator=calc\n");
        writeBytes(file, before);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool wrote = WriteIni(file, "Options", "Calculator", "x");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!wrote);
        QCOMPARE(readBytes(file), before);
    }

    // The file keeps its permissions, and a link keeps pointing at it.
    void permissionsAndLinks()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("orvalis.ini");
        writeBytes(file, "[Options]\n");
        const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                         | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(file, perms));
        QVERIFY(WriteIni(file, "Options", "Calculator", "c"));
        QCOMPARE(QFile::permissions(file), perms);

        const QString link = dir.filePath("link.ini");
        QVERIFY(QFile::link(file, link));
        QVERIFY(WriteIni(link, "Options", "NotePad", "n"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(file), QByteArray("[Options]\nCalculator=c\nNotePad=n\n"));
        QCOMPARE(ReadIni(link, "Options", "NotePad", "d"), QStringLiteral("n"));

        const QString dangling = dir.filePath("dangling.ini");
        QVERIFY(QFile::link(dir.filePath("gone.ini"), dangling));
        QVERIFY(!WriteIni(dangling, "Options", "NotePad", "n"));
        QVERIFY(!QFileInfo::exists(dir.filePath("gone.ini")));
    }

    void windowsDir()
    {
        const QString dir = GetWindowsDir();
        QCOMPARE(dir, QStringLiteral("/usr/bin"));
        QVERIFY(!dir.contains(QChar(u'\0')));
        QVERIFY(!dir.endsWith(u' ') && !dir.endsWith(u'/'));
        QVERIFY(QFileInfo(dir).isDir());
    }
};
ORVALIS_TEST(TestIniFileTools)
#include "test_ini_file_tools.moc"
