#include "testsupport.h"
#include "formdriver.h"
#include "platform/numtext.h"

using platform::NumberError;
using namespace testing;

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    // kind -1: read as value; otherwise the error it gives. Rows tagged
    // "single" read at single precision.
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("kind");
        const int mismatch = NumberError::TypeMismatch, overflow = NumberError::Overflow;
        QTest::newRow("blanks around") << "  7 " << 7.0 << -1;
        QTest::newRow("signs") << "-0.25" << -0.25 << -1;
        QTest::newRow("plus") << "+3" << 3.0 << -1;
        QTest::newRow("exponent upper") << "1E-05" << 1e-05 << -1;
        QTest::newRow("point first") << ".5" << 0.5 << -1;
        QTest::newRow("point last") << "5." << 5.0 << -1;
        QTest::newRow("underflow is zero") << "1e-400" << 0.0 << -1;
        QTest::newRow("underflow at the exponent limit") << "0.01e-9223372036854775808" << 0.0 << -1;
        QTest::newRow("de_DE comma") << "-0,75" << -0.75 << -1;
        QTest::newRow("de_DE exponent") << "1,234568E+08" << 1.234568e8 << -1;
        QTest::newRow("empty") << "" << 0.0 << mismatch;
        QTest::newRow("inf") << "inf" << 0.0 << mismatch;
        QTest::newRow("nan") << "nan" << 0.0 << mismatch;
        QTest::newRow("lone sign") << "-" << 0.0 << mismatch;
        QTest::newRow("exponent without digits") << "1e" << 0.0 << mismatch;
        QTest::newRow("grouping C") << "1,234" << 0.0 << mismatch;
        QTest::newRow("two points") << "1.2.3" << 0.0 << mismatch;
        QTest::newRow("beyond double, long exponent") << "1e99999999999999999999" << 0.0 << overflow;
        QTest::newRow("exponent at the limit") << "1e9223372036854775807" << 0.0 << overflow;
        QTest::newRow("negative, exponent at the limit") << "-1e9223372036854775807" << 0.0 << overflow;
        QTest::newRow("de_DE point is grouping") << "1.875" << 0.0 << mismatch;
        QTest::newRow("single top") << "3.4e38" << double(3.4e38f) << -1;
        QTest::newRow("single beyond") << "1e39" << 0.0 << overflow;
        QTest::newRow("single beyond, negative") << "-1e39" << 0.0 << overflow;
    }
    void reads()
    {
        useRowLocale();
        const QString text = cell("text");
        try {
            const double value = QByteArray(QTest::currentDataTag()).startsWith("single") ? platform::textToSingle(text)
                                                                                           : platform::textToDouble(text);
            QCOMPARE(cell<int>("kind"), -1);
            QCOMPARE(value, cell<double>("value"));
        } catch (const NumberError& e) {
            QCOMPARE(int(e.kind()), cell<int>("kind"));
        }
    }

    // A mask, or the standard text of a "single" or a "double". The two
    // masks of a result, at their limits, are checked with FormatResult.
    void formats_data()
    {
        QTest::addColumn<double>("value");
        columns({"mask", "text"});
        QTest::newRow("single seven digits") << double(1234567.0f) << "single" << "1234567";
        QTest::newRow("single negative zero") << -0.0 << "single" << "0";
        QTest::newRow("double mile") << 1.6093439999999999 << "double" << "1.609344";
        QTest::newRow("double large") << 3.7248e+17 << "double" << "3.7248E+17";
        QTest::newRow("de_DE single") << 0.75 << "single" << "0,75";
        QTest::newRow("de_DE double") << 1.5e-7 << "double" << "1,5E-07";
        QTest::newRow("rounded to last place") << 2.0 / 3 << "0.######" << "0.666667";
        QTest::newRow("no leading zero under #") << 0.5 << "###.##" << ".5";
        QTest::newRow("whole digits beyond places") << 12345.0 << "#.#" << "12345.";
        QTest::newRow("compulsory decimals") << 3.0 << "0.00" << "3.00";
        QTest::newRow("rounding carries") << 0.9999999 << "0.######" << "1.";
        QTest::newRow("exponent small") << 1.5e-7 << "0.0###### E+00" << "1.5 E-07";
        QTest::newRow("exponent no compulsory decimal") << 1000.0 << "0.###### E+00" << "1. E+03";
        QTest::newRow("exponent carry") << 9.99999999 << "0.0###### E+00" << "1.0 E+01";
        QTest::newRow("exponent wide") << 1e-120 << "0.0##### E+00" << "1.0 E-120";
        QTest::newRow("no blank before E") << 123456.0 << "0.0###E+00" << "1.2346E+05";
        QTest::newRow("E- sign only when negative") << 1234.0 << "0.0E-00" << "1.2E03";
        QTest::newRow("literal kept") << 5.0 << "0 x" << "5 x";
        QTest::newRow("tiny negative rounds to zero") << -1e-9 << "0.######" << "0.";
        QTest::newRow("de_DE point") << 1.609344 << "0.######" << "1,609344";
        QTest::newRow("de_DE exponent") << 1000.0 << "0.0##### E+00" << "1,0 E+03";
    }
    void formats()
    {
        useRowLocale();
        const double value = cell<double>("value");
        const QString mask = cell("mask");
        QCOMPARE(mask == u"single" ? platform::singleToText(float(value))
                 : mask == u"double" ? platform::doubleToText(value)
                                     : platform::formatNumber(value, mask),
                 cell("text"));
    }
};
ORVALIS_TEST(TestNumText)
#include "test_numtext.moc"
