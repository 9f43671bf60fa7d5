// The main window's link with the practice system: its two commands, the
// line that shows a waiting request, and the report's PDF it hands to the
// link (the ABPM report).
#include "app/frmMain.h"

#include "app/GdtLink.h"
#include "data/AbpmReportSource.h"
#include "platform/Seams.h"
#include "print/AbpmSignedReport.h"
#include "print/ReportExport.h"
#include "print/ReportPageSetup.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"
#include "views/CommWindows.h"
#include "views/DataWindows.h"
#include "views/WindowPlacement.h"
#include "views/frmGdt.h"

#include <QLabel>
#include <QPointer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The report attached to a result: the ABPM report of the open file (the
// result is always of the open file) on A4, with its kept or drafted
// conclusion.
bool makeReportPdf(const AbpmSummary&, const QString& path, QString* why)
{
    const std::optional<AbpmReportSource> source = readAbpmReportSource(why);
    if (!source)
        return false;
    const QPageLayout page = ReportPageSetup::layoutFor(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    const AbpmSignedReportPage document(draftedReportContent(*source, seams().now().date()), page);
    return ReportExport::savePdf(document, page, catText("AbpmSignedReport.caption"), path, why);
}

QPointer<frmGdt> g_gdtWindow;

} // namespace

void frmMain::wirePracticeSystem()
{
    m_gdt = new GdtLink(this, makeReportPdf);
    // A line of its own under the toolbar, the width of the window, shown
    // while a request waits or the open file's result is due.
    addToolBarBreak();
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbGdtRequest"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    auto* band = new QWidget(bar);
    // One above the other, so that each has the window's width.
    auto* lines = new QVBoxLayout(band);
    lines->setContentsMargins(0, 0, 0, 0);
    m_gdtRequest = new QLabel(band);
    m_gdtRequest->setObjectName(QStringLiteral("lblGdtRequest"));
    m_gdtResultDue = new QLabel(band);
    m_gdtResultDue->setObjectName(QStringLiteral("lblGdtResultDue"));
    for (QLabel* line : {m_gdtRequest, m_gdtResultDue}) {
        line->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; padding: 2px 6px; }"));
        lines->addWidget(line);
        line->hide();
    }
    bar->addWidget(band);
    addToolBar(bar);
    bar->hide();
    m_gdt->setChangedHook([this, bar] {
        const bool waiting = m_gdt->waiting().has_value();
        const bool due = !m_gdt->resultDueText().isEmpty();
        m_gdtRequest->setText(m_gdt->waitingText());
        m_gdtRequest->setVisible(waiting);
        m_gdtResultDue->setText(m_gdt->resultDueText());
        m_gdtResultDue->setVisible(due);
        bar->setVisible(waiting || due);
    });
    // Stored readings of a file whose patient came from the practice system
    // go back to it; the reading window shows the list after every store.
    const QPointer<frmMain> self(this);
    CommWindows::setShowListWindow([self] {
        DataWindows::showList();
        if (self)
            self->m_gdt->readingsStored();
    });
    m_gdt->applySettings();
}

void frmMain::mnuFileSendGdt_Click()
{
    if (!fileReadyOrRefuse("frmMain.msgNotReadySendGdt"))
        return;
    m_gdt->sendCurrent();
}

void frmMain::mnuSetGdt_Click()
{
    showGdtSettings();
}

void frmMain::showGdtSettings()
{
    if (!g_gdtWindow) {
        g_gdtWindow = new frmGdt;
        WindowPlacement::adopt(g_gdtWindow);
        g_gdtWindow->setAttribute(Qt::WA_DeleteOnClose);
        const QPointer<frmMain> self(this);
        g_gdtWindow->setChangedHook([self](const GdtSettings&) {
            if (self)
                self->m_gdt->applySettings();
        });
    }
    g_gdtWindow->show();
    g_gdtWindow->raise();
    g_gdtWindow->activateWindow();
}
