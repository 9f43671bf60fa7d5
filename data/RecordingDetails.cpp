#include "data/RecordingDetails.h"

#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QStringList>

namespace {

const char* const kFieldKeys[] = {
    "details.lblPatientNumber", "details.lblSurname", "details.lblFirstName", "details.lblBirthDate",
    "details.lblSex", "details.lblStartDate", "details.lblStartTime", "details.lblBedtime",
    "details.lblWakeUp", "details.lblOfficeSys", "details.lblOfficeDia", "details.lblPhysician",
    "details.lblIndication", "details.lblMedication", "details.lblComment",
};

QString englishDateForm() { return QStringLiteral("M/d/yyyy"); }
QString germanDateForm() { return QStringLiteral("d.M.yyyy"); }

DetailsProblem problem(DetailsField field, const char* key)
{
    // The label without its access mark and colon names the field.
    QString name = detailsFieldName(field);
    return {field, catText("details.msgField").arg(name, catText(key))};
}

// Empty text: not given (a null date). Otherwise the date, or a problem.
std::variant<QDate, DetailsProblem> dateOf(const QString& text, DetailsField field)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QDate();
    const QStringList forms = {Edition::current().isGerman() ? germanDateForm() : englishDateForm(),
                               QStringLiteral("yyyy-MM-dd")};
    for (const QString& form : forms) {
        const QDate d = QDate::fromString(t, form);
        if (d.isValid() && d.year() >= 1800)
            return d;
    }
    return problem(field, "details.msgNoDate");
}

std::variant<QTime, DetailsProblem> timeOf(const QString& text, DetailsField field)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QTime();
    for (const QString& form : {QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime time = QTime::fromString(t, form);
        if (time.isValid())
            return QTime(time.hour(), time.minute());
    }
    return problem(field, "details.msgNoTime");
}

std::variant<std::optional<int>, DetailsProblem> pressureOf(const QString& text, DetailsField field)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::optional<int>();
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok || v < kOfficeLowest || v > kOfficeHighest)
        return problem(field, "details.msgPressureRange");
    return std::optional<int>(v);
}

} // namespace

