#pragma once
// The record editor: one record at a time in captioned boxes bound to the
// record cursor's data member "Primary". What is typed into a box becomes
// the value of its column in the current record, and the record is saved
// when the cursor moves to another record. Add starts a new record, Delete
// removes the current one after asking. A label shows whether the reading
// is set aside from the analysis, and the window's context menu sets it
// aside or takes it back (SetAsideCommand.h).
#include "views/RecordNavigationStrip.h"
#include "views/RecordWindow.h"

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class clsbpdata;
class Recordset;

class frmbpdata : public RecordWindow {
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
    // Sets the shown reading aside or takes it back (the context menu).
    void mnuSetAside_Click();
    void showSetAside();

    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void rebindIfStale() override;
    bool isAdding() const { return m_adding; }

    std::array<QGroupBox*, 8> Frame1 {};
    std::array<QLineEdit*, kFieldBoxes> txtFields {};
    QCheckBox* chkFields7 = nullptr; // "Mark": not among the record's fields, never shown
    QWidget* picButtons = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblSetAside = nullptr;
    QAction* mnuSetAside = nullptr;
    RecordNavigationStrip* picStatBox = nullptr;
    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdLast = nullptr;
    QLabel* lblStatus = nullptr;

protected:
    bool beforeMove() override { return commitBoxes(); }
    void showRecordCounter() override;
    void Form_Resize() override;
    void Form_Unload() override;

private:
    void buildControls();

    // Binds every box to its column; false with the reason when a column is missing.
    bool bindBoxes(QString* why);
    void showRecord();
    // Writes what was typed into the boxes to the current record. A value
    // the column cannot hold is refused with a message naming the field and
    // why; the box then shows the record's value again. False then.
    bool commitBoxes();

    std::shared_ptr<Recordset> m_bound;
    std::array<int, kFieldBoxes> m_column {}; // field of the record set per box
    bool m_adding = false;
    bool m_committing = false;
    bool m_unloaded = false;
};
