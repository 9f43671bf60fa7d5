#pragma once
// The settings window of the link with the practice system (GDT): on or
// off, the request and result folders, the two GDT IDs, the character set
// of what is written and whether the report is attached. OK checks the
// settings (GdtSettings.h: a folder that does not exist or cannot be
// written is refused, naming it), stores them and tells the program
// through the changed hook; Cancel forgets the changes.
#include "exchange/GdtSettings.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmGdt : public QWidget {
    Q_OBJECT
public:
    explicit frmGdt(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    // The settings the boxes hold.
    GdtSettings shown() const;
    // Called after OK stored the settings.
    void setChangedHook(std::function<void(const GdtSettings&)> hook) { m_changed = std::move(hook); }

    QCheckBox* chkEnabled = nullptr;
    QLineEdit* txtImport = nullptr;
    QLineEdit* txtExport = nullptr;
    QLineEdit* txtOwnId = nullptr;
    QLineEdit* txtPvsId = nullptr;
    QComboBox* cboCharset = nullptr;
    QCheckBox* chkPdf = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    std::function<void(const GdtSettings&)> m_changed;
};
