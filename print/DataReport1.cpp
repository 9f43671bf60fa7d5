#include "print/DataReport1.h"

#include "data/clsbpdata.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "print/ReportDocument.h"
#include "print/ReportExport.h"
#include "print/ReportPageSetup.h"
#include "print/ReportPageView.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"
#include "views/Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Zoom choices: a factor of the paper's true size, or one of the fits.
constexpr double kFitPage = -1;
constexpr double kFitWidth = -2;
constexpr double kZoomFactors[] = {0.5, 0.75, 1.0, 1.5, 2.0};

// The paper at its true size on a screen of 15 twips per pixel.
constexpr double kTrueSize = 1.0 / kTwipsPerPixel;

} // namespace

DataReport1::DataReport1(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_layout(ReportDesign::dataReport1())
{
    setObjectName(QStringLiteral("DataReport1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("DataReport1.caption"));
    buildControls();
    resize(780, 900);
}

DataReport1::~DataReport1() = default;

QAction* DataReport1::addCommand(const QString& text, QIcon icon, const QKeySequence& key,
                                 void (DataReport1::*handler)())
{
    QAction* action = tbPreview->addAction(icon, text);
    action->setShortcut(key);
    action->setToolTip(text);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void DataReport1::buildControls()
{
    tbPreview = new QToolBar(this);
    tbPreview->setObjectName(QStringLiteral("tbPreview"));
    tbPreview->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* look = style();

    actFirstPage = addCommand(catText("DataReport1.actFirstPage"), look->standardIcon(QStyle::SP_MediaSkipBackward),
                              QKeySequence(Qt::CTRL | Qt::Key_Home), &DataReport1::firstPage);
    actPreviousPage = addCommand(catText("DataReport1.actPreviousPage"), look->standardIcon(QStyle::SP_ArrowLeft),
                                 QKeySequence(Qt::Key_PageUp), &DataReport1::previousPage);
    spnPage = new QSpinBox(tbPreview);
    spnPage->setObjectName(QStringLiteral("spnPage"));
    spnPage->setAccessibleName(catText("DataReport1.spnPage"));
    spnPage->setKeyboardTracking(false);
    tbPreview->addWidget(spnPage);
    lblPageCount = new QLabel(tbPreview);
    lblPageCount->setObjectName(QStringLiteral("lblPageCount"));
    lblPageCount->setContentsMargins(4, 0, 4, 0);
    tbPreview->addWidget(lblPageCount);
    actNextPage = addCommand(catText("DataReport1.actNextPage"), look->standardIcon(QStyle::SP_ArrowRight),
                             QKeySequence(Qt::Key_PageDown), &DataReport1::nextPage);
    actLastPage = addCommand(catText("DataReport1.actLastPage"), look->standardIcon(QStyle::SP_MediaSkipForward),
                             QKeySequence(Qt::CTRL | Qt::Key_End), &DataReport1::lastPage);
    // Page buttons show their pictures only; their names stay for screen readers.
    for (QAction* action : {actFirstPage, actPreviousPage, actNextPage, actLastPage})
        if (auto* button = qobject_cast<QToolButton*>(tbPreview->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbPreview->addSeparator();

    cboZoom = new QComboBox(tbPreview);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setAccessibleName(catText("DataReport1.cboZoom"));
    cboZoom->setToolTip(cboZoom->accessibleName());
    cboZoom->addItem(catText("DataReport1.zoomFitPage"), kFitPage);
    cboZoom->addItem(catText("DataReport1.zoomFitWidth"), kFitWidth);
    for (double factor : kZoomFactors)
        cboZoom->addItem(QStringLiteral("%1 %").arg(qRound(factor * 100)), factor);
    cboZoom->setCurrentIndex(1);
    tbPreview->addWidget(cboZoom);
    tbPreview->addSeparator();

    actPrint = addCommand(catText("DataReport1.actPrint"), look->standardIcon(QStyle::SP_FileIcon),
                          QKeySequence::Print, &DataReport1::actPrint_Triggered);
    actSavePdf = addCommand(catText("DataReport1.actSavePdf"), look->standardIcon(QStyle::SP_DialogSaveButton),
                            QKeySequence::Save, &DataReport1::actSavePdf_Triggered);
    actClose = tbPreview->addAction(look->standardIcon(QStyle::SP_DialogCloseButton), catText("DataReport1.actClose"));
    actClose->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(actClose, &QAction::triggered, this, &QWidget::close);

    pageView = new ReportPageView;
    pageView->setObjectName(QStringLiteral("pageView"));
    pageView->setAccessibleName(catText("DataReport1.pageView"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(pageView);
    m_scroll->viewport()->installEventFilter(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tbPreview);
    column->addWidget(m_scroll, 1);

    connect(spnPage, &QSpinBox::valueChanged, this, &DataReport1::showPage);
    connect(cboZoom, &QComboBox::currentIndexChanged, this, &DataReport1::applyZoom);
}

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

void DataReport1::setPrinter(QPrinter* printer)
{
    m_printer = printer;
}

QPrinter* DataReport1::chosenPrinter()
{
    if (m_printer)
        return m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_ownPrinter.get();
}

std::unique_ptr<ReportDocument> DataReport1::documentFor(const std::shared_ptr<Recordset>& records,
                                                        const QPageLayout& page, QString* why) const
{
    if (!records || !records->isOpen()) {
        *why = catText("frmMain.msgNotReadyPrintList");
        return nullptr;
    }
    auto document = std::make_unique<ReportDocument>(m_layout, records, ReportPageSetup::bodyHeight(page));
    const QStringList missing = document->missingColumns();
    if (!missing.isEmpty()) {
        *why = catText("DataReport1.msgColumnsMissing").arg(missing.join(QStringLiteral(", ")));
        return nullptr;
    }
    return document;
}

bool DataReport1::Show()
{
    const QPageLayout page = ReportPageSetup::layoutFor(chosenPrinter()->pageLayout());
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
    showPage(1);
    show();
    raise();
    activateWindow();
    // The paging keys go to the window's commands, not to the page number box.
    pageView->setFocus();
    applyZoom();
    return true;
}

void DataReport1::bind(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
                       std::unique_ptr<ReportDocument> document)
{
    if (m_records)
        disconnect(m_records.get(), nullptr, this, nullptr);
    m_records = records;
    m_pageLayout = page;
    pageView->setDocument(document.get(), m_pageLayout);
    m_document = std::move(document);
    // Any change of the records can change the page count.
    connect(records.get(), &Recordset::resetDone, this, &DataReport1::recordsChanged);
    connect(records.get(), &Recordset::rowsInserted, this, &DataReport1::recordsChanged);
    connect(records.get(), &Recordset::rowsRemoved, this, &DataReport1::recordsChanged);
    connect(records.get(), &Recordset::rowChanged, this, &DataReport1::recordsChanged);
    recordsChanged();
}

void DataReport1::rebindAfterRequery()
{
    const std::shared_ptr<Recordset> records = m_source ? m_source->GetDataMember(m_dataMember) : nullptr;
    if (records == m_records)
        return; // the record set itself tells what changed
    QString why;
    if (std::unique_ptr<ReportDocument> document = documentFor(records, m_pageLayout, &why))
        bind(records, m_pageLayout, std::move(document));
}

void DataReport1::recordsChanged()
{
    const int pages = pageCount();
    spnPage->setRange(1, pages);
    lblPageCount->setText(catText("DataReport1.lblPageCount").arg(pages));
    showPage(std::min(currentPage(), pages));
}

int DataReport1::pageCount() const
{
    return m_document ? m_document->pageCount() : 1;
}

int DataReport1::currentPage() const
{
    return pageView->page();
}

void DataReport1::showPage(int page)
{
    page = std::clamp(page, 1, pageCount());
    pageView->setPage(page);
    spnPage->setValue(page);
    actFirstPage->setEnabled(page > 1);
    actPreviousPage->setEnabled(page > 1);
    actNextPage->setEnabled(page < pageCount());
    actLastPage->setEnabled(page < pageCount());
}

void DataReport1::applyZoom()
{
    const double choice = cboZoom->currentData().toDouble();
    double zoom = choice * kTrueSize;
    if (choice == kFitPage || choice == kFitWidth) {
        const QSizeF paper = pageView->paperTwips();
        const QSize room = m_scroll->viewport()->size() - QSize(2, 2) * ReportPageView::kGap;
        const double acrossFit = room.width() / paper.width();
        zoom = choice == kFitWidth ? acrossFit : std::min(acrossFit, room.height() / paper.height());
    }
    pageView->setZoom(std::max(zoom, 0.1 * kTrueSize));
}

bool DataReport1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

void DataReport1::actPrint_Triggered()
{
    QPrinter* printer = chosenPrinter();
    if (!m_document || !seams().printerDialog(this, printer))
        return;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = ReportExport::printReport(m_layout, m_records, *printer, &error);
    QApplication::restoreOverrideCursor();
    if (!printed) {
        showMessage(this, error, MsgButtons::Ok, MsgIcon::Information, windowTitle());
        return;
    }
    // Other paper chosen in the dialog: the preview shows it from now on.
    const QPageLayout paper = ReportPageSetup::layoutFor(printer->pageLayout());
    QString why;
    if (paper != m_pageLayout)
        if (std::unique_ptr<ReportDocument> document = documentFor(m_records, paper, &why))
            bind(m_records, paper, std::move(document));
}

void DataReport1::actSavePdf_Triggered()
{
    if (!m_document)
        return;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText("DataReport1.dlgSavePdfTitle");
    request.filter = catText("DataReport1.dlgPdfFilter");
    request.defaultSuffix = QStringLiteral("pdf");
    request.overwritePrompt = true;
    if (!gDataFile.isEmpty()) {
        const QFileInfo data(gDataFile);
        request.directory = data.absolutePath();
        request.fileName = data.completeBaseName() + QStringLiteral(".pdf");
    }
    const QString path = seams().fileDialog(this, request);
    if (path.isEmpty())
        return;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = ReportExport::savePdf(m_layout, m_records, *chosenPrinter(), path, &error);
    QApplication::restoreOverrideCursor();
    if (!saved)
        showMessage(this, error, MsgButtons::Ok, MsgIcon::Information, windowTitle());
}
