#include "exchange/GdtSend.h"

#include "data/AbpmReadings.h"
#include "data/AbpmSettings.h"
#include "data/CurrentDataFile.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingReview.h"
#include "exchange/GdtAbpmResult.h"
#include "exchange/GdtFolder.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

GdtSendOutcome refused(const QString& problem)
{
    GdtSendOutcome outcome;
    outcome.problem = problem;
    return outcome;
}

// A name of its own for every PDF, so that one the practice system has
// not taken yet is never replaced.
QString pdfName(const GdtSettings& settings, const RecordingDetails& details)
{
    QString patient = details.patientNumber;
    patient.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9-]")), QStringLiteral("_"));
    return settings.ownId + u'_' + patient + u'_' + seams().now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace

GdtSendOutcome sendGdtResult(const GdtSettings& settings, const AbpmSummary& summary,
                             const RecordingDetails& details, const GdtPdfMaker& makePdf)
{
    if (details.patientNumber.trimmed().isEmpty())
        return refused(catText("gdt.msgNoPatientNumber"));
    const QString folder = settings.resultFolder();
    if (!QFileInfo(folder).isDir() || !gdtFolderWritable(folder))
        return refused(catText("gdt.msgFolderNotWritable").arg(catText("gdt.nameExport"), QDir::toNativeSeparators(folder)));

    GdtResult result = gdtAbpmResult(summary, details, {settings.pvsId, settings.ownId, settings.charset});
    GdtSendOutcome outcome;
    QString why;
    if (settings.attachPdf && makePdf) {
        const QString name = pdfName(settings, details);
        QString pdf = QDir(folder).absoluteFilePath(name + QStringLiteral(".pdf"));
        for (int n = 1; QFileInfo::exists(pdf); ++n)
            pdf = QDir(folder).absoluteFilePath(name + QStringLiteral("-%1.pdf").arg(n));
        const QString unfinished = QDir(folder).absoluteFilePath(QStringLiteral(".korvane-") + name + QStringLiteral(".tmp"));
        QFile::remove(unfinished);
        if (!makePdf(summary, unfinished, &why) || !GdtFolder::placeWhole(unfinished, pdf, &why)) {
            QFile::remove(unfinished);
            return refused(catText("gdt.msgPdfFailed").arg(why));
        }
        outcome.pdfPath = pdf;
        result.attachment = GdtAttachment{QFileInfo(pdf).completeBaseName(), QStringLiteral("PDF"),
                                          catText("gdt.pdfDescription"), QDir::toNativeSeparators(pdf)};
    }
    const QByteArray bytes = writeGdtResult(result);
    // Another result may take a free name between looking and writing.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString path = GdtFolder::nextResultPath(folder, settings.pvsId, settings.ownId);
        if (path.isEmpty()) {
            why = catText("gdt.msgNoResultName");
            break;
        }
        if (GdtFolder::writeWhole(path, bytes, &why)) {
            outcome.resultPath = path;
            return outcome;
        }
    }
    if (!outcome.pdfPath.isEmpty())
        QFile::remove(outcome.pdfPath);
    return refused(catText("gdt.msgResultFailed").arg(QDir::toNativeSeparators(folder), why));
}

GdtSendOutcome sendCurrentGdtResult(const GdtSettings& settings, const GdtPdfMaker& makePdf)
{
    QString why;
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    if (!records)
        return refused(why); // CurrentDataFile said why
    const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, &why);
    const std::optional<RecordingDetails> details = RecordingDetailsStore::readCurrent(&why);
    const std::optional<SetAsideReadings> setAside = readings && details ? RecordingReview::readCurrent(&why) : std::nullopt;
    if (!readings || !details || !setAside)
        return refused(why);
    const AbpmPeriodChoice choice = AbpmSettings::load();
    const AbpmSummary summary =
        computeAbpmSummary(*readings, choice.inForce(), *details, *setAside, choice.thresholds);
    return sendGdtResult(settings, summary, *details, makePdf);
}
