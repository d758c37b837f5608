#include "testsupport.h"
#include "platform/form.h"
#include "platform/modal.h"

#include <QLabel>

namespace {
// A form with one label, counting its load and unload-question calls.
class Probe : public platform::Form {
public:
    Probe() : Form(QStringLiteral("Probe")) {}
    int loads = 0;
    int queries[2] = {0, 0};
    bool cancelClose = false;
    QString note = QStringLiteral("kept");

protected:
    void build(QMainWindow* w) override
    {
        auto* label = new QLabel(QStringLiteral("designed"), w);
        label->setObjectName(QStringLiteral("Label1"));
        w->setCentralWidget(label);
    }
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        ++queries[UnloadMode];
        if (UnloadMode == vbFormControlMenu && cancelClose)
            Cancel = 1;
    }
};
} // namespace

class TestModal : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::setModalAnswerer(nullptr);
        platform::Form::UnloadAll();
    }

    void formLifecycle()
    {
        Probe& p = platform::the<Probe>();
        p.Show();
        QVERIFY(p.IsLoaded());
        p.window()->findChild<QLabel*>(QStringLiteral("Label1"))->setText(QStringLiteral("changed"));
        p.note = QStringLiteral("changed too");
        p.Unload();
        QVERIFY(!p.IsLoaded());
        QCOMPARE(p.queries[platform::Form::vbFormCode], 1);
        p.Show();
        // Controls come back as designed; the form's variables stay.
        QCOMPARE(p.window()->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("designed"));
        QCOMPARE(p.note, QStringLiteral("changed too"));
        QCOMPARE(p.loads, 2);
        // The close box asks with its own mode and may be refused.
        p.cancelClose = true;
        p.window()->close();
        QVERIFY(p.IsLoaded());
        p.cancelClose = false;
        p.window()->close();
        QVERIFY(!p.IsLoaded());
        QCOMPARE(p.queries[platform::Form::vbFormControlMenu], 2);
        // Shown modal, as designed again; the call returns once it is closed.
        QString seen;
        platform::setModalAnswerer([&](QWidget* w) {
            seen = w->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            QVERIFY(w->isModal());
            w->close();
        });
        p.ShowModal();
        QCOMPARE(seen, QStringLiteral("designed"));
        QVERIFY(!p.IsLoaded());
    }
};
ORVALIS_TEST(TestModal)
#include "test_modal.moc"
