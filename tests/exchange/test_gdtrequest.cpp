// The request reader against files written from the field tables: the
// record types, the three character sets (and CP437 when 9206 is absent),
// LF-only and CR-only lines, lengths that do not match, unknown fields,
// 3110 as digits or letters; refused with the line named: no 3000, an
// empty file, binary junk, unknown record types, unclear needed fields.
#include "GdtFiles.h"

#include "exchange/GdtLines.h"
#include "exchange/GdtRequest.h"
#include "text/Edition.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace gdttest;

Q_DECLARE_METATYPE(GdtSex)

namespace {

GdtRequest taken(const QByteArray& file)
{
    const auto read = readGdtRequest(file);
    if (const auto* error = std::get_if<GdtReadError>(&read))
        qWarning("refused at line %d: %s", error->line, qPrintable(error->reason));
    return std::get<GdtRequest>(read);
}

GdtReadError refused(const QByteArray& file)
{
    const auto read = readGdtRequest(file);
    if (!std::holds_alternative<GdtReadError>(read))
        qWarning("taken, though it should not be");
    return std::get<GdtReadError>(read);
}

Fields with(Fields fields, int id, const QByteArray& content)
{
    for (auto& field : fields)
        if (field.first == id)
            field.second = content;
    return fields;
}

Fields without(Fields fields, int id)
{
    std::erase_if(fields, [id](const auto& f) { return f.first == id; });
    return fields;
}

} // namespace

