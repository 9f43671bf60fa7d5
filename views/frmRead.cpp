#include "views/frmRead.h"

#include "state/SharedState.h"
#include "views/CommWindows.h"
#include "views/PanelStatusBar.h"
#include "views/ProgressScale.h"
#include "comm/SaveRecords.h"
#include "data/FileCommands.h"
#include "platform/Seams.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace {

constexpr int kDesignedRange = 100;

// A round lamp: lit while its part of a receive block has arrived.
QPixmap indicatorPicture()
{
    const int size = 18;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(size * 0.38, size * 0.38, size * 0.6);
    glow.setColorAt(0, QColor(190, 255, 190));
    glow.setColorAt(1, QColor(0, 150, 40));
    p.setBrush(glow);
    p.setPen(QPen(QColor(0, 90, 20), 1));
    p.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    return pixmap;
}

QLineEdit* valueBox(QWidget* parent, const char* nameKey)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setAccessibleName(catText(nameKey).trimmed());
    // The prefix goes when the first value comes; the tip keeps telling.
    box->setToolTip(catText(nameKey).trimmed());
    box->setFocusPolicy(Qt::ClickFocus);
    box->setMinimumWidth(90);
    return box;
}

} // namespace

frmRead::frmRead(QWidget* parent)
    : QWidget(parent)
{
    buildWindow();
    connect(cmdRetry, &QPushButton::clicked, this, &frmRead::cmdRetry_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRead::cmdClose_Click);
    connect(Check1, &QCheckBox::toggled, &m_run, &BpReadingRun::setContinueWaiting);
    connect(&m_run, &BpReadingRun::started, this, &frmRead::onRunStarted);
    connect(&m_run, &BpReadingRun::stageReached, this, &frmRead::onStageReached);
    connect(&m_run, &BpReadingRun::recordReceived, this, &frmRead::showRecord);
    connect(&m_run, &BpReadingRun::waitingForBlock, this, &frmRead::hideLamps);
    connect(&m_run, &BpReadingRun::idleTimeout, this, &frmRead::Timer1_Timer);
    connect(&m_run, &BpReadingRun::failed, this, &frmRead::failRun);
    Form_Load();
}

frmRead::~frmRead()
{
    if (!m_unloaded)
        Form_Unload();
}

void frmRead::buildWindow()
{
    setWindowTitle(catText("frmRead.caption"));

    Text2 = valueBox(this, "frmRead.Text2");
    Text3 = valueBox(this, "frmRead.Text3");
    Text4 = valueBox(this, "frmRead.Text4");
    Text5 = valueBox(this, "frmRead.Text5");
    Text6 = valueBox(this, "frmRead.Text6");
    Text1 = valueBox(this, "frmRead.Frame1");
    Text1->setAlignment(Qt::AlignRight);
    Text1->setMaximumWidth(70);
    Text1->setText(QStringLiteral("0"));
    showEmptyValues();

    Frame1 = new QGroupBox(catText("frmRead.Frame1"), this);
    ProgressBar1 = new QProgressBar(Frame1);
    ProgressBar1->setRange(0, kDesignedRange);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(catText("frmRead.Frame1"));
    Label1 = new ProgressScale(Frame1);
    auto* frameLayout = new QGridLayout(Frame1);
    frameLayout->addWidget(ProgressBar1, 0, 0);
    frameLayout->addWidget(Text1, 0, 1);
    frameLayout->addWidget(Label1, 1, 0);
    frameLayout->setVerticalSpacing(1);

    const QPixmap lamp = indicatorPicture();
    auto* lamps = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Picture1[size_t(i)] = new QLabel(this);
        Picture1[size_t(i)]->setPixmap(lamp);
        Picture1[size_t(i)]->setFixedSize(lamp.size());
        Picture1[size_t(i)]->setAccessibleName(catText("frmRead.Picture1") + QStringLiteral(" %1").arg(i + 1));
        lamps->addWidget(Picture1[size_t(i)]);
    }
    // Keeps the row's height while the lamps are hidden.
    auto* lampRow = new QWidget(this);
    lampRow->setLayout(lamps);
    lampRow->setFixedSize(3 * lamp.width() + 2 * lamps->spacing() + 4, lamp.height() + 4);
    lamps->setContentsMargins(2, 2, 2, 2);

    Check1 = new QCheckBox(catText("frmRead.Check1"), this);
    cmdRetry = new QPushButton(catText("frmRead.cmdRetry"), this);
    cmdClose = new QPushButton(catText("frmRead.cmdClose"), this);

    StatusBar1 = new PanelStatusBar(catText("frmRead.sbDesign1"), catText("frmRead.sbDesign2"), 90, this);

    auto* values = new QGridLayout;
    values->addWidget(Text2, 0, 0);
    values->addWidget(Text3, 0, 1);
    values->addWidget(Text4, 0, 2);
    values->addWidget(Text6, 1, 0);
    values->addWidget(Text5, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lampRow);
    buttons->addSpacing(12);
    buttons->addWidget(Check1);
    buttons->addStretch(1);
    buttons->addWidget(cmdRetry);
    buttons->addWidget(cmdClose);

    auto* body = new QVBoxLayout;
    body->addLayout(values);
    body->addWidget(Frame1);
    body->addLayout(buttons);
    body->setContentsMargins(10, 10, 10, 6);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(body);
    outer->addWidget(StatusBar1);

    for (QLabel* picture : Picture1)
        picture->hide();
}

