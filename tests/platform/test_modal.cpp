#include "testsupport.h"
#include "platform/form.h"

#include <QLabel>

namespace {
// A form with one label, counting its loads.
class Probe : public platform::Form {
public:
    Probe() : Form(QStringLiteral("Probe")) {}
    int loads = 0;
    QString note = QStringLiteral("kept");

protected:
    void build(QMainWindow* w) override
    {
        auto* label = new QLabel(QStringLiteral("designed"), w);
        label->setObjectName(QStringLiteral("Label1"));
        w->setCentralWidget(label);
    }
    void Form_Load() override { ++loads; }
};
} // namespace

// How a form's unload modes end the program, and how a modal form hands
// the focus back, are checked on the program's own windows.
class TestModal : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Form::UnloadAll(); }

    // Unloaded and shown again, a form's controls come back as designed and
    // its variables stay.
    void formLifecycle()
    {
        Probe& p = platform::the<Probe>();
        p.Show();
        QVERIFY(p.IsLoaded());
        p.window()->findChild<QLabel*>(QStringLiteral("Label1"))->setText(QStringLiteral("changed"));
        p.note = QStringLiteral("changed too");
        p.Unload();
        QVERIFY(!p.IsLoaded());
        p.Show();
        QCOMPARE(p.window()->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("designed"));
        QCOMPARE(p.note, QStringLiteral("changed too"));
        QCOMPARE(p.loads, 2);
    }
};
ORVALIS_TEST(TestModal)
#include "test_modal.moc"
