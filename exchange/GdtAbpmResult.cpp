#include "exchange/GdtAbpmResult.h"

#include "data/AbpmSummaryWords.h"
#include "data/RecordingStart.h"
#include "text/MessageCatalogue.h"

#include <cmath>

namespace {

using Q = AbpmQuantity;
using P = AbpmPeriodKind;

struct MeanTest {
    const char* ident;
    const char* nameKey;
    P period;
    Q quantity;
};

constexpr MeanTest kMeanTests[] = {
    {"SYS24", "gdt.testSys24", P::Day24, Q::Sys},
    {"DIA24", "gdt.testDia24", P::Day24, Q::Dia},
    {"MAP24", "gdt.testMap24", P::Day24, Q::Map},
    {"PULS24", "gdt.testPulse24", P::Day24, Q::Pulse},
    {"SYSTAG", "gdt.testSysDay", P::Day, Q::Sys},
    {"DIATAG", "gdt.testDiaDay", P::Day, Q::Dia},
    {"PULSTAG", "gdt.testPulseDay", P::Day, Q::Pulse},
    {"SYSNACHT", "gdt.testSysNight", P::Night, Q::Sys},
    {"DIANACHT", "gdt.testDiaNight", P::Night, Q::Dia},
    {"PULSNACHT", "gdt.testPulseNight", P::Night, Q::Pulse},
};

QString unitOf(Q quantity)
{
    return quantity == Q::Pulse ? QStringLiteral("/min") : QStringLiteral("mmHg");
}

QString optionalValue(const std::optional<double>& value)
{
    return value ? gdtValue(*value) : catText("abpm.none");
}

std::vector<GdtTest> testsOf(const AbpmSummary& s)
{
    std::vector<GdtTest> tests;
    for (const MeanTest& t : kMeanTests) {
        // The 24-hour means are the time-weighted ones the thresholds are read against.
        if (const auto mean = s.period(t.period).assessedMean(t.quantity))
            tests.push_back({QString::fromLatin1(t.ident), catText(t.nameKey), gdtValue(*mean), unitOf(t.quantity)});
    }
    if (s.sysDipping.percent)
        tests.push_back({QStringLiteral("DIPSYS"), catText("gdt.testDipSys"), gdtValue(*s.sysDipping.percent),
                         QStringLiteral("%")});
    if (s.diaDipping.percent)
        tests.push_back({QStringLiteral("DIPDIA"), catText("gdt.testDipDia"), gdtValue(*s.diaDipping.percent),
                         QStringLiteral("%")});
    // Counts, so no decimal.
    tests.push_back({QStringLiteral("ANZAHL"), catText("gdt.testReadings"), QString::number(s.readings), QString()});
    tests.push_back({QStringLiteral("GUELTIG"), catText("gdt.testValid"), QString::number(s.valid), QString()});
    return tests;
}

QString dippingWords(const AbpmDipping& d)
{
    if (!d.ratio || !d.percent || !d.dipClass)
        return catText("abpm.none");
    return catText("gdt.findDipValue").arg(abpmPointNumber(*d.ratio, 3), gdtValue(*d.percent), abpmDipClassText(*d.dipClass));
}

QStringList findingsOf(const AbpmSummary& s)
{
    QStringList lines;
    if (s.validForDiagnosis()) {
        lines << catText("abpm.valid");
    } else {
        const QString share = s.readings > 0 ? gdtValue(std::floor(1000.0 * s.validShare()) / 10.0) : catText("abpm.none");
        lines << catText("abpm.invalid") + QLatin1Char(' ') + abpmProblemTexts(s, share).join(QStringLiteral("; "));
    }
    lines << abpmThresholdsUsed(s.thresholds);
    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        const auto kind = AbpmPeriodKind(p);
        const QString name = abpmPeriodName(kind);
        const std::optional<AbpmMeansVerdict> v = meansVerdict(s, kind);
        if (!v) {
            lines << catText("gdt.findMeans").arg(name, catText("abpm.none"), catText("abpm.none"), catText("abpm.none"),
                                                  catText("abpm.none"));
            continue;
        }
        lines << catText("gdt.findMeans")
                     .arg(kind == AbpmPeriodKind::Day24 ? catText("abpm.period24hWeighted") : name, gdtValue(v->sys),
                          gdtValue(v->dia), abpmVerdictText(*v, gdtValue),
                          catText(v->atOrAbove() ? "abpm.elevated" : "abpm.normal"));
        if (kind == AbpmPeriodKind::Day24)
            lines << catText("gdt.findMeansAll")
                         .arg(name, optionalValue(s.period(kind).of(Q::Sys).mean), optionalValue(s.period(kind).of(Q::Dia).mean));
    }
    lines << catText("gdt.findDipping").arg(dippingWords(s.sysDipping), dippingWords(s.diaDipping));
    if (s.officeClass)
        lines << catText("gdt.findOffice").arg(abpmOfficeClassText(*s.officeClass));
    return lines;
}

// The periods as a table of fixed columns: the period's name, then the
// readings and the four means, each right-aligned.
QStringList tableOf(const AbpmSummary& s)
{
    constexpr int kNameWidth = 16;
    constexpr int kColumnWidth = 11;
    const auto row = [&](const QString& name, const QStringList& cells) {
        QString line = name.leftJustified(kNameWidth, u' ', true);
        for (const QString& cell : cells)
            line += cell.rightJustified(kColumnWidth);
        return line;
    };
    QStringList lines;
    lines << row(catText("abpm.colPeriod"), {catText("abpm.colReadings"), catText("abpm.colSys"), catText("abpm.colDia"),
                                             catText("abpm.colMap"), catText("abpm.colPulse")});
    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        const AbpmPeriodFigures& f = s.period(AbpmPeriodKind(p));
        lines << row(abpmPeriodName(AbpmPeriodKind(p)),
                     {QString::number(f.readings), optionalValue(f.assessedMean(Q::Sys)),
                      optionalValue(f.assessedMean(Q::Dia)), optionalValue(f.assessedMean(Q::Map)),
                      optionalValue(f.assessedMean(Q::Pulse))});
    }
    return lines;
}

} // namespace

QString gdtValue(double value)
{
    return abpmPointNumber(value, 1);
}

GdtPatient gdtPatientOf(const RecordingDetails& details)
{
    GdtPatient patient;
    patient.number = details.patientNumber;
    patient.surname = details.surname;
    patient.firstName = details.firstName;
    patient.birthDate = details.birthDate;
    switch (details.sex) {
    case PatientSex::Female: patient.sex = GdtSex::Female; break;
    case PatientSex::Male: patient.sex = GdtSex::Male; break;
    case PatientSex::Diverse: patient.sex = GdtSex::Diverse; break;
    case PatientSex::Unknown: patient.sex = GdtSex::Unknown; break;
    }
    return patient;
}

GdtResult gdtAbpmResult(const AbpmSummary& summary, const RecordingDetails& details,
                        const GdtAddressing& addressing)
{
    GdtResult result;
    result.receiverId = addressing.pvsId;
    result.senderId = addressing.ownId;
    result.charset = addressing.charset;
    result.patient = gdtPatientOf(details);
    result.procedure = QString::fromLatin1(kGdtAbpmProcedure);
    result.examined = withRecordingStart(details, summary.first).recordingStart;
    result.tests = testsOf(summary);
    result.findings = findingsOf(summary);
    result.table = tableOf(summary);
    result.signature = details.physician;
    return result;
}