void frmRead::Form_Load()
{
    Check1->setChecked(false);
    m_run.setContinueWaiting(false);
    MSComm1().setSettings(gCommSet);
    // Another port name keeps the port number already set.
    if (const std::optional<int> number = portNumberFromName(gCommPort))
        MSComm1().setPortNumber(*number);
}

void frmRead::Form_Activate()
{
    // A return to the window never drops what the run received.
    if (hasUnsettledReadings())
        return;
    ReadRecords();
}

void frmRead::cmdRetry_Click()
{
    if (settleReadings())
        ReadRecords();
}

void frmRead::cmdClose_Click()
{
    // The question and the saving are part of closing, whichever way the
    // window is closed (see closeEvent).
    close();
}

void frmRead::ReadRecords()
{
    if (m_unloaded || m_failing || !dataFileTakesReadings())
        return;
    m_run.start(); // a failure comes back through failRun
}

// A data file that cannot be written would lose the readings at the end
// of the run: say so before the recorder sends.
bool frmRead::dataFileTakesReadings()
{
    if (!gFileReady || gDataFile.isEmpty())
        return true;
    const QFileInfo file(gDataFile);
    const QFileInfo folder(file.absolutePath());
    // The folder takes the journal of every write.
    if (file.isWritable() && folder.isWritable())
        return true;
    StatusBar1->setPanels(catText("frmRead.sbReady"), QString());
    showMessage(this, catText("frmRead.msgReadOnly").arg(gDataFile), MsgButtons::Ok, MsgIcon::Information,
                catText("frmRead.caption"));
    return false;
}

void frmRead::onRunStarted()
{
    m_settled = false;
    ProgressBar1->setRange(0, kDesignedRange);
    ProgressBar1->setValue(0);
    Label1->setMaximum(kDesignedRange);
    Text1->setText(QStringLiteral("0"));
    StatusBar1->setPanels(catText("frmRead.sbReady"), catText("frmRead.sbPressSend"));
    showEmptyValues();
}

void frmRead::hideLamps()
{
    for (QLabel* picture : Picture1)
        picture->hide();
}

void frmRead::onStageReached(int stage)
{
    if (stage >= 1 && stage <= 3)
        Picture1[size_t(stage - 1)]->show();
}

