#pragma once
// The record editor: one record at a time in captioned boxes bound to the
// record cursor's data member "Primary". What is typed into a box becomes
// the value of its column in the current record, and the record is saved
// when the cursor moves to another record. Add starts a new record, Delete
// removes the current one after asking.
#include "views/RecordNavigationStrip.h"

#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class clsbpdata;
class Recordset;

class frmbpdata : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFieldBoxes = 7;

    explicit frmbpdata(QWidget* parent = nullptr);
    ~frmbpdata() override;

    // Load: opens the records through a new cursor and shows the first. False
    // when the records could not be opened or bound; the window has then
    // closed itself.
    bool Form_Load();
    // Loaded and not unloaded since.
    bool isLoaded() const { return PrimaryCLS && !m_unloaded; }

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();

    // Key table; true when the key was taken.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);

    // Binds the boxes again when another window opened a cursor since.
    void rebindIfStale();
    bool isAdding() const { return m_adding; }

    std::unique_ptr<clsbpdata> PrimaryCLS;

    std::array<QGroupBox*, 8> Frame1 {};
    std::array<QLineEdit*, kFieldBoxes> txtFields {};
    QCheckBox* chkFields7 = nullptr; // "Mark": not among the record's fields, never shown
    QWidget* picButtons = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdClose = nullptr;
    RecordNavigationStrip* picStatBox = nullptr;
    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdLast = nullptr;
    QLabel* lblStatus = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Resize();
    void Form_Unload();

    // Binds every box to its column; false with the reason when a column is missing.
    bool bindBoxes(QString* why);
    void showRecord();
    // Writes what was typed into the boxes to the current record. A value
    // the column cannot hold is refused with a message naming the field and
    // why; the box then shows the record's value again. False then.
    bool commitBoxes();
    void showRecordCounter();
    void showFailure(const QString& description);
    void navigate(bool (clsbpdata::*move)());

    std::shared_ptr<Recordset> m_bound;
    std::array<int, kFieldBoxes> m_column {}; // field of the record set per box
    bool m_adding = false;
    bool m_committing = false;
    bool m_unloaded = false;
};
