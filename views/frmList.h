#pragma once
// The data list window: every record of the open data file in a grid bound
// to the record cursor's data member "Primary", with the button strip
// (Print, Trend, Analysis, Read, Edit, Add, Cancel, Delete, Update, Refresh,
// Exit, ABPM for the ABPM summary, Patient for the patient and recording
// window) and the navigation strip with the record counter. The caption
// names the recording's patient and start when the file gives them; rows
// of readings set aside are marked, and the grid's context menu sets the
// current reading aside or takes it back.
//
// Browse mode walks the records; Add and Edit switch to add/edit mode, in
// which the grid's cells can be written and Update or Cancel end the change.
// Whether records may be changed at all is decided once, at load, by
// gEditEnabled.
#include "views/RecordNavigationStrip.h"
#include "views/RecordWindow.h"

#include <memory>

class QAction;
class QLabel;
class QTimer;
class QToolButton;
class clsbpdata;
class Recordset;
class RecordsetTableModel;
class RecordGrid;

class frmList : public RecordWindow {
    Q_OBJECT
public:
    explicit frmList(QWidget* parent = nullptr);
    ~frmList() override;

    // Load: opens the records through a new cursor. False when no data file
    // could be opened; the window has then closed itself.
    bool Form_Load();
    // Loaded and not unloaded since (the cursor is released at unload).
    bool isLoaded() const { return PrimaryCLS != nullptr; }

    // Switches the buttons between browse mode and add/edit mode.
    void SetBrowseMode(bool browse);
    bool isAddEditing() const { return m_addEditing; }

    // Commands.
    void cmdPrint_Click();
    void cmdSort_Click();
    void cmdbar_Click();
    void cmdRead_Click();
    void cmdEdit_Click();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdUpdate_Click();
    void cmdRefresh_Click();
    void cmdAbpm_Click();
    void cmdDetails_Click();
    void mnuSetAside_Click();
    // Caption and marks from the file's details and review.
    void followReview();

    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // The grid's current record was changed by the user.
    void grdDataGrid_Change();

    void rebindIfStale() override;

    RecordGrid* grdDataGrid = nullptr;
    QWidget* picButtons = nullptr;
    QToolButton* cmdPrint = nullptr;
    QToolButton* cmdSort = nullptr;
    QToolButton* cmdbar = nullptr;
    QToolButton* cmdRead = nullptr;
    QToolButton* cmdEdit = nullptr;
    QToolButton* cmdAdd = nullptr;
    QToolButton* cmdCancel = nullptr;
    QToolButton* cmdDelete = nullptr;
    QToolButton* cmdUpdate = nullptr;
    QToolButton* cmdRefresh = nullptr;
    QToolButton* cmdClose = nullptr;
    QToolButton* cmdAbpm = nullptr;
    QToolButton* cmdDetails = nullptr;
    QAction* mnuSetAside = nullptr;
    RecordNavigationStrip* picStatBox = nullptr;
    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdLast = nullptr;
    QLabel* lblStatus = nullptr;

protected:
    void afterMove() override { followRecordset(); }
    void showRecordCounter() override;
    void Form_Resize() override;
    void Form_Unload() override;

private:
    void buildControls();
    void fitCaptions();
    QToolButton* makeCommandButton(const char* name, int leftTwips, void (frmList::*handler)());

    void bindGrid();
    void setGridEditable(bool editable);
    // Counter when there is a current record, empty otherwise.
    void showPositionOrNothing();
    // Finishes typing in a cell: commit writes it to the record, otherwise it is dropped.
    void finishCellEdit(bool commit);
    void followRecordset();
    void userMovedToRow(int row);
    bool refreshRecords();

    RecordsetTableModel* m_model = nullptr;
    QTimer* m_followTimer = nullptr;
    bool m_addEditing = false;
    bool m_following = false; // the grid is being moved to the record set's row
    bool m_unloaded = false;
};
