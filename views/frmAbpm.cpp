#include "views/frmAbpm.h"

#include "data/AbpmReadings.h"
#include "data/AbpmSettings.h"
#include "data/AbpmSummaryWords.h"
#include "data/CurrentDataFile.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingStart.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmHourlyChart.h"
#include "views/AbpmSummaryText.h"
#include "views/AbpmWindows.h"

#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

frmAbpm::frmAbpm(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbpm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("abpm.caption"));
    buildControls();
    resize(960, 660);

    // Many changes in a row (a cursor opening the file runs the statistic
    // too) cost one new summary.
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(0);
    connect(m_refreshTimer, &QTimer::timeout, this, &frmAbpm::refresh);
    StateNotifier& notifier = StateNotifier::instance();
    connect(&notifier, &StateNotifier::recordsetOpened, m_refreshTimer, qOverload<>(&QTimer::start));
    connect(&notifier, &StateNotifier::statisticsChanged, m_refreshTimer, qOverload<>(&QTimer::start));
    connect(&notifier, &StateNotifier::recordingDetailsChanged, m_refreshTimer, qOverload<>(&QTimer::start));
    connect(&notifier, &StateNotifier::dataFileChanged, this, &frmAbpm::followDataFile);
}

frmAbpm::~frmAbpm() = default;

QTimeEdit* frmAbpm::makeTimeEdit(const char* name)
{
    auto* edit = new QTimeEdit(fraPeriods);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    edit->setAccessibleName(catText(QByteArray("abpm.").append(name).constData()));
    edit->setToolTip(edit->accessibleName());
    return edit;
}

