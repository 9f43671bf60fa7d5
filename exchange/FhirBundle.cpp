#include "exchange/FhirBundle.h"

#include "text/MessageCatalogue.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTimeZone>
#include <QUuid>

namespace FhirBundle {

namespace {

const QString kLoinc = QStringLiteral("http://loinc.org");
const QString kUcum = QStringLiteral("http://unitsofmeasure.org");

QJsonObject coding(const QString& system, const QString& code, const QString& display)
{
    return {{"system", system}, {"code", code}, {"display", display}};
}

QJsonObject codeableConcept(const QJsonArray& codings, const QString& text = QString())
{
    QJsonObject c{{"coding", codings}};
    if (!text.isEmpty())
        c["text"] = text;
    return c;
}

QJsonObject loinc(const char* code, const char* display)
{
    return codeableConcept({coding(kLoinc, QLatin1String(code), QLatin1String(display))});
}

QJsonObject quantity(double value, const char* unit)
{
    return {{"value", value}, {"unit", QLatin1String(unit)}, {"system", kUcum}, {"code", QLatin1String(unit)}};
}

QJsonObject reference(const QString& fullUrl)
{
    return {{"reference", fullUrl}};
}

// The recorder's clock time with this computer's offset at that moment.
QString dateTimeText(const QDateTime& clock)
{
    const QDateTime local(clock.date(), clock.time(), Qt::LocalTime);
    const int offset = local.isValid() ? local.offsetFromUtc() : 0;
    const QString sign = offset < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const int minutes = std::abs(offset) / 60;
    return clock.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + sign
        + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonArray vitalSignsCategory()
{
    return {codeableConcept({coding(QStringLiteral("http://terminology.hl7.org/CodeSystem/observation-category"),
                            QStringLiteral("vital-signs"), QStringLiteral("Vital Signs"))})};
}

QJsonObject dataAbsent()
{
    return codeableConcept({coding(QStringLiteral("http://terminology.hl7.org/CodeSystem/data-absent-reason"),
                           QStringLiteral("unknown"), QStringLiteral("Unknown"))});
}

QJsonObject pressureComponent(const QJsonObject& code, const std::optional<double>& value)
{
    QJsonObject c{{"code", code}};
    if (value)
        c["valueQuantity"] = quantity(*value, "mm[Hg]");
    else
        c["dataAbsentReason"] = dataAbsent();
    return c;
}

const char* reasonCode(SetAsideReason reason)
{
    switch (reason) {
    case SetAsideReason::Artefact:
        return "artefact-seen";
    case SetAsideReason::PatientMoved:
        return "patient-moved";
    case SetAsideReason::PatientReport:
        return "patient-report";
    case SetAsideReason::Other:
        return "other";
    }
    return "other";
}

// Builds the entries, each with a name-based id under the recording's own namespace.
class Builder {
public:
    explicit Builder(const Recording& r)
        : m_recording(r)
        , m_namespace(QUuid::createUuidV5(QUuid(), contentKey(r)))
    {
    }

    QString urlOf(const QString& name) const
    {
        return QStringLiteral("urn:uuid:") + QUuid::createUuidV5(m_namespace, name).toString(QUuid::WithoutBraces);
    }

    void add(const QString& name, QJsonObject resource)
    {
        const QString url = urlOf(name);
        resource["id"] = url.mid(9);
        m_entries.append(QJsonObject{{"fullUrl", url}, {"resource", resource}});
    }

    QJsonArray entries() const { return m_entries; }

private:
    // What makes a recording this recording: its readings and its patient.
    static QString contentKey(const Recording& r)
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const AbpmReading& a : r.readings) {
            hash.addData(QStringLiteral("%1|%2|%3|%4|%5|%6;")
                             .arg(a.id.value_or(-1))
                             .arg(a.moment.toString(Qt::ISODate))
                             .arg(a.sys.value_or(-1))
                             .arg(a.dia.value_or(-1))
                             .arg(a.map.value_or(-1))
                             .arg(a.pulse.value_or(-1))
                             .toUtf8());
        }
        hash.addData(r.details.patientNumber.toUtf8());
        return QString::fromLatin1(hash.result().toHex());
    }

