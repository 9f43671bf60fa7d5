#include "data/AbpmConclusion.h"

#include "data/AbpmSummaryWords.h"
#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QStringList>


namespace {

QString figure(double value)
{
    return abpmNumber(value, 1);
}

// "24-hour mean (time-weighted) 129.6/79.6 mmHg, below 130/80", or empty
// for a period without readings: the means as the table shows them and
// the verdict drawn from exactly those.
QString periodPart(const AbpmSummary& s, AbpmPeriodKind kind, const char* key)
{
    const std::optional<AbpmMeansVerdict> v = meansVerdict(s, kind);
    if (!v)
        return QString();
    return catText(key).arg(figure(v->sys) + QLatin1Char('/') + figure(v->dia), abpmVerdictText(*v, figure));
}

const char* dipKey(DipClass c)
{
    switch (c) {
    case DipClass::ExtremeDipper:
        return "report.conclDipExtreme";
    case DipClass::Dipper:
        return "report.conclDipDipper";
    case DipClass::NonDipper:
        return "report.conclDipNon";
    case DipClass::ReverseDipper:
        return "report.conclDipReverse";
    }
    return "report.conclDipNon";
}

const char* officeKey(OfficeClass c)
{
    switch (c) {
    case OfficeClass::SustainedHypertension:
        return "report.conclOfficeSustained";
    case OfficeClass::WhiteCoatHypertension:
        return "report.conclOfficeWhiteCoat";
    case OfficeClass::MaskedHypertension:
        return "report.conclOfficeMasked";
    case OfficeClass::Normotension:
        return "report.conclOfficeNormal";
    }
    return "report.conclOfficeNormal";
}

const char* const kFieldText = "Text";
const char* const kFieldDate = "Date";
const char* const kFieldPhysician = "Physician";
const QString kDateForm = QStringLiteral("yyyy-MM-dd");

} // namespace

QString draftConclusion(const AbpmReportFigures& figures)
{
    const AbpmSummary& s = figures.summary;
    if (s.valid == 0)
        return catText("report.conclNoReadings");
    QStringList means{periodPart(s, AbpmPeriodKind::Day24, "report.concl24h")};
    // Below the 24-hour threshold, an awake or asleep mean at or above its own is what makes the verdict.
    if (!meansAtOrAboveThreshold(s, AbpmPeriodKind::Day24)) {
        if (meansAtOrAboveThreshold(s, AbpmPeriodKind::Day))
            means << periodPart(s, AbpmPeriodKind::Day, "report.conclAwake");
        if (meansAtOrAboveThreshold(s, AbpmPeriodKind::Night))
            means << periodPart(s, AbpmPeriodKind::Night, "report.conclAsleep");
    }
    QString text = means.join(QStringLiteral("; ")) + QStringLiteral(": ")
        + catText(ambulatoryHypertensive(s) ? "report.conclHypertension" : "report.conclNormal") + QLatin1Char(' ')
        + catText("report.conclSet").arg(abpmThresholdSetName(s.thresholds));
    QStringList dipping;
    if (s.sysDipping.dipClass)
        dipping << catText("report.conclDipSys").arg(catText(dipKey(*s.sysDipping.dipClass)));
    if (s.diaDipping.dipClass)
        dipping << catText("report.conclDipDia").arg(catText(dipKey(*s.diaDipping.dipClass)));
    if (!dipping.isEmpty())
        text += QStringLiteral("; ") + dipping.join(QStringLiteral(", "));
    if (s.officeClass)
        text += QStringLiteral("; ") + catText(officeKey(*s.officeClass));
    if (!s.validForDiagnosis())
        text += QStringLiteral("; ") + catText("report.conclNotFit");
    return text + QLatin1Char('.');
}

namespace AbpmConclusionStore {

std::optional<AbpmConclusion> read(const Connection& connection, QString* error)
{
    const auto values = readFieldTable(connection.database(), QLatin1String(kTable), error);
    if (!values)
        return std::nullopt;
    AbpmConclusion c;
    c.text = values->value(QLatin1String(kFieldText));
    c.date = QDate::fromString(values->value(QLatin1String(kFieldDate)), kDateForm);
    c.physician = values->value(QLatin1String(kFieldPhysician));
    return c;
}

bool write(Connection& connection, const AbpmConclusion& conclusion, QString* error)
{
    return writeFieldTable(connection.database(), QLatin1String(kTable),
                           {
                               {kFieldText, conclusion.text},
                               {kFieldDate, conclusion.date.isValid() ? conclusion.date.toString(kDateForm) : QString()},
                               {kFieldPhysician, conclusion.physician},
                           },
                           error);
}

std::optional<AbpmConclusion> readCurrent(QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection ? read(*connection, error) : std::nullopt;
}

bool writeCurrent(const AbpmConclusion& conclusion, QString* error)
{
    const std::shared_ptr<Connection> connection = currentConnection(error);
    return connection && write(*connection, conclusion, error);
}

} // namespace AbpmConclusionStore
