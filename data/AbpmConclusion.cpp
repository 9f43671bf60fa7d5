#include "data/AbpmConclusion.h"

#include "data/AbpmSummaryWords.h"
#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QSqlError>
#include <QSqlQuery>
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
    AbpmConclusion c;
    const QSqlDatabase db = connection.database();
    const std::optional<bool> exists = tableExists(db, QLatin1String(kTable), error);
    if (!exists)
        return std::nullopt;
    if (!*exists)
        return c;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select Field, Value from %1").arg(QLatin1String(kTable)))) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    while (q.next()) {
        const QString field = q.value(0).toString();
        const QString value = q.value(1).toString();
        if (field == QLatin1String(kFieldText))
            c.text = value;
        else if (field == QLatin1String(kFieldDate))
            c.date = QDate::fromString(value, kDateForm);
        else if (field == QLatin1String(kFieldPhysician))
            c.physician = value;
    }
    return c;
}

bool write(Connection& connection, const AbpmConclusion& conclusion, QString* error)
{
    return inTransaction(connection.database(), error, [&conclusion](QSqlQuery& q) {
        const QString table = QLatin1String(kTable);
        if (!q.exec(QStringLiteral("create table if not exists %1 (Field TEXT PRIMARY KEY NOT NULL, Value TEXT NOT NULL)")
                        .arg(table)))
            return false;
        if (!q.prepare(QStringLiteral("insert or replace into %1 (Field, Value) values (?, ?)").arg(table)))
            return false;
        const std::pair<const char*, QString> fields[] = {
            {kFieldText, conclusion.text},
            {kFieldDate, conclusion.date.isValid() ? conclusion.date.toString(kDateForm) : QString()},
            {kFieldPhysician, conclusion.physician},
        };
        for (const auto& [field, value] : fields) {
            q.addBindValue(QLatin1String(field));
            q.addBindValue(value.isNull() ? QStringLiteral("") : value); // NOT NULL
            if (!q.exec())
                return false;
        }
        return true;
    });
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
