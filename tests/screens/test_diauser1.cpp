#include "formdriver.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "screens/diauser1.h"
#include "shell/unitmenu.h"

#include <QStringEncoder>
#include <QWindow>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing;

namespace {
// Set 2 as saved after naming it "Fingers" and sizing unit 4 at 2.5.
const QString Fingers = "Button_Image=|Table_Name=Fingers|User1_Text=inch|User1_Factor= 1|User2_Text=foot|"
    "User2_Factor= 12|User3_Text=yard|User3_Factor= 36|User4_Text=pinky finger|User4_Factor= 2.5|"
    "User5_Text=knuckle|User5_Factor= 1.5|User6_Text=new pencil|User6_Factor= 7.5|User7_Text=9 volt battery|"
    "User7_Factor= 1.75|User8_Text=large paper clip|User8_Factor= 1.875|User9_Text=U.S. Quarter|"
    "User9_Factor= 0.96875|User10_Text=U.S. Cent|User10_Factor= 0.75|User11_Text=U.S. Dime|"
    "User11_Factor= 0.6875|User12_Text=U.S. Nickel|User12_Factor= 0.8125";
const QByteArray Shared = "; kept as it is\n[Options]\nCalculator=calc\n\n[User1Factors]\nTable_Name=Mine\n";
} // namespace

class TestUser1 : public ScreenTest<diaUser1> {
    Q_OBJECT

    QStringList messages;

    QMainWindow* window() { return screen().window(); }
    // The caption as the title bar shows it, after Qt's "[*]" handling.
    QString title() { return window()->windowHandle()->title(); }
    void unit(const char* button) { click(get<QPushButton>(button)); }
    void convert(const QString& input, const char* from) { type(get("Text1"), input), unit(from), unit("btn01_1"); }
    QString dat() { return folder->filePath("prog/user.dat"); }
    QByteArray file() { QFile f(dat()); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
    void setFile(const QByteArray& bytes) { QFile f(dat()); QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) > 0); }
    void menu(const char* name) { window()->findChild<QAction*>(name)->trigger(); }
    void open(int set) { LOADDATA::CategoryName = QString("User%1Factors").arg(set); QVERIFY(showActive(screen())); }
    // Revises the open set: the name, then unit 4's factor; then saves.
    void reviseAndSave(const QString& name, const QString& factor4)
    {
        menu("mnuReviseCustom");
        get("txtTableName")->setText(name);
        get("factorUser4")->setText(factor4);
        menu("mnuSaveCustom");
    }
    // The caption, then 1 for each of panel shown, columns enabled, Revise,
    // Save and Cancel Changes enabled.
    QString state()
    {
        QString s = title() + ' ' + QString::number(window()->findChild<QWidget*>("helpbox")->isVisibleTo(window()))
            + QString::number(window()->findChild<QWidget*>("Frame1_0")->isEnabled());
        for (const char* a : {"mnuReviseCustom", "mnuSaveCustom", "mnuChanges"})
            s += QString::number(window()->findChild<QAction*>(a)->isEnabled());
        return s;
    }

