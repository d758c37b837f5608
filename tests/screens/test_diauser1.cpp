#include "testsupport.h"
#include "formdriver.h"
#include "core/loaddata.h"
#include "core/orvl_mod.h"
#include "platform/modal.h"
#include "screens/diauser1.h"
#include "shell/unitmenu.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <optional>
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

class TestUser1 : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> folder;
    QStringList messages;

    diaUser1& screen() { return platform::the<diaUser1>(); }
    QLineEdit* box(const QString& name) { return control<QLineEdit>(screen(), name); }
    QString dat() { return folder->filePath("prog/user.dat"); }
    QByteArray file()
    {
        QFile f(dat());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void menu(const char* name) { screen().window()->findChild<QAction*>(name)->trigger(); }
    void open(int set)
    {
        LOADDATA::CategoryName = QString("User%1Factors").arg(set);
        QVERIFY(showActive(screen()));
    }
    // Revises the open set: the name, then unit 4's factor; then saves.
    void reviseAndSave(const QString& name, const QString& factor4)
    {
        menu("mnuReviseCustom");
        box("txtTableName")->setText(name);
        box("factorUser4")->setText(factor4);
        menu("mnuSaveCustom");
    }
    // What the screen shows: revising or viewing, and the unit captions.
    QString state()
    {
        QStringList s{screen().window()->windowTitle()};
        for (const char* c : {"helpbox", "Frame1_0"})
            s << QString::number(screen().window()->findChild<QWidget*>(c)->isVisibleTo(screen().window()) +
                                 2 * screen().window()->findChild<QWidget*>(c)->isEnabled());
        for (const char* a : {"mnuReviseCustom", "mnuSaveCustom", "mnuChanges"})
            s << QString::number(screen().window()->findChild<QAction*>(a)->isEnabled());
        return s.join(' ');
    }

private slots:
    void init()
    {
        folder.emplace();
        QVERIFY(QDir(folder->path()).mkdir("prog"));
        platform::setProgramFolder(folder->filePath("prog"));
        messages.clear();
        platform::setMsgBoxAnswerer([this](const platform::MsgBoxRequest& r) { return messages << r.prompt, platform::vbOK; });
        useLocale("C");
    }
    void cleanup()
    {
        platform::setMsgBoxAnswerer(nullptr);
        platform::setModalAnswerer(nullptr);
        platform::Form::UnloadAll();
        platform::setProgramFolder(QString());
    }

    // Without a file: the default set in inches, and the panel's texts.
    void defaults()
    {
        open(1);
        QCOMPARE(state(), "User Defined Table 2 3 1 0 0");
        QCOMPARE(control<QPushButton>(screen(), "btn01_1")->text(), "inch");
        QCOMPARE(control<QPushButton>(screen(), "btn12_0")->text(), "U.S. Nickel");
        type(box("Text1"), "12");
        click(control<QPushButton>(screen(), "btn02_0"));
        click(control<QPushButton>(screen(), "btn01_1"));
        QCOMPARE(box("Text4")->text(), "144.");
        QMap<QString, QString> texts;
        for (QLabel* l : screen().window()->findChild<QWidget*>("helpbox")->findChildren<QLabel*>())
            texts[l->objectName()] = l->text();
        for (QPlainTextEdit* t : screen().window()->findChildren<QPlainTextEdit*>())
            texts[t->objectName()] = t->toPlainText();
        QCOMPARE(texts, (QMap<QString, QString>{{"Label3", "Button Text"}, {"Label4", "Factor"},
            {"Label5", "          Help for Custom Units"}, {"Label6", "    Enter the name of your table here:"},
            {"Label7", "  Enter path to your own button image:"},
            {"txtHints1", "To customize your buttons, change the button text and assign a factor multiplier.  "
                          "Default values are given as an example. Note that \"inch\" has a factor of \"1\" and "
                          "all the other buttons have factors relative to inches."},
            {"txtHints2", "Note that \"Yard\" has a factor multipler of \"36\", because there are 36 inches to a yard."},
            {"txtHints3", "Select \"Options\", \"User Customize\", \"Save Custom\"\n Units\" to save choices in the "
                          "user.dat file.\n"}}));
    }

    // Saving set 2 under either locale: the 26 keys in order in the file's
    // number form, every other line kept; or a refusal naming the unit.
    void save_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<QString>("refusal"); // empty: saved
        QTest::newRow("point") << "C" << " 2.5" << "";
        QTest::newRow("comma under de_DE") << "de_DE" << "2,5" << "";
        QTest::newRow("point under de_DE") << "de_DE" << "2.5" << "";
        QTest::newRow("comma under C") << "C" << "2,5" << "The factor of \"pinky finger\" is not a number: \"2,5\".";
        QTest::newRow("trailing letter") << "de_DE" << "2,5x" << "The factor of \"pinky finger\" is not a number: \"2,5x\".";
    }
    void save()
    {
        QFETCH(QString, locale);
        QFETCH(QString, factor);
        QFETCH(QString, refusal);
        useLocale(locale.toLatin1());
        QFile f(dat());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(Shared) == Shared.size());
        f.close();
        open(2);
        reviseAndSave("Fingers", factor);
        if (!refusal.isEmpty()) {
            QCOMPARE(messages.value(0).section('\n', 0, 0), refusal);
            QCOMPARE(state(), "User Defined Table 3 1 0 1 1"); // still revising
            QCOMPARE(file(), Shared);
            return;
        }
        QCOMPARE(messages, QStringList());
        QCOMPARE(state(), "Fingers 2 3 1 0 0");
        QCOMPARE(file(), Shared + "\n[User2Factors]\n" + Fingers.toLatin1().replace('|', '\n') + '\n');
        // The default 1.875 reads as 1.875 whatever the locale.
        type(box("Text1"), "8");
        click(control<QPushButton>(screen(), "btn08_0"));
        click(control<QPushButton>(screen(), "btn01_1"));
        QCOMPARE(box("Text4")->text(), locale == "C" ? "15." : "15,");
        menu("toMain");
        QTRY_COMPARE(control<QLabel>(platform::the<UnitMenu>(), "lblUser2")->text(), "Fingers");
        open(2);
        QCOMPARE(box("factorUser4")->text(), "2.5");
    }

    // A factor that cannot be read chooses no unit on a click; nothing fails.
    void unreadableFactor()
    {
        QFile f(dat());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("[User5Factors]\nUser2_Factor=1/2\n") > 0);
        f.close();
        open(5);
        type(box("Text1"), "12");
        click(control<QPushButton>(screen(), "btn01_1"));
        click(control<QPushButton>(screen(), "btn02_0"));
        QCOMPARE(control<QLabel>(screen(), "lbl3_0")->text() + '|' + box("Text4")->text(), "foot|");
    }

    // Cancel Changes brings the file's set back; a change of the current
    // category while revising does not move the set elsewhere.
    void cancelAndFixedSection()
    {
        open(1);
        menu("mnuReviseCustom");
        type(box("txtUser1"), "thumb");
        menu("mnuChanges");
        QCOMPARE(state(), "User Defined Table 2 3 1 0 0");
        QCOMPARE(box("txtUser1")->text(), "inch");
        LOADDATA::CategoryName = "Pressure"; // the unit finder opened a category
        reviseAndSave("Mine", "2");
        QCOMPARE(QString(file()).section('\n', 0, 2), "[User1Factors]\nButton_Image=\nTable_Name=Mine");
        QCOMPARE(file().count('['), 1);
    }

    // A folder the user cannot write: the file is still saved in place; a
    // read-only file is not, and the edits stay on the screen. Root writes
    // anything, so the save runs as an ordinary user there.
    void unwritable_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::newRow("folder read-only") << 0666;
        QTest::newRow("folder and file read-only") << 0444;
    }
    void unwritable()
    {
        QFETCH(int, fileMode);
        QFile f(dat());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(Shared) == Shared.size());
        f.close();
        open(1);
        ::chmod(QFile::encodeName(folder->path()), 0755);
        ::chmod(QFile::encodeName(dat()), mode_t(fileMode));
        ::chmod(QFile::encodeName(folder->filePath("prog")), 0555);
        const bool root = ::geteuid() == 0;
        if (root && ::seteuid(65534) != 0)
            QSKIP("cannot act as an ordinary user");
        reviseAndSave("Tools", "3");
        if (root)
            QVERIFY(::seteuid(0) == 0);
        ::chmod(QFile::encodeName(folder->filePath("prog")), 0755);
        QCOMPARE(QDir(folder->filePath("prog")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), {"user.dat"});
        if (fileMode == 0666) {
            QCOMPARE(messages, QStringList());
            QVERIFY(file().contains("Table_Name=Tools\nButton_Image=\nUser1_Text=inch\nUser1_Factor= 1\n"));
            return;
        }
        QVERIFY(messages.value(0).startsWith("The custom units could not be saved"));
        QCOMPARE(state(), "Mine 3 1 0 1 1");
        QCOMPARE(box("txtTableName")->text(), "Tools");
        QCOMPARE(file(), Shared);
    }

    // Browse: a chosen picture replaces the path; cancelling keeps it.
    void browse()
    {
        const QString picture = folder->filePath(" tool .bmp");
        QFile(picture).open(QIODevice::WriteOnly);
        open(3);
        menu("mnuReviseCustom");
        answerOpenFile(picture);
        click(control<QPushButton>(screen(), "cmdBrowse"));
        QCOMPARE(box("txtImageName")->text(), picture);
        answerOpenFile(QString());
        click(control<QPushButton>(screen(), "cmdBrowse"));
        QCOMPARE(box("txtImageName")->text(), picture);
    }

    // A UTF-16 file: its names show, and a save keeps it UTF-16, whole.
    void utf16File()
    {
        const QString text = "; shared\r\n[User1Factors]\r\nTable_Name=Caf\u00e9\r\n[Other]\r\nk=v\r\n";
        QFile f(dat());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text)) > 0);
        f.close();
        Main();
        QTRY_COMPARE(control<QLabel>(platform::the<UnitMenu>(), "lblUser1")->text(), "Caf\u00e9");
        platform::the<UnitMenu>().window()->findChild<QAction*>("mnuUser1")->trigger();
        QCOMPARE(screen().window()->windowTitle(), "Caf\u00e9");
        reviseAndSave("Caf\u00e9 2", "4");
        QVERIFY(file().startsWith("\xFF\xFE"));
        const QString saved = QStringDecoder(QStringDecoder::Utf16LE).decode(file().mid(2));
        QVERIFY(saved.startsWith("; shared\r\n[User1Factors]\r\nTable_Name=Caf\u00e9 2\r\nButton_Image=\r\n"));
        QVERIFY(saved.endsWith("User12_Factor= 0.8125\r\n[Other]\r\nk=v\r\n"));
    }
};
ORVALIS_TEST(TestUser1)
#include "test_diauser1.moc"
