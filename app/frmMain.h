#pragma once
// The main window: menus, toolbar and status bar are the only way to the
// other windows. It decides by gFileReady whether a data command may open
// its window, mirrors the six status panels of MainStatusPanels, and on
// closing takes the whole program down.
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QLabel;
class QPrinter;
class QMenu;
class QTimer;
class QToolBar;
class frmLogin;
class frmRecordings;
class GdtLink;
class clsbpdata;
struct AbpmPrintRequest;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Load step included: the window is ready but not shown.
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Menu items and menus by their names ("mnuFileNew", "mnuData", ...).
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;

    QToolBar* tbToolBar() const { return m_toolBar; }
    // Toolbar buttons by position, counted from 1, separators included.
    int toolbarButtonCount() const { return int(m_buttons.size()); }
    QAction* toolbarButton(int number) const;
    // The key text of a button ("" for separators).
    static QString buttonKey(const QAction* button);
    QAction* toolbarButtonByKey(const QString& key) const;

    QLabel* statusPanel(int panel) const;

    // The link with the practice system and the line that shows a waiting request.
    GdtLink* gdtLink() const { return m_gdt; }
    QLabel* lblGdtRequest() const { return m_gdtRequest; }
    QLabel* lblGdtResultDue() const { return m_gdtResultDue; }

    // Record cursor of the list report command.
    std::shared_ptr<clsbpdata> PrimaryCLS;

    // Steps of the window's life.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();

    // Toolbar dispatch: compares the button's key and runs its command.
    void tbToolBar_ButtonClick(QAction* button);

    // Menu commands.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileRecordings_Click();
    void mnuFileSave_Click();
    void mnuFileClose_Click();
    void mnuFileExportCsv_Click();
    void mnuFileExportFhir_Click();
    void mnuFileAbpmReport_Click();
    void mnuFileSendGdt_Click();
    void mnuFilePrintSetup_Click();
    void mnuFilePrintPreviewList_Click();
    void mnuFilePrintPreviewWave_Click();
    void mnuFilePrintPreviewBar_Click();
    void mnuFilePrintPreviewStatistic_Click();
    void mnuFilePrintList_Click();
    void mnuFileExit_Click();
    void mnuDataReadWave_Click();
    void mnuDataRead_Click();
    void mnuDataEdit_Click();
    void mnuDataTable_Click();
    void mnuDataList_Click();
    void mnuDataWave_Click();
    void mnuDataBar_Click();
    void mnuDataAbpm_Click();
    void mnuDataDetails_Click();
    void mnuDataStatistic_Click();
    void mnuSetComm_Click();
    void mnuSetGdt_Click();
    void mnuSetLogin_Click();
    void mnuSetEdp_Click();
    void mnuSettingSecurityLogin_Click();
    void mnuSettingSecurityEdit_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuHelpContents_Click();
    void mnuHelpDemo_Click();
    void mnuHelpAbout_Click();
    // In the hidden Company menu: no person reaches them.
    void mnuCompanyIntro_Click();
    void mnuCompanyInfo_Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void setEditControlsEnabled(bool enabled);
    void mirrorPanel(int panel, const QString& text);
    void updateClockPanels();
    void writeMainGeometry();

    // Readiness rule: true when a data file is ready; otherwise shows the
    // refusal (catalogue key) titled with the window caption.
    bool fileReadyOrRefuse(const char* messageKey);

    // Password window steps of the password commands.
    bool checkPassword(quint8 slot, const char* captionKey, const char* frameKey);
    void askNewPassword(quint8 slot, const char* captionKey, const char* frameKey);
    // Writes a requirement flag; says why when the store refuses it.
    bool storeFlag(const char* key, bool yes);

    // The windows the commands open. Each is the one place where its
    // window is shown.
    void showReadWindow();
    void showRecordEditor();
    void showListWindow();
    void showTrendChart();
    void showBarChart();
    void showAbpmSummary();
    void showRecordingDetails();
    void showWaveformWindow();
    void showCommSettings();
    // Shows the data list report bound to the cursor's "Primary".
    void showListReport(clsbpdata* cursor);
    // Shows the ABPM summary's page in the print preview.
    void showAbpmReport(const AbpmPrintRequest& request);
    void showHelpContents();
    void showQuickUse();
    void showAbout();
    void showCompanyIntro();
    void showCompanyInfo();

    // The file commands and the closing of the data file at unload.
    void wireOtherParts();
    // The practice system's link (frmMainGdt.cpp).
    void wirePracticeSystem();
    void showGdtSettings();
    void closeListWindow();
    void runFileNew();
    void runFileOpen();
    void runFileSave();
    void runFileClose();
    void runExportCsv();
    void runExportFhir();
    void showSignedReport();
    void closeRecordsetAndConnection();
    // The recordings of the data folder (frmMainRecordings.cpp).
    frmRecordings* showRecordings();
    void compareRecordings(QWidget* parent, const QStringList& paths);

    QToolBar* m_toolBar = nullptr;
    QHash<QString, QAction*> m_menuItems;
    QHash<QString, QMenu*> m_menus;
    std::vector<QAction*> m_buttons; // index 0 is button 1
    QLabel* m_panels[7] = {};        // index 1..6
    QTimer* m_clockTimer = nullptr;
    bool m_unloaded = false;
    GdtLink* m_gdt = nullptr;
    QLabel* m_gdtRequest = nullptr;
    QLabel* m_gdtResultDue = nullptr;
    QPointer<frmRecordings> m_recordings;
    // The printer chosen in Printer setup, for the set-up and for printing
    // the report (the one printer of everything that prints).
    QPrinter* chosenPrinter();
};

// gMainWindow as the main window it is; null when there is none.
frmMain* mainWindow();