void frmRead::showRecord(const BpRecord& r)
{
    Text2->setText(QString::number(r.systolic));
    Text3->setText(QString::number(r.diastolic));
    Text4->setText(QString::number(r.pulse));
    Text5->setText(QString::number(r.hour) + QLatin1Char(':') + QString::number(r.minute));
    Text6->setText(QString::number(r.month) + QLatin1Char('/') + QString::number(r.day));
    const int n = count();
    // A long recording outgrows the designed range: the bar grows by hundreds.
    if (n > ProgressBar1->maximum()) {
        const int range = (n + kDesignedRange - 1) / kDesignedRange * kDesignedRange;
        ProgressBar1->setMaximum(range);
        Label1->setMaximum(range);
    }
    ProgressBar1->setValue(n);
    Text1->setText(QString::number(n));
}

void frmRead::Timer1_Timer(bool finished)
{
    StatusBar1->setPanel2(catText("frmRead.sbWaiting"));
    if (finished)
        StatusBar1->setPanels(catText("frmRead.sbReadOk"), catText("frmRead.sbCloseOrRetry"));
}

void frmRead::failRun(const QString& description)
{
    if (m_failing || m_unloaded)
        return;
    m_failing = true;
    m_run.end();
    showMessage(this, catText("frmRead.msgCommFailure") + description, MsgButtons::Ok,
                MsgIcon::Information, QString::fromLatin1(kAppTitle));
    // Records that arrived before the line failed are offered for saving
    // before the window goes; kept ones keep it open.
    if (settleReadings()) {
        close();
        return;
    }
    m_failing = false;
}

bool frmRead::settleReadings()
{
    if (!hasUnsettledReadings())
        return true;
    // Nothing more arrives while the question is open: it is about these.
    m_run.end();
    if (!gFileReady || gDataFile.isEmpty())
        return storeInNewFile(catText("frmRead.msgNoFileOpen"));
    const MsgAnswer answer = showMessage(
        this, catText("frmRead.msgSaveBefore") + gDataFile + catText("frmRead.msgSaveAfter"),
        MsgButtons::YesNo, MsgIcon::Question, catText("frmRead.caption"));
    if (answer != MsgAnswer::Yes) {
        m_settled = true;
        return true;
    }
    const StoreOutcome outcome = SaveRecords(m_run.records());
    if (!outcome.ok())
        return storeInNewFile(outcome.error);
    m_settled = true;
    CommWindows::showListWindow();
    return true;
}

bool frmRead::storeInNewFile(QString reason)
{
    for (;;) {
        const MsgAnswer answer = showMessage(
            this, catText("frmRead.msgStoreFailed").arg(reason).arg(count()), MsgButtons::YesNo,
            MsgIcon::Question, catText("frmRead.caption"));
        if (answer != MsgAnswer::Yes || !FileCommands::newFileForReadings(this))
            return false;
        const StoreOutcome outcome = SaveRecords(m_run.records());
        if (outcome.ok()) {
            m_settled = true;
            CommWindows::showListWindow();
            return true;
        }
        reason = outcome.error;
    }
}

void frmRead::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        // Received readings are never dropped without the question, also
        // when the window is closed with its close box; kept ones keep the
        // window open.
        if (!settleReadings()) {
            event->ignore();
            return;
        }
        Form_Unload();
    }
    event->accept();
}

void frmRead::Form_Unload()
{
    m_unloaded = true;
    // Every waiting run ends.
    m_run.end();
}

bool frmRead::event(QEvent* e)
{
    // A new run on the first showing and on every return from another
    // window of the program; not on a return from a message box or from
    // another program.
    const bool startOver = !m_unloaded && m_returns.startsOver(e);
    const bool handled = QWidget::event(e);
    if (startOver)
        Form_Activate();
    return handled;
}


QString frmRead::statusPanel(int panel) const
{
    return StatusBar1->panel(panel);
}

void frmRead::showEmptyValues()
{
    Text2->setText(catText("frmRead.Text2"));
    Text3->setText(catText("frmRead.Text3"));
    Text4->setText(catText("frmRead.Text4"));
    Text5->setText(catText("frmRead.Text5"));
    Text6->setText(catText("frmRead.Text6"));
}
