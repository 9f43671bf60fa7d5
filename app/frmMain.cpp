#include "app/frmMain.h"

#include "app/AppSettings.h"
#include "app/DrawnPictures.h"
#include "app/LoadedWindows.h"
#include "app/SkipOnFailure.h"
#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "platform/Seams.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>


Q_LOGGING_CATEGORY(lcApp, "korvane.app")

namespace {

// Where the window sits before it is maximised; also what a failed login
// at start writes as the geometry.
const QRect kDesignedGeometry(120, 90, 800, 600);

enum ItemFlag : unsigned {
    NoFlags = 0,
    Hidden = 1,       // exists, never shown
    Unavailable = 2,  // shown greyed, cannot be chosen
    Checkable = 4,
    CheckedAtStart = 8,
};

enum class ItemKind { Item, Separator, Submenu };

struct MenuItemEntry {
    const char* name;
    const char* parent; // nullptr: the menu bar
    ItemKind kind;
    const char* shortcut;
    unsigned flags;
    void (frmMain::*command)();
};

using K = ItemKind;

// The menu tree in order. Items without a command exist only in hidden menus.
const MenuItemEntry kMenuTree[] = {
    {"mnuCompany", nullptr, K::Submenu, nullptr, Hidden, nullptr},
    {"mnuCompanyIntro", "mnuCompany", K::Item, nullptr, NoFlags, &frmMain::mnuCompanyIntro_Click},
    {"mnuCompanyWill", "mnuCompany", K::Item, nullptr, NoFlags, nullptr},
    {"mnuCompanyInfo", "mnuCompany", K::Item, nullptr, NoFlags, &frmMain::mnuCompanyInfo_Click},
    {"mnuCompanySoft", "mnuCompany", K::Item, nullptr, NoFlags, nullptr},

    {"mnuFile", nullptr, K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuFileNew", "mnuFile", K::Item, "Ctrl+N", NoFlags, &frmMain::mnuFileNew_Click},
    {"mnuFileOpen", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileOpen_Click},
    {"mnuFileBar0", "mnuFile", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuFileSave", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileSave_Click},
    {"mnuFileClose", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileClose_Click},
    {"mnuFileExportCsv", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileExportCsv_Click},
    {"mnuFileExportFhir", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileExportFhir_Click},
    {"mnuFileAbpmReport", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileAbpmReport_Click},
    {"mnuFileSendGdt", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileSendGdt_Click},
    {"mnuFileRecordings", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFileRecordings_Click},
    {"mnuFileBar1", "mnuFile", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuFilePrintSetup", "mnuFile", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintSetup_Click},
    {"mnuFilePrintPreview", "mnuFile", K::Submenu, nullptr, Hidden, nullptr},
    {"mnuFilePrintPreviewList", "mnuFilePrintPreview", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintPreviewList_Click},
    {"mnuFilePrintPreviewWave", "mnuFilePrintPreview", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintPreviewWave_Click},
    {"mnuFilePrintPreviewBar", "mnuFilePrintPreview", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintPreviewBar_Click},
    {"mnuFilePrintPreviewStatistic", "mnuFilePrintPreview", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintPreviewStatistic_Click},
    {"mnuFilePrint", "mnuFile", K::Submenu, nullptr, Hidden, nullptr},
    {"mnuFilePrintList", "mnuFilePrint", K::Item, nullptr, NoFlags, &frmMain::mnuFilePrintList_Click},
    {"mnuFilePrintWave", "mnuFilePrint", K::Item, nullptr, NoFlags, nullptr},
    {"mnuFilePrintBar", "mnuFilePrint", K::Item, nullptr, NoFlags, nullptr},
    {"mnuFilePrintStatistic", "mnuFilePrint", K::Item, nullptr, NoFlags, nullptr},
    {"mnuFileBar2", "mnuFile", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuFileExit", "mnuFile", K::Item, "Ctrl+Q", NoFlags, &frmMain::mnuFileExit_Click},

    {"mnuData", nullptr, K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuDataReadWave", "mnuData", K::Item, nullptr, Unavailable, &frmMain::mnuDataReadWave_Click},
    {"mnuDataRead", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataRead_Click},
    {"mnuDataEdit", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataEdit_Click},
    {"mnuDataBar0", "mnuData", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuDataTable", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataTable_Click},
    {"mnuDataList", "mnuData", K::Item, nullptr, Hidden, &frmMain::mnuDataList_Click},
    {"mnuDataWave", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataWave_Click},
    {"mnuDataBar", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataBar_Click},
    {"mnuDataAbpm", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataAbpm_Click},
    {"mnuDataDetails", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuDataDetails_Click},
    {"mnuDataStatistic", "mnuData", K::Item, nullptr, Hidden, &frmMain::mnuDataStatistic_Click},
    {"mnuSetBar0", "mnuData", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuSetComm", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuSetComm_Click},
    {"mnuSetGdt", "mnuData", K::Item, nullptr, NoFlags, &frmMain::mnuSetGdt_Click},

    {"mnuSet", nullptr, K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuPassChange", "mnuSet", K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuSetLogin", "mnuPassChange", K::Item, nullptr, NoFlags, &frmMain::mnuSetLogin_Click},
    {"mnuSetEdp", "mnuPassChange", K::Item, nullptr, NoFlags, &frmMain::mnuSetEdp_Click},
    {"mnuSetBar1", "mnuSet", K::Separator, nullptr, Unavailable, nullptr},
    {"mnuPassEnable", "mnuSet", K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuSettingSecurityLogin", "mnuPassEnable", K::Item, nullptr, Checkable, &frmMain::mnuSettingSecurityLogin_Click},
    {"mnuSettingSecurityEdit", "mnuPassEnable", K::Item, nullptr, Checkable, &frmMain::mnuSettingSecurityEdit_Click},

    {"mnuView", nullptr, K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuViewToolbar", "mnuView", K::Item, nullptr, Checkable | CheckedAtStart, &frmMain::mnuViewToolbar_Click},
    {"mnuViewStatusBar", "mnuView", K::Item, nullptr, Checkable | CheckedAtStart, &frmMain::mnuViewStatusBar_Click},

    {"mnuHelp", nullptr, K::Submenu, nullptr, NoFlags, nullptr},
    {"mnuHelpContents", "mnuHelp", K::Item, nullptr, Hidden, &frmMain::mnuHelpContents_Click},
    {"mnuHelpDemo", "mnuHelp", K::Item, nullptr, NoFlags, &frmMain::mnuHelpDemo_Click},
    {"mnuHelpBar0", "mnuHelp", K::Separator, nullptr, NoFlags, nullptr},
    {"mnuHelpAbout", "mnuHelp", K::Item, nullptr, NoFlags, &frmMain::mnuHelpAbout_Click},
};

// Toolbar buttons in order; nullptr keys are separators.
struct ToolButtonEntry {
    const char* key;
    const char* tooltipKey;
};

const ToolButtonEntry kSeparator{nullptr, nullptr};

std::vector<ToolButtonEntry> toolbarLayout(bool withEcg)
{
    std::vector<ToolButtonEntry> layout = {
        {"New", "frmMain.tipNew"},
        {"Open", "frmMain.tipOpen"},
        {"Save", "frmMain.tipSave"},
        kSeparator,
        {"Print", "frmMain.tipPrint"},
        {"PrintList", "frmMain.tipPrintList"},
        kSeparator,
        {"Read", "frmMain.tipRead"},
        {"Table", "frmMain.tipTable"},
        {"Edit", "frmMain.tipEdit"},
        kSeparator,
        {"List", "frmMain.tipList"},
        {"Waveform", "frmMain.tipWaveform"},
        {"Bar", "frmMain.tipBar"},
        {"Statistic", "frmMain.tipStatistic"},
        kSeparator,
        {"Help", "frmMain.tipHelp"},
        kSeparator,
    };
    if (withEcg) {
        layout.push_back({"ECG", "frmMain.tipECG"});
        layout.push_back(kSeparator);
    }
    layout.push_back({"Exit", "frmMain.tipExit"});
    return layout;
}

// The code that follows the edit permission addresses the Edit button by
// its position, in both editions.
constexpr int kEditButtonNumber = 10;

QString twipsText(double pixels, double dotsPerInch)
{
    const float twips = float(pixels * 1440.0 / dotsPerInch);
    return QString::number(double(twips), 'g', 7);
}

// The time panel shows hours and minutes; some locales' short format
// carries seconds too.
QString clockFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]ss")));
    return format;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(catText("frmMain.caption"));
    setGeometry(kDesignedGeometry);
    // The window opens maximised.
    setWindowState(Qt::WindowMaximized);
    // The toolbar and status bar follow only the View menu's check marks.
    setContextMenuPolicy(Qt::NoContextMenu);

    LoadedWindows::instance().install();

    buildMenus();
    buildToolBar();
    buildStatusBar();
    wireOtherParts();
    wirePracticeSystem();

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    for (const MenuItemEntry& item : kMenuTree) {
        const QString name = QString::fromLatin1(item.name);
        QMenu* parentMenu = item.parent ? m_menus.value(QString::fromLatin1(item.parent)) : nullptr;
        QAction* action = nullptr;
        if (item.kind == ItemKind::Separator) {
            action = parentMenu->addSeparator();
        } else if (item.kind == ItemKind::Submenu) {
            const QString caption = catText(QByteArray("frmMain.").append(item.name).constData());
            QMenu* submenu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
            submenu->setObjectName(name);
            m_menus.insert(name, submenu);
            action = submenu->menuAction();
        } else {
            const QString caption = catText(QByteArray("frmMain.").append(item.name).constData());
            action = parentMenu->addAction(caption);
            if (item.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            if (item.flags & Checkable) {
                action->setCheckable(true);
                action->setChecked(item.flags & CheckedAtStart);
            }
            if (item.command) {
                const auto command = item.command;
                connect(action, &QAction::triggered, this, [this, action, command] {
                    // A check mark changes only by the command itself.
                    if (action->isCheckable())
                        action->setChecked(!action->isChecked());
                    (this->*command)();
                });
            }
        }
        action->setObjectName(name);
        if (item.flags & Hidden)
            action->setVisible(false);
        if (item.flags & Unavailable)
            action->setEnabled(false);
        m_menuItems.insert(name, action);
    }
}

void frmMain::buildToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(24, 24));

    for (const ToolButtonEntry& item : toolbarLayout(Edition::current().hasEcgToolbarButton())) {
        if (!item.key) {
            QAction* separator = m_toolBar->addSeparator();
            separator->setData(QString());
            m_buttons.push_back(separator);
            continue;
        }
        const QString key = QString::fromLatin1(item.key);
        const QString tip = catText(item.tooltipKey);
        QAction* button = m_toolBar->addAction(DrawnPictures::toolbarIcon(key), tip);
        button->setObjectName(QStringLiteral("tb") + key);
        button->setData(key);
        button->setToolTip(tip);
        // Picture-only button: screen readers need its name.
        if (QWidget* widget = m_toolBar->widgetForAction(button))
            widget->setAccessibleName(tip);
        m_buttons.push_back(button);
    }
    connect(m_toolBar, &QToolBar::actionTriggered, this, &frmMain::tbToolBar_ButtonClick);
}

void frmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setSizeGripEnabled(true);
    const int minimumWidths[7] = {0, 0, 110, 0, 120, 90, 70};
    for (int panel = 1; panel <= 6; ++panel) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("sbPanel") + QString::number(panel));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(minimumWidths[panel]);
        label->setContentsMargins(4, 0, 4, 0);
        // Permanent, so that menu hints never cover the panels.
        bar->addPermanentWidget(label, panel == 1 ? 1 : 0);
        m_panels[panel] = label;
    }
    MainStatusPanels& panels = MainStatusPanels::instance();
    connect(&panels, &MainStatusPanels::panelChanged, this, &frmMain::mirrorPanel);
    panels.setText(MainStatusPanels::File, catText("frmMain.sbFileDesign"));
    panels.setText(MainStatusPanels::Records, QString());
    panels.setText(MainStatusPanels::Panel3, catText("frmMain.sbCommunication"));
    panels.setText(MainStatusPanels::Communication, QString());

    // The date and time panels keep themselves current.
    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &frmMain::updateClockPanels);
    m_clockTimer->start();
    updateClockPanels();
}

void frmMain::mirrorPanel(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 6 && m_panels[panel])
        m_panels[panel]->setText(text);
}

void frmMain::updateClockPanels()
{
    const QDateTime now = seams().now();
    const QLocale locale;
    MainStatusPanels& panels = MainStatusPanels::instance();
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), clockFormat(locale));
    if (panels.text(MainStatusPanels::Date) != date)
        panels.setText(MainStatusPanels::Date, date);
    if (panels.text(MainStatusPanels::Time) != time)
        panels.setText(MainStatusPanels::Time, time);
}

