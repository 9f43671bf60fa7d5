#include "RecordingsFolder.h"

#include "data/AbpmConclusion.h"
#include "data/AmbSchema.h"
#include "data/GdtOrigin.h"
#include "data/RecordingReview.h"
#include "platform/Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <map>

namespace {

void exec(sqlite3* db, const QString& sql)
{
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// A recording of patient p: 300 readings from its start, every 4 to 5.5
// minutes; some of them artefacts.
void makeRecording(const QString& path, int p, const QDateTime& start)
{
    AmbSchema::createDataFile(path, EditionId::English);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, QStringLiteral("PRAGMA synchronous=OFF; BEGIN;"));
    const int interval = 240 + (p % 4) * 30;
    const int artefactEvery = 17 + p % 13;
    for (int i = 0; i < 300; ++i) {
        const QDateTime t = start.addSecs(qint64(i) * interval);
        const int night = t.time().hour() >= 22 || t.time().hour() < 7;
        int sys = 118 + p % 40 - night * (8 + p % 12) + (i * 7) % 11;
        int dia = 74 + p % 20 - night * (5 + p % 7) + (i * 5) % 7;
        if (i % artefactEvery == 3)
            sys = (i / artefactEvery) % 2 ? 262 : dia + 8; // out of range, or too narrow a pulse pressure
        exec(db, QStringLiteral("insert into ambpdata (Date,Time,SYS_mmHg,DIA_mmHg,MAP_mmHg,Pulse_min) values "
                                "('%1','%2',%3,%4,%5,%6)")
                     .arg(t.date().toString(Qt::ISODate), t.time().toString(QStringLiteral("HH:mm:ss")))
                     .arg(sys)
                     .arg(dia)
                     .arg((sys + 2 * dia) / 3)
                     .arg(60 + i % 20));
    }
    exec(db, QStringLiteral("COMMIT;"));
    if (p % 11 != 10) { // some files were never given a patient
        exec(db, QStringLiteral("create table ambpdetails (Field TEXT PRIMARY KEY NOT NULL, Value TEXT NOT NULL);"
                                "insert into ambpdetails values ('PatientNumber', 'P%1'), ('Surname', 'Name%1'),"
                                " ('FirstName', 'Anna'), ('BirthDate', '1956-04-03'), ('RecordingStart', '%2');")
                     .arg(p, 4, 10, QLatin1Char('0'))
                     .arg(start.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))));
        if (p % 3 == 1)
            exec(db, QStringLiteral("insert into ambpdetails values ('Bedtime', '23:15'), ('WakeUp', '06:40');"));
        if (p % 4 == 0)
            exec(db, QStringLiteral("insert into ambpdetails values ('OfficeSys', '%1'), ('OfficeDia', '96');")
                         .arg(128 + p % 37));
    }
    sqlite3_close(db);

    Connection c;
    if (!c.openFile(path))
        return;
    if (p % 5 == 2)
        for (const qint64 id : {5, 120, 121})
            RecordingReview::setAside(c, id, {SetAsideReason::PatientMoved, QString()});
    if (p % 7 == 3)
        AbpmConclusionStore::write(c, {QStringLiteral("Kept as written."), start.date().addDays(1), QStringLiteral("Dr. Weiss")});
    if (p % 6 == 1 && p % 11 != 10) {
        GdtOrigin origin;
        origin.patientNumber = QStringLiteral("P%1").arg(p, 4, 10, QLatin1Char('0'));
        origin.ownId = QStringLiteral("KORV");
        origin.pvsId = QStringLiteral("PRAX");
        origin.taken = start.toUTC();
        // Due and never sent, sent, or sent and due again (readings stored since).
        const int state = (p / 6) % 3;
        origin.resultDue = state != 1;
        if (state > 0) {
            origin.sent = start.addDays(1).toUTC();
            origin.sentAs = QStringLiteral("/practice/in/PRAXKORV.GDT");
        }
        GdtOriginStore::write(c, origin);
    }
}

void setStart(const QString& path, const QDateTime& start)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    exec(db, QStringLiteral("PRAGMA synchronous=OFF; update ambpdetails set Value = '%1' where Field = 'RecordingStart';")
                 .arg(start.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))));
    sqlite3_close(db);
}

void damage(const QString& path, int kind, const QString& readable)
{
    if (kind == 0 || kind == 1) {
        QFile::copy(readable, path);
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        if (kind == 0) {
            file.resize(3000); // cut short
        } else {
            file.seek(8192);
            file.write(QByteArray(4000, '\x5a')); // pages overwritten
        }
    } else if (kind == 2) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("Befund folgt\n");
    } else if (kind == 3) {
        AmbSchema::createDataFile(path, EditionId::German);
    } else {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        exec(db, QStringLiteral("create table patients (name TEXT)"));
        sqlite3_close(db);
    }
}

} // namespace

const RecordingsFolder& recordingsFolderOf(int n)
{
    static QTemporaryDir root;
    static std::map<int, RecordingsFolder> made;
    if (made.count(n))
        return made[n];
    RecordingsFolder f;
    f.path = root.filePath(QString::number(n));
    const int good = n - n / 20;
    const int patients = std::max(1, good / 38);
    const QDateTime first(QDate(2024, 1, 8), QTime(9, 0), Qt::UTC);
    const QString templates = root.filePath(QStringLiteral("templates%1").arg(n));
    QDir().mkpath(templates);
    for (int p = 0; p < patients; ++p)
        makeRecording(templates + QStringLiteral("/%1.amb").arg(p), p, first.addDays(p % 300).addSecs((p % 9) * 1800));
    auto target = [&f](int i) {
        const QString sub = f.path + QStringLiteral("/%1").arg(2000 + i / 500);
        QDir().mkpath(sub);
        return sub + QStringLiteral("/rec%1.amb").arg(i, 5, 10, QLatin1Char('0'));
    };
    for (int i = 0; i < good; ++i) {
        // Patient 0 has the first 40 (or all, when fewer), each with its own start.
        const int p = i < std::min(kPatientRecordings, good) ? 0 : 1 + (i - kPatientRecordings) % std::max(1, patients - 1);
        const QString path = target(i);
        QFile::copy(templates + QStringLiteral("/%1.amb").arg(std::min(p, patients - 1)), path);
        if (p == 0 && i < kPatientRecordings) {
            setStart(path, first.addDays(i * 30 + 1));
            f.newestOfPatient0 = path;
        }
    }
    for (int i = good; i < n; ++i) {
        const QString path = target(i);
        damage(path, i % 5, templates + QStringLiteral("/0.amb"));
        f.damaged.insert(path);
    }
    QDir(templates).removeRecursively();
    made[n] = f;
    return made[n];
}
