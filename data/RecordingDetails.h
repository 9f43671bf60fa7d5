#pragma once
// What a data file says about its recording beside the readings: whose it
// is, when the recorder was put on, when the patient slept (the diary), the
// office pressure taken at fitting, and the physician's texts. One data
// file is one recording, so it holds one set of details.
//
// The window edits the details as texts; parseDetails turns them into a
// RecordingDetails or names the first field that is wrong and why, in the
// current edition. Both are pure functions (the day of "today" is given).
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>
#include <variant>

enum class PatientSex { Unknown, Female, Male, Diverse };

inline constexpr int kPatientNumberLength = 10;
// The office pressures that can be real, in mmHg (both limits included).
inline constexpr int kOfficeLowest = 40;
inline constexpr int kOfficeHighest = 300;

struct RecordingDetails {
    QString patientNumber; // the practice's, up to kPatientNumberLength characters
    QString surname;
    QString firstName;
    QDate birthDate;          // null: not given
    PatientSex sex = PatientSex::Unknown;
    // Invalid: not given. The clock time as written, kept as UTC so that no
    // time zone or daylight saving change moves it (as AbpmReading does).
    QDateTime recordingStart;
    QTime bedtime;            // from the diary; null: not given
    QTime wakeUp;
    std::optional<int> officeSys;
    std::optional<int> officeDia;
    QString physician;
    QString indication;
    QString medication;
    QString comment;

    bool isEmpty() const { return *this == RecordingDetails{}; }
    bool hasPatient() const { return !surname.isEmpty() || !firstName.isEmpty() || !patientNumber.isEmpty(); }
    // Bedtime and wake-up both given (and apart): the diary decides asleep and awake.
    bool hasDiary() const { return bedtime.isValid() && wakeUp.isValid() && bedtime != wakeUp; }
    bool hasOffice() const { return officeSys.has_value() && officeDia.has_value(); }
    bool operator==(const RecordingDetails&) const = default;
};

// The fields, in the window's order.
enum class DetailsField {
    PatientNumber, Surname, FirstName, BirthDate, Sex, StartDate, StartTime,
    Bedtime, WakeUp, OfficeSys, OfficeDia, Physician, Indication, Medication, Comment,
};

// The field's name in the current edition, as the window labels it.
QString detailsFieldName(DetailsField field);

// The details as the window's boxes hold them. Dates are typed the
// edition's way (M/d/yyyy, German d.M.yyyy; yyyy-MM-dd in both), times as
// H:mm, pressures as whole numbers; an empty box is "not given".
struct DetailsInput {
    QString patientNumber, surname, firstName, birthDate;
    PatientSex sex = PatientSex::Unknown;
    QString startDate, startTime, bedtime, wakeUp, officeSys, officeDia;
    QString physician, indication, medication, comment;
};

struct DetailsProblem {
    DetailsField field;
    QString message; // names the field: "Date of birth: ..."
};

// The first problem of the details, in field order: a patient number that
// is too long, a date that does not exist, a birth date in the future or
// after the recording's start, a time that is not a time, a start time
// without its date, bedtime and wake-up at the same minute, an office
// pressure outside kOfficeLowest..kOfficeHighest, only one of the two, or
// a diastolic not below the systolic. Texts are taken trimmed.
std::variant<RecordingDetails, DetailsProblem> parseDetails(const DetailsInput& input, const QDate& today);
// The same rules over details that are already typed (a file, another system).
std::optional<DetailsProblem> problemOf(const RecordingDetails& details, const QDate& today);
// The boxes' texts of stored details (parseDetails of it gives them back).
DetailsInput inputOf(const RecordingDetails& details);

// The dates and times as the window and the pages show them in the edition.
QString detailsDateText(const QDate& date);
QString detailsTimeText(const QTime& time);
// "Surname, First name" (or the one given).
QString patientNameText(const RecordingDetails& details);
// The line that names the recording where a doctor looks (captions,
// printed pages): name, number, birth date and the recording's start, as
// far as they are given; empty when none is.
QString detailsHeadline(const RecordingDetails& details);
// The sex's name in the current edition.
QString sexText(PatientSex sex);
