#include "tools/recorder/RecorderWindow.h"

#include "tools/recorder/PtyEndpoint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QSpinBox* spinBox(int low, int high, int value, const QString& suffix = QString())
{
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

RecorderWindow::RecorderWindow(const RecorderOptions& options, const QList<BpReading>& readings,
                               PtyEndpoint& endpoint, RecorderPlayer::Writer writer,
                               QWidget* parent)
    : QWidget(parent)
    , m_options(options)
    , m_readings(readings)
    , m_endpoint(endpoint)
    , m_player(std::move(writer))
{
    setWindowTitle(QStringLiteral("Recorder simulator"));
    // In a demo the program's main window opens maximised: the simulator
    // stays visible above it, beside the program's own windows.
    if (options.onTop)
        setWindowFlag(Qt::WindowStaysOnTopHint);

    auto* device = new QLabel(
        m_endpoint.isOpen()
            ? QStringLiteral("Device: %1\nLink: %2")
                  .arg(m_endpoint.devicePath(),
                       m_endpoint.linkPath().isEmpty() ? QStringLiteral("(none)") : m_endpoint.linkPath())
            : QStringLiteral("Writing to %1").arg(m_options.outputFile));
    device->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_line = new QLabel;

    m_bpMode = new QRadioButton(QStringLiteral("Blood pressure"));
    m_ecgMode = new QRadioButton(QStringLiteral("ECG strip"));
    (options.mode == RecorderOptions::Mode::Ecg ? m_ecgMode : m_bpMode)->setChecked(true);

    auto* bp = new QGroupBox(QStringLiteral("Blood pressure"));
    auto* bpForm = new QFormLayout(bp);
    m_count = spinBox(1, qMax(1, int(m_readings.size())), qMax(1, int(m_readings.size())));
    m_gap = spinBox(0, 5000, options.gapMs, QStringLiteral(" ms"));
    m_offset = spinBox(0, 80, options.plan.shape.frameOffset);
    m_fault = new QComboBox;
    m_fault->addItem(QStringLiteral("None"), int(BurstFault::None));
    m_fault->addItem(QStringLiteral("Bad checksum in burst 2"), int(BurstFault::BadChecksum));
    m_fault->addItem(QStringLiteral("Wrong marker in burst 2"), int(BurstFault::WrongMarker));
    m_fault->addItem(QStringLiteral("Two frames in burst 2"), int(BurstFault::TwoFrames));
    m_fault->addItem(QStringLiteral("Frame at offset 61 in burst 2"), int(BurstFault::Offset61));
    m_noise = spinBox(0, 50, options.plan.noiseBursts);
    bpForm->addRow(QStringLiteral("Readings to send (of %1)").arg(m_readings.size()), m_count);
    bpForm->addRow(QStringLiteral("Gap between bursts"), m_gap);
    bpForm->addRow(QStringLiteral("Frame offset"), m_offset);
    bpForm->addRow(QStringLiteral("Fault"), m_fault);
    bpForm->addRow(QStringLiteral("Noise bursts"), m_noise);

    auto* ecg = new QGroupBox(QStringLiteral("ECG strip"));
    auto* ecgForm = new QFormLayout(ecg);
    m_heartRate = spinBox(20, 250, options.heartRate, QStringLiteral(" /min"));
    m_layout = new QComboBox;
    m_layout->addItem(QStringLiteral("Split (German edition)"), int(FrameLayout::Split));
    m_layout->addItem(QStringLiteral("Whole bytes (English edition)"), int(FrameLayout::WholeByte));
    m_layout->setCurrentIndex(options.layout == FrameLayout::WholeByte ? 1 : 0);
    m_seconds = spinBox(0, 3600, int(options.seconds), QStringLiteral(" s"));
    m_seconds->setSpecialValueText(QStringLiteral("until stopped"));
    ecgForm->addRow(QStringLiteral("Heart rate"), m_heartRate);
    ecgForm->addRow(QStringLiteral("Header layout"), m_layout);
    ecgForm->addRow(QStringLiteral("Length"), m_seconds);

    m_paced = new QCheckBox(QStringLiteral("Send at the pace of a 9600 baud line"));
    m_paced->setChecked(true);

    m_send = new QPushButton(QStringLiteral("SEND"));
    m_send->setMinimumHeight(48);
    m_stop = new QPushButton(QStringLiteral("Stop"));
    m_progress = new QLabel(QStringLiteral("Press SEND to play the recorder."));

    auto* modes = new QHBoxLayout;
    modes->addWidget(m_bpMode);
    modes->addWidget(m_ecgMode);
    auto* keys = new QHBoxLayout;
    keys->addWidget(m_send, 2);
    keys->addWidget(m_stop, 1);
    auto* layout = new QVBoxLayout(this);
    if (!options.instructions.isEmpty()) {
        auto* instructions = new QLabel(options.instructions);
        instructions->setWordWrap(true);
        instructions->setFrameShape(QFrame::StyledPanel);
        instructions->setMargin(6);
        layout->addWidget(instructions);
    }
    layout->addWidget(device);
    layout->addWidget(m_line);
    layout->addLayout(modes);
    layout->addWidget(bp);
    layout->addWidget(ecg);
    layout->addWidget(m_paced);
    layout->addLayout(keys);
    layout->addWidget(m_progress);

    connect(m_send, &QPushButton::clicked, this, &RecorderWindow::send);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_player.stop();
        m_progress->setText(QStringLiteral("Stopped."));
    });
    connect(&m_player, &RecorderPlayer::burstSent, this, &RecorderWindow::showProgress);
    connect(&m_player, &RecorderPlayer::samplesSent, this, [this](qint64 count) {
        m_progress->setText(QStringLiteral("ECG: %1 samples sent").arg(count));
    });
    connect(&m_player, &RecorderPlayer::finished, this, [this] {
        m_progress->setText(m_progress->text() + QStringLiteral(" - done."));
    });
    // Only the chosen kind of recording can be set up.
    const auto showMode = [bp, ecg, this] {
        bp->setEnabled(m_bpMode->isChecked());
        ecg->setEnabled(m_ecgMode->isChecked());
    };
    connect(m_bpMode, &QRadioButton::toggled, this, showMode);
    showMode();

    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &RecorderWindow::showLineState);
    poll->start(250);
    showLineState();
}

void RecorderWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_options.onTop || m_placed)
        return;
    m_placed = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - frameGeometry().width() + 1, area.top() + (area.height() - frameGeometry().height()) / 2);
    }
}

void RecorderWindow::showLineState()
{
    if (!m_endpoint.isOpen()) {
        m_line->setText(QStringLiteral("Line: file output"));
        return;
    }
    m_line->setText(m_endpoint.peerIsOpen()
                        ? QStringLiteral("Line: the program has the port open")
                        : QStringLiteral("Line: nobody has the port open (bytes sent now are lost)"));
}

void RecorderWindow::showProgress(int number, int count, bool delivered)
{
    m_progress->setText(QStringLiteral("Burst %1 of %2 %3").arg(number).arg(count).arg(
        delivered ? QStringLiteral("sent") : QStringLiteral("lost (port not open)")));
}

void RecorderWindow::send()
{
    m_player.setLineRate(m_paced->isChecked() ? RecorderPlayer::lineRateForBaud(9600) : 0);
    if (m_ecgMode->isChecked()) {
        EcgHeader header = m_options.header;
        header.heartRate = quint8(m_heartRate->value());
        const auto layout = FrameLayout(m_layout->currentData().toInt());
        m_player.playEcg(buildHeaderBurst(header, layout, m_options.plan.shape),
                         EcgSynthesizer(m_heartRate->value(), m_options.seed, m_options.baseline),
                         m_options.headerPauseMs, m_seconds->value());
        return;
    }
    BpBurstPlan plan = m_options.plan;
    plan.shape.frameOffset = m_offset->value();
    plan.noiseBursts = m_noise->value();
    const auto fault = BurstFault(m_fault->currentData().toInt());
    if (fault != BurstFault::None)
        plan.faults.insert(2, fault);
    m_player.playBursts(plan.build(m_readings.mid(0, m_count->value())), m_gap->value());
}