QString detailsFieldName(DetailsField field)
{
    QString name = catText(kFieldKeys[int(field)]);
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

std::optional<DetailsProblem> problemOf(const RecordingDetails& d, const QDate& today)
{
    if (d.patientNumber.size() > kPatientNumberLength)
        return problem(DetailsField::PatientNumber, "details.msgNumberTooLong");
    if (d.birthDate.isValid() && d.birthDate > today)
        return problem(DetailsField::BirthDate, "details.msgBornInFuture");
    if (d.birthDate.isValid() && d.recordingStart.isValid() && d.birthDate > d.recordingStart.date())
        return problem(DetailsField::BirthDate, "details.msgBornAfterStart");
    if (d.bedtime.isValid() && d.wakeUp.isValid() && d.bedtime == d.wakeUp)
        return problem(DetailsField::WakeUp, "details.msgWakeUpAtBedtime");
    const auto outOfRange = [](const std::optional<int>& v) {
        return v && (*v < kOfficeLowest || *v > kOfficeHighest);
    };
    if (outOfRange(d.officeSys))
        return problem(DetailsField::OfficeSys, "details.msgPressureRange");
    if (outOfRange(d.officeDia))
        return problem(DetailsField::OfficeDia, "details.msgPressureRange");
    if (d.officeSys.has_value() != d.officeDia.has_value())
        return problem(d.officeSys ? DetailsField::OfficeDia : DetailsField::OfficeSys, "details.msgPressureMissing");
    if (d.hasOffice() && *d.officeDia >= *d.officeSys)
        return problem(DetailsField::OfficeDia, "details.msgDiaNotBelowSys");
    return std::nullopt;
}

std::variant<RecordingDetails, DetailsProblem> parseDetails(const DetailsInput& in, const QDate& today)
{
    RecordingDetails d;
    d.patientNumber = in.patientNumber.trimmed();
    d.surname = in.surname.trimmed();
    d.firstName = in.firstName.trimmed();
    d.sex = in.sex;
    d.physician = in.physician.trimmed();
    d.indication = in.indication.trimmed();
    d.medication = in.medication.trimmed();
    d.comment = in.comment.trimmed();
    if (d.patientNumber.size() > kPatientNumberLength)
        return problem(DetailsField::PatientNumber, "details.msgNumberTooLong");

    const auto birth = dateOf(in.birthDate, DetailsField::BirthDate);
    if (auto* p = std::get_if<DetailsProblem>(&birth))
        return *p;
    d.birthDate = std::get<QDate>(birth);
    const auto startDate = dateOf(in.startDate, DetailsField::StartDate);
    if (auto* p = std::get_if<DetailsProblem>(&startDate))
        return *p;
    const auto startTime = timeOf(in.startTime, DetailsField::StartTime);
    if (auto* p = std::get_if<DetailsProblem>(&startTime))
        return *p;
    const QDate date = std::get<QDate>(startDate);
    const QTime time = std::get<QTime>(startTime);
    if (!date.isValid() && time.isValid())
        return problem(DetailsField::StartDate, "details.msgStartWithoutDate");
    if (date.isValid())
        d.recordingStart = QDateTime(date, time.isValid() ? time : QTime(0, 0), Qt::UTC);
    if (d.birthDate.isValid() && d.birthDate > today)
        return problem(DetailsField::BirthDate, "details.msgBornInFuture");
    if (d.birthDate.isValid() && d.recordingStart.isValid() && d.birthDate > d.recordingStart.date())
        return problem(DetailsField::BirthDate, "details.msgBornAfterStart");

    const auto bedtime = timeOf(in.bedtime, DetailsField::Bedtime);
    if (auto* p = std::get_if<DetailsProblem>(&bedtime))
        return *p;
    d.bedtime = std::get<QTime>(bedtime);
    const auto wakeUp = timeOf(in.wakeUp, DetailsField::WakeUp);
    if (auto* p = std::get_if<DetailsProblem>(&wakeUp))
        return *p;
    d.wakeUp = std::get<QTime>(wakeUp);

    const auto sys = pressureOf(in.officeSys, DetailsField::OfficeSys);
    if (auto* p = std::get_if<DetailsProblem>(&sys))
        return *p;
    d.officeSys = std::get<std::optional<int>>(sys);
    const auto dia = pressureOf(in.officeDia, DetailsField::OfficeDia);
    if (auto* p = std::get_if<DetailsProblem>(&dia))
        return *p;
    d.officeDia = std::get<std::optional<int>>(dia);

    if (const std::optional<DetailsProblem> p = problemOf(d, today))
        return *p;
    return d;
}

QString detailsDateText(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return date.toString(Edition::current().isGerman() ? QStringLiteral("dd.MM.yyyy") : englishDateForm());
}

QString detailsTimeText(const QTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString();
}

DetailsInput inputOf(const RecordingDetails& d)
{
    DetailsInput in;
    in.patientNumber = d.patientNumber;
    in.surname = d.surname;
    in.firstName = d.firstName;
    in.birthDate = detailsDateText(d.birthDate);
    in.sex = d.sex;
    if (d.recordingStart.isValid()) {
        in.startDate = detailsDateText(d.recordingStart.date());
        in.startTime = detailsTimeText(d.recordingStart.time());
    }
    in.bedtime = detailsTimeText(d.bedtime);
    in.wakeUp = detailsTimeText(d.wakeUp);
    in.officeSys = d.officeSys ? QString::number(*d.officeSys) : QString();
    in.officeDia = d.officeDia ? QString::number(*d.officeDia) : QString();
    in.physician = d.physician;
    in.indication = d.indication;
    in.medication = d.medication;
    in.comment = d.comment;
    return in;
}

QString patientNameText(const RecordingDetails& d)
{
    if (!d.surname.isEmpty() && !d.firstName.isEmpty())
        return d.surname + QStringLiteral(", ") + d.firstName;
    return d.surname.isEmpty() ? d.firstName : d.surname;
}

QString detailsHeadline(const RecordingDetails& d)
{
    QStringList parts;
    if (const QString name = patientNameText(d); !name.isEmpty())
        parts << name;
    if (!d.patientNumber.isEmpty())
        parts << catText("details.headNumber").arg(d.patientNumber);
    if (d.birthDate.isValid())
        parts << catText("details.headBorn").arg(detailsDateText(d.birthDate));
    if (d.recordingStart.isValid())
        parts << catText("details.headStart")
                     .arg(detailsDateText(d.recordingStart.date()) + QLatin1Char(' ')
                          + detailsTimeText(d.recordingStart.time()));
    return parts.join(catText("details.headSeparator"));
}

QString sexText(PatientSex sex)
{
    static const char* const keys[] = {"details.sexUnknown", "details.sexFemale", "details.sexMale",
                                       "details.sexDiverse"};
    return catText(keys[int(sex)]);
}
