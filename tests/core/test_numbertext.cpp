#include "testsupport.h"
#include "core/numbertext.h"

using platform::NumberError;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void init() { testing::useLocale("C"); }

    void evalFraction_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty") << "C" << "" << "0";
        QTest::newRow("fraction") << "C" << "3/4" << "0.75";
        QTest::newRow("third, single precision") << "C" << "1/3" << "0.3333333";
        QTest::newRow("no numerator") << "C" << "/4" << "0";
        QTest::newRow("leading plus") << "C" << "+5" << "5";
        QTest::newRow("negative fraction") << "C" << "-1/2" << "-0.5";
        QTest::newRow("mixed with minus") << "C" << "1-1/2" << "1.5";
        QTest::newRow("mixed with plus") << "C" << "1+1/2" << "1.5";
        QTest::newRow("five and three quarters") << "C" << "5-3/4" << "5.75";
        QTest::newRow("negative mixed") << "C" << "-1-1/2" << "-1.5";
        QTest::newRow("separator only joins") << "C" << "5-3" << "8";
        QTest::newRow("exponent") << "C" << "2.5e3" << "2500";
        QTest::newRow("negative exponent") << "C" << "1e-5" << "1E-05";
        QTest::newRow("rounded to single") << "C" << "123456789" << "1.234568E+08";
        QTest::newRow("double minus") << "C" << "--5" << "5";
        QTest::newRow("de fraction") << "de_DE" << "3/4" << "0,75";
        QTest::newRow("de mixed") << "de_DE" << "5-3/4" << "5,75";
        QTest::newRow("de decimal") << "de_DE" << "2,5" << "2,5";
    }
    void evalFraction()
    {
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(QString, result);
        testing::useLocale(locale.toLatin1());
        QCOMPARE(EvalFraction(input), result);
    }

    void leadingMinusLeavesTheCallersText()
    {
        QString s = QStringLiteral("-5");
        QCOMPARE(EvalFraction(s), QStringLiteral("-5"));
        QCOMPARE(s, QStringLiteral("5"));
    }

    void evalFractionFails_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("kind");
        QTest::newRow("letters") << "abc" << int(NumberError::TypeMismatch);
        QTest::newRow("last character unseen") << "12/" << int(NumberError::TypeMismatch);
        QTest::newRow("two slashes") << "1/2/3" << -1;
        QTest::newRow("two joiners") << "1+2+3" << int(NumberError::TypeMismatch);
        QTest::newRow("zero denominator") << "1/0" << int(NumberError::DivisionByZero);
        QTest::newRow("zero over zero") << "0/0" << int(NumberError::Overflow);
        QTest::newRow("slash before joiner") << "1/2+3" << int(NumberError::InvalidArgument);
        QTest::newRow("three slashes") << "1/2/3/4" << -1;
        QTest::newRow("beyond single") << "1e39" << int(NumberError::Overflow);
        QTest::newRow("quotient beyond single") << "300000000000000000000000000000000000000/0.1" << int(NumberError::Overflow);
        QTest::newRow("sum beyond single") << "3e38+3e38" << int(NumberError::TypeMismatch);
        QTest::newRow("infinity") << "inf" << int(NumberError::TypeMismatch);
        QTest::newRow("nan") << "nan" << int(NumberError::TypeMismatch);
    }
    void evalFractionFails()
    {
        QFETCH(QString, input);
        QFETCH(int, kind);
        try {
            EvalFraction(input);
            QFAIL("no error");
        } catch (const NumberError& e) {
            if (kind >= 0) // -1: any failure will do
                QCOMPARE(int(e.kind()), kind);
        }
    }

    void formatResult_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("lower limit") << "C" << 0.00001 << "0.00001";
        QTest::newRow("upper limit") << "C" << 1000000.0 << "1000000.";
        QTest::newRow("whole") << "C" << 5.0 << "5.";
        QTest::newRow("two thirds") << "C" << 2.0 / 3 << "0.666667";
        QTest::newRow("above limit") << "C" << 1000001.0 << "1.000001 E+06";
        QTest::newRow("zero") << "C" << 0.0 << "0.0 E+00";
        QTest::newRow("negative") << "C" << -5.0 << "-5.0 E+00";
        QTest::newRow("mile") << "C" << 1.6093439999999999 << "1.609344";
        QTest::newRow("de") << "de_DE" << 0.75 << "0,75";
    }
    void formatResult()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        testing::useLocale(locale.toLatin1());
        QCOMPARE(FormatResult(value), text);
    }

    void formatResultOfText()
    {
        QCOMPARE(FormatResult(QStringLiteral("0.25")), QStringLiteral("0.25"));
        QVERIFY(testing::throws<NumberError>([&] { FormatResult(QString()); }));
        QVERIFY(testing::throws<NumberError>([&] { FormatResult(QStringLiteral("Text5")); }));
        testing::useLocale("de_DE");
        QCOMPARE(FormatResult(QStringLiteral("0,25")), QStringLiteral("0,25"));
    }
};
ORVALIS_TEST(TestNumberText)
#include "test_numbertext.moc"
