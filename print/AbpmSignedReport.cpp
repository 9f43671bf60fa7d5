#include "print/AbpmSignedReport.h"

#include "platform/Seams.h"
#include "print/ReportExport.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QVBoxLayout>

AbpmSignedReport::AbpmSignedReport(QWidget* parent)
    : ReportPreview({"AbpmSignedReport.caption", "AbpmSignedReport.msgPrinterNotReady"}, parent)
{
    setObjectName(QStringLiteral("AbpmSignedReport"));
    buildPanel();
    // The report is of one file: it must never keep a conclusion in another.
    connect(&StateNotifier::instance(), &StateNotifier::dataFileChanged, this, [this] {
        if (!gFileReady || gDataFile != m_source.dataFile)
            close();
    });
}

AbpmSignedReport::~AbpmSignedReport() = default;

void AbpmSignedReport::buildPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("pnlConclusion"));
    auto* form = new QVBoxLayout(panel);
    const auto labelled = [&](const char* key, QWidget* field) {
        auto* label = new QLabel(catText(key));
        label->setBuddy(field);
        form->addWidget(label);
        form->addWidget(field);
    };
    txtConclusion = new QPlainTextEdit;
    txtConclusion->setObjectName(QStringLiteral("txtConclusion"));
    txtConclusion->setTabChangesFocus(true);
    labelled("AbpmSignedReport.lblConclusion", txtConclusion);
    txtPhysician = new QLineEdit;
    txtPhysician->setObjectName(QStringLiteral("txtPhysician"));
    labelled("AbpmSignedReport.lblPhysician", txtPhysician);
    txtPractice = new QLineEdit;
    txtPractice->setObjectName(QStringLiteral("txtPractice"));
    labelled("AbpmSignedReport.lblPractice", txtPractice);
    cmdDraft = new QPushButton(catText("AbpmSignedReport.cmdDraft"));
    cmdDraft->setObjectName(QStringLiteral("cmdDraft"));
    cmdKeep = new QPushButton(catText("AbpmSignedReport.cmdKeep"));
    cmdKeep->setObjectName(QStringLiteral("cmdKeep"));
    form->addWidget(cmdDraft);
    form->addWidget(cmdKeep);
    form->addStretch(1);
    panel->setFixedWidth(300);

    // The page keeps its place under the toolbar; the panel goes beside it.
    auto* column = static_cast<QVBoxLayout*>(layout());
    auto* scroll = findChild<QScrollArea*>(QStringLiteral("scrPage"));
    column->removeWidget(scroll);
    auto* row = new QHBoxLayout;
    row->addWidget(scroll, 1);
    row->addWidget(panel);
    column->addLayout(row, 1);

    connect(txtConclusion, &QPlainTextEdit::textChanged, this, &AbpmSignedReport::relayout);
    connect(txtPhysician, &QLineEdit::textChanged, this, &AbpmSignedReport::relayout);
    connect(txtPractice, &QLineEdit::textChanged, this, &AbpmSignedReport::relayout);
    connect(cmdDraft, &QPushButton::clicked, this, &AbpmSignedReport::cmdDraft_Click);
    connect(cmdKeep, &QPushButton::clicked, this, &AbpmSignedReport::cmdKeep_Click);
}

bool AbpmSignedReport::Show()
{
    QString why;
    std::optional<AbpmReportSource> source = readAbpmReportSource(&why);
    if (!source) {
        showMessage(parentWidget(), catText("AbpmSignedReport.msgNotOpened").arg(why), MsgButtons::Ok, MsgIcon::Information,
                    catText("AbpmSignedReport.caption"));
        return false;
    }
    m_source = std::move(*source);
    m_figures = computeAbpmReport(m_source.readings, m_source.periods, m_source.details, m_source.setAside, m_source.thresholds);
    m_printed = seams().now().date();
    const QSignalBlocker a(txtConclusion), b(txtPhysician), c(txtPractice);
    txtConclusion->setPlainText(m_source.conclusion.text.isEmpty() ? draftConclusion(m_figures) : m_source.conclusion.text);
    txtPhysician->setText(m_source.conclusion.physician.isEmpty() ? m_source.details.physician : m_source.conclusion.physician);
    txtPractice->setText(ReportSettings::practice());
    relayout();
    present();
    return true;
}

AbpmSignedReportContent AbpmSignedReport::content() const
{
    AbpmConclusion conclusion = m_source.conclusion;
    conclusion.text = txtConclusion->toPlainText();
    conclusion.physician = txtPhysician->text().trimmed();
    return {m_figures, m_source.details, conclusion, txtPractice->text().trimmed(), m_printed};
}

void AbpmSignedReport::relayout()
{
    const QPageLayout page = chosenPageLayout();
    showDocument(std::make_unique<AbpmSignedReportPage>(content(), page), page);
    pagesChanged();
}

void AbpmSignedReport::cmdDraft_Click()
{
    txtConclusion->setPlainText(draftConclusion(m_figures));
}

void AbpmSignedReport::cmdKeep_Click()
{
    AbpmConclusion kept = content().conclusion;
    kept.date = m_printed;
    QString why;
    if (!AbpmConclusionStore::writeCurrent(kept, &why)) {
        showMessage(this, catText("AbpmSignedReport.msgNotKept").arg(why), MsgButtons::Ok, MsgIcon::Information,
                    catText("AbpmSignedReport.caption"));
        return;
    }
    m_source.conclusion = kept;
    if (txtPractice->text().trimmed() != ReportSettings::practice()
        && !ReportSettings::storePractice(txtPractice->text().trimmed(), &why))
        showMessage(this, catText("AbpmSignedReport.msgPracticeNotKept").arg(why), MsgButtons::Ok, MsgIcon::Information,
                    catText("AbpmSignedReport.caption"));
    relayout();
}

const AbpmSignedReportPage* AbpmSignedReport::page() const
{
    return static_cast<const AbpmSignedReportPage*>(shownDocument());
}

std::unique_ptr<PagedDocument> AbpmSignedReport::documentFor(const QPageLayout& page, QString*) const
{
    return std::make_unique<AbpmSignedReportPage>(content(), page);
}

QString AbpmSignedReport::pdfFileName() const
{
    return QFileInfo(m_source.dataFile).completeBaseName() + QStringLiteral(" ") + catText("AbpmSignedReport.caption")
        + QStringLiteral(".pdf");
}

AbpmSignedReportContent draftedReportContent(const AbpmReportSource& source, QDate printed)
{
    const AbpmReportFigures figures =
        computeAbpmReport(source.readings, source.periods, source.details, source.setAside, source.thresholds);
    AbpmConclusion conclusion = source.conclusion;
    if (conclusion.physician.isEmpty())
        conclusion.physician = source.details.physician;
    if (conclusion.text.isEmpty())
        conclusion.text = draftConclusion(figures);
    return {figures, source.details, conclusion, ReportSettings::practice(), printed};
}

QByteArray reportPdf(const AbpmSignedReportContent& content, const QPageLayout& page, QString* error)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    if (!ReportExport::savePdf(AbpmSignedReportPage(content, page), page, catText("AbpmSignedReport.caption"), path, error))
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QByteArray();
    }
    return file.readAll();
}
