#include "views/frmReadwave.h"

#include "state/SharedState.h"
#include "views/EcgBackground.h"
#include "views/EcgTraceArea.h"
#include "views/PanelStatusBar.h"
#include "views/WindowReturns.h"
#include "platform/Seams.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPrinting.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kYellow(255, 255, 0);

QImage drawingAreaPicture(bool german)
{
    return EcgBackground::picture(german, catText("frmReadwave.pictureUnit"));
}

// The beat indicator: a red heart.
QPixmap heartPicture()
{
    const int size = 30;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath heart;
    heart.moveTo(15, 27);
    heart.cubicTo(2, 18, 1, 9, 6, 5);
    heart.cubicTo(10, 2, 14, 4, 15, 8);
    heart.cubicTo(16, 4, 20, 2, 24, 5);
    heart.cubicTo(29, 9, 28, 18, 15, 27);
    p.setPen(QPen(QColor(120, 0, 0), 1.2));
    p.setBrush(QColor(220, 20, 30));
    p.drawPath(heart);
    return pixmap;
}

QLineEdit* headerBox(QWidget* parent, const char* loadTextKey)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    QString name = catText(loadTextKey).trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    box->setAccessibleName(name);
    box->setMinimumWidth(170);
    return box;
}

// A division shown as a real number in the edition's number format: up to
// 15 significant digits, no trailing zeros (0.08, German 0,08).
QString realNumber(double value, bool german)
{
    QString text = QString::number(value, 'g', 15);
    if (german)
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

// Keeps its place in the layout while hidden, as the window's controls
// keep theirs while it is printed.
void keepPlaceWhenHidden(QWidget* w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

} // namespace

frmReadwave::frmReadwave(QWidget* parent)
    : QWidget(parent)
    , Picture1(new EcgTraceArea(drawingAreaPicture(Edition::current().isGerman()), this))
    , m_german(Edition::current().isGerman())
    , m_pen(*Picture1, m_german)
    , m_returns(new WindowReturns(this))
{
    buildWindow();
    m_run.detector().setDisplay(this);
    m_run.setHeaderLayout(m_german ? FrameLayout::Split : FrameLayout::WholeByte);
    m_run.setRestartPort(m_german);
    connect(CmdGo, &QPushButton::clicked, this, &frmReadwave::CmdGo_Click);
    connect(CmdStop, &QPushButton::clicked, this, &frmReadwave::CmdStop_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &frmReadwave::CmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmReadwave::cmdClose_Click);
    connect(Check1, &QCheckBox::toggled, &m_run, &EcgReadingRun::setContinueWaiting);
    connect(&m_run, &EcgReadingRun::started, this, [this] {
        StatusBar1->setPanels(catText("frmReadwave.sbReadNow"), catText("frmReadwave.sbReadFromLine"));
    });
    connect(&m_run, &EcgReadingRun::headerReceived, this, &frmReadwave::showHeader);
    connect(&m_run, &EcgReadingRun::samplingStarted, this, [this] { m_pen.start(); });
    connect(&m_run, &EcgReadingRun::sampleReceived, this, [this](quint8 sample) { m_pen.draw(sample); });
    connect(&m_run, &EcgReadingRun::idleTimeout, this, &frmReadwave::Timer1_Timer);
    connect(&m_run, &EcgReadingRun::failed, this, &frmReadwave::failRun);
    Form_Load();
}

frmReadwave::~frmReadwave()
{
    m_run.detector().setDisplay(nullptr);
    if (!m_unloaded)
        Form_Unload();
}

void frmReadwave::buildWindow()
{
    setWindowTitle(catText("frmReadwave.caption"));
    Picture1->setAccessibleName(catText("frmReadwave.Picture1"));

    Frame2 = new QFrame(this);
    Frame2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Frame2->setAccessibleName(catText("frmReadwave.Frame2"));
    Text2 = headerBox(Frame2, "frmReadwave.Text2");
    Text3 = headerBox(Frame2, "frmReadwave.Text3");
    Text4 = headerBox(Frame2, "frmReadwave.Text4");
    Text5 = headerBox(Frame2, "frmReadwave.Text5");
    Text6 = headerBox(Frame2, "frmReadwave.Text6");

    Picture2 = new QLabel(Frame2);
    Picture2->setPixmap(heartPicture());
    Picture2->setAccessibleName(catText("frmReadwave.Picture2"));
    keepPlaceWhenHidden(Picture2);
    Picture2->hide();

    Text1 = new QLineEdit(QStringLiteral("0"), this);
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::ClickFocus);
    Text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text1->setAccessibleName(catText("frmReadwave.Text1"));
    QFont rateFont;
    if (m_german) {
        rateFont.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans")});
        rateFont.setWeight(QFont::Black);
    } else {
        rateFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    }
    rateFont.setPointSize(22);
    Text1->setFont(rateFont);
    Text1->setFixedWidth(100);
    keepPlaceWhenHidden(Text1);

    auto* values = new QGridLayout(Frame2);
    values->addWidget(Text2, 0, 0);
    values->addWidget(Text3, 0, 1);
    values->addWidget(Text4, 0, 2);
    values->addWidget(Text5, 1, 0);
    values->addWidget(Text6, 1, 1);
    values->addWidget(Picture2, 0, 3, 2, 1, Qt::AlignCenter);
    values->setColumnStretch(2, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(Frame2, 1);
    top->addWidget(Text1, 0, Qt::AlignVCenter);

    auto* trace = new QHBoxLayout;
    trace->setSpacing(2);
    if (!m_german) {
        scaleColumn = buildScaleColumn();
        trace->addWidget(scaleColumn);
    }
    trace->addWidget(Picture1);

    Check1 = new QCheckBox(catText("frmReadwave.Check1"), this);
    CmdGo = new QPushButton(catText("frmReadwave.CmdGo"), this);
    CmdStop = new QPushButton(catText("frmReadwave.CmdStop"), this);
    CmdPrint = new QPushButton(catText("frmReadwave.CmdPrint"), this);
    cmdClose = new QPushButton(catText("frmReadwave.cmdClose"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch(1);
    for (QPushButton* button : {CmdGo, CmdStop, CmdPrint, cmdClose}) {
        keepPlaceWhenHidden(button);
        buttons->addWidget(button);
    }

    StatusBar1 = new PanelStatusBar(catText("frmReadwave.sbDesign1"), catText("frmReadwave.sbDesign2"), 110, this);
    // The bar keeps the system's colour on the yellow window.
    QPalette barPalette = StatusBar1->palette();
    barPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    StatusBar1->setPalette(barPalette);
    StatusBar1->setAutoFillBackground(true);
    keepPlaceWhenHidden(StatusBar1);

    auto* body = new QVBoxLayout;
    body->addLayout(top);
    body->addLayout(trace);
    body->addLayout(buttons);
    body->setContentsMargins(10, 10, 10, 6);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(body);
    outer->addWidget(StatusBar1);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    setYellow(true);
}

QWidget* frmReadwave::buildScaleColumn()
{
    static const char* const kLineLabels[EcgBackground::kRows] = {
        "frmReadwave.lblPlus20", "frmReadwave.lblPlus15", "frmReadwave.lblPlus10", "frmReadwave.lblPlus05",
        "frmReadwave.lblZero",   "frmReadwave.lblMinus05", "frmReadwave.lblMinus10", "frmReadwave.lblMinus15",
    };
    auto* column = new QWidget(this);
    const int width = 30;
    const int labelHeight = 14;
    column->setFixedSize(width, EcgBackground::kHeightPixels);
    for (int line = 0; line < EcgBackground::kRows; ++line) {
        auto* label = new QLabel(catText(kLineLabels[line]), column);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The top label hangs from the edge; the others sit on their line.
        const int top = line == 0 ? 0 : EcgBackground::lineY(line) - labelHeight / 2;
        label->setGeometry(0, top, width, labelHeight);
    }
    auto* unit = new QLabel(catText("frmReadwave.lblUnit"), column);
    unit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unit->setGeometry(0, EcgBackground::lineY(EcgBackground::kRows - 1) + labelHeight / 2 + 2, width,
                      labelHeight);
    return column;
}

void frmReadwave::setYellow(bool yellow)
{
    // Printed on the system window-background colour: the white of a text
    // area, not the grey of a dialog face.
    const QColor colour = yellow ? kYellow : QApplication::palette().color(QPalette::Base);
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(Frame2)}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, colour);
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
}

void frmReadwave::Form_Load()
{
    Check1->setChecked(false);
    MSComm1().setSettings(gCommSet);
    // Another port name keeps the port number already set.
    if (const std::optional<int> number = portNumberFromName(gCommPort))
        MSComm1().setPortNumber(*number);
    showLoadTexts();
}

void frmReadwave::showLoadTexts()
{
    Text2->setText(catText("frmReadwave.Text2"));
    Text3->setText(catText("frmReadwave.Text3"));
    Text4->setText(catText("frmReadwave.Text4"));
    Text5->setText(catText("frmReadwave.Text5"));
    Text6->setText(catText("frmReadwave.Text6"));
}

void frmReadwave::Form_Activate()
{
    if (m_german)
        Picture1->clear();
    ReadWave();
}

void frmReadwave::CmdGo_Click()
{
    Picture1->clear();
    if (m_german) {
        showLoadTexts();
        Text1->setText(QStringLiteral("0"));
    }
    ReadWave();
}

void frmReadwave::ReadWave()
{
    if (m_unloaded || m_failing)
        return;
    m_run.start(); // a failure comes back through failRun
}

void frmReadwave::showHeader(const WaveHeader& h)
{
    Text2->setText(catText("frmReadwave.hdrQrs") + realNumber(h.qrs / 100.0, m_german)
                   + catText("frmReadwave.hdrSeconds"));
    Text3->setText(catText("frmReadwave.hdrSt") + realNumber(h.st / 100.0, m_german)
                   + catText("frmReadwave.hdrMillivolts"));
    Text4->setText(catText("frmReadwave.hdrPulse") + QString::number(h.pulse));
    Text5->setText(catText("frmReadwave.hdrDate") + QString::number(h.month)
                   + catText("frmReadwave.hdrDateSeparator") + QString::number(h.day));
    Text6->setText(catText("frmReadwave.hdrTime") + QString::number(h.hour)
                   + catText("frmReadwave.hdrTimeSeparator") + QString::number(h.minute));
}

void frmReadwave::Timer1_Timer(bool stopped)
{
    if (!m_german)
        StatusBar1->setPanel2(catText("frmReadwave.sbWaiting"));
    if (stopped)
        StatusBar1->setPanels(catText("frmReadwave.sbReadStop"), catText("frmReadwave.sbStopped"));
}

void frmReadwave::CmdStop_Click()
{
    m_run.stop();
    StatusBar1->setPanels(catText("frmReadwave.sbReadStop"), catText("frmReadwave.sbStopped"));
}

void frmReadwave::CmdPrint_Click()
{
    QString error;
    std::function<void(bool)> look;
    if (m_german)
        look = [this](bool printing) { printLook(printing); };
    if (printWindowImage(this, look, &error) == PrintResult::Failed)
        showMessage(this, error, MsgButtons::Ok, MsgIcon::Information, windowTitle());
}

void frmReadwave::printLook(bool printing)
{
    if (printing) {
        setYellow(false);
        for (QWidget* w : std::initializer_list<QWidget*>{cmdClose, CmdGo, CmdPrint, CmdStop, StatusBar1,
                                                          Picture2, Text1})
            w->hide();
        return;
    }
    Text1->show();
    // The beat indicator shows afterwards even when it was hidden before.
    Picture2->show();
    for (QWidget* w : std::initializer_list<QWidget*>{CmdGo, CmdStop, CmdPrint, cmdClose, StatusBar1})
        w->show();
    setYellow(true);
    Picture1->setFocus();
}

void frmReadwave::cmdClose_Click()
{
    close();
}

void frmReadwave::failRun(const QString& description)
{
    if (m_failing || m_unloaded)
        return;
    m_failing = true;
    m_run.stop();
    showMessage(this, catText("frmReadwave.msgCommFailure") + description, MsgButtons::Ok,
                MsgIcon::Information, QString::fromLatin1(kAppTitle));
    close();
}

void frmReadwave::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded)
        Form_Unload();
    event->accept();
}

void frmReadwave::Form_Unload()
{
    m_unloaded = true;
    m_run.stop();
}

bool frmReadwave::event(QEvent* e)
{
    const bool startOver = !m_unloaded && m_returns->startsOver(e);
    const bool handled = QWidget::event(e);
    if (startOver)
        Form_Activate();
    return handled;
}

QString frmReadwave::statusPanel(int panel) const
{
    return StatusBar1->panel(panel);
}

void frmReadwave::setBeatIndicatorVisible(bool visible)
{
    Picture2->setVisible(visible);
}

void frmReadwave::setHeartRateText(const QString& text)
{
    Text1->setText(text);
}
