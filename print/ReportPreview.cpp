#include "print/ReportPreview.h"

#include "platform/Seams.h"
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

ReportPreview::ReportPreview(const Texts& texts, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_texts(texts)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText(texts.caption));
    buildControls();
    resize(780, 900);
}

ReportPreview::~ReportPreview() = default;

QAction* ReportPreview::addCommand(const QString& text, QIcon icon, const QKeySequence& key,
                                   void (ReportPreview::*handler)())
{
    QAction* action = tbPreview->addAction(icon, text);
    action->setShortcut(key);
    action->setToolTip(text);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void ReportPreview::buildControls()
{
    tbPreview = new QToolBar(this);
    tbPreview->setObjectName(QStringLiteral("tbPreview"));
    tbPreview->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* look = style();

    actFirstPage = addCommand(catText("ReportPreview.actFirstPage"), look->standardIcon(QStyle::SP_MediaSkipBackward),
                              QKeySequence(Qt::CTRL | Qt::Key_Home), &ReportPreview::firstPage);
    actPreviousPage = addCommand(catText("ReportPreview.actPreviousPage"), look->standardIcon(QStyle::SP_ArrowLeft),
                                 QKeySequence(Qt::Key_PageUp), &ReportPreview::previousPage);
    spnPage = new QSpinBox(tbPreview);
    spnPage->setObjectName(QStringLiteral("spnPage"));
    spnPage->setAccessibleName(catText("ReportPreview.spnPage"));
    spnPage->setKeyboardTracking(false);
    tbPreview->addWidget(spnPage);
    lblPageCount = new QLabel(tbPreview);
    lblPageCount->setObjectName(QStringLiteral("lblPageCount"));
    lblPageCount->setContentsMargins(4, 0, 4, 0);
    tbPreview->addWidget(lblPageCount);
    actNextPage = addCommand(catText("ReportPreview.actNextPage"), look->standardIcon(QStyle::SP_ArrowRight),
                             QKeySequence(Qt::Key_PageDown), &ReportPreview::nextPage);
    actLastPage = addCommand(catText("ReportPreview.actLastPage"), look->standardIcon(QStyle::SP_MediaSkipForward),
                             QKeySequence(Qt::CTRL | Qt::Key_End), &ReportPreview::lastPage);
    // Page buttons show their pictures only; their names stay for screen readers.
    for (QAction* action : {actFirstPage, actPreviousPage, actNextPage, actLastPage})
        if (auto* button = qobject_cast<QToolButton*>(tbPreview->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbPreview->addSeparator();

    cboZoom = new QComboBox(tbPreview);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setAccessibleName(catText("ReportPreview.cboZoom"));
    cboZoom->setToolTip(cboZoom->accessibleName());
    cboZoom->addItem(catText("ReportPreview.zoomFitPage"), kFitPage);
    cboZoom->addItem(catText("ReportPreview.zoomFitWidth"), kFitWidth);
    for (double factor : kZoomFactors)
        cboZoom->addItem(QStringLiteral("%1 %").arg(qRound(factor * 100)), factor);
    cboZoom->setCurrentIndex(1);
    tbPreview->addWidget(cboZoom);
    tbPreview->addSeparator();

    actPrint = addCommand(catText("ReportPreview.actPrint"), look->standardIcon(QStyle::SP_FileIcon),
                          QKeySequence::Print, &ReportPreview::actPrint_Triggered);
    actSavePdf = addCommand(catText("ReportPreview.actSavePdf"), look->standardIcon(QStyle::SP_DialogSaveButton),
                            QKeySequence::Save, &ReportPreview::actSavePdf_Triggered);
    actClose = tbPreview->addAction(look->standardIcon(QStyle::SP_DialogCloseButton),
                                    catText("ReportPreview.actClose"));
    actClose->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(actClose, &QAction::triggered, this, &QWidget::close);

    pageView = new ReportPageView;
    pageView->setObjectName(QStringLiteral("pageView"));
    pageView->setAccessibleName(catText("ReportPreview.pageView"));
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

    connect(spnPage, &QSpinBox::valueChanged, this, &ReportPreview::showPage);
    connect(cboZoom, &QComboBox::currentIndexChanged, this, &ReportPreview::applyZoom);
}

void ReportPreview::setPrinter(QPrinter* printer)
{
    m_printer = printer;
}

QPrinter* ReportPreview::chosenPrinter()
{
    if (m_printer)
        return m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_ownPrinter.get();
}

QPageLayout ReportPreview::chosenPageLayout()
{
    return ReportPageSetup::layoutFor(chosenPrinter()->pageLayout());
}

void ReportPreview::showDocument(std::unique_ptr<PagedDocument> document, const QPageLayout& page)
{
    m_pageLayout = page;
    pageView->setDocument(document.get(), m_pageLayout);
    m_document = std::move(document);
    pagesChanged();
}

void ReportPreview::pagesChanged()
{
    const int pages = pageCount();
    spnPage->setRange(1, pages);
    lblPageCount->setText(catText("ReportPreview.lblPageCount").arg(pages));
    showPage(std::min(currentPage(), pages));
}

void ReportPreview::present()
{
    showPage(1);
    show();
    raise();
    activateWindow();
    // The paging keys go to the window's commands, not to the page number box.
    pageView->setFocus();
    applyZoom();
}

int ReportPreview::pageCount() const
{
    return m_document ? m_document->pageCount() : 1;
}

int ReportPreview::currentPage() const
{
    return pageView->page();
}

void ReportPreview::showPage(int page)
{
    page = std::clamp(page, 1, pageCount());
    pageView->setPage(page);
    spnPage->setValue(page);
    actFirstPage->setEnabled(page > 1);
    actPreviousPage->setEnabled(page > 1);
    actNextPage->setEnabled(page < pageCount());
    actLastPage->setEnabled(page < pageCount());
}

void ReportPreview::applyZoom()
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

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

void ReportPreview::actPrint_Triggered()
{
    QPrinter* printer = chosenPrinter();
    if (!m_document || !seams().printerDialog(this, printer))
        return;
    // Laid out for the paper chosen in the dialog, which the preview shows from now on.
    const QPageLayout paper = ReportPageSetup::layoutFor(printer->pageLayout());
    QString error;
    std::unique_ptr<PagedDocument> document = documentFor(paper, &error);
    if (document) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool printed = ReportExport::printDocument(*document, *printer, catText(m_texts.printerNotReady), &error);
        QApplication::restoreOverrideCursor();
        if (printed) {
            if (paper != m_pageLayout)
                showDocument(std::move(document), paper);
            return;
        }
    }
    showMessage(this, error, MsgButtons::Ok, MsgIcon::Information, windowTitle());
}

QString ReportPreview::pdfFolder() const
{
    return gDataFile.isEmpty() ? QString() : QFileInfo(gDataFile).absolutePath();
}

void ReportPreview::actSavePdf_Triggered()
{
    if (!m_document)
        return;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText("ReportPreview.dlgSavePdfTitle");
    request.filter = catText("ReportPreview.dlgPdfFilter");
    request.defaultSuffix = QStringLiteral("pdf");
    request.overwritePrompt = true;
    if (const QString folder = pdfFolder(); !folder.isEmpty()) {
        request.directory = folder;
        request.fileName = pdfFileName();
    }
    const QString path = seams().fileDialog(this, request);
    if (path.isEmpty())
        return;
    const QPageLayout page = chosenPageLayout();
    QString error;
    const std::unique_ptr<PagedDocument> document = documentFor(page, &error);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = document
        && ReportExport::savePdf(*document, page, catText(m_texts.caption).trimmed(), path, &error);
    QApplication::restoreOverrideCursor();
    if (!saved)
        showMessage(this, error, MsgButtons::Ok, MsgIcon::Information, windowTitle());
}