void frmAbpm::buildControls()
{
    fraPeriods = new QGroupBox(catText("abpm.fraPeriods"), this);
    fraPeriods->setObjectName(QStringLiteral("fraPeriods"));
    optOwn = new QRadioButton(catText("abpm.optOwn"), fraPeriods);
    optOwn->setObjectName(QStringLiteral("optOwn"));
    optNarrow = new QRadioButton(catText("abpm.optNarrow"), fraPeriods);
    optNarrow->setObjectName(QStringLiteral("optNarrow"));
    txtDayStart = makeTimeEdit("txtDayStart");
    txtDayEnd = makeTimeEdit("txtDayEnd");
    txtNightStart = makeTimeEdit("txtNightStart");
    txtNightEnd = makeTimeEdit("txtNightEnd");
    cmdApply = new QPushButton(catText("abpm.cmdApply"), fraPeriods);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));

    auto* periods = new QGridLayout(fraPeriods);
    periods->addWidget(optOwn, 0, 0);
    auto* own = new QHBoxLayout;
    const std::pair<const char*, std::pair<QTimeEdit*, QTimeEdit*>> spans[] = {
        {"abpm.lblDay", {txtDayStart, txtDayEnd}}, {"abpm.lblNight", {txtNightStart, txtNightEnd}}};
    for (const auto& [caption, edits] : spans) {
        auto* label = new QLabel(catText(caption), fraPeriods);
        label->setBuddy(edits.first);
        own->addWidget(label);
        own->addWidget(edits.first);
        own->addWidget(new QLabel(catText("abpm.lblTo"), fraPeriods));
        own->addWidget(edits.second);
        own->addSpacing(16);
    }
    own->addStretch(1);
    periods->addLayout(own, 0, 1);
    periods->addWidget(optNarrow, 1, 0, 1, 2);
    periods->addWidget(cmdApply, 0, 2, 2, 1, Qt::AlignVCenter);
    cboThresholds = new QComboBox(fraPeriods);
    cboThresholds->setObjectName(QStringLiteral("cboThresholds"));
    cboThresholds->setAccessibleName(catText("abpm.cboThresholds"));
    for (AbpmThresholdSet set : {AbpmThresholdSet::Esh, AbpmThresholdSet::AccAha2017})
        cboThresholds->addItem(abpmThresholdSetName(set), int(set));
    auto* thresholdsLabel = new QLabel(catText("abpm.lblThresholds"), fraPeriods);
    thresholdsLabel->setBuddy(cboThresholds);
    auto* thresholds = new QHBoxLayout;
    thresholds->addWidget(thresholdsLabel);
    thresholds->addWidget(cboThresholds);
    thresholds->addStretch(1);
    periods->addLayout(thresholds, 2, 0, 1, 2);
    periods->setColumnStretch(1, 1);

    txtSummary = new QTextBrowser(this);
    txtSummary->setObjectName(QStringLiteral("txtSummary"));
    txtSummary->setAccessibleName(catText("abpm.txtSummary"));
    txtSummary->document()->setDefaultStyleSheet(AbpmSummaryText::styleSheet());
    m_chart = new AbpmHourlyChart;
    chtHourly = new QChartView(m_chart, this);
    chtHourly->setObjectName(QStringLiteral("chtHourly"));
    chtHourly->setAccessibleName(catText("abpm.chtHourly"));
    chtHourly->setRenderHint(QPainter::Antialiasing);
    chtHourly->setMinimumWidth(280);
    // A picture of figures the text gives too: nothing in it to operate.
    chtHourly->setFocusPolicy(Qt::NoFocus);
    chtHourly->viewport()->setFocusPolicy(Qt::NoFocus);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(txtSummary);
    splitter->addWidget(chtHourly);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    cmdHelp = new QPushButton(catText("abpm.cmdHelp"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdPrint = new QPushButton(catText("abpm.cmdPrint"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdClose = new QPushButton(catText("abpm.cmdClose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);

    auto* column = new QVBoxLayout(this);
    column->addWidget(fraPeriods);
    column->addWidget(splitter, 1);
    column->addLayout(buttons);

    connect(optOwn, &QRadioButton::clicked, this, &frmAbpm::optPeriods_Click);
    connect(optNarrow, &QRadioButton::clicked, this, &frmAbpm::optPeriods_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmAbpm::cmdApply_Click);
    connect(cboThresholds, &QComboBox::activated, this, &frmAbpm::cboThresholds_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmAbpm::cmdHelp_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmAbpm::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

bool frmAbpm::Form_Load()
{
    m_choice = AbpmSettings::load();
    showChoice(m_choice);
    if (!gFileReady || !CurrentDataFile::records()) {
        close();
        return false;
    }
    refresh();
    return true;
}

void frmAbpm::refresh()
{
    m_refreshTimer->stop();
    const std::shared_ptr<Recordset> records = gFileReady ? CurrentDataFile::records() : nullptr;
    if (!records)
        return; // said why; the figures shown stay
    QString why;
    const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, &why);
    if (!readings) {
        showMessage(this, why, MsgButtons::Ok, MsgIcon::Information, windowTitle());
        return;
    }
    // Details or a review the file cannot give leave the summary as without them.
    const std::optional<RecordingDetails> details = RecordingDetailsStore::read(*records->connection());
    const std::optional<SetAsideReadings> marks = RecordingReview::read(*records->connection());
    m_details = details.value_or(RecordingDetails{});
    m_summary = computeAbpmSummary(*readings, m_choice.inForce(), m_details, marks.value_or(SetAsideReadings{}),
                                   m_choice.thresholds);
    // Keep the reader's place in the figures.
    const int scrolled = txtSummary->verticalScrollBar()->value();
    txtSummary->setHtml(AbpmSummaryText::html(m_summary, m_choice));
    txtSummary->verticalScrollBar()->setValue(scrolled);
    m_chart->setFigures(m_summary, m_summary.periodsUsed);
}

void frmAbpm::followDataFile()
{
    if (!gFileReady)
        close();
    else
        m_refreshTimer->start();
}

void frmAbpm::showChoice(const AbpmPeriodChoice& choice)
{
    optOwn->setChecked(!choice.narrow);
    optNarrow->setChecked(choice.narrow);
    txtDayStart->setTime(choice.own.day.start);
    txtDayEnd->setTime(choice.own.day.end);
    txtNightStart->setTime(choice.own.night.start);
    txtNightEnd->setTime(choice.own.night.end);
    for (QWidget* own : {static_cast<QWidget*>(txtDayStart), static_cast<QWidget*>(txtDayEnd),
                         static_cast<QWidget*>(txtNightStart), static_cast<QWidget*>(txtNightEnd),
                         static_cast<QWidget*>(cmdApply)})
        own->setEnabled(!choice.narrow);
    cboThresholds->setCurrentIndex(cboThresholds->findData(int(choice.thresholds)));
}

AbpmPeriodChoice frmAbpm::choiceShown() const
{
    AbpmPeriodChoice choice;
    choice.narrow = optNarrow->isChecked();
    choice.own.day = {txtDayStart->time(), txtDayEnd->time()};
    choice.own.night = {txtNightStart->time(), txtNightEnd->time()};
    choice.thresholds = AbpmThresholdSet(cboThresholds->currentData().toInt());
    return choice;
}

void frmAbpm::applyChoiceShown()
{
    const AbpmPeriodChoice choice = choiceShown();
    if (const QString problem = choice.own.problem(); !problem.isEmpty()) {
        showMessage(this, catText("abpm.msgPeriodsRefused").arg(problem), MsgButtons::Ok, MsgIcon::Information,
                    windowTitle());
        showChoice(m_choice);
        return;
    }
    m_choice = choice;
    showChoice(m_choice);
    QString why;
    if (!AbpmSettings::store(m_choice, &why))
        showMessage(this, catText("abpm.msgNotStored").arg(why), MsgButtons::Ok, MsgIcon::Information,
                    windowTitle());
    refresh();
}

void frmAbpm::optPeriods_Click()
{
    applyChoiceShown();
}

void frmAbpm::cmdApply_Click()
{
    applyChoiceShown();
}

void frmAbpm::cboThresholds_Click()
{
    applyChoiceShown();
}

void frmAbpm::cmdHelp_Click()
{
    showMessage(this, AbpmSummaryText::helpText(), MsgButtons::Ok, MsgIcon::Information, windowTitle());
}

void frmAbpm::cmdPrint_Click()
{
    if (const auto& print = AbpmWindows::printHook())
        print({m_summary, m_choice, gDataFile, detailsHeadline(withRecordingStart(m_details, m_summary.first))});
}