private slots:
    void init()
    {
        folder.emplace("prog");
        messages.clear();
        platform::setMsgBoxAnswerer([this](const platform::MsgBoxRequest& r) { return messages << r.prompt, platform::vbOK; });
        useLocale("C");
    }
    void cleanup() { folder.reset(); }

    // A factor as the file holds it, clicked after 1 foot gave 12 inches:
    // the result, then after Exponential, and the factor as saved again
    // (kept where the save is refused). No number (a fraction is none), or
    // 0, leaves no result.
    void factors_data()
    {
        columns({"stored", "shown", "exponential", "saved"});
        QTest::newRow("de_DE largest") << "1.7976931348623157E+308" << "1,7976931 E+308" << "1,797693 E+308"
                                       << " 1.7976931348623157E+308";
        QTest::newRow("de_DE below the smallest") << "1.5e-400" << "" << "" << " 0";
        QTest::newRow("no number") << "1/2" << "" << "" << "1/2";
    }
    void factors()
    {
        useRowLocale();
        setFile("[User2Factors]\nUser4_Factor=" + cell("stored").toLatin1() + "\n");
        open(2);
        convert("1", "btn02_0");
        QCOMPARE(shown("Text4"), "12" + QLocale().decimalPoint());
        unit("btn04_0");
        QCOMPARE(shown("Text4"), cell("shown"));
        ctrl(window(), Qt::Key_E);
        QCOMPARE(shown("Text4"), cell("exponential"));
        reviseAndSave("Fingers", shown("factorUser4"));
        QCOMPARE(QString(file()).section("User4_Factor=", 1).section('\n', 0, 0), cell("saved"));
    }

    // Saving set 2: the 26 keys in order in the file's number form, every
    // other line kept; or a refusal with the edits kept. A factor is read
    // in the file's form or the user's; one that is no number names its
    // unit. A folder the user cannot write still takes the file in place; a
    // read-only file does not. (Root writes anything: the save runs as an
    // ordinary user there.) The set reopens with its name as saved, in its
    // caption and under its button (an empty caption shows as a blank: Qt
    // would show the application's name), and saves the same again.
    void save_data()
    {
        columns({"name", "factor"});
        QTest::addColumn<int>("fileMode"); // 0: folder and file as created
        QTest::addColumn<QString>("refusal"); // empty: saved
        QTest::newRow("point") << "Fingers" << " 2.5" << 0 << "";
        QTest::newRow("de_DE comma") << "Fingers" << "2,5" << 0 << "";
        QTest::newRow("folder read-only") << "Fingers" << "2.5" << 0666 << "";
        QTest::newRow("comma under C") << "Fingers" << "2,5" << 0 << "The factor of \"pinky finger\" is not a number: \"2,5\".";
        QTest::newRow("de_DE trailing letter") << "Fingers" << "2,5x" << 0 << "The factor of \"pinky finger\" is not a number: \"2,5x\".";
        QTest::newRow("folder and file read-only") << "Fingers" << "2.5" << 0444 << "The custom units could not be saved to <file>: it is read-only.";
        QTest::newRow("name in single quotes") << "'Metric'" << "2.5" << 0 << "";
        QTest::newRow("empty name") << "" << "2.5" << 0 << "";
        QTest::newRow("name with [*]") << "Sizes [*] here" << "2.5" << 0 << "";
    }
    void save()
    {
        const QString name = cell("name"), caption = name.isEmpty() ? " " : name;
        const QByteArray saved = Shared + "\n[User2Factors]\n" + QString(Fingers).replace("=Fingers|", "=" + name + '|').replace('|', '\n').toLatin1() + '\n';
        const int fileMode = cell<int>("fileMode");
        useRowLocale();
        setFile(Shared);
        open(2);
        const QByteArray prog = QFile::encodeName(folder->filePath("prog"));
        const bool asUser = fileMode && ::geteuid() == 0;
        if (fileMode)
            QVERIFY(!::chmod(QFile::encodeName(folder->path()), 0755) && !::chmod(prog, 0555) && !::chmod(QFile::encodeName(dat()), mode_t(fileMode)));
        if (asUser && ::seteuid(65534) != 0)
            QSKIP("cannot act as an ordinary user");
        reviseAndSave(name, cell("factor"));
        QVERIFY((!asUser || ::seteuid(0) == 0) && ::chmod(prog, 0755) == 0);
        QCOMPARE(QDir(prog).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), {"user.dat"});
        const QString refusal = cell("refusal").replace("<file>", dat());
        if (!refusal.isEmpty()) { // said, and still revising with the edits
            QVERIFY2(messages.value(0).startsWith(refusal + "\n"), qPrintable(messages.join('|')));
            QCOMPARE(state() + shown("txtTableName"), "User Defined Table 10011" + name);
            QCOMPARE(file(), Shared);
            return;
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
        QCOMPARE(state() + shown("txtTableName"), caption + " 01100" + name);
        QCOMPARE(file(), saved);
        // The default 1.875 reads as 1.875 whatever the locale.
        convert("8", "btn08_0");
        QCOMPARE(shown("Text4"), "15" + QLocale().decimalPoint());
        menu("toMain");
        QTRY_COMPARE(control<QLabel>(platform::the<UnitMenu>(), "lblUser2")->text(), name);
        open(2);
        QCOMPARE(title() + shown("factorUser4"), caption + "2.5");
        menu("mnuReviseCustom");
        QCOMPARE(shown("txtTableName"), name);
        menu("mnuSaveCustom");
        QCOMPARE(file(), saved);
    }

    // A name as the file holds it: the caption shows it as written (Qt
    // would drop a "[*]"; an empty name shows as a blank), Revise puts it
    // into the name box exactly, and a save unchanged writes it back as
    // the box holds it (a blank kept after the "=").
    void storedNames_data()
    {
        columns({"stored", "caption", "box"});
        QTest::newRow("blank in double quotes") << "\" \"" << " " << " ";
        QTest::newRow("empty") << "" << " " << "";
        QTest::newRow("[*] and [*][*]") << "[*][*] Sizes [*] here" << "[*][*] Sizes [*] here" << "[*][*] Sizes [*] here";
    }
    void storedNames()
    {
        setFile("[User2Factors]\nTable_Name=" + cell("stored").toLatin1() + "\n");
        open(2);
        QCOMPARE(title(), cell("caption"));
        menu("mnuReviseCustom");
        QCOMPARE(shown("txtTableName"), cell("box"));
        menu("mnuSaveCustom");
        QCOMPARE(QString(file()).section('\n', 1, 1), "Table_Name=" + cell("box"));
        QCOMPARE(title(), cell("caption"));
    }

    // Without its section in the file, the default set in inches; the last
    // hint's two lines. Cancel Changes brings the file's set back; Browse
    // replaces the picture's path with the one chosen, exactly, and
    // cancelling keeps it; a change of the current category while revising
    // does not move the set elsewhere.
    void revising()
    {
        const QString picture = folder->filePath(" tool .bmp");
        QVERIFY(QFile(picture).open(QIODevice::WriteOnly));
        open(1);
        QCOMPARE(state() + shown("btn12_0"), "User Defined Table 01100U.S. Nickel");
        convert("12", "btn02_0");
        QCOMPARE(shown("Text4"), "144.");
        menu("mnuReviseCustom");
        type(get("txtUser1"), "thumb");
        menu("mnuChanges");
        QCOMPARE(state() + shown("txtUser1"), "User Defined Table 01100inch");
        menu("mnuReviseCustom");
        QCOMPARE(get<QPlainTextEdit>("txtHints3")->toPlainText(),
                 "Select \"Options\", \"User Customize\", \"Save Custom\n Units\" to save choices in the user.dat file.\n");
        for (const QString& answer : {picture, QString()}) {
            answerOpenFile(answer);
            click(get<QPushButton>("cmdBrowse"));
            QCOMPARE(shown("txtImageName"), picture);
        }
        LOADDATA::CategoryName = "Pressure"; // the unit finder opened a category
        type(get("txtUser2"), QString(600, 'n')); // a name takes only what reads back
        QCOMPARE(shown("txtUser2"), QString(511, 'n'));
        reviseAndSave("Mine", "2");
        QCOMPARE(QString(file()).section('\n', 0, 2), "[User1Factors]\nButton_Image=" + picture + "\nTable_Name=Mine");
        QCOMPARE(file().count('['), 1);
    }

    // A UTF-16 file: its names show, and a save keeps it UTF-16, whole.
    void utf16File()
    {
        const QString text = "; shared\r\n[User1Factors]\r\nTable_Name=Caf\u00e9\r\n[Other]\r\nk=v\r\n";
        setFile(QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text));
        Main();
        QTRY_COMPARE(control<QLabel>(platform::the<UnitMenu>(), "lblUser1")->text(), "Caf\u00e9");
        platform::the<UnitMenu>().window()->findChild<QAction*>("mnuUser1")->trigger();
        reviseAndSave("Caf\u00e9 2", "4");
        const QString saved = QStringDecoder(QStringDecoder::Utf16LE).decode(file().mid(2));
        QVERIFY(file().startsWith("\xFF\xFE") && saved.startsWith("; shared\r\n[User1Factors]\r\nTable_Name=Caf\u00e9 2\r\n"));
        QVERIFY(saved.endsWith("User12_Factor= 0.8125\r\n[Other]\r\nk=v\r\n"));
    }
};
ORVALIS_TEST(TestUser1)
#include "test_diauser1.moc"
