#include "views/frmGdt.h"

#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmGdt::frmGdt(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(catText("frmGdt.caption"));
    chkEnabled = new QCheckBox(catText("frmGdt.chkEnabled"), this);
    txtImport = new QLineEdit(this);
    txtExport = new QLineEdit(this);
    txtExport->setPlaceholderText(catText("frmGdt.txtExportEmpty"));
    txtOwnId = new QLineEdit(this);
    txtPvsId = new QLineEdit(this);
    for (QLineEdit* id : {txtOwnId, txtPvsId})
        id->setMaxLength(4);
    cboCharset = new QComboBox(this);
    cboCharset->addItem(catText("frmGdt.charsetAscii"), int(GdtCharset::Ascii));
    cboCharset->addItem(catText("frmGdt.charsetCp437"), int(GdtCharset::Cp437));
    cboCharset->addItem(catText("frmGdt.charsetLatin1"), int(GdtCharset::Latin1));
    chkPdf = new QCheckBox(catText("frmGdt.chkPdf"), this);
    cmdOK = new QPushButton(catText("frmGdt.cmdOK"), this);
    cmdCancel = new QPushButton(catText("frmGdt.cmdCancel"), this);

    auto* form = new QFormLayout;
    form->addRow(chkEnabled);
    form->addRow(catText("gdt.nameImport"), txtImport);
    form->addRow(catText("gdt.nameExport"), txtExport);
    form->addRow(catText("gdt.nameOwnId"), txtOwnId);
    form->addRow(catText("gdt.namePvsId"), txtPvsId);
    form->addRow(catText("frmGdt.lblCharset"), cboCharset);
    form->addRow(chkPdf);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    for (QWidget* box : std::initializer_list<QWidget*>{txtImport, txtExport, txtOwnId, txtPvsId, cboCharset})
        box->setAccessibleName(form->labelForField(box)->property("text").toString());
    resize(560, 300);

    connect(cmdOK, &QPushButton::clicked, this, &frmGdt::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGdt::cmdCancel_Click);
    Form_Load();
}

void frmGdt::Form_Load()
{
    const GdtSettings s = GdtSettingsStore::load();
    chkEnabled->setChecked(s.enabled);
    txtImport->setText(s.importFolder);
    txtExport->setText(s.exportFolder);
    txtOwnId->setText(s.ownId);
    txtPvsId->setText(s.pvsId);
    cboCharset->setCurrentIndex(cboCharset->findData(int(s.charset)));
    chkPdf->setChecked(s.attachPdf);
}

GdtSettings frmGdt::shown() const
{
    GdtSettings s;
    s.enabled = chkEnabled->isChecked();
    s.importFolder = txtImport->text().trimmed();
    s.exportFolder = txtExport->text().trimmed();
    s.ownId = txtOwnId->text().trimmed();
    s.pvsId = txtPvsId->text().trimmed();
    s.charset = GdtCharset(cboCharset->currentData().toInt());
    s.attachPdf = chkPdf->isChecked();
    return s;
}

void frmGdt::cmdOK_Click()
{
    const GdtSettings s = shown();
    if (const auto problem = gdtSettingsProblem(s)) {
        showMessage(this, catText("frmGdt.msgRefused").arg(*problem), MsgButtons::Ok, MsgIcon::Information,
                    windowTitle());
        return;
    }
    QString why;
    if (!GdtSettingsStore::store(s, &why)) {
        showMessage(this, catText("frmGdt.msgNotStored").arg(why), MsgButtons::Ok, MsgIcon::Information, windowTitle());
        return;
    }
    if (m_changed)
        m_changed(s);
    close();
}

void frmGdt::cmdCancel_Click()
{
    close();
}
