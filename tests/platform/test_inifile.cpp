#include "testsupport.h"
#include "platform/inifile.h"

#include <QTemporaryDir>

// The INI reader and writer on text in memory: what a value reads as, and
// the exact bytes a write leaves. The file side is tested with ReadIni and
// WriteIni (tests/core/test_ini_file_tools.cpp).
class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray opts("[Options]\nCalculator=calc\n");
        // Defaults: "DEF" comes back for what is missing.
        QTest::newRow("empty file") << QByteArray() << "Options" << "Calculator" << "DEF";
        QTest::newRow("missing section") << opts << "Other" << "Calculator" << "DEF";
        QTest::newRow("missing key") << opts << "Options" << "NotePad" << "DEF";
        QTest::newRow("empty section name") << opts << "" << "Calculator" << "DEF";
        QTest::newRow("empty key name") << opts << "Options" << "" << "DEF";
        QTest::newRow("blank key name") << opts << "Options" << "  " << "DEF";
        QTest::newRow("found") << opts << "Options" << "Calculator" << "calc";
        // Empty values are values, not missing.
        QTest::newRow("empty value") << QByteArray("[S]\nk=\n") << "S" << "k" << "";
        QTest::newRow("blank value") << QByteArray("[S]\nk=  \t \n") << "S" << "k" << "";
        QTest::newRow("empty quotes") << QByteArray("[S]\nk=\"\"\n") << "S" << "k" << "";
        // Blanks around names and values.
        QTest::newRow("blanks around") << QByteArray("[S]\n  k  =  v w  \n") << "S" << "k" << "v w";
        QTest::newRow("tabs around") << QByteArray("[S]\n\tk\t=\tv\t\n") << "S" << "k" << "v";
        QTest::newRow("factor form") << QByteArray("[S]\nUser4_Factor= 2.75\n") << "S" << "User4_Factor"
                                     << "2.75";
        QTest::newRow("blanks in header") << QByteArray("  [  S  ]  \nk=v\n") << "S" << "k" << "v";
        QTest::newRow("caller's blanks") << QByteArray("[S]\nk=v\n") << "  S " << " k  " << "v";
        QTest::newRow("no-break space kept") << QByteArray("[S]\nk=\xC2\xA0v\xC2\xA0\n") << "S" << "k"
                                             << QString::fromUtf16(u"\u00A0v\u00A0");
        // Quotes: only a pair that encloses the whole value goes.
        QTest::newRow("quoted") << QByteArray("[S]\nk=\"a b\"\n") << "S" << "k" << "a b";
        QTest::newRow("quoted keeps inner blanks") << QByteArray("[S]\nk= \"  a \" \n") << "S" << "k" << "  a ";
        QTest::newRow("quote inside") << QByteArray("[S]\nk=say \"hi\"\n") << "S" << "k" << "say \"hi\"";
        QTest::newRow("quote at start only") << QByteArray("[S]\nk=\"hi\" there\n") << "S" << "k"
                                             << "\"hi\" there";
        QTest::newRow("one quote") << QByteArray("[S]\nk=\"\n") << "S" << "k" << "\"";
        QTest::newRow("single quotes kept") << QByteArray("[S]\nk='a'\n") << "S" << "k" << "'a'";
        QTest::newRow("quoted path") << QByteArray("[S]\nk=\"C:\\Program Files\\x.exe\"\n") << "S" << "k"
                                     << "C:\\Program Files\\x.exe";
        // The value is the rest of the line after the first "=".
        QTest::newRow("equals in value") << QByteArray("[S]\nk=a=b\n") << "S" << "k" << "a=b";
        QTest::newRow("semicolon in value") << QByteArray("[S]\nk=a;b\n") << "S" << "k" << "a;b";
        QTest::newRow("backslashes") << QByteArray("[S]\nk=c:\\windows\\calc.exe\n") << "S" << "k"
                                     << "c:\\windows\\calc.exe";
        QTest::newRow("comma") << QByteArray("[S]\nk=a, b\n") << "S" << "k" << "a, b";
        // Names match regardless of ASCII case.
        QTest::newRow("section case") << QByteArray("[OPTIONS]\nk=v\n") << "options" << "k" << "v";
        QTest::newRow("key case") << QByteArray("[S]\nNotePad=v\n") << "S" << "NOTEPAD" << "v";
        QTest::newRow("non-ASCII case differs") << QByteArray("[S]\n\xC3\x84pfel=v\n") << "S"
                                                << QString::fromUtf16(u"\u00E4pfel") << "DEF";
        QTest::newRow("non-ASCII name") << QByteArray("[S]\n\xC3\x84pfel=v\n") << "s" << QString::fromUtf16(u"\u00C4pfel")
                                        << "v";
        // Line endings.
        QTest::newRow("CRLF") << QByteArray("[S]\r\nk=v\r\nm=w\r\n") << "S" << "k" << "v";
        QTest::newRow("CRLF empty value") << QByteArray("[S]\r\nk=\r\n") << "S" << "k" << "";
        QTest::newRow("no final newline") << QByteArray("[S]\nk=v") << "S" << "k" << "v";
        QTest::newRow("mixed endings") << QByteArray("[A]\r\na=1\n[S]\r\nk=v\n") << "S" << "k" << "v";
        // Lines that are no key of the section.
        QTest::newRow("key before any section") << QByteArray("k=v\n[S]\nm=w\n") << "S" << "k" << "DEF";
        QTest::newRow("line without =") << QByteArray("[S]\nk\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("only line without =") << QByteArray("[S]\nk\n") << "S" << "k" << "DEF";
        QTest::newRow("comment") << QByteArray("[S]\n;k=c\n") << "S" << "k" << "DEF";
        QTest::newRow("indented comment") << QByteArray("[S]\n  ; k=c\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("hash is no comment") << QByteArray("[S]\n#k=v\n") << "S" << "#k" << "v";
        QTest::newRow("empty key") << QByteArray("[S]\n=v\n") << "S" << "k" << "DEF";
        QTest::newRow("header without ]") << QByteArray("[S]\n[T\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("text after ]") << QByteArray("[S] ; note\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("key in other section") << QByteArray("[A]\nk=a\n[S]\nm=s\n") << "S" << "k" << "DEF";
        QTest::newRow("right section") << QByteArray("[A]\nk=a\n[S]\nk=s\n[B]\nk=b\n") << "S" << "k" << "s";
        QTest::newRow("first of two keys") << QByteArray("[S]\nk=1\nk=2\n") << "S" << "k" << "1";
        QTest::newRow("first of two sections") << QByteArray("[S]\nk=1\n[S]\nk=2\nm=3\n") << "s" << "m"
                                               << "DEF";
        // Text: UTF-8, else Windows-1252, line by line.
        QTest::newRow("UTF-8") << QByteArray("[S]\nk=caf\xC3\xA9 \xE2\x82\xAC\n") << "S" << "k"
                               << QString::fromUtf16(u"caf\u00E9 \u20AC");
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[S]\nk=v\n") << "S" << "k" << "v";
        QTest::newRow("Windows-1252") << QByteArray("[S]\nk=caf\xE9 \x80\n") << "S" << "k"
                                      << QString::fromUtf16(u"caf\u00E9 \u20AC");
        QTest::newRow("undefined 1252 byte") << QByteArray("[S]\nk=a\x81z\n") << "S" << "k"
                                             << QString::fromUtf16(u"a\u0081z");
        QTest::newRow("mixed encodings") << QByteArray("[S]\nk=\xE9\nm=\xC3\xA9\n") << "S" << "m"
                                         << QString::fromUtf16(u"\u00E9");
        QTest::newRow("cut UTF-8 sequence") << QByteArray("[S]\nk=a\xC3\n") << "S" << "k"
                                            << QString::fromUtf16(u"a\u00C3");
        QTest::newRow("overlong UTF-8") << QByteArray("[S]\nk=\xC0\xAF\n") << "S" << "k"
                                        << QString::fromUtf16(u"\u00C0\u00AF");
        QTest::newRow("1252 section name") << QByteArray("[Caf\xE9]\nk=v\n") << QString::fromUtf16(u"caf\u00E9") << "k"
                                           << "v";
        QTest::newRow("NUL byte in value") << QByteArray("[S]\nk=a\0b\n", 10) << "S" << "k"
                                           << QString::fromUtf16(u"a\u0000b", 3);
        QTest::newRow("lone CR in value") << QByteArray("[S]\nk=a\rb\n") << "S" << "k" << "a\rb";
    }
    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(platform::iniLookup(content, section, key, QStringLiteral("DEF")), expected);
    }

    void defaultExactly_data()
    {
        QTest::addColumn<QString>("defaultValue");
        QTest::newRow("text") << "c:\\windows\\calc.exe";
        QTest::newRow("blanks around") << "  x  ";
        QTest::newRow("quoted") << "\"q\"";
        QTest::newRow("empty") << "";
        QTest::newRow("null") << QString();
        QTest::newRow("longer than 511") << QString(600, u'd');
    }
    void defaultExactly()
    {
        QFETCH(QString, defaultValue);
        const QString got = platform::iniLookup("[S]\nk=v\n", "S", "missing", defaultValue);
        QCOMPARE(got, defaultValue);
        QCOMPARE(got.isNull(), defaultValue.isNull());
    }

    void length_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        const QString a510(510, u'a');
        QTest::newRow("510") << a510 << a510;
        QTest::newRow("511") << a510 + "b" << a510 + "b";
        QTest::newRow("512") << a510 + "bc" << a510 + "b";
        QTest::newRow("600") << QString(600, u'x') << QString(511, u'x');
        QTest::newRow("quoted 513") << "\"" + a510 + "bc\"" << a510 + "b";
        QTest::newRow("blanks not counted") << "   " + a510 + "b   " << a510 + "b";
        // A character of two UTF-16 units is not split: it goes whole.
        QTest::newRow("pair at the cut") << a510 + QString::fromUtf16(u"\U0001F600") + "z" << a510;
        QTest::newRow("pair before the cut") << QString(509, u'a') + QString::fromUtf16(u"\U0001F600") + "z"
                                             << QString(509, u'a') + QString::fromUtf16(u"\U0001F600");
    }
    void length()
    {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const QByteArray content = "[S]\nk=" + value.toUtf8() + "\n";
        const QString got = platform::iniLookup(content, "S", "k", "DEF");
        QCOMPARE(got, expected);
        QVERIFY(got.size() <= platform::IniMaxValueLength);
    }

    void update_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        // Placement of new keys and sections.
        QTest::newRow("new file") << QByteArray() << "S" << "k" << "v" << QByteArray("[S]\nk=v\n");
        QTest::newRow("new key at end of its section")
            << QByteArray("[A]\na=1\n\n[B]\nb=2\n") << "A" << "c" << "3"
            << QByteArray("[A]\na=1\nc=3\n\n[B]\nb=2\n");
        QTest::newRow("new key in last section") << QByteArray("[A]\na=1\n[B]\nb=2\n") << "B" << "c" << "3"
                                                 << QByteArray("[A]\na=1\n[B]\nb=2\nc=3\n");
        QTest::newRow("new key in empty section") << QByteArray("[A]\n[B]\nb=2\n") << "a" << "k" << "v"
                                                  << QByteArray("[A]\nk=v\n[B]\nb=2\n");
        QTest::newRow("new key before trailing comment")
            << QByteArray("[A]\na=1\n; about B\n[B]\n") << "A" << "c" << "3"
            << QByteArray("[A]\na=1\nc=3\n; about B\n[B]\n");
        QTest::newRow("new key after last key, past odd lines")
            << QByteArray("[A]\njunk\na=1\n[B]\n") << "A" << "c" << "3"
            << QByteArray("[A]\njunk\na=1\nc=3\n[B]\n");
        QTest::newRow("new section at end") << QByteArray("[A]\na=1\n") << "B" << "b" << "2"
                                            << QByteArray("[A]\na=1\n\n[B]\nb=2\n");
        QTest::newRow("new section after blank line") << QByteArray("[A]\na=1\n\n") << "B" << "b" << "2"
                                                       << QByteArray("[A]\na=1\n\n[B]\nb=2\n");
        QTest::newRow("new section, only comments") << QByteArray("; hello\n") << "B" << "b" << "2"
                                                    << QByteArray("; hello\n\n[B]\nb=2\n");
        QTest::newRow("keys before any section stay")
            << QByteArray("k=0\n") << "S" << "k" << "1" << QByteArray("k=0\n\n[S]\nk=1\n");
        QTest::newRow("no final newline, new key") << QByteArray("[A]\na=1") << "A" << "b" << "2"
                                                   << QByteArray("[A]\na=1\nb=2\n");
        QTest::newRow("no final newline, new section") << QByteArray("[A]\na=1") << "B" << "b" << "2"
                                                       << QByteArray("[A]\na=1\n\n[B]\nb=2\n");
        QTest::newRow("no final newline, replace") << QByteArray("[A]\na=1") << "A" << "a" << "2"
                                                   << QByteArray("[A]\na=2");
        QTest::newRow("first of two sections") << QByteArray("[A]\na=1\n[A]\nb=2\n") << "A" << "b" << "3"
                                               << QByteArray("[A]\na=1\nb=3\n[A]\nb=2\n");
        QTest::newRow("names taken without blanks") << QByteArray() << "  S " << " k  " << "v"
                                                    << QByteArray("[S]\nk=v\n");
        // Replacement in place: the line up to "=" stays, the rest is the value.
        QTest::newRow("replace in place")
            << QByteArray("; top\n[A]\n; c\nk = old\nz=1\n\n[B]\nk=b\n") << "A" << "k" << "new"
            << QByteArray("; top\n[A]\n; c\nk =new\nz=1\n\n[B]\nk=b\n");
        QTest::newRow("replace keeps key's case") << QByteArray("[Opt]\nKEY=1\n") << "opt" << "key" << "2"
                                                  << QByteArray("[Opt]\nKEY=2\n");
        QTest::newRow("replace first of two") << QByteArray("[A]\nk=1\nk=2\n") << "A" << "k" << "3"
                                              << QByteArray("[A]\nk=3\nk=2\n");
        QTest::newRow("replace factor form") << QByteArray("[S]\nUser4_Factor= 2.75\n") << "S" << "User4_Factor"
                                             << " 3" << QByteArray("[S]\nUser4_Factor= 3\n");
        QTest::newRow("replace by empty") << QByteArray("[S]\nk=v\n") << "S" << "k" << ""
                                          << QByteArray("[S]\nk=\n");
        QTest::newRow("replace = in value") << QByteArray("[S]\nk=a=b\n") << "S" << "k" << "c=d"
                                            << QByteArray("[S]\nk=c=d\n");
        // Line endings: a file's own, LF for a new one.
        QTest::newRow("CRLF new key") << QByteArray("[A]\r\na=1\r\n") << "A" << "b" << "2"
                                      << QByteArray("[A]\r\na=1\r\nb=2\r\n");
        QTest::newRow("CRLF new section") << QByteArray("[A]\r\na=1\r\n") << "B" << "b" << "2"
                                          << QByteArray("[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
        QTest::newRow("CRLF replace") << QByteArray("[A]\r\na=1\r\n") << "A" << "a" << "2"
                                      << QByteArray("[A]\r\na=2\r\n");
        QTest::newRow("CRLF no final newline") << QByteArray("[A]\r\na=1") << "A" << "b" << "2"
                                               << QByteArray("[A]\r\na=1\r\nb=2\r\n");
        QTest::newRow("mixed endings kept") << QByteArray("[A]\na=1\r\n[B]\r\n") << "A" << "b" << "2"
                                            << QByteArray("[A]\na=1\r\nb=2\n[B]\r\n");
        // Values: one line, otherwise as given.
        QTest::newRow("line breaks become blanks") << QByteArray() << "S" << "k" << "a\r\nb\nc\rd"
                                                   << QByteArray("[S]\nk=a  b c d\n");
        QTest::newRow("section in a value") << QByteArray("[S]\nk=1\n") << "S" << "k" << "x\n[T]\ny=2"
                                            << QByteArray("[S]\nk=x [T] y=2\n");
        QTest::newRow("NUL becomes blank") << QByteArray() << "S" << "k" << QString::fromUtf16(u"a\u0000b", 3)
                                           << QByteArray("[S]\nk=a b\n");
        QTest::newRow("blanks and quotes as given") << QByteArray() << "S" << "k" << " \"q\" "
                                                    << QByteArray("[S]\nk= \"q\" \n");
        QTest::newRow("UTF-8 written") << QByteArray() << QString::fromUtf16(u"Caf\u00E9") << "k" << QString::fromUtf16(u"\u20AC")
                                       << QByteArray("[Caf\xC3\xA9]\nk=\xE2\x82\xAC\n");
        // Bytes of other lines stay as they were, whatever they are.
        QTest::newRow("1252 lines kept") << QByteArray("[S]\nk=caf\xE9\n; \xFF\xFE\n") << "S" << "m" << "v"
                                         << QByteArray("[S]\nk=caf\xE9\nm=v\n; \xFF\xFE\n");
        QTest::newRow("1252 key replaced") << QByteArray("[S]\nn\xE9=old\n") << "S" << QString::fromUtf16(u"n\u00E9")
                                           << "new" << QByteArray("[S]\nn\xE9=new\n");
        QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBF[S]\nk=1\n") << "S" << "k" << "2"
                                  << QByteArray("\xEF\xBB\xBF[S]\nk=2\n");
        QTest::newRow("odd spacing kept") << QByteArray("  [ S ]  \n\t a = 1 \n\n\n") << "S" << "b" << "2"
                                          << QByteArray("  [ S ]  \n\t a = 1 \nb=2\n\n\n");
    }
    void update()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const std::optional<QByteArray> got = platform::iniUpdate(before, section, key, value);
        QVERIFY(got.has_value());
        QCOMPARE(*got, after);
    }

    void invalidNames_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("section with ]") << "a]b" << "k";
        QTest::newRow("section ending in ]") << "[T]" << "k";
        QTest::newRow("section with LF") << "a\nb" << "k";
        QTest::newRow("section with CR") << "a\rb" << "k";
        QTest::newRow("section with NUL") << QString::fromUtf16(u"a\u0000b", 3) << "k";
        QTest::newRow("empty section") << "" << "k";
        QTest::newRow("blank section") << " \t " << "k";
        QTest::newRow("key with =") << "S" << "a=b";
        QTest::newRow("key with LF") << "S" << "a\n[T]";
        QTest::newRow("key with CR") << "S" << "a\rb";
        QTest::newRow("key with NUL") << "S" << QString::fromUtf16(u"a\u0000b", 3);
        QTest::newRow("key as comment") << "S" << ";k";
        QTest::newRow("key as section") << "S" << " [T]k";
        QTest::newRow("empty key") << "S" << "";
        QTest::newRow("blank key") << "S" << "   ";
    }
    void invalidNames()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QVERIFY(!(platform::isValidIniSection(section) && platform::isValidIniKey(key)));
        QVERIFY(!platform::iniUpdate("[S]\nk=v\n", section, key, "x").has_value());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("x.ini");
        QVERIFY(!platform::writeIniValue(path, section, key, "x"));
        QVERIFY(!QFileInfo::exists(path));
    }

    void validNames_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("plain") << "User1Factors" << "User1_Text";
        QTest::newRow("blanks inside") << "Cup Size" << "Cup Size";
        QTest::newRow("[ in section") << "a[b" << "k";
        QTest::newRow("= in section") << "a=b" << "k";
        QTest::newRow("; in section") << ";a" << "k";
        QTest::newRow("] in key") << "S" << "a]b";
        QTest::newRow("; inside key") << "S" << "a;b";
        QTest::newRow("non-ASCII") << QString::fromUtf16(u"\u00C4") << QString::fromUtf16(u"\u20AC");
    }
    void validNames()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QVERIFY(platform::isValidIniSection(section));
        QVERIFY(platform::isValidIniKey(key));
        const std::optional<QByteArray> written = platform::iniUpdate("[S]\nk=v\n", section, key, "x");
        QVERIFY(written.has_value());
        QCOMPARE(platform::iniLookup(*written, section, key, "DEF"), QStringLiteral("x"));
        QCOMPARE(platform::iniLookup(*written, "S", "k", "DEF"), QStringLiteral("v"));
    }

    // Writing and reading back gives the value written, for every value that
    // has no blanks around it, no enclosing quotes and no line break.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "inch";
        QTest::newRow("empty") << "";
        QTest::newRow("path") << "c:\\windows\\calc.exe";
        QTest::newRow("inner blanks") << "U.S.  Quarter";
        QTest::newRow("= ; # [ ]") << "a=b;c#d[e]f";
        QTest::newRow("quote inside") << "say \"hi\"";
        QTest::newRow("non-ASCII") << QString::fromUtf16(u"M\u00FCller \u20AC \U0001F600");
        QTest::newRow("511") << QString(511, u'q');
    }
    void roundTrip()
    {
        QFETCH(QString, value);
        QByteArray content("[User2Factors]\nTable_Name=x\n");
        for (const char* key : {"Table_Name", "Button_Image"}) {
            const std::optional<QByteArray> written = platform::iniUpdate(content, "User2Factors", key, value);
            QVERIFY(written.has_value());
            content = *written;
            QCOMPARE(platform::iniLookup(content, "User2Factors", key, "DEF"), value);
        }
    }
};
ORVALIS_TEST(TestIniFile)
#include "test_inifile.moc"
