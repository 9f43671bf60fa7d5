#pragma once
// The recordings of the data folder (or of a folder the user types in):
// one row per data file with the patient, the recording's start and the
// figures of its ABPM summary, or why the file cannot be read. Search as
// you type on name and number, sort by any column; Return or a double
// click asks to open the file (openRequested: the main window opens it as
// Open does); Compare... asks for two to four recordings of one patient
// (compareRequested). The index behind it (RecordingsIndex) works in the
// background; the window shows what it has meanwhile, the progress of a
// first look, and a folder that went away.
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class RecordingsFilter;
class RecordingsIndex;
class RecordingsModel;

class frmRecordings : public QWidget {
    Q_OBJECT
public:
    explicit frmRecordings(QWidget* parent = nullptr);
    ~frmRecordings() override;

    // Shows the data folder's recordings; true (it cannot fail).
    bool Form_Load();
    // Shows the recordings of another folder.
    void showFolder(RecordingsIndex* index);

    // The chosen rows' files, in the list's order.
    QStringList chosenPaths() const;
    // Two to four rows of one patient.
    bool canCompare() const;

    void cmdOpen_Click();
    void cmdCompare_Click();

    QLineEdit* txtFolder = nullptr;
    QLineEdit* txtSearch = nullptr;
    QTableView* grdRecordings = nullptr;
    QProgressBar* pgbLook = nullptr;
    QLabel* lblState = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdCompare = nullptr;
    QPushButton* cmdClose = nullptr;

    RecordingsModel* model() const { return m_model; }
    RecordingsFilter* filter() const { return m_filter; }

signals:
    void openRequested(const QString& path);
    void compareRequested(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setColumnWidths();
    void folderTyped();
    void showProgress(int done, int total);
    void showState();
    void choiceChanged();

    RecordingsIndex* m_index = nullptr;
    RecordingsModel* m_model = nullptr;
    RecordingsFilter* m_filter = nullptr;
    int m_done = 0;
    int m_total = 0;
    bool m_sorted = false;
};
