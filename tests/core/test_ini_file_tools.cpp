#include "testsupport.h"
#include "formdriver.h"
#include "core/ini_file_tools.h"
#include "platform/savefile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing;

namespace {

// The default a caller passes comes back exactly, blanks and quotes included.
const QString Def = QStringLiteral(" \"def\" ");

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Every entry of a folder: no temporary file may be left behind.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// A UTF-16 file (little endian, with its mark).
QByteArray utf16(const QString& text) { return QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(text)).prepend("\xFF\xFE"); }

// Runs body in a child process, as an ordinary user when the tests run as
// root (root writes into any folder, so it never rewrites a file in place).
pid_t spawn(bool asUser, const std::function<void()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(60);
        ::_exit(asUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0) ? 3 : (body(), 0));
    }
    return child;
}

bool exitedWell(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder that only lets its file be rewritten in place.
void lockFolder(const QTemporaryDir& dir, const QString& file, bool inPlace)
{
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), inPlace ? 0555 : 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0666) == 0);
}

// A set saved whole, in version v: each of its keys holds v and enough
// text to make the file some tens of kilobytes, longer or shorter from one
// version to the next.
platform::IniValues version(int v)
{
    platform::IniValues values;
    for (int k = 1; k <= 26; ++k)
        values.push_back({QStringLiteral("Key%1").arg(k), QStringLiteral("%1 %2").arg(v).arg(QString(300 + v % 5 * 50, u'x'))});
    return values;
}

// The version all keys of the set hold; -1 when they differ or one is missing.
int versionIn(const QString& file, const QString& section)
{
    const platform::IniSnapshot snapshot = ReadIniFile(file);
    const int v = snapshot.value(section, QStringLiteral("Key1"), QString()).section(u' ', 0, 0).toInt();
    for (const auto& [key, value] : version(v))
        if (snapshot.value(section, key, QString()) != value)
            return -1;
    return v;
}

QString cacheFolder() { return QFile::decodeName(qgetenv("XDG_CACHE_HOME")) + QStringLiteral("/Orvalis"); }

// Added to a step of a save: from that step on the save fails.
constexpr int CutOff = 100;

} // namespace

