#include "testsupport.h"
#include "formdriver.h"
#include "core/numbertext.h"

using platform::NumberError;
using namespace testing;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    // kind -1: gives result; -2: any failure will do; else the error it gives.
    void evalFraction_data()
    {
        columns({"input", "result"});
        QTest::addColumn<int>("kind");
        const int mismatch = NumberError::TypeMismatch, overflow = NumberError::Overflow;
        QTest::newRow("empty") << "" << "0" << -1;
        QTest::newRow("third, single precision") << "1/3" << "0.3333333" << -1;
        QTest::newRow("no numerator") << "/4" << "0" << -1;
        QTest::newRow("leading plus") << "+5" << "5" << -1;
        QTest::newRow("mixed with plus") << "1+1/2" << "1.5" << -1;
        QTest::newRow("negative mixed") << "-1-1/2" << "-1.5" << -1;
        QTest::newRow("separator only joins") << "5-3" << "8" << -1;
        QTest::newRow("negative exponent") << "1e-5" << "1E-05" << -1;
        QTest::newRow("double minus") << "--5" << "5" << -1;
        QTest::newRow("de_DE fraction") << "3/4" << "0,75" << -1;
        QTest::newRow("de_DE mixed") << "5-3/4" << "5,75" << -1;
        QTest::newRow("de_DE decimal") << "2,5" << "2,5" << -1;
        QTest::newRow("last character unseen") << "12/" << "" << mismatch;
        QTest::newRow("two slashes") << "1/2/3" << "" << -2;
        QTest::newRow("two joiners") << "1+2+3" << "" << mismatch;
        QTest::newRow("zero denominator") << "1/0" << "" << int(NumberError::DivisionByZero);
        QTest::newRow("zero over zero") << "0/0" << "" << overflow;
        QTest::newRow("slash before joiner") << "1/2+3" << "" << int(NumberError::InvalidArgument);
        QTest::newRow("beyond single") << "1e39" << "" << overflow;
        QTest::newRow("quotient beyond single") << "300000000000000000000000000000000000000/0.1" << "" << overflow;
    }
    void evalFraction()
    {
        useRowLocale();
        const QString input = cell("input");
        const int kind = cell<int>("kind");
        QString s = input;
        try {
            QCOMPARE(EvalFraction(s), cell("result"));
            QCOMPARE(kind, -1);
            // A leading minus is taken off the caller's text.
            QCOMPARE(s, input.startsWith(u'-') ? input.mid(1) : input);
        } catch (const NumberError& e) {
            if (kind != -2)
                QCOMPARE(int(e.kind()), kind);
        }
    }

    // A double, or a text read by the locale; an empty text: refused.
    void formatResult_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("lower limit") << QVariant(0.00001) << "0.00001";
        QTest::newRow("upper limit") << QVariant(1000000.0) << "1000000.";
        QTest::newRow("above limit") << QVariant(1000001.0) << "1.000001 E+06";
        QTest::newRow("zero") << QVariant(0.0) << "0.0 E+00";
        QTest::newRow("negative") << QVariant(-5.0) << "-5.0 E+00";
        QTest::newRow("de_DE") << QVariant(0.75) << "0,75";
        QTest::newRow("text") << QVariant(u"0.25"_qs) << "0.25";
        QTest::newRow("de_DE text") << QVariant(u"0,25"_qs) << "0,25";
        QTest::newRow("empty text") << QVariant(QString()) << "";
    }
    void formatResult()
    {
        useRowLocale();
        const QVariant value = cell<QVariant>("value");
        try {
            QCOMPARE(value.typeId() == QMetaType::Double ? FormatResult(value.toDouble()) : FormatResult(value.toString()),
                     cell("text"));
            QVERIFY(!cell("text").isEmpty());
        } catch (const NumberError&) {
            QVERIFY(cell("text").isEmpty());
        }
    }
};
ORVALIS_TEST(TestNumberText)
#include "test_numbertext.moc"
