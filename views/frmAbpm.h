#pragma once
// The ABPM summary window: the summary of the open data file's readings
// (AbpmSummary.h) as figures and an hourly chart, with the choice of day and
// night periods (own periods or the narrow fixed ones) and of the set of
// thresholds (ESH or ACC/AHA 2017), both kept in the settings store, a help
// text with the artefact rules, and Print, which hands the
// summary to the print hook (AbpmWindows.h).
//
// It follows the file: when the records change (a cursor opened the file,
// the statistic ran after a change, the details or review were changed) or
// another file becomes current, the figures are made again; when no file is
// ready any more it closes. The file's diary, set-aside readings and office
// pressure go into the summary.
#include "data/AbpmPeriods.h"
#include "data/AbpmSummary.h"

#include <QWidget>

class AbpmHourlyChart;
class QChartView;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTextBrowser;
class QTimeEdit;
class QTimer;

class frmAbpm : public QWidget {
    Q_OBJECT
public:
    explicit frmAbpm(QWidget* parent = nullptr);
    ~frmAbpm() override;

    // Reads the stored periods and the records. False when the data file
    // could not be opened (said so); the window has then closed itself.
    bool Form_Load();

    // Makes the figures again from the records as they are now.
    void refresh();

    // Commands.
    void optPeriods_Click();
    void cmdApply_Click();
    void cboThresholds_Click();
    void cmdHelp_Click();
    void cmdPrint_Click();

    const AbpmSummary& summary() const { return m_summary; }
    const AbpmPeriodChoice& choice() const { return m_choice; }

    QGroupBox* fraPeriods = nullptr;
    QRadioButton* optOwn = nullptr;
    QRadioButton* optNarrow = nullptr;
    QTimeEdit* txtDayStart = nullptr;
    QTimeEdit* txtDayEnd = nullptr;
    QTimeEdit* txtNightStart = nullptr;
    QTimeEdit* txtNightEnd = nullptr;
    QPushButton* cmdApply = nullptr;
    QComboBox* cboThresholds = nullptr;
    QTextBrowser* txtSummary = nullptr;
    QChartView* chtHourly = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();
    QTimeEdit* makeTimeEdit(const char* name);
    void showChoice(const AbpmPeriodChoice& choice);
    AbpmPeriodChoice choiceShown() const;
    // Takes the choice shown when it can be used, or says why not and
    // shows the choice in force again.
    void applyChoiceShown();
    void followDataFile();

    AbpmPeriodChoice m_choice;
    AbpmSummary m_summary;
    RecordingDetails m_details;
    AbpmHourlyChart* m_chart = nullptr;
    QTimer* m_refreshTimer = nullptr;
};
