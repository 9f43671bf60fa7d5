// Validation of the recording details as the window's boxes give them:
// every field's problem is named with the field's label and the problem's
// text in both editions, the first problem in field order wins, the forms
// of each edition are taken, and stored details give their boxes back.
#include "data/RecordingDetails.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QtTest>

namespace {

const QDate kToday(2026, 1, 30);

DetailsInput goodInput()
{
    DetailsInput in;
    in.patientNumber = QStringLiteral("4711");
    in.surname = QStringLiteral("Doe");
    in.firstName = QStringLiteral("Jane");
    in.birthDate = QStringLiteral("1960-05-17");
    in.startDate = QStringLiteral("2025-12-30");
    in.startTime = QStringLiteral("9:05");
    in.bedtime = QStringLiteral("22:30");
    in.wakeUp = QStringLiteral("06:45");
    in.officeSys = QStringLiteral("145");
    in.officeDia = QStringLiteral("92");
    return in;
}

QString expectedMessage(DetailsField field, const char* key)
{
    return catText("details.msgField").arg(detailsFieldName(field), catText(key));
}

} // namespace

Q_DECLARE_METATYPE(DetailsField)

class TestDetailsValidation : public QObject {
    Q_OBJECT

private slots:
    void eachFieldsProblemIsNamed_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<DetailsField>("field");
        QTest::addColumn<QString>("key");
        // slot: which box gets the text (0 number, 1 birth, 2 start date,
        // 3 start time, 4 bedtime, 5 wake-up, 6 office sys, 7 office dia).
        struct Case {
            const char* name;
            int slot;
            const char* text;
            DetailsField field;
            const char* key;
        };
        const Case cases[] = {
            {"number of 11", 0, "12345678901", DetailsField::PatientNumber, "details.msgNumberTooLong"},
            {"30 February", 1, "1960-02-30", DetailsField::BirthDate, "details.msgNoDate"},
            {"birth garbage", 1, "yesterday", DetailsField::BirthDate, "details.msgNoDate"},
            {"birth tomorrow", 1, "2026-01-31", DetailsField::BirthDate, "details.msgBornInFuture"},
            {"birth after start", 1, "2025-12-31", DetailsField::BirthDate, "details.msgBornAfterStart"},
            {"start 31 April", 2, "2025-04-31", DetailsField::StartDate, "details.msgNoDate"},
            {"start 29 Feb 2025", 2, "2025-02-29", DetailsField::StartDate, "details.msgNoDate"},
            {"start hour 24", 3, "24:00", DetailsField::StartTime, "details.msgNoTime"},
            {"start minute 60", 3, "8:60", DetailsField::StartTime, "details.msgNoTime"},
            {"bedtime text", 4, "late", DetailsField::Bedtime, "details.msgNoTime"},
            {"bedtime negative", 4, "-1:00", DetailsField::Bedtime, "details.msgNoTime"},
            {"wake-up 7", 5, "7", DetailsField::WakeUp, "details.msgNoTime"},
            {"wake-up at bedtime", 5, "22:30", DetailsField::WakeUp, "details.msgWakeUpAtBedtime"},
            {"sys 39", 6, "39", DetailsField::OfficeSys, "details.msgPressureRange"},
            {"sys 301", 6, "301", DetailsField::OfficeSys, "details.msgPressureRange"},
            {"sys fraction", 6, "140.5", DetailsField::OfficeSys, "details.msgPressureRange"},
            {"sys huge", 6, "99999999999999999999", DetailsField::OfficeSys, "details.msgPressureRange"},
            {"dia 39", 7, "39", DetailsField::OfficeDia, "details.msgPressureRange"},
            {"dia 301", 7, "301", DetailsField::OfficeDia, "details.msgPressureRange"},
            {"dia equals sys", 7, "145", DetailsField::OfficeDia, "details.msgDiaNotBelowSys"},
            {"dia above sys", 7, "160", DetailsField::OfficeDia, "details.msgDiaNotBelowSys"},
            {"dia missing", 7, "", DetailsField::OfficeDia, "details.msgPressureMissing"},
            {"sys missing", 6, "", DetailsField::OfficeSys, "details.msgPressureMissing"},
        };
        for (bool german : {false, true})
            for (const Case& c : cases)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(german ? "de" : "en", c.name)))
                    << german << c.slot << QString::fromUtf8(c.text) << c.field << QString::fromLatin1(c.key);
    }
    void eachFieldsProblemIsNamed()
    {
        QFETCH(bool, german);
        QFETCH(int, slot);
        QFETCH(QString, text);
        QFETCH(DetailsField, field);
        QFETCH(QString, key);
        Edition::select(german ? EditionId::German : EditionId::English);
        DetailsInput in = goodInput();
        QString* boxes[] = {&in.patientNumber, &in.birthDate, &in.startDate, &in.startTime,
                            &in.bedtime, &in.wakeUp, &in.officeSys, &in.officeDia};
        *boxes[slot] = text;
        const auto result = parseDetails(in, kToday);
        const DetailsProblem* problem = std::get_if<DetailsProblem>(&result);
        QVERIFY(problem);
        QCOMPARE(problem->field, field);
        const QByteArray k = key.toLatin1();
        QCOMPARE(problem->message, expectedMessage(field, k.constData()));
        // The message starts with the label's words, in the edition's language.
        QVERIFY(problem->message.startsWith(detailsFieldName(field) + QLatin1Char(':')));
        QVERIFY(!detailsFieldName(field).contains(QLatin1Char('&')));
    }

    void germanAndEnglishNamesDiffer()
    {
        Edition::select(EditionId::English);
        const QString en = detailsFieldName(DetailsField::BirthDate);
        Edition::select(EditionId::German);
        const QString de = detailsFieldName(DetailsField::BirthDate);
        QCOMPARE(en, QStringLiteral("Date of birth"));
        QCOMPARE(de, QStringLiteral("Geburtsdatum"));
    }

    void editionDateForms()
    {
        DetailsInput in = goodInput();
        Edition::select(EditionId::English);
        in.birthDate = QStringLiteral("5/17/1960");
        in.startDate = QStringLiteral("12/30/2025");
        auto r = parseDetails(in, kToday);
        QVERIFY(std::holds_alternative<RecordingDetails>(r));
        QCOMPARE(std::get<RecordingDetails>(r).birthDate, QDate(1960, 5, 17));
        in.birthDate = QStringLiteral("17.5.1960"); // the German form is not English
        QVERIFY(std::holds_alternative<DetailsProblem>(parseDetails(in, kToday)));
        Edition::select(EditionId::German);
        in.startDate = QStringLiteral("30.12.2025");
        r = parseDetails(in, kToday);
        QVERIFY(std::holds_alternative<RecordingDetails>(r));
        const RecordingDetails d = std::get<RecordingDetails>(r);
        QCOMPARE(d.recordingStart, QDateTime(QDate(2025, 12, 30), QTime(9, 5), Qt::UTC));
        QCOMPARE(d.bedtime, QTime(22, 30));
        QCOMPARE(d.officeSys, 145);
        QCOMPARE(d.officeDia, 92);
        QVERIFY(d.hasDiary() && d.hasOffice());
    }

    void limitsAndEmptyBoxesAreAccepted()
    {
        Edition::select(EditionId::English);
        QVERIFY(std::holds_alternative<RecordingDetails>(parseDetails(DetailsInput{}, kToday)));
        DetailsInput in = goodInput();
        in.patientNumber = QStringLiteral("  ÄÖÜ1234567  "); // 10 after trimming
        in.birthDate = QStringLiteral("2025-12-30"); // born on the start's day, the youngest possible
        in.officeSys = QStringLiteral("300");
        in.officeDia = QStringLiteral("40");
        in.startTime.clear(); // a date alone starts at midnight
        const auto r = parseDetails(in, kToday);
        QVERIFY(std::holds_alternative<RecordingDetails>(r));
        const RecordingDetails d = std::get<RecordingDetails>(r);
        QCOMPARE(d.patientNumber, QStringLiteral("ÄÖÜ1234567"));
        QCOMPARE(d.recordingStart.time(), QTime(0, 0));
        // Birth today is not in the future.
        in = goodInput();
        in.startDate.clear();
        in.startTime.clear();
        in.birthDate = kToday.toString(Qt::ISODate);
        QVERIFY(std::holds_alternative<RecordingDetails>(parseDetails(in, kToday)));
        // A start time without its date is refused.
        in.startTime = QStringLiteral("8:00");
        const auto noDate = parseDetails(in, kToday);
        QVERIFY(std::holds_alternative<DetailsProblem>(noDate));
        QCOMPARE(std::get<DetailsProblem>(noDate).field, DetailsField::StartDate);
    }

    void firstProblemInFieldOrder()
    {
        Edition::select(EditionId::English);
        DetailsInput in = goodInput();
        in.officeDia = QStringLiteral("500");
        in.bedtime = QStringLiteral("x");
        in.birthDate = QStringLiteral("x");
        const auto r = parseDetails(in, kToday);
        QCOMPARE(std::get<DetailsProblem>(r).field, DetailsField::BirthDate);
    }

    void storedDetailsGiveTheirBoxesBack_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("en") << false;
        QTest::newRow("de") << true;
    }
    void storedDetailsGiveTheirBoxesBack()
    {
        QFETCH(bool, german);
        Edition::select(german ? EditionId::German : EditionId::English);
        const auto r = parseDetails(goodInput(), kToday);
        const RecordingDetails d = std::get<RecordingDetails>(r);
        const auto again = parseDetails(inputOf(d), kToday);
        QVERIFY(std::holds_alternative<RecordingDetails>(again));
        QVERIFY(std::get<RecordingDetails>(again) == d);
        QVERIFY(!problemOf(d, kToday));
    }

    void problemOfTypedDetails()
    {
        Edition::select(EditionId::English);
        RecordingDetails d;
        d.officeSys = 120;
        d.officeDia = 120;
        QCOMPARE(problemOf(d, kToday)->field, DetailsField::OfficeDia);
        d.officeDia = 80;
        d.patientNumber = QString(11, QChar(u'1'));
        QCOMPARE(problemOf(d, kToday)->field, DetailsField::PatientNumber);
    }
};

QTEST_GUILESS_MAIN(TestDetailsValidation)
#include "test_detailsvalidation.moc"
