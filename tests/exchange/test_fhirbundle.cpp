// The FHIR export of generated recordings, read by an independent checker
// (check_bundle.js: the official FHIR R4 JSON schema, then codes, units,
// counts, values, marks and means computed on its own from the recording),
// in both editions, with and without patient details, with set-aside,
// artefact and undated readings; both editions give the same Bundle apart
// from the texts; the file is written whole or not at all.
#include "data/AbpmRecording.h"
#include "exchange/FhirBundle.h"
#include "text/Edition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace abpmtest;

namespace {

QJsonValue orNull(const std::optional<double>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

const char* reasonCode(SetAsideReason r)
{
    const char* codes[] = {"artefact-seen", "patient-moved", "patient-report", "other"};
    return codes[int(r)];
}

int minuteOf(QTime t)
{
    return t.hour() * 60 + t.minute();
}

// What the checker needs to know of the recording, in its own terms.
QByteArray recordingJson(const FhirBundle::Recording& r)
{
    QJsonArray readings;
    for (const AbpmReading& a : r.readings)
        readings.append(QJsonObject{
            {"id", double(*a.id)},
            {"moment", a.moment.isValid() ? QJsonValue(a.moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))) : QJsonValue()},
            {"sys", orNull(a.sys)}, {"dia", orNull(a.dia)}, {"map", orNull(a.map)}, {"pulse", orNull(a.pulse)}});
    QJsonObject setAside;
    for (const auto& [id, mark] : r.setAside)
        setAside[QString::number(id)] = QLatin1String(reasonCode(mark.reason));
    const char* genders[] = {"unknown", "female", "male", "other"};
    const RecordingDetails& d = r.details;
    QJsonObject patient{{"number", d.patientNumber}, {"surname", d.surname}, {"firstName", d.firstName},
                        {"gender", QLatin1String(genders[int(d.sex)])}};
    if (d.birthDate.isValid())
        patient["birthDate"] = d.birthDate.toString(Qt::ISODate);
    const AbpmPeriods used = d.hasDiary() ? diaryPeriods(d.bedtime, d.wakeUp) : r.periods;
    return QJsonDocument(QJsonObject{
                             {"readings", readings}, {"setAside", setAside}, {"patient", patient},
                             {"conclusion", r.conclusion.text},
                             {"conclusionDate", r.conclusion.date.toString(Qt::ISODate)},
                             {"pdfBase64", QString::fromLatin1(r.reportPdf.toBase64())},
                             {"day", QJsonArray{minuteOf(used.day.start), minuteOf(used.day.end)}},
                             {"night", QJsonArray{minuteOf(used.night.start), minuteOf(used.night.end)}}})
        .toJson();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The checker's findings; empty when the Bundle holds.
QString check(const QByteArray& bundle, const FhirBundle::Recording& recording, const QString& folder)
{
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        return QStringLiteral("node is not installed (scripts/setup.sh installs it)");
    const QString schemaModules = QStringLiteral(KORVANE_FHIR_CHECKER_DIR "/schema/node_modules");
    if (!QFileInfo::exists(schemaModules))
        return QStringLiteral("the FHIR schema is not installed in %1 (scripts/setup.sh installs it)").arg(schemaModules);
    const QString bundlePath = folder + QStringLiteral("/bundle.json");
    const QString recordingPath = folder + QStringLiteral("/recording.json");
    QFile b(bundlePath), r(recordingPath);
    if (!b.open(QIODevice::WriteOnly) || b.write(bundle) != bundle.size() || !r.open(QIODevice::WriteOnly)
        || r.write(recordingJson(recording)) < 0)
        return QStringLiteral("cannot write the checker's files");
    b.close();
    r.close();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(node, {QStringLiteral(KORVANE_FHIR_CHECKER_DIR "/check_bundle.js"), bundlePath, recordingPath});
    if (!p.waitForFinished(60000))
        return QStringLiteral("the checker did not end");
    const QString said = QString::fromUtf8(p.readAll());
    return p.exitCode() == 0 ? QString() : said + QStringLiteral(" (exit %1)").arg(p.exitCode());
}

FhirBundle::Recording generatedRecording()
{
    Plan plan;
    plan.daySys = 142;
    plan.dayDia = 88;
    FhirBundle::Recording r;
    r.readings = readingsOf(generate(plan).rows);
    // An artefact, a reading without a time and one without a pulse.
    r.readings[5].sys = 300;
    r.readings[6].moment = QDateTime();
    r.readings[7].pulse.reset();
    r.setAside[10] = {SetAsideReason::PatientMoved, QString()};
    r.setAside[40] = {SetAsideReason::Other, QStringLiteral("cuff loose")};
    r.details.patientNumber = QStringLiteral("P-0042");
    r.details.surname = QStringLiteral("Müller");
    r.details.firstName = QStringLiteral("Anna");
    r.details.birthDate = QDate(1961, 2, 28);
    r.details.sex = PatientSex::Female;
    r.periods = AbpmPeriods::standard();
    r.conclusion = {QStringLiteral("24-hour mean 138/86 mmHg above 130/80: ambulatory hypertension; dipper."),
                    QDate(2024, 3, 8), QStringLiteral("Dr. Weber")};
    r.reportPdf = QByteArray("%PDF-1.4\n% a stand-in for the report\n%%EOF\n");
    r.reportTitle = QStringLiteral("ABPM Report");
    r.issued = QDateTime(QDate(2024, 3, 8), QTime(9, 30), Qt::UTC);
    return r;
}

// The Bundle without the texts that differ between the editions.
QJsonValue withoutTexts(const QJsonValue& v)
{
    if (v.isArray()) {
        QJsonArray a;
        for (const QJsonValue& x : v.toArray())
            a.append(withoutTexts(x));
        return a;
    }
    if (!v.isObject())
        return v;
    QJsonObject o;
    const QJsonObject in = v.toObject();
    for (auto it = in.begin(); it != in.end(); ++it)
        if (it.key() != QLatin1String("note") && it.key() != QLatin1String("conclusion")
            && it.key() != QLatin1String("presentedForm"))
            o[it.key()] = withoutTexts(it.value());
    return o;
}

} // namespace

