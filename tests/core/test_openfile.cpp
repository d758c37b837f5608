#include "formdriver.h"
#include "testsupport.h"
#include "core/openfile.h"
#include "platform/filedialog.h"

#include <QAbstractProxyModel>
#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>

class TestOpenFile : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::setModalAnswerer(nullptr); }

    void filterIsRewritten_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("rewritten");
        auto nul = [](const char* s) { return QString::fromLatin1(s).replace(QLatin1Char('|'), QChar(0)); };
        QTest::newRow("one pair") << "Executables (*.EXE)|*.EXE" << nul("Executables (*.EXE)|*.EXE|");
        QTest::newRow("ends with |") << "All (*.*)|*.*|" << nul("All (*.*)|*.*|");
        QTest::newRow("empty") << "" << nul("|");
    }
    // Cancel gives "" and leaves the caller's filter in its rewritten form.
    void filterIsRewritten()
    {
        QFETCH(QString, filter);
        testing::answerOpenFile(QString());
        QCOMPARE(ShowOpen(nullptr, filter, QStringLiteral("t"), QString()), QString());
        QCOMPARE(filter, testing::cell("rewritten"));
    }

    // The dialog offers the pairs, lists programs under "*.EXE" and other
    // patterns without regard to case, and returns the chosen path exactly
    // (a name may begin or end with blanks here).
    void listsAndReturnsTheExactPath()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral(" PIC .BMP "));
        const QString program = dir.filePath(QStringLiteral("tool"));
        const QString text = dir.filePath(QStringLiteral("notes.txt"));
        for (const QString& f : {picture, program, text}) {
            QFile file(f);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeUser);

        QStringList listed, offered;
        QString title;
        platform::setModalAnswerer([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            offered = dialog->nameFilters();
            auto* proxy = dialog->proxyModel();
            auto root = [&] {
                return proxy->mapFromSource(static_cast<QFileSystemModel*>(proxy->sourceModel())->index(dir.path()));
            };
            QVERIFY(QTest::qWaitFor([&] { return proxy->rowCount(root()) > 0; }, 2000));
            QTest::qWait(50);
            for (int r = 0; r < proxy->rowCount(root()); ++r)
                listed << proxy->index(r, 0, root()).data().toString();
            testing::typeOpenFileName(dialog, picture);
            static_cast<QDialog*>(dialog)->accept();
        });
        QString filter = QStringLiteral("Executables (*.EXE)|*.EXE|Pictures (*.bmp;*.ico)|*.bmp;*.ico");
        QCOMPARE(ShowOpen(nullptr, filter, QStringLiteral("Select An Image"), dir.path()), picture);
        QCOMPARE(title, QStringLiteral("Select An Image"));
        QCOMPARE(offered, (QStringList{QStringLiteral("Executables (*.EXE)"), QStringLiteral("Pictures (*.bmp;*.ico)")}));
        QCOMPARE(listed, QStringList{QStringLiteral("tool")});

        const QFileInfo pic(dir.filePath(QStringLiteral("PIC.BMP"))), txt(text);
        QVERIFY(platform::fileMatchesPattern(pic, QStringLiteral("*.bmp")));
        QVERIFY(platform::fileMatchesPattern(txt, QStringLiteral("*.*")));
        QVERIFY(platform::fileMatchesPattern(QFileInfo(program), QStringLiteral("*.*")));
        QVERIFY(!platform::fileMatchesPattern(txt, QStringLiteral("*.EXE")));
        QVERIFY(!platform::fileMatchesPattern(QFileInfo(dir.path()), QStringLiteral("*.EXE")));
    }
};

ORVALIS_TEST(TestOpenFile)
#include "test_openfile.moc"
