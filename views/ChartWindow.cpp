// The chart windows' controls, layout, toolbar and printing; loading and
// picking are in ChartWindowLoad.cpp.
#include "views/RecordingHeadline.h"
#include "views/ChartWindow.h"
#include "views/WindowPlacement.h"

#include "platform/Seams.h"
#include "platform/WindowPrinting.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"
#include "views/ChartArea.h"
#include "views/FieldText.h"
#include "views/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

struct ButtonDesign {
    const char* key; // empty for a separator
    bool check;      // a Series button
};

const ButtonDesign kButtons[ChartWindow::kToolbarButtons] = {
    {"A4", false}, {"A5", false}, {"A6", false}, {"", false},   {"Print", false}, {"", false},
    {"Close", false}, {"", false}, {"SYS", true}, {"DIA", true}, {"MAP", true}, {"Pulse", true},
};
constexpr int kFirstSeriesButton = 9;

struct ViewSize {
    const char* key;
    int width, height; // twips
};
const ViewSize kViewSizes[] = {{"A4", 15820, 9600}, {"A5", 9600, 7910}, {"A6", 7910, 4800}};

// Band below the toolbar in which the panels show, and the scroll bar's indent.
constexpr int kPanelHeight = 1140;
constexpr int kScrollIndent = 60;

const QColor kDarkBlue(0, 0, 192);
// The caption-text colour of the desktop the program was made for: white,
// so that a print comes out on a white page.
const QColor kPrintBackground(Qt::white);

void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(role, colour);
    widget->setPalette(p);
}

} // namespace

ChartWindow::ChartWindow(const ChartDesign& design, ChartPlot* plot, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_design(design)
    , m_plot(plot)
{
    setObjectName(QLatin1String(design.window));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(windowText("caption"));

    buildToolbar();
    chtReport = new ChartArea(plot, windowText("chtReport"), this);
    connect(chtReport, &ChartArea::pointPicked, this, &ChartWindow::chtReport_PointSelected);
    connect(chtReport, &ChartArea::seriesPicked, this, &ChartWindow::chtReport_SeriesSelected);

    HScroll4 = new QScrollBar(Qt::Horizontal, this);
    HScroll4->setObjectName(QStringLiteral("HScroll4"));
    HScroll4->setAccessibleName(catText("chart.HScroll4"));
    HScroll4->setRange(0, 0);
    HScroll4->setSingleStep(1);
    HScroll4->setPageStep(1);
    // A drag reloads once, where it ends, not at every position on the way.
    HScroll4->setTracking(false);
    HScroll4->hide();
    connect(HScroll4, &QScrollBar::valueChanged, this, &ChartWindow::HScroll4_Change);
    chtReport->reserveBottom(HScroll4->sizeHint().height());

    buildPanels();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 1; i <= 3; ++i) {
        StatusPanel[size_t(i)] = new QLabel(StatusBar1);
        StatusPanel[size_t(i)]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusBar1->addWidget(StatusPanel[size_t(i)], i == 1 ? 1 : 0);
    }
    StatusBar1->hide();

    // The window's own colour must not reach the bars that keep the system's.
    for (QWidget* plain : std::initializer_list<QWidget*>{Toolbar1, HScroll4, StatusBar1}) {
        setRole(plain, QPalette::Window, QApplication::palette().color(QPalette::Window));
        plain->setAutoFillBackground(true);
    }
    setAutoFillBackground(true);
    applyColours(false);

    const ViewSize& a4 = kViewSizes[0];
    resize(twipsToPixels(a4.width), twipsToPixels(a4.height));
    // Last among the children, so it goes after the view that shows its chart.
    plot->setParent(this);
}

ChartWindow::~ChartWindow() = default;

QString ChartWindow::windowText(const char* place) const
{
    return catText((QLatin1String(m_design.window) + QLatin1Char('.') + QLatin1String(place)).toLatin1().constData());
}

void ChartWindow::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Somewhat smaller captions let every button fit the A6 view's width.
    QFont captions = Toolbar1->font();
    if (captions.pointSizeF() > 0)
        captions.setPointSizeF(captions.pointSizeF() * 0.85);
    else
        captions.setPixelSize(qRound(captions.pixelSize() * 0.85));
    Toolbar1->setFont(captions);
    for (int i = 0; i < kToolbarButtons; ++i) {
        const ButtonDesign& b = kButtons[i];
        if (!*b.key) {
            m_buttons.push_back(Toolbar1->addSeparator());
            continue;
        }
        const QString caption = windowText((QByteArray("tb") + b.key).constData());
        QAction* button = Toolbar1->addAction(caption);
        // Set as it stands: the text a toolbar button shows is otherwise
        // trimmed, and the Exit caption keeps its blanks.
        button->setIconText(caption);
        button->setData(QLatin1String(b.key));
        button->setToolTip(caption);
        if (b.check) {
            button->setCheckable(true);
            button->setChecked(m_design.seriesPressedAtLoad[size_t(i + 1 - kFirstSeriesButton)]);
        }
        // Toolbar buttons take no focus by default: these must, for the keyboard.
        QWidget* control = Toolbar1->widgetForAction(button);
        control->setFocusPolicy(Qt::TabFocus);
        control->setAccessibleName(caption.trimmed());
        m_buttons.push_back(button);
    }
    connect(Toolbar1, &QToolBar::actionTriggered, this, &ChartWindow::Toolbar1_ButtonClick);
}

QLineEdit* ChartWindow::makeBox(QGroupBox* frame, int number)
{
    auto* box = new QLineEdit(frame);
    box->setObjectName(QStringLiteral("Text%1").arg(number));
    box->setReadOnly(true);
    Text[size_t(number)] = box;
    return box;
}

