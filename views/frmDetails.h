#pragma once
// The window "Patient and Recording": the current data file's recording
// details (RecordingDetails.h) in boxes, Save and Exit. Not modal, one
// instance (DetailsWindows.h). Saving follows the rule that guards editing
// records: the boxes can be changed only when gEditEnabled was set at load.
// Bad input is refused with a message naming the field, the box gets the
// focus, and the file keeps what it held. It closes when no file is ready
// and shows the new file's details when another becomes current.
#include "data/RecordingDetails.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmDetails : public QWidget {
    Q_OBJECT
public:
    explicit frmDetails(QWidget* parent = nullptr);
    ~frmDetails() override;

    // Reads the details. False when the data file could not be opened
    // (said so); the window has then closed itself.
    bool Form_Load();

    void cmdSave_Click();

    // What the boxes hold.
    DetailsInput inputShown() const;
    void showInput(const DetailsInput& input);
    QWidget* boxOf(DetailsField field) const;

    QLineEdit* txtPatientNumber = nullptr;
    QLineEdit* txtSurname = nullptr;
    QLineEdit* txtFirstName = nullptr;
    QLineEdit* txtBirthDate = nullptr;
    QComboBox* cboSex = nullptr;
    QLineEdit* txtStartDate = nullptr;
    QLineEdit* txtStartTime = nullptr;
    QLineEdit* txtBedtime = nullptr;
    QLineEdit* txtWakeUp = nullptr;
    QLineEdit* txtOfficeSys = nullptr;
    QLineEdit* txtOfficeDia = nullptr;
    QLineEdit* txtPhysician = nullptr;
    QPlainTextEdit* txtIndication = nullptr;
    QPlainTextEdit* txtMedication = nullptr;
    QPlainTextEdit* txtComment = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildControls();
    void setEditable(bool editable);
    void followDataFile();
    void fail(const QString& text);

    RecordingDetails m_stored;
};
