#include "views/frmbpdata.h"

#include "state/StateNotifier.h"
#include "platform/Connection.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "data/clsbpdata.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"
#include "views/FieldText.h"
#include "views/PendingRecord.h"
#include "views/RecordKeys.h"
#include "views/RecordNavigationStrip.h"
#include "views/SameRecord.h"
#include "views/SetAsideCommand.h"
#include "views/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <limits>

namespace {

// Places in twips.
constexpr int kInnerWidth = 3720;
constexpr int kInnerHeight = 5355;
constexpr int kFrameWidth = 2775;
constexpr int kFrameHeight = 615;
constexpr int kBoxHeight = 285;
constexpr int kButtonsHeight = 360;
constexpr int kButtonWidth = 1095;
constexpr int kButtonHeight = 330;
// The set-aside mark, between the last frame and the buttons.
constexpr int kSetAsideTop = 4455;
constexpr int kSetAsideHeight = 240;

struct FieldPlace {
    int frameLeft, frameTop;
    int boxLeft, boxTop, boxWidth;
};

// Box places are given on the window; inside its frame a box sits relative to it.
constexpr FieldPlace kPlaces[frmbpdata::kFieldBoxes] = {
    {360, 240, 1080, 480, 1335},  // ID
    {360, 960, 960, 1200, 1575},  // Date
    {360, 1680, 960, 1920, 1575}, // Time
    {360, 2400, 960, 2640, 1575}, // SYS
    {360, 3120, 960, 3360, 1575}, // DIA
    {360, 3840, 960, 4080, 1575}, // MAP (never shown)
    {360, 3840, 960, 4080, 1575}, // Pulse
};
constexpr int kMapBox = 5;

QFont frameFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont boxFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    font.setItalic(false); // not taken over from the frame's caption font
    return font;
}

QByteArray key(const char* window, const QString& place)
{
    return (QLatin1String(window) + QLatin1Char('.') + place).toLatin1();
}

} // namespace