void ChartWindow::buildPanels()
{
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setAccessibleName(catText("chart.Frame2"));
    auto* detail = new QGridLayout(Frame2);
    for (int n = 1; n <= 4; ++n)
        detail->addWidget(makeBox(Frame2, n), 0, n - 1);
    detail->addWidget(makeBox(Frame2, 5), 1, 0);
    detail->addWidget(makeBox(Frame2, 6), 1, 1);
    detail->addWidget(makeBox(Frame2, 7), 1, 2, 1, 2);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(catText("chart.Frame1"));
    auto* statistic = new QGridLayout(Frame1);
    statistic->addWidget(makeBox(Frame1, 9), 0, 0);
    statistic->addWidget(makeBox(Frame1, 10), 0, 1);
    if (m_design.hasText13)
        statistic->addWidget(makeBox(Frame1, 13), 0, 2);
    statistic->addWidget(makeBox(Frame1, 11), 1, 0);
    statistic->addWidget(makeBox(Frame1, 8), 1, 1);
    statistic->addWidget(makeBox(Frame1, 12), 1, 2);

    for (QGroupBox* frame : {Frame1, Frame2}) {
        frame->setAutoFillBackground(true);
        frame->hide();
    }
}

void ChartWindow::applyColours(bool printing)
{
    const QColor background = printing ? kPrintBackground : kDarkBlue;
    const QColor caption = printing ? kDarkBlue : QApplication::palette().color(QPalette::Light);
    setRole(this, QPalette::Window, background);
    for (QGroupBox* frame : {Frame1, Frame2}) {
        QPalette p = frame->palette();
        p.setColor(QPalette::Window, background);
        p.setColor(QPalette::WindowText, caption);
        frame->setPalette(p);
        // The boxes keep the system's colours.
        for (QLineEdit* box : frame->findChildren<QLineEdit*>())
            box->setPalette(QApplication::palette());
    }
}

void ChartWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void ChartWindow::Form_Resize()
{
    const int toolbarHeight = Toolbar1->isVisibleTo(this) ? Toolbar1->sizeHint().height() : 0;
    Toolbar1->setGeometry(0, 0, width(), toolbarHeight);
    const int statusHeight = StatusBar1->isVisibleTo(this) ? StatusBar1->sizeHint().height() : 0;
    StatusBar1->setGeometry(0, height() - statusHeight, width(), statusHeight);
    const int innerHeight = height() - statusHeight;
    const int band = twipsToPixels(kPanelHeight);
    chtReport->setGeometry(0, toolbarHeight + band, width(), std::max(innerHeight - toolbarHeight - band, 0));
    const int scrollHeight = HScroll4->sizeHint().height();
    HScroll4->setGeometry(twipsToPixels(kScrollIndent), innerHeight - scrollHeight,
                          std::max(width() - twipsToPixels(2 * kScrollIndent), 0), scrollHeight);
    HScroll4->raise();
    placePanel(Frame1);
    placePanel(Frame2);
}

void ChartWindow::placePanel(QGroupBox* frame)
{
    const int toolbarHeight = Toolbar1->isVisibleTo(this) ? Toolbar1->sizeHint().height() : 0;
    frame->setGeometry(chtReport->x(), toolbarHeight, chtReport->width(), twipsToPixels(kPanelHeight));
}

QAction* ChartWindow::toolbarButton(int index) const
{
    return index >= 1 && index <= int(m_buttons.size()) ? m_buttons[size_t(index - 1)] : nullptr;
}

QString ChartWindow::buttonKey(const QAction* button)
{
    return button ? button->data().toString() : QString();
}

ChartPlot::SeriesButtons ChartWindow::seriesButtons() const
{
    ChartPlot::SeriesButtons pressed{};
    for (int i = 0; i < 4; ++i)
        pressed[size_t(i)] = toolbarButton(kFirstSeriesButton + i)->isChecked();
    return pressed;
}

void ChartWindow::Toolbar1_ButtonClick(QAction* button)
{
    const QString key = buttonKey(button);
    for (const ViewSize& size : kViewSizes) {
        if (key == QLatin1String(size.key)) {
            resize(twipsToPixels(size.width), twipsToPixels(size.height));
            WindowPlacement::moveToWorkAreaCorner(this);
            return;
        }
    }
    if (key == QLatin1String("Print"))
        PrintChartView();
    else if (key == QLatin1String("Close"))
        close();
    else if (key == QLatin1String("SYS") || key == QLatin1String("DIA") || key == QLatin1String("MAP")
             || key == QLatin1String("Pulse"))
        LoadChartView();
}

void ChartWindow::setPrintLook(bool printing)
{
    if (printing) {
        applyColours(true);
        const QDateTime now = seams().now();
        StatusPanel[2]->setText(fieldText(now.date()));
        StatusPanel[3]->setText(fieldText(now.time()));
        // The printed page names the recording under its file: on the file's
        // line it would run into the date beside it.
        const QString headline = currentRecordingHeadline();
        StatusPanel[1]->setText(windowText("StatusBar1") + gDataFile
                                + (headline.isEmpty() ? QString() : QLatin1Char('\n') + headline));
        StatusBar1->show();
        HScroll4->hide();
        Toolbar1->hide();
    } else {
        Toolbar1->show();
        HScroll4->setVisible(m_scrollShown);
        StatusBar1->hide();
        applyColours(false);
    }
    Form_Resize();
}

void ChartWindow::PrintChartView()
{
    QString why;
    const PrintResult result = printWindowImage(this, [this](bool printing) { setPrintLook(printing); }, &why);
    if (result == PrintResult::Failed)
        ShowErrorBox(why);
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    m_loaded = false;
    QWidget::closeEvent(event);
}
