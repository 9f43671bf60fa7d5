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

#include <QPrinter>

namespace FhirExport {


void exportFhir(QWidget* parent, QPrinter* printer)
{
    const QString path = AbpmCsvExport::chooseTarget(parent, "fhir.dlgExportTitle", "fhir.dlgFilter", QStringLiteral("json"));
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
    recording.thresholds = source->thresholds;
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
