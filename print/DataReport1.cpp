#include "print/DataReport1.h"

#include "data/RecordingStart.h"
#include "data/clsbpdata.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "print/ReportDocument.h"
#include "print/ReportPageSetup.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>

DataReport1::DataReport1(QWidget* parent)
    : ReportPreview({"DataReport1.caption", "DataReport1.msgPrinterNotReady"}, parent)
    , m_layout(ReportDesign::dataReport1())
{
    setObjectName(QStringLiteral("DataReport1"));
}

DataReport1::~DataReport1() = default;

void DataReport1::setDataMember(const QString& dataMember)
{
    m_dataMember = dataMember;
}

void DataReport1::setDataSource(clsbpdata* source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source)
        connect(source, &clsbpdata::dataMemberChanged, this, &DataReport1::rebindAfterRequery);
}

const ReportDocument* DataReport1::document() const
{
    return static_cast<const ReportDocument*>(shownDocument());
}

std::unique_ptr<ReportDocument> DataReport1::documentFor(const std::shared_ptr<Recordset>& records,
                                                        const QPageLayout& page, QString* why) const
{
    if (!records || !records->isOpen()) {
        *why = catText("frmMain.msgNotReadyPrintList");
        return nullptr;
    }
    // Details the file cannot give leave the pages as without them.
    const QString headline = patientHeadlineOf(*records);
    auto document = std::make_unique<ReportDocument>(ReportDesign::withRecordingLine(m_layout, headline), records,
                                                     ReportPageSetup::bodyHeight(page));
    const QStringList missing = document->missingColumns();
    if (!missing.isEmpty()) {
        *why = catText("DataReport1.msgColumnsMissing").arg(missing.join(QStringLiteral(", ")));
        return nullptr;
    }
    return document;
}

std::unique_ptr<PagedDocument> DataReport1::documentFor(const QPageLayout& page, QString* why) const
{
    return documentFor(m_records, page, why);
}

QString DataReport1::pdfFileName() const
{
    return QFileInfo(gDataFile).completeBaseName() + QStringLiteral(".pdf");
}

bool DataReport1::Show()
{
    const QPageLayout page = chosenPageLayout();
    const std::shared_ptr<Recordset> records = m_source ? m_source->GetDataMember(m_dataMember) : nullptr;
    QString why;
    std::unique_ptr<ReportDocument> document = documentFor(records, page, &why);
    if (!document) {
        showMessage(this, why, MsgButtons::Ok, MsgIcon::Information, windowTitle());
        if (!isVisible())
            deleteLater();
        return false;
    }
    bind(records, page, std::move(document));
    present();
    return true;
}

void DataReport1::bind(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
                       std::unique_ptr<ReportDocument> document)
{
    if (m_records)
        disconnect(m_records.get(), nullptr, this, nullptr);
    m_records = records;
    showDocument(std::move(document), page);
    // Any change of the records can change the page count.
    connect(records.get(), &Recordset::resetDone, this, &DataReport1::pagesChanged);
    connect(records.get(), &Recordset::rowsInserted, this, &DataReport1::pagesChanged);
    connect(records.get(), &Recordset::rowsRemoved, this, &DataReport1::pagesChanged);
    connect(records.get(), &Recordset::rowChanged, this, &DataReport1::pagesChanged);
}

void DataReport1::rebindAfterRequery()
{
    const std::shared_ptr<Recordset> records = m_source ? m_source->GetDataMember(m_dataMember) : nullptr;
    if (records == m_records)
        return; // the record set itself tells what changed
    QString why;
    if (std::unique_ptr<ReportDocument> document = documentFor(records, shownPageLayout(), &why))
        bind(records, shownPageLayout(), std::move(document));
}
