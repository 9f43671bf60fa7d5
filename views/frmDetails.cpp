#include "views/frmDetails.h"

#include "data/RecordingDetailsStore.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString labelKey(DetailsField field)
{
    static const char* const keys[] = {
        "details.lblPatientNumber", "details.lblSurname", "details.lblFirstName", "details.lblBirthDate",
        "details.lblSex", "details.lblStartDate", "details.lblStartTime", "details.lblBedtime",
        "details.lblWakeUp", "details.lblOfficeSys", "details.lblOfficeDia", "details.lblPhysician",
        "details.lblIndication", "details.lblMedication", "details.lblComment",
    };
    return QLatin1String(keys[int(field)]);
}

QString textOf(const QPlainTextEdit* edit)
{
    return edit->toPlainText();
}

} // namespace

frmDetails::frmDetails(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDetails"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("details.caption"));
    buildControls();
    resize(820, 520);
    connect(&StateNotifier::instance(), &StateNotifier::dataFileChanged, this, &frmDetails::followDataFile);
}

frmDetails::~frmDetails() = default;

void frmDetails::buildControls()
{
    const auto line = [this](const char* name, int maxLength = 0) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        return edit;
    };
    const auto lines = [this](const char* name) {
        auto* edit = new QPlainTextEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setTabChangesFocus(true);
        return edit;
    };
    txtPatientNumber = line("txtPatientNumber", kPatientNumberLength);
    txtSurname = line("txtSurname");
    txtFirstName = line("txtFirstName");
    txtBirthDate = line("txtBirthDate");
    cboSex = new QComboBox(this);
    cboSex->setObjectName(QStringLiteral("cboSex"));
    for (PatientSex sex : {PatientSex::Unknown, PatientSex::Female, PatientSex::Male, PatientSex::Diverse})
        cboSex->addItem(sexText(sex), int(sex));
    txtStartDate = line("txtStartDate");
    txtStartTime = line("txtStartTime");
    txtBedtime = line("txtBedtime");
    txtWakeUp = line("txtWakeUp");
    txtOfficeSys = line("txtOfficeSys", 3);
    txtOfficeDia = line("txtOfficeDia", 3);
    txtPhysician = line("txtPhysician");
    txtIndication = lines("txtIndication");
    txtMedication = lines("txtMedication");
    txtComment = lines("txtComment");
    for (QLineEdit* date : {txtBirthDate, txtStartDate})
        date->setPlaceholderText(catText("details.hintDate"));
    for (QLineEdit* time : {txtStartTime, txtBedtime, txtWakeUp})
        time->setPlaceholderText(catText("details.hintTime"));

    const auto group = [this](const char* key, std::initializer_list<DetailsField> fields) {
        auto* box = new QGroupBox(catText(key), this);
        auto* form = new QFormLayout(box);
        for (DetailsField field : fields) {
            QWidget* edit = boxOf(field);
            edit->setParent(box);
            auto* label = new QLabel(catText(labelKey(field).toLatin1().constData()), box);
            label->setBuddy(edit);
            edit->setAccessibleName(detailsFieldName(field));
            form->addRow(label, edit);
        }
        return box;
    };
    using F = DetailsField;
    QGroupBox* patient = group("details.fraPatient", {F::PatientNumber, F::Surname, F::FirstName, F::BirthDate, F::Sex});
    QGroupBox* recording = group("details.fraRecording", {F::StartDate, F::StartTime, F::Bedtime, F::WakeUp,
                                                          F::OfficeSys, F::OfficeDia, F::Physician});
    QGroupBox* notes = group("details.fraNotes", {F::Indication, F::Medication, F::Comment});

    cmdSave = new QPushButton(catText("details.cmdSave"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdClose = new QPushButton(catText("details.cmdClose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);

    auto* left = new QVBoxLayout;
    left->addWidget(patient);
    left->addWidget(recording);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(notes, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(columns, 1);
    column->addLayout(buttons);

    connect(cmdSave, &QPushButton::clicked, this, &frmDetails::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* frmDetails::boxOf(DetailsField field) const
{
    QWidget* const boxes[] = {txtPatientNumber, txtSurname, txtFirstName, txtBirthDate, cboSex,
                              txtStartDate, txtStartTime, txtBedtime, txtWakeUp, txtOfficeSys,
                              txtOfficeDia, txtPhysician, txtIndication, txtMedication, txtComment};
    return boxes[int(field)];
}

bool frmDetails::Form_Load()
{
    QString why;
    const std::optional<RecordingDetails> stored = gFileReady ? RecordingDetailsStore::readCurrent(&why)
                                                              : std::nullopt;
    if (!stored) {
        if (gFileReady && !why.isEmpty())
            fail(why);
        close();
        return false;
    }
    m_stored = *stored;
    showInput(inputOf(m_stored));
    // Whether the details may be changed is decided here, once, as for records.
    setEditable(gEditEnabled);
    return true;
}

void frmDetails::setEditable(bool editable)
{
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setReadOnly(!editable);
    for (QPlainTextEdit* edit : findChildren<QPlainTextEdit*>())
        edit->setReadOnly(!editable);
    cboSex->setEnabled(editable);
    cmdSave->setEnabled(editable);
}

DetailsInput frmDetails::inputShown() const
{
    DetailsInput in;
    in.patientNumber = txtPatientNumber->text();
    in.surname = txtSurname->text();
    in.firstName = txtFirstName->text();
    in.birthDate = txtBirthDate->text();
    in.sex = PatientSex(cboSex->currentData().toInt());
    in.startDate = txtStartDate->text();
    in.startTime = txtStartTime->text();
    in.bedtime = txtBedtime->text();
    in.wakeUp = txtWakeUp->text();
    in.officeSys = txtOfficeSys->text();
    in.officeDia = txtOfficeDia->text();
    in.physician = txtPhysician->text();
    in.indication = textOf(txtIndication);
    in.medication = textOf(txtMedication);
    in.comment = textOf(txtComment);
    return in;
}

void frmDetails::showInput(const DetailsInput& in)
{
    txtPatientNumber->setText(in.patientNumber);
    txtSurname->setText(in.surname);
    txtFirstName->setText(in.firstName);
    txtBirthDate->setText(in.birthDate);
    cboSex->setCurrentIndex(cboSex->findData(int(in.sex)));
    txtStartDate->setText(in.startDate);
    txtStartTime->setText(in.startTime);
    txtBedtime->setText(in.bedtime);
    txtWakeUp->setText(in.wakeUp);
    txtOfficeSys->setText(in.officeSys);
    txtOfficeDia->setText(in.officeDia);
    txtPhysician->setText(in.physician);
    txtIndication->setPlainText(in.indication);
    txtMedication->setPlainText(in.medication);
    txtComment->setPlainText(in.comment);
}

void frmDetails::cmdSave_Click()
{
    if (!gEditEnabled || !cmdSave->isEnabled())
        return;
    const auto parsed = parseDetails(inputShown(), seams().now().date());
    if (const DetailsProblem* problem = std::get_if<DetailsProblem>(&parsed)) {
        fail(catText("details.msgNotChanged").arg(problem->message));
        boxOf(problem->field)->setFocus();
        return;
    }
    const RecordingDetails& details = std::get<RecordingDetails>(parsed);
    QString why;
    if (!RecordingDetailsStore::writeCurrent(details, &why)) {
        fail(catText("details.msgNotChanged").arg(why));
        return;
    }
    m_stored = details;
    showInput(inputOf(m_stored));
    emit StateNotifier::instance().recordingDetailsChanged();
}

void frmDetails::followDataFile()
{
    if (!gFileReady) {
        close();
        return;
    }
    // Another file is current: its details, not the ones typed for the last.
    if (const std::optional<RecordingDetails> stored = RecordingDetailsStore::readCurrent()) {
        m_stored = *stored;
        showInput(inputOf(m_stored));
    }
}

void frmDetails::fail(const QString& text)
{
    showMessage(this, text, MsgButtons::Ok, MsgIcon::Information, windowTitle());
}