// ReadIni and WriteIni on real files: orvalis.ini and user.dat.
class TestIniFileTools : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        columns({"section", "key", "expected"});
        const QByteArray opts("[Options]\nCalculator=calc\nEditor=\n");
        const QByteArray a511(511, 'a'), a510(510, 'a');
        QTest::newRow("missing file") << QByteArray() << "Options" << "Calculator" << Def;
        // A reader that opens a FIFO waits for a writer forever (ctest's timeout).
        QTest::newRow("FIFO") << QByteArray("<fifo>") << "Options" << "Calculator" << Def;
        QTest::newRow("missing section") << opts << "Other" << "Calculator" << Def;
        QTest::newRow("empty value") << opts << "Options" << "Editor" << "";
        QTest::newRow("key of the next section") << QByteArray("[S]\nm=1\n[B]\nk=2\n") << "S" << "k" << Def;
        QTest::newRow("right section, CRLF") << QByteArray("[A]\r\nk=a\r\n[S]\r\nk=s\r\n") << "S" << "k" << "s";
        QTest::newRow("section and key case") << QByteArray("[OPTIONS]\nNotePad=v\n") << "options" << "NOTEPAD" << "v";
        QTest::newRow("blanks around, quoted") << QByteArray("[S]\n \tk  = \t\" a  b \" \t\n") << "S" << "k" << " a  b ";
        QTest::newRow("quote at end only") << QByteArray("[S]\nk=say \"hi\"\n") << "S" << "k" << "say \"hi\"";
        QTest::newRow("quote at start only") << QByteArray("[S]\nk=\"hi\" all\n") << "S" << "k" << "\"hi\" all";
        QTest::newRow("one quote") << QByteArray("[S]\nk=\"\n") << "S" << "k" << "\"";
        QTest::newRow("512 cut to 511") << "[S]\nk=" + a511 + "b\n" << "S" << "k" << QString(a511);
        QTest::newRow("single quotes kept, cut") << "[S]\nk='" + a511 + "b'\n" << "S" << "k" << "'" + QString(a510);
        QTest::newRow("cut after unquoting") << "[S]\nk=\"" + a511 + "b\"\n" << "S" << "k" << QString(a511);
        QTest::newRow("pair not split") << "[S]\nk=" + a510 + "\xF0\x9F\x98\x80\n" << "S" << "k" << QString(a510);
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[S]\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("Windows-1252") << QByteArray("[S]\nk=\x80\n") << "S" << "k" << QString::fromUtf16(u"\u20AC");
        QTest::newRow("Windows-1252 file") << QByteArray("[S]\nk=\xC3\xA9\n;\xE9\n") << "S" << "k" << "\u00C3\u00A9";
        QTest::newRow("UTF-16") << utf16("[S]\r\nk=Caf\u00e9\r\n") << "S" << "k" << "Caf\u00e9";
    }
    void read()
    {
        const QByteArray content = cell<QByteArray>("content");
        QTemporaryDir dir;
        const QString file = dir.filePath("orvalis.ini");
        if (content == "<fifo>")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (!content.isEmpty())
            writeBytes(file, content);
        QCOMPARE(ReadIni(file, cell("section"), cell("key"), Def), cell("expected"));
    }

    // The exact bytes a write leaves: every other byte stays as it was.
    // Names that would corrupt the file are refused (after empty): nothing
    // is written. The file keeps its mode, and a link stays a link to it;
    // a rewrite in place leaves nothing in the cache folder.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file yet
        columns({"section", "key", "value"});
        QTest::addColumn<QByteArray>("after");
        // Where the file lies: "" in its folder; "link": elsewhere, named by a
        // link; "in place": in a folder where only it may be written.
        QTest::addColumn<QString>("lies");
        auto row = [](const char* name, QByteArray before, QString s, QString k, QString v, QByteArray after, QString lies = "") {
            QTest::newRow(name) << before << s << k << v << after << lies;
        };
        row("new file, odd but safe names", "", "a[b", "x]y", "v", "[a[b]\nx]y=v\n");
        row("end of its section", "[A]\na=1\n;b=0\n\n[B]\nb=2\n", "A", "c", "3", "[A]\na=1\nc=3\n;b=0\n\n[B]\nb=2\n");
        row("empty section", "[A]\n[B]\nb=2\n", "A", "k", "v", "[A]\nk=v\n[B]\nb=2\n");
        row("no final newline", "[A]\na=1", "A", "b", "2", "[A]\na=1\nb=2\n");
        row("in place", "; caf\xE9\n[A]\nk = old\nz=1\n\n[B]\nk=b\n", "a", "K", "new",
            "; caf\xE9\n[A]\nk =new\nz=1\n\n[B]\nk=b\n");
        row("CRLF new key", "[A]\r\na=1\r\n", "A", "b", "2", "[A]\r\na=1\r\nb=2\r\n");
        row("CRLF new section", "[A]\r\na=1\r\n", "B", "b", "2", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
        row("line breaks in value", "[S]\nk=1\nm=2\n", "S", "k", "x\r\n[T]\ny=2", "[S]\nk=x  [T] y=2\nm=2\n");
        // A file keeps its encoding; text its code page lacks makes all of it UTF-8.
        row("UTF-16", utf16("[S]\r\nk=1\r\n"), "S", "k", "Caf\u00e9", utf16("[S]\r\nk=Caf\u00e9\r\n"));
        row("Windows-1252", "; caf\xE9\n[S]\nk=1\n", "S", "k", "\u20AC\u00e9", "; caf\xE9\n[S]\nk=\x80\xE9\n");
        row("beyond Windows-1252", "; caf\xE9\n[S]\nk=1\n", "S", "k", "\u2260", "; caf\xC3\xA9\n[S]\nk=\xE2\x89\xA0\n");
        // Its code page's bytes would read back as UTF-8, and k as "\u00E9".
        row("Windows-1252 read as UTF-8", "[S]\nk=\xC3\xA9\nm=\xE9\n", "S", "m", "x", "[S]\nk=\xC3\x83\xC2\xA9\nm=x\n");
        const QByteArray old("[S]\r\nk=v\r\n");
        row("] in section", old, "a]b", "k", "x", "");
        row("line break in section", old, "a\nb", "k", "x", "");
        row("= in key", old, "S", "a=b", "x", "");
        row("line break in key", old, "S", "a\r[T]", "x", "");
        row("blank key", old, "S", "  ", "x", "");
        row("key read as comment", old, "S", ";k", "x", "");
        row("key read as section", old, "S", " [T]k", "x", "");
        row("UTF-16 with a lone surrogate", utf16(QString::fromUtf16(u"; \xD800\r\n[S]\r\nk=1\r\n")), "S", "k", "x", "");
        row("UTF-16 with an odd byte", utf16("[S]\r\nk=1\r\n") + 'x', "S", "k", "x", "");
        row("link", "[S]\nk=1\n", "S", "k", "2", "[S]\nk=2\n", "link");
        row("in place, shorter", "[S]\nk=a longer value\nm=2\n", "S", "k", "v", "[S]\nk=v\nm=2\n", "in place");
    }
    void write()
    {
        const QByteArray before = cell<QByteArray>("before"), after = cell<QByteArray>("after");
        const QString lies = cell("lies");
        QTemporaryDir dir;
        const QString file = dir.filePath("user.dat"), real = lies == "link" ? dir.filePath("real.dat") : file;
        if (!before.isEmpty())
            writeBytes(real, before);
        QVERIFY(lies != "link" || QFile::link("real.dat", file));
        const mode_t mode = lies == "in place" ? 0666 : 0640;
        QVERIFY(before.isEmpty() || ::chmod(QFile::encodeName(real).constData(), mode) == 0);
        if (lies == "in place") {
            lockFolder(dir, file, true);
            const pid_t child = spawn(true, [&] { ::_exit(WriteIni(file, cell("section"), cell("key"), cell("value")) ? 0 : 1); });
            QCOMPARE(exitedWell(child), !after.isEmpty());
            QCOMPARE(entries(cacheFolder()), QStringList());
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        } else {
            QCOMPARE(WriteIni(file, cell("section"), cell("key"), cell("value")), !after.isEmpty());
        }
        QCOMPARE(readBytes(real), after.isEmpty() ? before : after);
        QCOMPARE(entries(dir.path()), (lies == "link" ? QStringList{"real.dat", "user.dat"} : QStringList{"user.dat"}));
        QCOMPARE(QFileInfo(file).isSymLink(), lies == "link");
        struct stat info {};
        QVERIFY(before.isEmpty() || (::stat(QFile::encodeName(real).constData(), &info) == 0 && (info.st_mode & 07777) == mode));
    }

    // What cannot be written gives false, says why, and leaves every file
    // as it was, with no temporary file. A file-size limit (which binds
    // root too) cuts a write off half-way, as a full disk would.
    void unwritable_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("sizeLimit"); // -1: none
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo.ini" << -1 << "it is not a regular file";
        QTest::newRow("folder") << "folder.ini" << -1 << "it is a folder";
        QTest::newRow("too large") << "large.ini" << -1 << "it is larger than 16 MB, the most an INI file may have";
        QTest::newRow("dangling link") << "link.ini" << -1 << "it is a link to nothing";
        QTest::newRow("missing folder") << "missing/x.ini" << -1 << "its folder does not exist";
        QTest::newRow("write cut off") << "user.dat" << 30 << "File too large";
    }
    void unwritable()
    {
        QFETCH(QString, target);
        QFETCH(int, sizeLimit);
        QTemporaryDir dir;
        const QByteArray before("[User1Factors]\nTable_Name=Old\n");
        writeBytes(dir.filePath("user.dat"), before);
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.ini")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("gone.ini"), dir.filePath("link.ini")));
        QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
        QFile large(dir.filePath("large.ini"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(platform::IniMaxFileSize + 1));
        const QStringList all = entries(dir.path());

        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limited = old;
        limited.rlim_cur = sizeLimit < 0 ? old.rlim_cur : rlim_t(sizeLimit);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        QString whyNot;
        const bool wrote = WriteIniSection(dir.filePath(target), "User1Factors", {{"Table_Name", "Mine"}}, &whyNot);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!wrote);
        QCOMPARE(whyNot, cell("reason"));
        QCOMPARE(readBytes(dir.filePath("user.dat")), before);
        QCOMPARE(entries(dir.path()), all);
        if (sizeLimit >= 0) // the limit, nothing else, stopped it
            QVERIFY(WriteIni(dir.filePath(target), "User1Factors", "Table_Name", "Mine"));
    }

    // A save killed at any step leaves the old or the new file, whole, for
    // the next read; a rewrite in place is finished from its write-ahead
    // copy, or left as it was when the copy itself was cut short. The
    // start-up removes what a killed save left beside the file, but not the
    // file of a save still going on (process 1 lives). A file saved by
    // another user since (whose cache holds no copy) keeps that save.
    void killedSave_data()
    {
        // The step a save stops at; negative: the write-ahead copy is then
        // cut short; CutOff and the step: from there on the save fails.
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<QString>("next"); // the table name the next read finds; New: the whole new set
        using platform::SaveStep;
        QTest::newRow("temporary written") << int(SaveStep::TempWritten) << false << "Old";
        QTest::newRow("temporary named") << int(SaveStep::TempNamed) << false << "Old";
        QTest::newRow("replaced") << int(SaveStep::Replaced) << false << "New";
        QTest::newRow("in place: copy written") << int(SaveStep::CopyWritten) << true << "New";
        QTest::newRow("in place: half rewritten") << int(SaveStep::HalfRewritten) << true << "New";
        QTest::newRow("in place: rewritten") << int(SaveStep::Replaced) << true << "New";
        QTest::newRow("in place: copy cut short") << -int(SaveStep::CopyWritten) << true << "Old";
        QTest::newRow("in place: copy written, saved since") << int(SaveStep::CopyWritten) << true << "Theirs";
        QTest::newRow("in place: rewritten, saved since") << int(SaveStep::Replaced) << true << "Theirs";
        QTest::newRow("in place: cut off half way") << CutOff + int(SaveStep::HalfRewritten) << true << "New";
    }
    void killedSave()
    {
        const int step = cell<int>("step");
        const QString next = cell("next");
        QTemporaryDir dir;
        const QString file = dir.filePath("user.dat");
        const QByteArray other = "[Other]\nk=" + QByteArray(3000, 'o') + '\n';
        writeBytes(file, other + "[User1Factors]\nTable_Name=Old\n");
        writeBytes(dir.filePath(".user.dat.1.saving"), "");
        lockFolder(dir, file, cell<bool>("inPlace"));
        const QString table(500, u'n');
        const pid_t child = spawn(cell<bool>("inPlace"), [&] {
            platform::setSaveStepHook([step](platform::SaveStep s) {
                if (int(s) != std::abs(step) % CutOff)
                    return;
                if (step < CutOff)
                    ::_exit(0);
                // A file-size limit (as a full disk would) fails the writes to come.
                const rlimit limit{1, 1};
                std::signal(SIGXFSZ, SIG_IGN);
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
            const bool saved = WriteIniSection(file, "User1Factors", {{"Table_Name", table}, {"Button_Image", "x"}});
            ::_exit(step >= CutOff && !saved ? 0 : 1);
        });
        QVERIFY(exitedWell(child));
        if (step < 0) {
            const QStringList copies = QDir(cacheFolder()).entryList(QDir::Files);
            QCOMPARE(copies.size(), 1);
            QVERIFY(QFile::resize(cacheFolder() + '/' + copies[0], QFileInfo(cacheFolder() + '/' + copies[0]).size() - 1));
        }
        if (next == "Theirs")
            writeBytes(file, other + "[User1Factors]\nTable_Name=Theirs\n");
        ReadIniFile(file); // the next read
        const QString name = next == "New" ? table + "\nButton_Image=x" : next;
        QCOMPARE(readBytes(file), other + "[User1Factors]\nTable_Name=" + name.toLatin1() + '\n');
        QCOMPARE(entries(cacheFolder()), QStringList());
        platform::removeSaveLeftovers(file);
        QCOMPARE(entries(dir.path()), (QStringList{".user.dat.1.saving", "user.dat"}));
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
    }

    // Two running copies saving their own sets at once: each one's last
    // save is in the file. A saver killed at random moments: every read
    // after it finds the saved set whole, in the version it had or a later
    // one, and the other set untouched. ORVALIS_SAVE_ROUNDS sets the
    // number of saves or kills (thousands, run by hand).
    void concurrentSaves_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<bool>("kills"); // else two copies saving
        QTest::newRow("two copies") << false << false;
        QTest::newRow("two copies, in place") << true << false;
        QTest::newRow("kills") << false << true;
        QTest::newRow("kills, in place") << true << true;
    }
    void concurrentSaves()
    {
        const bool inPlace = cell<bool>("inPlace"), kills = cell<bool>("kills");
        const int rounds = qEnvironmentVariableIsSet("ORVALIS_SAVE_ROUNDS") ? qEnvironmentVariableIntValue("ORVALIS_SAVE_ROUNDS") : 40;
        QTemporaryDir dir;
        const QString file = dir.filePath("user.dat");
        QVERIFY(WriteIniSection(file, "A", version(0)) && WriteIniSection(file, "B", version(0)));
        lockFolder(dir, file, inPlace);
        auto saver = [&](const char* section) {
            return spawn(inPlace, [&] {
                for (int v = 1; v <= rounds; ++v)
                    if (!WriteIniSection(file, section, version(v)))
                        ::_exit(2);
            });
        };
        if (!kills) {
            const pid_t a = saver("A"), b = saver("B");
            QVERIFY(exitedWell(a) && exitedWell(b));
            QCOMPARE(QList<int>({versionIn(file, "A"), versionIn(file, "B")}), QList<int>({rounds, rounds}));
        }
        int last = 0, torn = 0;
        for (int round = 1; kills && round <= rounds; ++round) {
            const pid_t child = spawn(inPlace, [&file, round] {
                for (int v = round * 100000;; ++v)
                    WriteIniSection(file, "A", version(v));
            });
            ::usleep(useconds_t(QRandomGenerator::global()->bounded(15000)));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const int now = versionIn(file, "A");
            torn += now < last || versionIn(file, "B") != 0;
            last = std::max(last, now);
        }
        QCOMPARE(torn, 0);
        platform::removeSaveLeftovers(file);
        QCOMPARE(entries(dir.path()), QStringList{"user.dat"});
        QCOMPARE(entries(cacheFolder()), QStringList());
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
    }
};
ORVALIS_TEST(TestIniFileTools)
#include "test_ini_file_tools.moc"