QAction* frmMain::menuItem(const QString& name) const
{
    return m_menuItems.value(name, nullptr);
}

QMenu* frmMain::menu(const QString& name) const
{
    return m_menus.value(name, nullptr);
}

QAction* frmMain::toolbarButton(int number) const
{
    return (number >= 1 && number <= toolbarButtonCount()) ? m_buttons[size_t(number - 1)] : nullptr;
}

QString frmMain::buttonKey(const QAction* button)
{
    return button ? button->data().toString() : QString();
}

QAction* frmMain::toolbarButtonByKey(const QString& key) const
{
    for (QAction* button : m_buttons)
        if (!key.isEmpty() && buttonKey(button) == key)
            return button;
    return nullptr;
}

QLabel* frmMain::statusPanel(int panel) const
{
    return (panel >= 1 && panel <= 6) ? m_panels[panel] : nullptr;
}

void frmMain::setEditControlsEnabled(bool enabled)
{
    m_menuItems.value(QStringLiteral("mnuDataEdit"))->setEnabled(enabled);
    toolbarButton(kEditButtonNumber)->setEnabled(enabled);
}

void frmMain::Form_Load()
{
    QAction* editRequirement = m_menuItems.value(QStringLiteral("mnuSettingSecurityEdit"));
    editRequirement->setChecked(AppSettings::isYes(
        AppSettings::read(QString::fromLatin1(AppSettings::kEdit), QString::fromLatin1(AppSettings::kDefaultEdit))));
    m_menuItems.value(QStringLiteral("mnuSettingSecurityLogin"))->setChecked(gLoginRequired);
    gEditEnabled = editRequirement->isChecked();
    setEditControlsEnabled(gEditEnabled);
}