    const Recording& m_recording;
    QUuid m_namespace;
    QJsonArray m_entries;
};

QJsonObject patientOf(const RecordingDetails& d)
{
    QJsonObject p{{"resourceType", "Patient"}};
    if (!d.patientNumber.isEmpty())
        p["identifier"] = QJsonArray{QJsonObject{{"system", QLatin1String(kPatientNumberSystem)}, {"value", d.patientNumber}}};
    if (!d.surname.isEmpty() || !d.firstName.isEmpty()) {
        QJsonObject name;
        if (!d.surname.isEmpty())
            name["family"] = d.surname;
        if (!d.firstName.isEmpty())
            name["given"] = QJsonArray{d.firstName};
        p["name"] = QJsonArray{name};
    }
    if (d.birthDate.isValid())
        p["birthDate"] = d.birthDate.toString(QStringLiteral("yyyy-MM-dd"));
    const char* genders[] = {"unknown", "female", "male", "other"};
    p["gender"] = QLatin1String(genders[int(d.sex)]);
    return p;
}

QJsonObject deviceOf()
{
    return {{"resourceType", "Device"},
            {"deviceName", QJsonArray{QJsonObject{{"name", "KORVANE ambulatory blood-pressure recorder"},
                                                  {"type", "user-friendly-name"}}}},
            {"type", codeableConcept({coding(QLatin1String(kCodeSystem), QStringLiteral("abpm-recorder"),
                                     QStringLiteral("Ambulatory blood-pressure recorder"))})}};
}

QJsonObject observation(const QJsonObject& code, const QString& patient, const QString& device)
{
    return {{"resourceType", "Observation"}, {"status", "final"}, {"category", vitalSignsCategory()},
            {"code", code}, {"subject", reference(patient)}, {"device", reference(device)}};
}

QJsonObject tag(const char* code, const QString& display)
{
    return coding(QLatin1String(kCodeSystem), QLatin1String(code), display);
}

// Marks a reading set aside or left out; nothing for a counted one.
void markReading(QJsonObject& o, const AbpmReading& r, const SetAsideReadings& setAside)
{
    if (r.id && setAside.count(*r.id)) {
        const SetAside& mark = setAside.at(*r.id);
        o["meta"] = QJsonObject{{"tag", QJsonArray{tag("set-aside", QStringLiteral("Set aside by the doctor")),
                                                   tag(reasonCode(mark.reason), QStringLiteral("Reason for setting aside"))}}};
        QString note = RecordingReview::reasonText(mark.reason);
        if (!mark.note.isEmpty())
            note += QStringLiteral(": ") + mark.note;
        o["note"] = QJsonArray{QJsonObject{{"text", note}}};
    } else if (artefactOf(r)) {
        o["meta"] = QJsonObject{{"tag", QJsonArray{tag("artefact", QStringLiteral("Left out by the artefact rules"))}}};
    }
}

void addReadings(Builder& b, const Recording& rec, const QString& patient, const QString& device)
{
    for (const AbpmReading& r : rec.readings) {
        if (!r.moment.isValid() || !r.id)
            continue;
        const QString key = QString::number(*r.id);
        QJsonObject bp = observation(loinc("85354-9", "Blood pressure panel with all children optional"), patient, device);
        bp["effectiveDateTime"] = dateTimeText(r.moment);
        QJsonArray components{pressureComponent(loinc("8480-6", "Systolic blood pressure"), r.sys),
                              pressureComponent(loinc("8462-4", "Diastolic blood pressure"), r.dia)};
        if (r.map)
            components.append(pressureComponent(loinc("8478-0", "Mean blood pressure"), r.map));
        bp["component"] = components;
        markReading(bp, r, rec.setAside);
        b.add(QStringLiteral("bp-") + key, bp);

        QJsonObject hr = observation(loinc("8867-4", "Heart rate"), patient, device);
        hr["effectiveDateTime"] = dateTimeText(r.moment);
        if (r.pulse)
            hr["valueQuantity"] = quantity(*r.pulse, "/min");
        else
            hr["dataAbsentReason"] = dataAbsent();
        markReading(hr, r, rec.setAside);
        b.add(QStringLiteral("hr-") + key, hr);
    }
}

struct MeanCodes {
    AbpmPeriodKind period;
    const char* name;
    QJsonObject code;
    QJsonObject sys;
    QJsonObject dia;
};

std::vector<MeanCodes> meanCodes()
{
    const QJsonObject meanSys = loinc("96608-5", "Systolic blood pressure mean");
    const QJsonObject meanDia = loinc("96609-3", "Diastolic blood pressure mean");
    const QJsonObject panelMean = coding(kLoinc, QStringLiteral("96607-7"),
                                         QStringLiteral("Blood pressure panel mean systolic and mean diastolic"));
    return {
        {AbpmPeriodKind::Day24, "mean-24h", loinc("97844-5", "Blood pressure panel 24 hour mean"),
         loinc("8490-5", "Systolic blood pressure 24 hour mean"), loinc("8472-3", "Diastolic blood pressure 24 hour mean")},
        {AbpmPeriodKind::Day, "mean-awake",
         codeableConcept({coding(QLatin1String(kCodeSystem), QStringLiteral("awake-mean"), QStringLiteral("Blood pressure awake mean")),
                  panelMean}),
         meanSys, meanDia},
        {AbpmPeriodKind::Night, "mean-asleep",
         codeableConcept({coding(QLatin1String(kCodeSystem), QStringLiteral("asleep-mean"), QStringLiteral("Blood pressure asleep mean")),
                  panelMean}),
         meanSys, meanDia},
    };
}

// The threshold the component is read against and the set it comes from.
QJsonArray thresholdRange(AbpmThresholdSet set, int threshold)
{
    const char* name = set == AbpmThresholdSet::AccAha2017 ? "ACC/AHA 2017" : "ESH";
    return QJsonArray{QJsonObject{
        {"text", QStringLiteral("%1 threshold: %2 mm[Hg] and above is elevated").arg(QLatin1String(name)).arg(threshold)}}};
}

QJsonArray addMeans(Builder& b, const AbpmSummary& s, const QString& patient, const QString& device)
{
    QJsonArray results;
    for (const MeanCodes& m : meanCodes()) {
        const std::optional<AbpmMeansVerdict> v = meansVerdict(s, m.period);
        if (!v || !s.first.isValid())
            continue;
        QJsonObject o = observation(m.code, patient, device);
        o["effectivePeriod"] = QJsonObject{{"start", dateTimeText(s.first)}, {"end", dateTimeText(s.last)}};
        if (m.period == AbpmPeriodKind::Day24)
            o["method"] = QJsonObject{{"text", "Time-weighted mean: each reading weighted by half the interval to each "
                                               "neighbour, intervals capped at 2 hours"}};
        QJsonObject sys = pressureComponent(m.sys, v->sys), dia = pressureComponent(m.dia, v->dia);
        sys["referenceRange"] = thresholdRange(s.thresholds, v->threshold.sys);
        dia["referenceRange"] = thresholdRange(s.thresholds, v->threshold.dia);
        o["component"] = QJsonArray{sys, dia};
        b.add(QLatin1String(m.name), o);
        results.append(reference(b.urlOf(QLatin1String(m.name))));
    }
    return results;
}

QJsonObject reportOf(const Recording& rec, const AbpmSummary& s, const QJsonArray& results, const QString& patient)
{
    // A conclusion the doctor has not kept yet is a draft.
    QJsonObject r{{"resourceType", "DiagnosticReport"},
                  {"status", rec.conclusion.date.isValid() ? "final" : "preliminary"},
                  {"code", codeableConcept({coding(QLatin1String(kCodeSystem), QStringLiteral("abpm-report"),
                                           QStringLiteral("Ambulatory blood pressure monitoring report"))})},
                  {"subject", reference(patient)},
                  {"issued", rec.issued.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"))}};
    if (s.first.isValid())
        r["effectivePeriod"] = QJsonObject{{"start", dateTimeText(s.first)}, {"end", dateTimeText(s.last)}};
    if (!rec.conclusion.physician.isEmpty())
        r["resultsInterpreter"] = QJsonArray{QJsonObject{{"display", rec.conclusion.physician}}};
    if (!results.isEmpty())
        r["result"] = results;
    if (!rec.conclusion.text.isEmpty())
        r["conclusion"] = rec.conclusion.text;
    if (!rec.reportPdf.isEmpty()) {
        QJsonObject pdf{{"contentType", "application/pdf"},
                        {"data", QString::fromLatin1(rec.reportPdf.toBase64())}};
        if (!rec.reportTitle.isEmpty())
            pdf["title"] = rec.reportTitle;
        r["presentedForm"] = QJsonArray{pdf};
    }
    return r;
}

} // namespace

QJsonObject bundle(const Recording& rec)
{
    const AbpmSummary summary = computeAbpmSummary(rec.readings, rec.periods, rec.details, rec.setAside, rec.thresholds);
    Builder b(rec);
    const QString patient = b.urlOf(QStringLiteral("patient"));
    const QString device = b.urlOf(QStringLiteral("device"));
    b.add(QStringLiteral("patient"), patientOf(rec.details));
    b.add(QStringLiteral("device"), deviceOf());
    addReadings(b, rec, patient, device);
    const QJsonArray results = addMeans(b, summary, patient, device);
    b.add(QStringLiteral("report"), reportOf(rec, summary, results, patient));
    return {{"resourceType", "Bundle"},
            {"id", b.urlOf(QStringLiteral("bundle")).mid(9)},
            {"type", "collection"},
            {"timestamp", rec.issued.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"))},
            {"entry", b.entries()}};
}

QByteArray json(const Recording& recording)
{
    return QJsonDocument(bundle(recording)).toJson(QJsonDocument::Indented);
}

bool write(const QString& path, const QByteArray& text, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = catText("abpm.reasonNotWritable");
    return false;
}

} // namespace FhirBundle