class TestGdtRequest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Edition::select(EditionId::English); }

    void recordTypes_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<int>("kind");
        QTest::newRow("master data") << QByteArray("6301") << int(GdtRequestKind::MasterData);
        QTest::newRow("new examination") << QByteArray("6302") << int(GdtRequestKind::NewExamination);
        QTest::newRow("show examination") << QByteArray("6311") << int(GdtRequestKind::ShowExamination);
    }
    void recordTypes()
    {
        QFETCH(QByteArray, type);
        QFETCH(int, kind);
        const GdtRequest request = taken(gdtFile(with(request6302("Nigro"), 8000, type)));
        QCOMPARE(int(request.kind), kind);
        QCOMPARE(request.patient.number, QStringLiteral("4711"));
        QCOMPARE(request.patient.surname, QStringLiteral("Nigro"));
        QCOMPARE(request.patient.firstName, QStringLiteral("Anna"));
        QCOMPARE(request.patient.birthDate, QDate(1956, 4, 3));
        QCOMPARE(request.patient.sex, GdtSex::Female);
        QCOMPARE(request.receiverId, QStringLiteral("KORV"));
        QCOMPARE(request.senderId, QStringLiteral("PRAX"));
    }

    // The example line of the format description, byte for byte.
    void handCountedLines()
    {
        const QByteArray file = "01380006302\r\n014810000090\r\n0123000471\r\n0143101Nigro\r\n";
        QCOMPARE(file.size(), 13 + 14 + 12 + 14); // its 8100 (90) is wrong, as some files are
        const GdtRequest request = taken(file);
        QCOMPARE(request.patient.number, QStringLiteral("471"));
        QCOMPARE(request.patient.surname, QStringLiteral("Nigro"));
        const std::vector<GdtLine> lines = gdtLines(file);
        QCOMPARE(lines.size(), size_t(4));
        for (const GdtLine& line : lines)
            QVERIFY2(line.lengthAgrees(), qPrintable(QString::number(line.number)));
    }

    void charsets_data()
    {
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QByteArray>("surname");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CP437") << QByteArray("2") << QByteArray("M\x81ller-L\x94\xe1") << QString::fromUtf8("Müller-Löß");
        QTest::newRow("CP437 capitals") << QByteArray("2") << QByteArray("\x8e\x99\x9a") << QString::fromUtf8("ÄÖÜ");
        QTest::newRow("ISO 8859-1") << QByteArray("3") << QByteArray("M\xfcller-L\xf6\xdf")
                                    << QString::fromUtf8("Müller-Löß");
        QTest::newRow("ISO 8859-1 capitals") << QByteArray("3") << QByteArray("\xc4\xd6\xdc\xe9")
                                             << QString::fromUtf8("ÄÖÜé");
        QTest::newRow("7-bit") << QByteArray("1") << QByteArray("Mueller") << QStringLiteral("Mueller");
        // German 7-bit (DIN 66003) as German practice systems write it.
        QTest::newRow("7-bit German") << QByteArray("1") << QByteArray("M}ller-L|~") << QString::fromUtf8("Müller-Löß");
        QTest::newRow("7-bit German, all") << QByteArray("1") << QByteArray("[\\]{|}~@")
                                           << QString::fromUtf8("ÄÖÜäöüß§");
        QTest::newRow("CP437, all") << QByteArray("2") << QByteArray("\x8e\x99\x9a\x84\x94\x81\xe1")
                                    << QString::fromUtf8("ÄÖÜäöüß");
        QTest::newRow("ISO 8859-1, all") << QByteArray("3") << QByteArray("\xc4\xd6\xdc\xe4\xf6\xfc\xdf")
                                         << QString::fromUtf8("ÄÖÜäöüß");
        QTest::newRow("9206 with blanks") << QByteArray(" 3 ") << QByteArray("G\xf6tz") << QString::fromUtf8("Götz");
    }
    void charsets()
    {
        QFETCH(QByteArray, charset);
        QFETCH(QByteArray, surname);
        QFETCH(QString, expected);
        QCOMPARE(taken(gdtFile(request6302(surname, charset))).patient.surname, expected);
    }

    void cp437WhenNoCharsetIsGiven()
    {
        const GdtRequest request = taken(gdtFile(without(request6302("J\x84ger"), 9206)));
        QCOMPARE(request.patient.surname, QString::fromUtf8("Jäger"));
        QCOMPARE(request.charset, GdtCharset::Cp437);
    }

    void lineEndingsAndLengths_data()
    {
        QTest::addColumn<QByteArray>("file");
        const Fields fields = request6302("B\x94hm");
        QTest::newRow("LF only") << gdtFile(fields, "\n");
        QTest::newRow("CR only") << gdtFile(fields, "\r");
        QByteArray wrong = gdtFile(fields);
        wrong.replace("0143101", "0993101").replace("0133102", "0013102");
        QTest::newRow("wrong lengths") << wrong;
        QTest::newRow("empty lines and no last line break") << QByteArray("\r\n" + gdtFile(fields).replace("\r\n0", "\r\n\r\n0").chopped(2));
        QByteArray padded = gdtFile(fields);
        padded.replace("4711", "4711  ");
        QTest::newRow("blanks after values") << padded;
        // What practice systems put after the record or before it.
        const QByteArray good = gdtFile(fields);
        QTest::newRow("Ctrl-Z after") << good + "\x1a";
        QTest::newRow("Ctrl-Z without a last line break") << good.chopped(2) + "\x1a";
        QTest::newRow("Ctrl-Z after blank lines") << good + "\r\n\r\n\x1a";
        QTest::newRow("NUL padding") << good + QByteArray(512, '\0');
        QTest::newRow("NUL padding without a last line break") << good.chopped(2) + QByteArray(3, '\0');
        QTest::newRow("blank lines after") << good + "\r\n\r\n   \r\n\n";
        QTest::newRow("UTF-8 mark") << "\xef\xbb\xbf" + gdtFile(request6302("B\xc3\xb6hm"));
    }
    void lineEndingsAndLengths()
    {
        QFETCH(QByteArray, file);
        const GdtRequest request = taken(file);
        QCOMPARE(request.patient.number, QStringLiteral("4711"));
        QCOMPARE(request.patient.surname, QString::fromUtf8("Böhm"));
        QCOMPARE(request.patient.birthDate, QDate(1956, 4, 3));
    }

    void utf8MarkReadsUtf8()
    {
        const GdtRequest request = taken("\xef\xbb\xbf" + gdtFile(request6302("M\xc3\xbcller-L\xc3\xb6\xc3\x9f")));
        QCOMPARE(request.patient.surname, QString::fromUtf8("Müller-Löß"));
        QCOMPARE(request.patient.number, QStringLiteral("4711"));
    }

    // 00 for a day or month the practice system does not know: taken,
    // with no birth date rather than a made-up one.
    void partlyKnownBirthDate_data()
    {
        QTest::addColumn<QByteArray>("born");
        QTest::newRow("day and month unknown") << QByteArray("00001980");
        QTest::newRow("day unknown") << QByteArray("00031980");
        QTest::newRow("month unknown") << QByteArray("15001980");
        QTest::newRow("nothing known") << QByteArray("00000000");
    }
    void partlyKnownBirthDate()
    {
        QFETCH(QByteArray, born);
        const GdtRequest request = taken(gdtFile(with(request6302("Nigro"), 3103, born)));
        QVERIFY(!request.patient.birthDate.isValid());
        QCOMPARE(request.patient.surname, QStringLiteral("Nigro"));
    }

    // The second record of a file is never read into the first one's patient.
    void twoRecordsTheFirstIsRead()
    {
        Fields second = with(request6302("Bohm"), 3000, "4712");
        second.push_back({3103, "01011990"}); // given again, differently
        const QByteArray file = gdtFile(without(request6302("Nigro"), 3102)) + gdtFile(second);
        const GdtRequest request = taken(file);
        QCOMPARE(request.patient.number, QStringLiteral("4711"));
        QCOMPARE(request.patient.surname, QStringLiteral("Nigro"));
        QVERIFY(request.patient.firstName.isEmpty());
        QCOMPARE(request.patient.birthDate, QDate(1956, 4, 3));
        QCOMPARE(request.restFromLine, 11);
        QCOMPARE(taken(gdtFile(request6302("Nigro"))).restFromLine, 0);
    }

    void unknownFieldsAreSkipped()
    {
        Fields fields = request6302("Nigro");
        fields.insert(fields.begin() + 5, {8402, "BDM01"});
        fields.push_back({3622, "172"});
        fields.push_back({9999, "\xff\xfe junk"});
        fields.push_back({3623, ""});
        fields.push_back({6220, QByteArray(900, 'x')});
        const GdtRequest request = taken(gdtFile(fields));
        QCOMPARE(request.patient.surname, QStringLiteral("Nigro"));
        QCOMPARE(request.patient.sex, GdtSex::Female);
    }

    void sexAsDigitsOrLetters_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<GdtSex>("sex");
        QTest::newRow("1") << QByteArray("1") << GdtSex::Male;
        QTest::newRow("2") << QByteArray("2") << GdtSex::Female;
        QTest::newRow("M") << QByteArray("M") << GdtSex::Male;
        QTest::newRow("w") << QByteArray("w") << GdtSex::Female;
        QTest::newRow("D") << QByteArray("D") << GdtSex::Diverse;
        QTest::newRow("X") << QByteArray("X") << GdtSex::Indeterminate;
        QTest::newRow("empty") << QByteArray("") << GdtSex::Unknown;
    }
    void sexAsDigitsOrLetters()
    {
        QFETCH(QByteArray, field);
        QFETCH(GdtSex, sex);
        QCOMPARE(taken(gdtFile(with(request6302("Nigro"), 3110, field))).patient.sex, sex);
    }

    void onlyThePatientNumberIsNeeded()
    {
        const GdtRequest request = taken(gdtFile({{8000, "6311"}, {3000, "0815"}}));
        QCOMPARE(request.kind, GdtRequestKind::ShowExamination);
        QCOMPARE(request.patient.number, QStringLiteral("0815"));
        QVERIFY(request.patient.surname.isEmpty());
        QVERIFY(!request.patient.birthDate.isValid());
    }

    // Refusals name the line (0: the file as a whole), counted as an editor counts them.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        const Fields fields = request6302("Nigro");
        QTest::newRow("empty file") << QByteArray() << 0 << "empty";
        QTest::newRow("only line breaks") << QByteArray("\r\n\n\r\n") << 0 << "empty";
        QTest::newRow("binary junk") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10) << 1 << "8000";
        QTest::newRow("text, not GDT") << QByteArray("Dear colleague,\r\nplease measure.\r\n") << 1 << "8000";
        QTest::newRow("first field not 8000") << gdtFile(without(fields, 8000)) << 1 << "8000";
        QTest::newRow("no 3000") << gdtFile(without(fields, 3000)) << 0 << "3000";
        QTest::newRow("empty 3000") << gdtFile(with(fields, 3000, "  ")) << 7 << "3000";
        QTest::newRow("result, not request") << gdtFile(with(fields, 8000, "6310")) << 1 << "6310";
        QTest::newRow("master data request") << gdtFile(with(fields, 8000, "6300")) << 1 << "6300";
        QTest::newRow("unknown charset") << gdtFile(with(fields, 9206, "7")) << 5 << "9206";
        QTest::newRow("birth date no date") << gdtFile(with(fields, 3103, "31021990")) << 10 << "31021990";
        QTest::newRow("birth date short") << gdtFile(with(fields, 3103, "3041956")) << 10 << "3041956";
        QTest::newRow("birth day 32, month unknown") << gdtFile(with(fields, 3103, "32001980")) << 10 << "32001980";
        QTest::newRow("birth month 13, day unknown") << gdtFile(with(fields, 3103, "00131980")) << 10 << "00131980";
        QTest::newRow("sex unreadable") << gdtFile(with(fields, 3110, "Q")) << 11 << "3110";
        Fields twice = fields;
        twice.push_back({3000, "4712"});
        QTest::newRow("3000 twice, different") << gdtFile(twice) << 12 << "3000";
        QByteArray junkLine = gdtFile(fields);
        junkLine.replace("0143101Nigro\r\n", "0143101Nigro\r\n\r\n---\r\n");
        QTest::newRow("junk line after an empty one") << junkLine << 10 << "field";
    }
    void refusals()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const GdtReadError error = refused(file);
        QCOMPARE(error.line, line);
        QVERIFY2(error.reason.contains(reason, Qt::CaseInsensitive), qPrintable(error.reason));
    }

    void sameFieldTwiceAlikeIsTaken()
    {
        Fields fields = request6302("Nigro");
        fields.push_back({3000, "4711"});
        QCOMPARE(taken(gdtFile(fields)).patient.number, QStringLiteral("4711"));
    }

    // 8100 tells a whole file from one still being written.
    void declaredLength()
    {
        const QByteArray file = gdtFile(request6302("Nigro"));
        QCOMPARE(gdtDeclaredFileLength(file), file.size());
        QCOMPARE(gdtDeclaredFileLength(file.first(30)), file.size());
        QCOMPARE(gdtDeclaredFileLength(file.first(20)), -1); // the 8100 line itself not yet whole
        QCOMPARE(gdtDeclaredFileLength(gdtFile({{8000, "6302"}, {3000, "1"}}).replace("8100000", "8100x00")), -1);
        QCOMPARE(gdtDeclaredFileLength("0138000630\r\n"), -1);
    }

    // Whole only when each record's 8100 and the last line agree.
    void completeness_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("complete");
        const QByteArray good = gdtFile(request6302("Nigro"));
        QTest::newRow("whole") << good << true;
        QTest::newRow("cut in a value") << good.first(good.indexOf("Nig") + 3) << false;
        QTest::newRow("cut at a line end") << good.first(good.indexOf("0133102")) << false;
        QTest::newRow("cut before the 8100") << good.first(13) << false;
        QTest::newRow("no 8100") << gdtFile(request6302("Nigro")).replace("0148100", "0149999") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("LF only, 8100 as written") << gdtFile(request6302("Nigro"), "\n") << true;
        QByteArray lfCountedCrLf = good;
        QTest::newRow("LF only, 8100 counting CR LF") << lfCountedCrLf.replace("\r\n", "\n") << true;
        QTest::newRow("no last line break") << good.chopped(2) << true;
        QTest::newRow("Ctrl-Z after") << good + "\x1a" << true;
        QTest::newRow("NUL padding") << good + QByteArray(100, '\0') << true;
        QTest::newRow("blank lines after") << good + "\r\n\r\n" << true;
        QTest::newRow("UTF-8 mark") << "\xef\xbb\xbf" + good << true;
        QTest::newRow("two records") << good + gdtFile(request6302("Bohm")) << true;
        QTest::newRow("second record cut") << good + gdtFile(request6302("Bohm")).first(50) << false;
        QTest::newRow("not GDT: nothing to wait for") << QByteArray("%PDF-1.4\n") << true;
    }
    void completeness()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, complete);
        QCOMPARE(gdtFileComplete(file), complete);
    }

    // Whatever the bytes, the reader answers (no crash, no hang): random
    // damage to a good file.
    void damagedFilesAreAnswered()
    {
        QRandomGenerator random(25);
        const QByteArray good = gdtFile(request6302("M\x81ller"));
        for (int round = 0; round < 2000; ++round) {
            QByteArray file = good;
            const int changes = 1 + int(random.bounded(8));
            for (int i = 0; i < changes; ++i)
                file[int(random.bounded(file.size()))] = char(random.bounded(256));
            const auto read = readGdtRequest(file.first(int(random.bounded(file.size() + 1))));
            if (const auto* request = std::get_if<GdtRequest>(&read))
                QVERIFY(!request->patient.number.isEmpty());
            else
                QVERIFY(!std::get<GdtReadError>(read).reason.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestGdtRequest)
#include "test_gdtrequest.moc"
