// The settings file's text: values read as they stand in the file, written
// so that they read back as given, and every other line left alone.
#include "platform/IniText.h"

#include <QtTest>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("KEY");

} // namespace

class TestIniText : public QObject {
    Q_OBJECT
private slots:
    // A last line without a line break keeps every byte when an entry is
    // added after it, carriage returns at its end included.
    void anEntryAddedAfterTheLastLineLeavesItAsItWas()
    {
        // The last line an entry, or the section's head in a file of
        // Windows line ends.
        for (const QByteArray& file : {QByteArray("[Settings]\nA=\"\r\r\r"), QByteArray("\r\n[Settings]\r")}) {
            const std::optional<QString> before = iniValue(file, kSection, QStringLiteral("A"));
            const QByteArray written = iniWithValue(file, kSection, kKey, QString());
            QCOMPARE(iniValue(written, kSection, QStringLiteral("A")), before);
            QCOMPARE(iniValue(written, kSection, kKey), std::optional<QString>(QString()));
        }
    }

    void valuesReadAsTheyStand_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char* name, const QByteArray& file, const QString& expected) {
            QTest::newRow(name) << file << true << expected;
        };
        const auto absent = [](const char* name, const QByteArray& file) {
            QTest::newRow(name) << file << false << QString();
        };
        row("commas", "[Settings]\nKEY=9600,n,8,1\n", "9600,n,8,1");
        row("blanks around", "[Settings]\n  KEY \t=  a b ,c\t \n", "a b ,c");
        row("quoted keeps its blanks", "[Settings]\nKEY= \" a, b \" \n", " a, b ");
        row("escapes inside quotes", "[Settings]\nKEY=\"say \\\"hi\\\" \\\\o/\"\n", "say \"hi\" \\o/");
        row("other backslashes are text", "[Settings]\nKEY=\"C:\\temp\"\n", "C:\\temp");
        row("backslashes outside quotes are text", "[Settings]\nKEY=C:\\\\x\\\"\n", "C:\\\\x\\\"");
        row("text after the closing quote", "[Settings]\nKEY=\"a\" b\n", "\"a\" b");
        row("an escaped last quote does not close", "[Settings]\nKEY=\"a\\\"\n", "\"a\\\"");
        row("lone quote", "[Settings]\nKEY=\"\n", "\"");
        row("empty", "[Settings]\nKEY=\n", "");
        row("empty quoted", "[Settings]\nKEY=\"\"\n", "");
        row("semicolon and equals are text", "[Settings]\nKEY=ab;cd=ef #x\n", "ab;cd=ef #x");
        row("UTF-8", "[Settings]\nKEY=gr\xC3\xBC\xC3\x9F" "e\n", QStringLiteral("grüße"));
        row("not UTF-8 reads as Latin-1", "[Settings]\nKEY=gr\xFC\xDF" "e\n", QStringLiteral("grüße"));
        row("line ends of Windows", "[Settings]\r\nKEY=v\r\n", "v");
        row("byte order mark", "\xEF\xBB\xBF[Settings]\nKEY=v\n", "v");
        row("no line break at the end", "[Settings]\nKEY=v", "v");
        row("notes are passed over", "[Settings]\n;KEY=x\n#KEY=y\nKEY=z\n", "z");
        row("the first of two counts", "[Settings]\nKEY=1\nKEY=2\n", "1");
        row("blanks inside the brackets", "[ Settings ]\nKEY=v\n", "v");
        row("a second block of the section", "[Settings]\nA=1\n[Other]\nKEY=x\n[Settings]\nKEY=v\n", "v");
        absent("other section", "[Other]\nKEY=x\n");
        absent("before any section", "KEY=x\n[Settings]\n");
        absent("keys are exact", "[Settings]\nkey=x\n");
        absent("a line without equals", "[Settings]\nKEY\n");
    }

    void valuesReadAsTheyStand()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, present);
        QFETCH(QString, expected);
        const std::optional<QString> value = iniValue(file, kSection, kKey);
        QCOMPARE(value.has_value(), present);
        if (value)
            QCOMPARE(*value, expected);
    }

    void writtenValuesReadBackAsGiven()
    {
        const QStringList values = {
            QString(), QStringLiteral(" "), QStringLiteral(" a b "), QStringLiteral("\t"),
            QStringLiteral("\""), QStringLiteral("\"quoted\""), QStringLiteral("a\"b"), QStringLiteral("\\"),
            QStringLiteral("C:\\new\\\""), QStringLiteral("9600,n,8,1"), QStringLiteral("x;y"),
            QStringLiteral("=a"), QStringLiteral("#"), QStringLiteral(";"), QStringLiteral("[Other]"),
            QStringLiteral("grüße € 😀"), QStringLiteral("@Invalid()"), QStringLiteral("\"  \" x")};
        QByteArray file = "; kept\n[Other]\nKEY=other\n";
        for (const QString& value : values) {
            QVERIFY2(iniValueWritable(value), qPrintable(value));
            file = iniWithValue(file, kSection, kKey, value);
            QCOMPARE(iniValue(file, kSection, kKey), std::optional<QString>(value));
            QCOMPARE(iniValue(file, QStringLiteral("Other"), kKey), std::optional<QString>(QStringLiteral("other")));
        }
        for (const char* broken : {"a\nb", "a\r", "\r\n"})
            QVERIFY(!iniValueWritable(QString::fromLatin1(broken)));
        QVERIFY(!iniValueWritable(QString(QChar(0xD800))));
    }

    void aWriteChangesOnlyTheLineOfItsKey()
    {
        // Replaced in place; notes, line ends and bytes that are not UTF-8 stay.
        const QByteArray windows = "; note\r\n[Settings]\r\nA=gr\xFC\xDF" "e\r\nKEY=old\r\nB = 2 \r\n";
        QCOMPARE(iniWithValue(windows, kSection, kKey, QStringLiteral("new")),
                 QByteArray("; note\r\n[Settings]\r\nA=gr\xFC\xDF" "e\r\nKEY=new\r\nB = 2 \r\n"));
        // Added after the last entry of its section, before the blank line.
        QCOMPARE(iniWithValue("[Settings]\nA=1\n\n[Other]\nX=1\n", kSection, kKey, QStringLiteral("v")),
                 QByteArray("[Settings]\nA=1\nKEY=v\n\n[Other]\nX=1\n"));
        QCOMPARE(iniWithValue("[Settings]\n[Other]\n", kSection, kKey, QStringLiteral("v")),
                 QByteArray("[Settings]\nKEY=v\n[Other]\n"));
        // A new section goes at the end.
        QCOMPARE(iniWithValue("[Other]\nX=1", kSection, kKey, QStringLiteral("v")),
                 QByteArray("[Other]\nX=1\n\n[Settings]\nKEY=v\n"));
        QCOMPARE(iniWithValue("", kSection, kKey, QStringLiteral("9600,n,8,1")),
                 QByteArray("[Settings]\nKEY=9600,n,8,1\n"));
        // Quotes only where the plain text would read otherwise.
        QCOMPARE(iniWithValue("", kSection, kKey, QStringLiteral(" \"a\\b\" ")),
                 QByteArray("[Settings]\nKEY=\" \\\"a\\\\b\\\" \"\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "test_initext.moc"