void frmMain::Form_Activate()
{
    MainStatusPanels::instance().setText(MainStatusPanels::Communication,
                                         gCommSet + QLatin1Char(',') + gCommPort);
}

bool frmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Showing the window makes it the active one, even where the window
    // system does not tell us so.
    Form_Activate();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

void frmMain::Form_Unload()
{
    // Other windows first, the most recently loaded first; their own unload
    // steps still see the data file open.
    LoadedWindows::instance().closeAllExcept(this);

    // From here on nothing stops the program from ending.
    skipOnFailure("closing the data file", [this] {
        if (gFileReady)
            closeRecordsetAndConnection();
    });
    skipOnFailure("writing the window's place", [this] { writeMainGeometry(); });
    m_clockTimer->stop();
}

void frmMain::writeMainGeometry()
{
    if (isMinimized())
        return;
    const QRect r = frameGeometry();
    const double dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
    const double dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    // Failures to write are ignored: the program ends regardless.
    AppSettings::write(QString::fromLatin1(AppSettings::kMainLeft), twipsText(r.x(), dpiX));
    AppSettings::write(QString::fromLatin1(AppSettings::kMainTop), twipsText(r.y(), dpiY));
    AppSettings::write(QString::fromLatin1(AppSettings::kMainWidth), twipsText(r.width(), dpiX));
    AppSettings::write(QString::fromLatin1(AppSettings::kMainHeight), twipsText(r.height(), dpiY));
}

frmMain* mainWindow()
{
    return qobject_cast<frmMain*>(gMainWindow);
}