frmbpdata::frmbpdata(QWidget* parent)
    : RecordWindow(parent)
{
    setObjectName(QStringLiteral("frmbpdata"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("frmbpdata.caption"));
    buildControls();
    resize(twipsToPixels(kInnerWidth), twipsToPixels(kInnerHeight));
}

frmbpdata::~frmbpdata() = default;

void frmbpdata::buildControls()
{
    for (int i = 0; i < 8; ++i) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        frame->setTitle(catText(key("frmbpdata", frame->objectName()).constData()));
        frame->setFont(frameFont());
        // The caption sits on the frame's top line, so the box has the frame's inside to itself.
        frame->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.6em; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        Frame1[size_t(i)] = frame;
    }
    for (int i = 0; i < kFieldBoxes; ++i) {
        const FieldPlace& place = kPlaces[i];
        QGroupBox* frame = Frame1[size_t(i)];
        frame->setGeometry(twipsRect(place.frameLeft, place.frameTop, kFrameWidth, kFrameHeight));
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        box->setFont(boxFont());
        box->setAccessibleName(frame->title());
        // Not cut at the line edit's 32767 characters: a long text is shown whole.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setGeometry(twipsRect(place.boxLeft - place.frameLeft, place.boxTop - place.frameTop,
                                   place.boxWidth, kBoxHeight));
        connect(box, &QLineEdit::editingFinished, this, [this, box] {
            if (box->isModified())
                commitBoxes();
        });
        txtFields[size_t(i)] = box;
    }
    Frame1[kMapBox]->hide();

    QGroupBox* markFrame = Frame1[7];
    markFrame->setGeometry(twipsRect(2520, 240, 615, 615));
    chkFields7 = new QCheckBox(markFrame);
    chkFields7->setObjectName(QStringLiteral("chkFields_7"));
    chkFields7->setGeometry(twipsRect(2760 - 2520, 480 - 240, 255, kBoxHeight));
    markFrame->hide();

    picButtons = new QWidget(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    auto makeButton = [this](const char* name, int left, void (frmbpdata::*handler)()) {
        auto* button = new QPushButton(picButtons);
        button->setObjectName(QLatin1String(name));
        button->setText(catText(key("frmbpdata", QLatin1String(name)).constData()));
        button->setGeometry(twipsRect(left, 0, kButtonWidth, kButtonHeight));
        connect(button, &QPushButton::clicked, this, handler);
        return button;
    };
    cmdAdd = makeButton("cmdAdd", 60, &frmbpdata::cmdAdd_Click);
    cmdDelete = makeButton("cmdDelete", 1215, &frmbpdata::cmdDelete_Click);
    cmdClose = makeButton("cmdClose", 2370, &frmbpdata::cmdClose_Click);

    // The doctor's review of the record shown: its mark, and the context
    // menu that sets it aside or takes it back.
    lblSetAside = new QLabel(this);
    lblSetAside->setObjectName(QStringLiteral("lblSetAside"));
    lblSetAside->setGeometry(twipsRect(360, kSetAsideTop, kFrameWidth, kSetAsideHeight));
    QFont italic = lblSetAside->font();
    italic.setItalic(true);
    lblSetAside->setFont(italic);
    mnuSetAside = new QAction(catText("frmbpdata.mnuSetAside"), this);
    mnuSetAside->setObjectName(QStringLiteral("mnuSetAside"));
    addAction(mnuSetAside);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(mnuSetAside, &QAction::triggered, this, &frmbpdata::mnuSetAside_Click);
    connect(&StateNotifier::instance(), &StateNotifier::recordingDetailsChanged, this, &frmbpdata::showSetAside);

    picStatBox = new RecordNavigationStrip("frmbpdata", kInnerWidth, this);
    connectNavigation(*picStatBox, this);
    cmdFirst = picStatBox->cmdFirst;
    cmdPrevious = picStatBox->cmdPrevious;
    cmdNext = picStatBox->cmdNext;
    cmdLast = picStatBox->cmdLast;
    lblStatus = picStatBox->lblStatus;

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool frmbpdata::Form_Load()
{
    PrimaryCLS = std::make_unique<clsbpdata>();
    if (!gFileReady || !PrimaryCLS->isOpen()) {
        // The cursor has said why.
        close();
        deleteLater();
        return false;
    }
    QString why;
    if (!bindBoxes(&why) || !PrimaryCLS->MoveFirst()) {
        showFailure(why.isEmpty() ? PrimaryCLS->lastError() : why);
        close();
        deleteLater();
        return false;
    }
    mnuSetAside->setEnabled(gEditEnabled);
    showRecordCounter();
    return true;
}

bool frmbpdata::bindBoxes(QString* why)
{
    const std::shared_ptr<Recordset> rs = PrimaryCLS->GetDataMember(clsbpdata::dataMemberName());
    if (!rs || !rs->isOpen()) {
        *why = catText("recordset.closed");
        return false;
    }
    const QStringList columns = AmbSchema::recordColumns(Edition::current().id());
    std::array<int, kFieldBoxes> fields {};
    for (int i = 0; i < kFieldBoxes; ++i) {
        fields[size_t(i)] = rs->fieldIndex(columns.value(i));
        if (fields[size_t(i)] < 0) {
            *why = catText("recordset.noField").arg(columns.value(i));
            return false;
        }
    }
    if (m_bound)
        disconnect(m_bound.get(), nullptr, this, nullptr);
    m_bound = rs;
    m_column = fields;
    auto show = [this] {
        if (!m_committing)
            showRecord();
    };
    connect(rs.get(), &Recordset::currentRowChanged, this, show);
    connect(rs.get(), &Recordset::rowChanged, this, show);
    connect(rs.get(), &Recordset::resetDone, this, show);
    connect(rs.get(), &Recordset::editModeChanged, this, [this, show](int mode) {
        // Adding ends when the new record is saved or dropped.
        if (mode != Recordset::EditAdd)
            m_adding = false;
        show();
    });
    showRecord();
    return true;
}

void frmbpdata::rebindIfStale()
{
    if (!PrimaryCLS || m_bound == PrimaryCLS->GetDataMember(clsbpdata::dataMemberName()))
        return;
    // What was typed belongs to the record it was typed for.
    const std::shared_ptr<Recordset> old = m_bound;
    if (old && old->isOpen()) {
        commitBoxes();
        QString why;
        if (!savePendingRecord(*old, &why))
            showFailure(why);
    }
    QString why;
    if (!bindBoxes(&why)) {
        showFailure(why);
        return;
    }
    // Go on with the record the boxes showed, so that the commands act on it.
    if (old)
        moveToSameRecord(*old, *m_bound);
    showRecordCounter();
}

void frmbpdata::showRecord()
{
    const qint64 row = m_bound && m_bound->isOpen() ? m_bound->currentRow() : -1;
    for (int i = 0; i < kFieldBoxes; ++i) {
        QLineEdit* box = txtFields[size_t(i)];
        const int column = m_column[size_t(i)];
        box->setText(row >= 0 ? fieldText(m_bound->valueAt(row, column)) : QString());
        // The record number is given by the file; without a record there is nothing to type into.
        box->setReadOnly(row < 0 || m_bound->fieldInfo(column).primaryKey);
    }
    showSetAside();
}

void frmbpdata::showSetAside()
{
    const std::shared_ptr<Connection> connection = m_bound ? m_bound->connection() : nullptr;
    const qint64 id = m_bound && m_bound->isOpen() ? SetAsideCommand::currentReadingId(*m_bound).value_or(-1) : -1;
    QString text;
    if (id >= 0 && connection && connection->isOpen()) {
        if (const std::optional<SetAsideReadings> marks = RecordingReview::read(*connection)) {
            if (const auto mark = marks->find(id); mark != marks->end())
                text = RecordingReview::setAsideText(mark->second);
        }
    }
    lblSetAside->setText(text);
}

void frmbpdata::mnuSetAside_Click()
{
    if (!m_bound || !mnuSetAside->isEnabled() || !commitBoxes())
        return;
    if (const std::optional<qint64> id = SetAsideCommand::currentReadingId(*m_bound))
        SetAsideCommand::toggle(this, *id);
}

bool frmbpdata::commitBoxes()
{
    if (!m_bound || m_committing)
        return true;
    m_committing = true;
    QLineEdit* refused = nullptr;
    QString why;
    for (int i = 0; i < kFieldBoxes && !refused; ++i) {
        QLineEdit* box = txtFields[size_t(i)];
        if (!box->isModified())
            continue;
        box->setModified(false);
        if (!m_bound->setValue(m_column[size_t(i)], box->text())) {
            refused = box;
            why = m_bound->lastError();
        }
    }
    m_committing = false;
    showRecord();
    if (refused) {
        showFailure(why);
        refused->setFocus();
        refused->selectAll();
        return false;
    }
    return true;
}

void frmbpdata::showRecordCounter()
{
    const qint32 position = PrimaryCLS ? PrimaryCLS->AbsolutePosition() : 0;
    if (position > 0)
        lblStatus->setText(catText("frmbpdata.lblRecord") + QString::number(position));
    else
        lblStatus->clear();
}

// Commands --------------------------------------------------------------

void frmbpdata::cmdAdd_Click()
{
    rebindIfStale();
    if (!commitBoxes())
        return;
    if (!PrimaryCLS->AddNew()) {
        showFailure(PrimaryCLS->lastError());
        return;
    }
    lblStatus->setText(catText("frmbpdata.statusNew"));
    m_adding = true;
    txtFields[1]->setFocus();
}

void frmbpdata::cmdDelete_Click()
{
    rebindIfStale();
    if (!commitBoxes())
        return;
    const MsgAnswer answer = showMessage(this, catText("frmbpdata.msgDelete"), MsgButtons::YesNo,
                                         MsgIcon::Question, windowTitle());
    if (answer == MsgAnswer::Yes) {
        if (!PrimaryCLS->Delete()) {
            showFailure(PrimaryCLS->lastError());
            return;
        }
        // The counter names the record that is current now.
        showRecordCounter();
    } else {
        PrimaryCLS->Cancel();
        showRecord();
    }
}

// Window events ---------------------------------------------------------

bool frmbpdata::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_adding || !PrimaryCLS)
        return false;
    return runRecordKey(*this, key, modifiers);
}

void frmbpdata::Form_Resize()
{
    picStatBox->placeAtBottom(width(), height());
    picButtons->setGeometry(0, picStatBox->y() - twipsToPixels(kButtonsHeight), width(),
                            twipsToPixels(kButtonsHeight));
}

void frmbpdata::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    unsetCursor();
    // Closing leaves the record as moving off it does: what was typed is saved.
    if (m_bound && m_bound->isOpen()) {
        commitBoxes();
        QString why;
        if (!savePendingRecord(*m_bound, &why))
            showFailure(why);
    }
}
