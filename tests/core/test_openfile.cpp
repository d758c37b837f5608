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

    // The dialog, under its title, offers the pairs (a final "|" adds no
    // empty one), lists programs under "*.EXE" and other patterns without
    // regard to case, and returns the chosen path exactly (a name may begin
    // or end with blanks here). The caller's filter is left with NULs for "|".
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
        platform::setModalAnswerer([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            offered = QStringList{dialog->windowTitle()} + dialog->nameFilters();
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
        QString filter = QStringLiteral("Executables (*.EXE)|*.EXE|Pictures (*.bmp;*.ico)|*.bmp;*.ico|");
        QCOMPARE(ShowOpen(nullptr, filter, QStringLiteral("Select An Image"), dir.path()), picture);
        QCOMPARE(offered, (QStringList{"Select An Image", "Executables (*.EXE)", "Pictures (*.bmp;*.ico)"}));
        QCOMPARE(filter, QString("Executables (*.EXE)|*.EXE|Pictures (*.bmp;*.ico)|*.bmp;*.ico|").replace('|', QChar(0)));
        QCOMPARE(listed, QStringList{QStringLiteral("tool")});

        const QFileInfo pic(dir.filePath(QStringLiteral("PIC.BMP"))), txt(text);
        QVERIFY(platform::fileMatchesPattern(pic, QStringLiteral("*.bmp")));
        QVERIFY(platform::fileMatchesPattern(txt, QStringLiteral("*.*")));
        QVERIFY(platform::fileMatchesPattern(QFileInfo(program), QStringLiteral("*.*")));
        QVERIFY(!platform::fileMatchesPattern(QFileInfo(dir.path()), QStringLiteral("*.EXE")));
    }
};

ORVALIS_TEST(TestOpenFile)
#include "test_openfile.moc"
