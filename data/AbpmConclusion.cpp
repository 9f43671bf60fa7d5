#include "data/AbpmConclusion.h"

#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cmath>

namespace {

QString pressureText(double sys, double dia)
{
    return QStringLiteral("%1/%2").arg(std::lround(shownValue(sys))).arg(std::lround(shownValue(dia)));
}

// "24-hour mean 138/86 mmHg above 130/80", or empty for a period without readings.
QString periodPart(const AbpmSummary& s, AbpmPeriodKind kind, const char* key)
{
    const AbpmPeriodFigures& p = s.period(kind);
    const std::optional<double>& sys = p.of(AbpmQuantity::Sys).mean;
    const std::optional<double>& dia = p.of(AbpmQuantity::Dia).mean;
    if (!sys || !dia)
        return QString();
    const AbpmThreshold t = abpmThreshold(kind);
    const bool above = meansAtOrAboveThreshold(p, kind);
    return catText(key).arg(pressureText(*sys, *dia),
                            catText(above ? "report.conclAbove" : "report.conclBelow"),
                            QStringLiteral("%1/%2").arg(t.sys).arg(t.dia));
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
    // Below the 24-hour threshold, an awake or asleep mean above its own is what makes the verdict.
    if (!meansAtOrAboveThreshold(s.period(AbpmPeriodKind::Day24), AbpmPeriodKind::Day24)) {
        if (meansAtOrAboveThreshold(s.period(AbpmPeriodKind::Day), AbpmPeriodKind::Day))
            means << periodPart(s, AbpmPeriodKind::Day, "report.conclAwake");
        if (meansAtOrAboveThreshold(s.period(AbpmPeriodKind::Night), AbpmPeriodKind::Night))
            means << periodPart(s, AbpmPeriodKind::Night, "report.conclAsleep");
    }
    QString text = means.join(QStringLiteral(", ")) + QStringLiteral(": ")
        + catText(ambulatoryHypertensive(s) ? "report.conclHypertension" : "report.conclNormal");
    if (s.sysDipping.dipClass)
        text += QStringLiteral("; ") + catText(dipKey(*s.sysDipping.dipClass));
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
