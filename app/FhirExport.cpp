#include "app/FhirExport.h"

#include "data/AbpmCsvExport.h"
#include "data/AbpmReportSource.h"
#include "data/DataMessages.h"
#include "exchange/FhirBundle.h"
#include "platform/Seams.h"
#include "print/AbpmSignedReport.h"
#include "print/ReportPageSetup.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>
#include <QPrinter>

namespace FhirExport {

namespace {

QString chooseTarget(QWidget* parent)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText("fhir.dlgExportTitle");
    request.filter = catText("fhir.dlgFilter");
    request.defaultSuffix = QStringLiteral("json");
    request.overwritePrompt = false; // asked below, in the program's words
    const QFileInfo data(gDataFile);
    request.directory = data.absolutePath();
    request.fileName = data.completeBaseName() + QStringLiteral(".json");
    return seams().fileDialog(parent, request);
}

} // namespace

void exportFhir(QWidget* parent, QPrinter* printer)
{
    const QString path = chooseTarget(parent);
    if (path.isEmpty())
        return;
    if (const QString why = AbpmCsvExport::refusalOf(path); !why.isEmpty()) {
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
        return;
    }
    if (!AbpmCsvExport::confirmReplace(parent, path))
        return;
    QString why;
    const std::optional<AbpmReportSource> source = readAbpmReportSource(&why);
    if (!source) {
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
        return;
    }
    FhirBundle::Recording recording;
    recording.readings = source->readings;
    recording.details = source->details;
    recording.setAside = source->setAside;
    recording.periods = source->periods;
    recording.issued = seams().now();
    const AbpmSignedReportContent content = draftedReportContent(*source, recording.issued.date());
    recording.conclusion = content.conclusion;
    const QPageLayout page = ReportPageSetup::layoutFor(printer ? printer->pageLayout() : QPrinter().pageLayout());
    recording.reportPdf = reportPdf(content, page, &why);
    recording.reportTitle = catText("AbpmSignedReport.caption");
    if (recording.reportPdf.isEmpty() || !FhirBundle::write(path, FhirBundle::json(recording), &why))
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
}

} // namespace FhirExport
