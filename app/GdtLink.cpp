#include "app/GdtLink.h"

#include "app/SkipOnFailure.h"
#include "data/DataFolder.h"
#include "data/FileCommands.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingsIndex.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"
#include "views/CommWindows.h"
#include "views/frmRead.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>

namespace {

QString nameOf(const GdtPatient& p)
{
    RecordingDetails d;
    d.surname = p.surname;
    d.firstName = p.firstName;
    const QString name = patientNameText(d);
    return name.isEmpty() ? p.number : name;
}

// Surname_First-name_number_yyyy-MM-dd.amb beside the patient's newest
// recording (the data folder's index knows it), or in the data folder; a
// second recording of the day gets _2, _3, ...
QString proposedFileName(const GdtPatient& p)
{
    QStringList parts;
    for (const QString& part : {p.surname, p.firstName, p.number})
        if (!part.isEmpty())
            parts << part;
    parts << seams().now().date().toString(QStringLiteral("yyyy-MM-dd"));
    QString name = parts.join(u'_');
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\s]+")), QStringLiteral("-"));
    const QString newest = RecordingsIndex::forDataFolder().newestOf(p.number);
    const QDir folder(newest.isEmpty() ? DataFolder::startFolder() : QFileInfo(newest).absolutePath());
    QString path = folder.filePath(name + QStringLiteral(".amb"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(name + QStringLiteral("_%1.amb").arg(n));
    return path;
}

RecordingDetails detailsWith(RecordingDetails details, const GdtPatient& p)
{
    details.patientNumber = p.number;
    details.surname = p.surname;
    details.firstName = p.firstName;
    details.birthDate = p.birthDate;
    switch (p.sex) {
    case GdtSex::Male: details.sex = PatientSex::Male; break;
    case GdtSex::Female: details.sex = PatientSex::Female; break;
    case GdtSex::Diverse: details.sex = PatientSex::Diverse; break;
    default: details.sex = PatientSex::Unknown; break;
    }
    return details;
}

int heldReadings()
{
    const frmRead* read = CommWindows::readWindow();
    return read && read->hasUnsettledReadings() ? read->count() : 0;
}

} // namespace

GdtLink::GdtLink(QWidget* window, GdtPdfMaker makePdf)
    : QObject(window), m_window(window), m_makePdf(std::move(makePdf)),
      m_watcher({[this](const GdtRequest& r, const QString& path) { taken(r, path); },
                 [this](const QString& path, const GdtReadError& e, const QString& moved, const QString& notMoved) {
                     refused(path, e, moved, notMoved);
                 },
                 [this](const QString& path, int line, const QString& moved, const QString& notMoved) {
                     restLeft(path, line, moved, notMoved);
                 }},
                this)
{
    const StateNotifier& notifier = StateNotifier::instance();
    connect(&notifier, &StateNotifier::dataFileChanged, this, &GdtLink::followDataFile);
    // Once a cursor has the file open, reading its table changes nothing else.
    connect(&notifier, &StateNotifier::recordsetOpened, this, &GdtLink::refreshResultDue);
    connect(&notifier, &StateNotifier::recordingDetailsChanged, this, &GdtLink::refreshResultDue);
}

void GdtLink::applySettings()
{
    m_settings = GdtSettingsStore::load();
    if (m_settings.enabled) {
        if (const auto problem = gdtSettingsProblem(m_settings))
            showMessage(m_window, catText("gdt.msgNotWatching").arg(*problem));
    }
    // Equal IDs would take our own results for requests.
    if (!m_settings.enabled || gdtIdsEqual(m_settings))
        m_watcher.watch(QString(), QString(), QString());
    else
        m_watcher.watch(m_settings.importFolder, m_settings.ownId, m_settings.pvsId);
}

QString GdtLink::waitingText() const
{
    if (!m_waiting)
        return QString();
    const GdtPatient& p = m_waiting->patient;
    return catText("gdt.lblWaiting").arg(nameOf(p), p.number, detailsDateText(p.birthDate));
}

void GdtLink::setWaiting(std::optional<GdtRequest> request)
{
    m_waiting = std::move(request);
    changed();
}

void GdtLink::changed()
{
    if (m_changed)
        m_changed();
}

void GdtLink::followDataFile()
{
    // The file's own state is read once a cursor has it open.
    if (!gFileReady || gDataFile != m_resultDueFile) {
        const bool shown = !m_resultDue.isEmpty();
        m_resultDue.clear();
        m_resultDueFile.clear();
        if (shown)
            changed();
    }
}

void GdtLink::refreshResultDue()
{
    QString due;
    if (gFileReady) {
        const std::optional<GdtOrigin> origin = GdtOriginStore::readCurrent();
        if (origin && origin->resultDue) {
            GdtPatient patient;
            patient.number = origin->patientNumber;
            if (const std::optional<RecordingDetails> details = RecordingDetailsStore::readCurrent()) {
                patient.surname = details->surname;
                patient.firstName = details->firstName;
            }
            due = catText("gdt.lblResultDue").arg(nameOf(patient), origin->patientNumber);
        }
    }
    m_resultDueFile = gFileReady ? gDataFile : QString();
    if (due == m_resultDue)
        return;
    m_resultDue = due;
    changed();
}

void GdtLink::taken(const GdtRequest& request, const QString&)
{
    if (request.kind == GdtRequestKind::ShowExamination)
        showExamination(request);
    else
        wait(request);
}

void GdtLink::wait(const GdtRequest& request)
{
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
    if (m_waiting && m_waiting->patient != request.patient) {
        const MsgAnswer answer = showMessage(
            m_window, catText("gdt.msgReplace").arg(nameOf(request.patient), nameOf(m_waiting->patient)),
            MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgAnswer::Yes)
            return;
    } else if (const int held = heldReadings(); held > 0) {
        const MsgAnswer answer = showMessage(
            m_window, catText("gdt.msgWhileHeld").arg(nameOf(request.patient)).arg(held), MsgButtons::YesNo,
            MsgIcon::Question);
        if (answer != MsgAnswer::Yes)
            return;
    }
    setWaiting(request);
}

namespace {

QString whereItWent(const QString& moved, const QString& notMoved)
{
    return moved.isEmpty() ? catText("gdt.msgNotMoved").arg(notMoved)
                           : catText("gdt.msgMoved").arg(QDir::toNativeSeparators(moved));
}

} // namespace

void GdtLink::refused(const QString& path, const GdtReadError& error, const QString& moved, const QString& notMoved)
{
    const QString where = error.line > 0 ? catText("gdt.noteLine").arg(error.line).arg(error.reason) : error.reason;
    showMessage(m_window, catText("gdt.msgRefused").arg(QDir::toNativeSeparators(path), where)
                              + whereItWent(moved, notMoved));
}

void GdtLink::restLeft(const QString& path, int line, const QString& moved, const QString& notMoved)
{
    showMessage(m_window, catText("gdt.msgRestLeft").arg(QDir::toNativeSeparators(path)).arg(line)
                              + whereItWent(moved, notMoved));
}

void GdtLink::showExamination(const GdtRequest& request)
{
    // The index reads the folder on its own thread; the answer comes after
    // a fresh look, so a file written a moment ago counts.
    RecordingsIndex& index = RecordingsIndex::forDataFolder();
    index.afterFreshLook(this, [this, request, &index] {
        const QString newest = index.newestOf(request.patient.number);
        if (newest.isEmpty()) {
            showMessage(m_window, catText("gdt.msgNoFileOfPatient")
                                      .arg(nameOf(request.patient), request.patient.number,
                                           QDir::toNativeSeparators(index.folder())));
            return;
        }
        if (m_window) {
            m_window->raise();
            m_window->activateWindow();
        }
        FileCommands::openPath(newest, m_window);
    });
}

void GdtLink::runNew()
{
    // The request New works on is the one waiting now; one that comes while
    // New's dialogs are open stays in its folder until New is done, so it
    // never changes the file New makes. A pause, not a stop: the watcher
    // keeps its memory, so a request it could not delete is not handed on
    // again after New.
    const std::optional<GdtRequest> request = m_waiting;
    m_watcher.setPaused(true);
    if (request)
        fillNewFile(*request);
    else
        FileCommands::newFile(m_window);
    m_watcher.setPaused(false);
}

void GdtLink::fillNewFile(const GdtRequest& request)
{
    const QString before = gFileReady ? gDataFile : QString();
    FileCommands::newFile(m_window, proposedFileName(request.patient));
    if (!gFileReady || gDataFile == before)
        return;
    QString why;
    const std::optional<RecordingDetails> details = RecordingDetailsStore::readCurrent(&why);
    if (!details || (details->hasPatient() && details->patientNumber != request.patient.number))
        return; // an existing file of another patient: the request still waits
    GdtOrigin origin;
    origin.patientNumber = request.patient.number;
    origin.ownId = request.receiverId.isEmpty() ? m_settings.ownId : request.receiverId;
    origin.pvsId = request.senderId.isEmpty() ? m_settings.pvsId : request.senderId;
    origin.taken = seams().now().toUTC();
    if (!RecordingDetailsStore::writeCurrent(detailsWith(*details, request.patient), &why)
        || !GdtOriginStore::writeCurrent(origin, &why)) {
        showMessage(m_window, catText("gdt.msgPatientNotFilled").arg(why));
        return;
    }
    emit StateNotifier::instance().recordingDetailsChanged();
    setWaiting(std::nullopt);
}

void GdtLink::sendCurrent()
{
    if (!m_settings.enabled) {
        showMessage(m_window, catText("gdt.msgSendFailed").arg(catText("gdt.msgSwitchedOff")));
        return;
    }
    const GdtSendOutcome outcome = sendCurrentGdtResult(m_settings, m_makePdf);
    if (!outcome.sent()) {
        showMessage(m_window, catText("gdt.msgSendFailed").arg(outcome.problem));
        return;
    }
    if (const std::optional<GdtOrigin> origin = GdtOriginStore::readCurrent())
        markSent(*origin, outcome);
    showMessage(m_window, catText("gdt.msgSent").arg(QDir::toNativeSeparators(outcome.resultPath)));
}

void GdtLink::readingsStored()
{
    if (!gFileReady)
        return;
    std::optional<GdtOrigin> origin = GdtOriginStore::readCurrent();
    if (!origin)
        return; // not the practice system's patient: nothing goes back
    // The result reflects the file, so new readings make it due again; the
    // file says so before sending, so that a failed send, a link switched
    // off or a crash leaves it due for the next run.
    origin->resultDue = true;
    GdtOriginStore::writeCurrent(*origin);
    if (m_settings.enabled) {
        const GdtSendOutcome outcome = sendCurrentGdtResult(m_settings, m_makePdf);
        if (outcome.sent())
            markSent(*origin, outcome);
        else
            showMessage(m_window, catText("gdt.msgStoredNotSent").arg(outcome.problem));
    }
    refreshResultDue();
}

void GdtLink::markSent(GdtOrigin origin, const GdtSendOutcome& outcome)
{
    origin.resultDue = false;
    origin.sent = seams().now().toUTC();
    origin.sentAs = outcome.resultPath;
    QString why;
    if (!GdtOriginStore::writeCurrent(origin, &why))
        qCWarning(lcApp) << "The result is sent, but the data file does not say so:" << why;
    refreshResultDue();
}