class TestFhirBundle : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Edition::select(EditionId::English); }

    void bundleHoldsAgainstSchemaAndRecording_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<bool>("withPatient");
        QTest::addColumn<bool>("withDiary");
        QTest::newRow("English") << int(EditionId::English) << true << false;
        QTest::newRow("German") << int(EditionId::German) << true << false;
        QTest::newRow("no patient details, no PDF") << int(EditionId::English) << false << false;
        QTest::newRow("diary periods") << int(EditionId::German) << true << true;
    }
    void bundleHoldsAgainstSchemaAndRecording()
    {
        QFETCH(int, edition);
        QFETCH(bool, withPatient);
        QFETCH(bool, withDiary);
        Edition::select(EditionId(edition));
        FhirBundle::Recording r = generatedRecording();
        if (!withPatient) {
            r.details = RecordingDetails{};
            r.reportPdf.clear();
            r.conclusion = {};
        }
        if (withDiary) {
            r.details.bedtime = QTime(23, 30);
            r.details.wakeUp = QTime(6, 15);
        }
        QTemporaryDir folder;
        const QString findings = check(FhirBundle::json(r), r, folder.path());
        QVERIFY2(findings.isEmpty(), qPrintable(findings));
    }

    void checkerCatchesAWrongValue()
    {
        // The checker is not a rubber stamp: a changed systolic value is found.
        FhirBundle::Recording r = generatedRecording();
        QByteArray text = FhirBundle::json(r);
        FhirBundle::Recording told = r;
        told.readings[0].sys = *told.readings[0].sys + 1;
        QTemporaryDir folder;
        QVERIFY(check(text, told, folder.path()).contains(QStringLiteral("SYS of 1")));
        // Nor is the schema: a gender FHIR does not know is refused.
        text.replace("\"gender\": \"female\"", "\"gender\": \"woman\"");
        QVERIFY(check(text, r, folder.path()).contains(QStringLiteral("schema")));
    }

    void bothEditionsGiveTheSameBundleApartFromTexts()
    {
        const FhirBundle::Recording r = generatedRecording();
        Edition::select(EditionId::English);
        const QJsonObject english = FhirBundle::bundle(r);
        Edition::select(EditionId::German);
        const QJsonObject german = FhirBundle::bundle(r);
        QVERIFY(english != german); // the set-aside reasons are in each edition's words
        QCOMPARE(withoutTexts(german), withoutTexts(english));
        // And the same recording exported again is the same Bundle (ids from its content).
        QCOMPARE(FhirBundle::bundle(r), german);
        FhirBundle::Recording other = r;
        other.readings[0].dia = *other.readings[0].dia - 1;
        QVERIFY(FhirBundle::bundle(other)[QStringLiteral("id")] != german[QStringLiteral("id")]);
    }

    void writeIsWholeOrNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bundle.json"));
        writeFile(path, "old");
        QString why;
        QVERIFY(FhirBundle::write(path, "new", &why));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("new"));
        const QString missing = folder.filePath(QStringLiteral("no such folder/bundle.json"));
        QVERIFY(!FhirBundle::write(missing, "x", &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("bundle.json")});
    }
};

QTEST_GUILESS_MAIN(TestFhirBundle)
#include "test_fhirbundle.moc"
