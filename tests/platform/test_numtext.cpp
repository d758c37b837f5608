#include "testsupport.h"
#include "platform/numtext.h"

#include <cfloat>

using platform::NumberError;

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void init() { testing::useLocale("C"); }

    void readsNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("C plain") << "C" << "12.5" << 12.5;
        QTest::newRow("C blanks around") << "C" << "  7 " << 7.0;
        QTest::newRow("C signs") << "C" << "-0.25" << -0.25;
        QTest::newRow("C plus") << "C" << "+3" << 3.0;
        QTest::newRow("C exponent") << "C" << "2.5e3" << 2500.0;
        QTest::newRow("C exponent upper") << "C" << "1E-05" << 1e-05;
        QTest::newRow("C point first") << "C" << ".5" << 0.5;
        QTest::newRow("C point last") << "C" << "5." << 5.0;
        QTest::newRow("C underflow is zero") << "C" << "1e-400" << 0.0;
        QTest::newRow("C underflow at the exponent limit") << "C" << "0.01e-9223372036854775808" << 0.0;
        QTest::newRow("de comma") << "de_DE" << "0,75" << 0.75;
        QTest::newRow("de exponent") << "de_DE" << "1,234568E+08" << 1.234568e8;
        QTest::newRow("de negative") << "de_DE" << "-2,5" << -2.5;
    }
    void readsNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        testing::useLocale(locale.toLatin1());
        QCOMPARE(platform::textToDouble(text), value);
    }

    void refusesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        const int mismatch = NumberError::TypeMismatch, overflow = NumberError::Overflow;
        QTest::newRow("empty") << "C" << "" << mismatch;
        QTest::newRow("blanks") << "C" << "   " << mismatch;
        QTest::newRow("letters") << "C" << "abc" << mismatch;
        QTest::newRow("inf") << "C" << "inf" << mismatch;
        QTest::newRow("nan") << "C" << "nan" << mismatch;
        QTest::newRow("lone sign") << "C" << "-" << mismatch;
        QTest::newRow("lone point") << "C" << "." << mismatch;
        QTest::newRow("exponent without digits") << "C" << "1e" << mismatch;
        QTest::newRow("grouping C") << "C" << "1,234" << mismatch;
        QTest::newRow("two points") << "C" << "1.2.3" << mismatch;
        QTest::newRow("slash") << "C" << "12/" << mismatch;
        QTest::newRow("beyond double") << "C" << "1e400" << overflow;
        QTest::newRow("beyond double, long exponent") << "C" << "1e99999999999999999999" << overflow;
        QTest::newRow("exponent at the limit") << "C" << "1e9223372036854775807" << overflow;
        QTest::newRow("negative, exponent at the limit") << "C" << "-1e9223372036854775807" << overflow;
        QTest::newRow("de point is grouping") << "de_DE" << "1.875" << mismatch;
        QTest::newRow("de point decimal") << "de_DE" << "2.5" << mismatch;
    }
    void refusesWhatIsNoNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, kind);
        testing::useLocale(locale.toLatin1());
        try {
            platform::textToDouble(text);
            QFAIL("no error");
        } catch (const NumberError& e) {
            QCOMPARE(int(e.kind()), kind);
        }
    }

    void singleRange()
    {
        QCOMPARE(platform::textToSingle(QStringLiteral("3.4e38")), 3.4e38f);
        QVERIFY(testing::throws<NumberError>([&] { platform::textToSingle(QStringLiteral("1e39")); }));
        QVERIFY(testing::throws<NumberError>([&] { platform::textToSingle(QStringLiteral("-1e39")); }));
    }

    void standardText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("single");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("single third") << "C" << true << double(1.0f / 3) << "0.3333333";
        QTest::newRow("single large") << "C" << true << double(123456789.0f) << "1.234568E+08";
        QTest::newRow("single seven digits") << "C" << true << double(1234567.0f) << "1234567";
        QTest::newRow("single small") << "C" << true << double(0.00001f) << "1E-05";
        QTest::newRow("single negative") << "C" << true << -0.5 << "-0.5";
        QTest::newRow("single zero") << "C" << true << 0.0 << "0";
        QTest::newRow("single negative zero") << "C" << true << -0.0 << "0";
        QTest::newRow("double mile") << "C" << false << 1.6093439999999999 << "1.609344";
        QTest::newRow("double long") << "C" << false << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("double large") << "C" << false << 3.7248e+17 << "3.7248E+17";
        QTest::newRow("de single") << "de_DE" << true << 0.75 << "0,75";
        QTest::newRow("de double") << "de_DE" << false << 1.5e-7 << "1,5E-07";
    }
    void standardText()
    {
        QFETCH(QString, locale);
        QFETCH(bool, single);
        QFETCH(double, value);
        QFETCH(QString, text);
        testing::useLocale(locale.toLatin1());
        QCOMPARE(single ? platform::singleToText(float(value)) : platform::doubleToText(value), text);
    }

    void masks_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::newRow("point always written") << "C" << 5.0 << "0.######" << "5.";
        QTest::newRow("rounded to last place") << "C" << 2.0 / 3 << "0.######" << "0.666667";
        QTest::newRow("no leading zero under #") << "C" << 0.5 << "###.##" << ".5";
        QTest::newRow("whole digits beyond places") << "C" << 12345.0 << "#.#" << "12345.";
        QTest::newRow("compulsory decimals") << "C" << 3.0 << "0.00" << "3.00";
        QTest::newRow("rounding carries") << "C" << 0.9999999 << "0.######" << "1.";
        QTest::newRow("exponent") << "C" << 1000001.0 << "0.0###### E+00" << "1.000001 E+06";
        QTest::newRow("exponent of zero") << "C" << 0.0 << "0.0###### E+00" << "0.0 E+00";
        QTest::newRow("exponent negative value") << "C" << -5.0 << "0.0###### E+00" << "-5.0 E+00";
        QTest::newRow("exponent small") << "C" << 1.5e-7 << "0.0###### E+00" << "1.5 E-07";
        QTest::newRow("exponent no compulsory decimal") << "C" << 1000.0 << "0.###### E+00" << "1. E+03";
        QTest::newRow("exponent carry") << "C" << 9.99999999 << "0.0###### E+00" << "1.0 E+01";
        QTest::newRow("exponent three digits") << "C" << 3.7248e+17 << "0.0##### E+00" << "3.7248 E+17";
        QTest::newRow("exponent wide") << "C" << 1e-120 << "0.0##### E+00" << "1.0 E-120";
        QTest::newRow("no blank before E") << "C" << 123456.0 << "0.0###E+00" << "1.2346E+05";
        QTest::newRow("E- sign only when negative") << "C" << 1234.0 << "0.0E-00" << "1.2E03";
        QTest::newRow("literal kept") << "C" << 5.0 << "0 x" << "5 x";
        QTest::newRow("tiny negative rounds to zero") << "C" << -1e-9 << "0.######" << "0.";
        QTest::newRow("de point") << "de_DE" << 1.609344 << "0.######" << "1,609344";
        QTest::newRow("de exponent") << "de_DE" << 1000.0 << "0.0##### E+00" << "1,0 E+03";
    }
    void masks()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, text);
        testing::useLocale(locale.toLatin1());
        QCOMPARE(platform::formatNumber(value, mask), text);
    }
};
ORVALIS_TEST(TestNumText)
#include "test_numtext.moc"
