#include "views/frmComm.h"

#include "state/SharedState.h"
#include "views/CommWindows.h"
#include "views/PanelStatusBar.h"
#include "views/frmRead.h"
#include "views/frmReadwave.h"
#include "platform/Seams.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

QComboBox* listOf(QWidget* parent, const QStringList& entries, const QString& designed, bool typed)
{
    auto* list = new QComboBox(parent);
    list->addItems(entries);
    list->setEditable(typed);
    list->setCurrentText(designed);
    return list;
}

bool writeStoreSetting(const char* key, const QString& value, QString* why)
{
    return writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSettingsSection),
                        QString::fromLatin1(key), value, why);
}

} // namespace

frmComm::frmComm(QWidget* parent)
    : QWidget(parent)
{
    buildWindow();
    for (QComboBox* list : {Combo1, Combo2, Combo3, Combo4})
        connect(list, &QComboBox::activated, this, &frmComm::Combo_Click);
    connect(Combo5, &QComboBox::currentTextChanged, this, &frmComm::showDeviceOfPort);
    connect(cboDevice, &QComboBox::currentTextChanged, this, &frmComm::rememberDevice);
    connect(Command1, &QPushButton::clicked, this, &frmComm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmComm::Command2_Click);
    Form_Load();
}

void frmComm::buildWindow()
{
    setWindowTitle(catText("frmComm.caption"));

    QStringList ports;
    for (int n = kFirstPortNumber; n <= kLastPortNumber; ++n)
        ports << QStringLiteral("COM%1").arg(n);
    // The port list takes typed names too; only COM1..COM8 name a port.
    Combo5 = listOf(this, ports, QStringLiteral("COM1"), true);
    // A typed name is taken as it stands ("com3" stays "com3"), and does
    // not become an entry of the list.
    Combo5->setInsertPolicy(QComboBox::NoInsert);
    Combo5->completer()->setCaseSensitivity(Qt::CaseSensitive);
    Combo1 = listOf(this, {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                           QStringLiteral("9600")},
                    QStringLiteral("9600"), false);
    Combo2 = listOf(this, {QStringLiteral("n"), QStringLiteral("e"), QStringLiteral("o")},
                    QStringLiteral("n"), false);
    Combo3 = listOf(this, {QStringLiteral("8"), QStringLiteral("7")}, QStringLiteral("8"), false);
    Combo4 = listOf(this, {QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("1"), false);

    cboDevice = new QComboBox(this);
    cboDevice->setEditable(true);
    cboDevice->setInsertPolicy(QComboBox::NoInsert);
    cboDevice->setMinimumContentsLength(16);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        cboDevice->addItem(info.systemLocation());
    m_deviceLabel = new QLabel(catText("frmComm.cboDevice"), this);
    m_deviceLabel->setBuddy(cboDevice);
    cboDevice->setAccessibleName(catText("frmComm.cboDevice"));

    auto* portFrame = listFrame("frmComm.Combo5", Combo5);
    auto* portLayout = static_cast<QVBoxLayout*>(portFrame->layout());
    portLayout->addWidget(m_deviceLabel);
    portLayout->addWidget(cboDevice);

    auto* lists = new QGridLayout;
    lists->addWidget(portFrame, 0, 0, 2, 1);
    lists->addWidget(listFrame("frmComm.Combo1", Combo1), 0, 1);
    lists->addWidget(listFrame("frmComm.Combo2", Combo2), 0, 2);
    lists->addWidget(listFrame("frmComm.Combo3", Combo3), 1, 1);
    lists->addWidget(listFrame("frmComm.Combo4", Combo4), 1, 2);

    Command1 = new QPushButton(catText("frmComm.Command1"), this);
    Command2 = new QPushButton(catText("frmComm.Command2"), this);
    Command1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    sbStatusBar = new PanelStatusBar(catText("frmComm.sbStatusBar"), QString(), 0, this);

    auto* body = new QVBoxLayout;
    body->addLayout(lists);
    body->addLayout(buttons);
    body->setContentsMargins(10, 10, 10, 6);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(body);
    outer->addWidget(sbStatusBar);
}

QGroupBox* frmComm::listFrame(const char* captionKey, QComboBox* list)
{
    auto* frame = new QGroupBox(catText(captionKey), this);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(list);
    list->setAccessibleName(catText(captionKey));
    return frame;
}

void frmComm::Form_Load()
{
    Combo5->setCurrentText(gCommPort);
    sbStatusBar->setPanel2(gCommSet);
    // The four line lists keep their designed texts; they are not filled
    // from gCommSet, so they may disagree with panel 2 until one is clicked.
    showDeviceOfPort();
}

void frmComm::Combo_Click()
{
    gCommSet = Combo1->currentText() + QLatin1Char(',') + Combo2->currentText() + QLatin1Char(',')
        + Combo3->currentText() + QLatin1Char(',') + Combo4->currentText();
    sbStatusBar->setPanel2(gCommSet);
}

void frmComm::Command1_Click()
{
    // In this order: the reading window takes the settings (loading it
    // applies the current gCommSet and gCommPort first), the store keeps
    // them, then the port.
    frmRead* read = CommWindows::loadReadWindow();
    read->MSComm1().setSettings(gCommSet);
    QString why;
    bool kept = writeStoreSetting("COMMSET", gCommSet, &why);
    gCommPort = Combo5->currentText();
    // A port name other than COM1..COM8 is kept as it is; the reading
    // windows keep their port numbers then, and the waveform window is not
    // loaded. An open port takes the new number at its next opening. The
    // waveform window takes its line settings when it loads.
    if (const std::optional<int> number = portNumberFromName(gCommPort)) {
        read->MSComm1().setPortNumber(*number);
        CommWindows::loadWaveWindow()->MSComm1().setPortNumber(*number);
    }
    kept = writeStoreSetting("COMMPORT", gCommPort, &why) && kept;
    kept = writeChosenDevices(&why) && kept;
    // The settings hold until the program ends even when the store refuses
    // them; the user must know that they are not kept.
    if (!kept)
        showMessage(this, catText("frmComm.msgNotSaved").arg(settingsFilePath(QString::fromLatin1(kAppTitle)), why),
                    MsgButtons::Ok, MsgIcon::Warning, windowTitle());
    close();
}

void frmComm::Command2_Click()
{
    close();
}

void frmComm::showDeviceOfPort()
{
    const std::optional<int> number = portNumberFromName(Combo5->currentText());
    m_showingDevice = true;
    if (number) {
        const QString device =
            m_chosenDevices.value(Combo5->currentText(), deviceForPortNumber(*number));
        if (cboDevice->findText(device) < 0)
            cboDevice->addItem(device);
        cboDevice->setCurrentText(device);
    } else {
        cboDevice->setCurrentText(QString());
    }
    cboDevice->setEnabled(number.has_value());
    m_deviceLabel->setEnabled(number.has_value());
    m_showingDevice = false;
}

void frmComm::rememberDevice(const QString& device)
{
    if (m_showingDevice || !portNumberFromName(Combo5->currentText()))
        return;
    m_chosenDevices.insert(Combo5->currentText(), device.trimmed());
}

bool frmComm::writeChosenDevices(QString* why)
{
    bool kept = true;
    for (auto it = m_chosenDevices.cbegin(); it != m_chosenDevices.cend(); ++it) {
        const std::optional<int> number = portNumberFromName(it.key());
        if (!number || it.value().isEmpty() || it.value() == deviceForPortNumber(*number))
            continue;
        kept = writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection), it.key(),
                            it.value(), why)
            && kept;
    }
    return kept;
}

QString frmComm::statusPanel(int panel) const
{
    return sbStatusBar->panel(panel);
}
