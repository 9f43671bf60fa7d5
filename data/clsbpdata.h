#pragma once
// The record cursor: opens the measurements of the current data file into
// the shared record set gRecordset (on a fresh gConnection) and offers the
// navigation and editing commands of the list window, the record editor and
// the report, which bind to its data member "Primary".
//
// Every cursor acts on whatever gRecordset holds at the time of a call; a
// consumer bound earlier keeps the record set it received when it bound.
//
// Commands return true when every step succeeded. A failing step is
// skipped and the command goes on with its next step, as the windows
// expect; the first failure's reason stays in lastError() so that nothing
// fails unseen (a change that could not be written, for instance).
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class Recordset;

class clsbpdata : public QObject {
    Q_OBJECT
public:
    // Creation: opens gDataFile (see the class comment). With no path it
    // says so and leaves gFileReady false; when the file cannot be opened it
    // names the file and the reason, closes the connection and moves to the
    // state No file. The creator checks gFileReady (or isOpen()).
    explicit clsbpdata(QObject* parent = nullptr);
    ~clsbpdata() override;

    // 1. True while a change or a new row is pending. A closed record set
    //    is a failure: false, and the reason in *error.
    bool EditingRecord(QString* error = nullptr) const;
    // 2. 1-based position of the current row; 0 when it cannot be read,
    //    below 1 when there is no current row.
    qint32 AbsolutePosition() const;
    // 3. Starts a new row.
    bool AddNew();
    // 4. When not empty: deletes the current row, then MoveNext.
    bool Delete();
    // 5. Re-runs the record query, then tells the consumers of "Primary"
    //    (dataMemberChanged) so that they re-bind.
    bool Requery();
    // 6. When not empty: writes every pending change; if still adding,
    //    MoveLast; then the statistic. A closed record set is reported in
    //    *error; a write that fails is reported too, and nothing typed is lost.
    bool Update(QString* error = nullptr);
    // 7. When not empty: drops the current row's pending change; if still
    //    adding, MoveFirst.
    bool Cancel(QString* error = nullptr);
    // 8.-11. Moves; walking past either end beeps once and stays on the end row.
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();

    // The one data member.
    static QString dataMemberName() { return QStringLiteral("Primary"); }
    QStringList dataMembers() const;
    // "Primary" gives the current gRecordset; any other name nothing.
    std::shared_ptr<Recordset> GetDataMember(const QString& dataMember) const;

    // Creation opened the file.
    bool isOpen() const { return m_opened; }
    QString lastError() const { return m_lastError; }

signals:
    // A consumer bound to the data member must re-bind (after Requery).
    void dataMemberChanged(const QString& dataMember);

private:
    void Create();
    bool step(bool ok) const;
    bool notEmpty(QString* error) const;

    bool m_opened = false;
    mutable QString m_lastError;
};
