#include "views/frmList.h"

#include "data/RecordingReview.h"
#include "data/RecordingStart.h"
#include "platform/Connection.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "data/clsbpdata.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"
#include "data/BpStatistics.h"
#include "views/CaptionButton.h"
#include "views/CaptionFit.h"
#include "views/DataWindows.h"
#include "views/ListPictures.h"
#include "views/PendingRecord.h"
#include "views/RecordGrid.h"
#include "views/RecordKeys.h"
#include "views/RecordNavigationStrip.h"
#include "views/RecordsetTableModel.h"
#include "views/SameRecord.h"
#include "views/SetAsideCommand.h"
#include "views/Twips.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

// Places in twips.
constexpr int kInnerWidth = 9000;
// Wide enough at first for the whole button strip (Patient is the last).
constexpr int kOpeningWidth = 9375;
constexpr int kInnerHeight = 5400;
constexpr int kCommandWidth = 735;
constexpr int kCommandHeight = 660;
constexpr int kNavigationHeight = 300;
// Caption font sizes of the narrow command buttons.
constexpr qreal kLargestCaptionPoints = 8.0;
constexpr qreal kSmallestCaptionPoints = 6.0;

} // namespace

frmList::frmList(QWidget* parent)
    : RecordWindow(parent)
{
    setObjectName(QStringLiteral("frmList"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("frmList.caption"));
    buildControls();
    resize(twipsToPixels(kOpeningWidth), twipsToPixels(kInnerHeight));
    StateNotifier& notifier = StateNotifier::instance();
    connect(&notifier, &StateNotifier::recordingDetailsChanged, this, &frmList::followReview);
    connect(&notifier, &StateNotifier::recordsetOpened, this, &frmList::followReview);
}

frmList::~frmList() = default;

QToolButton* frmList::makeCommandButton(const char* name, int leftTwips, void (frmList::*handler)())
{
    auto* button = new CaptionButton(picButtons);
    button->setObjectName(QLatin1String(name));
    const QString key = QStringLiteral("frmList.") + QLatin1String(name);
    button->setText(catText(key.toLatin1().constData()));
    button->setIcon(ListPictures::commandIcon(QLatin1String(name)));
    button->setIconSize(QSize(20, 20));
    button->setGeometry(twipsRect(leftTwips, 0, kCommandWidth, kCommandHeight));
    connect(button, &QToolButton::clicked, this, handler);
    return button;
}

void frmList::buildControls()
{
    m_model = new RecordsetTableModel(this);
    connect(m_model, &RecordsetTableModel::valueRefused, this, &frmList::showFailure);

    grdDataGrid = new RecordGrid(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    grdDataGrid->setModel(m_model);
    grdDataGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdDataGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    grdDataGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdDataGrid->setWordWrap(false);
    grdDataGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdDataGrid->verticalHeader()->setDefaultSectionSize(grdDataGrid->fontMetrics().height() + 6);
    grdDataGrid->verticalHeader()->setFixedWidth(16); // record selector column
    grdDataGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(grdDataGrid, &RecordGrid::userMovedToRow, this, &frmList::userMovedToRow);
    mnuSetAside = new QAction(catText("frmList.mnuSetAside"), grdDataGrid);
    mnuSetAside->setObjectName(QStringLiteral("mnuSetAside"));
    grdDataGrid->addAction(mnuSetAside);
    grdDataGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(mnuSetAside, &QAction::triggered, this, &frmList::mnuSetAside_Click);

    picButtons = new QWidget(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    cmdPrint = makeCommandButton("cmdPrint", 120, &frmList::cmdPrint_Click);
    cmdSort = makeCommandButton("cmdSort", 960, &frmList::cmdSort_Click);
    cmdbar = makeCommandButton("cmdbar", 1800, &frmList::cmdbar_Click);
    cmdRead = makeCommandButton("cmdRead", 2640, &frmList::cmdRead_Click);
    cmdEdit = makeCommandButton("cmdEdit", 3480, &frmList::cmdEdit_Click);
    cmdAdd = makeCommandButton("cmdAdd", 4320, &frmList::cmdAdd_Click);
    cmdCancel = makeCommandButton("cmdCancel", 4320, &frmList::cmdCancel_Click);
    cmdDelete = makeCommandButton("cmdDelete", 5160, &frmList::cmdDelete_Click);
    cmdUpdate = makeCommandButton("cmdUpdate", 5160, &frmList::cmdUpdate_Click);
    cmdRefresh = makeCommandButton("cmdRefresh", 6000, &frmList::cmdRefresh_Click);
    cmdClose = makeCommandButton("cmdClose", 6840, &frmList::cmdClose_Click);
    cmdAbpm = makeCommandButton("cmdAbpm", 7680, &frmList::cmdAbpm_Click);
    cmdDetails = makeCommandButton("cmdDetails", 8520, &frmList::cmdDetails_Click);
    fitCaptions();

    picStatBox = new RecordNavigationStrip("frmList", kInnerWidth, this);
    connectNavigation(*picStatBox, this);
    cmdFirst = picStatBox->cmdFirst;
    cmdPrevious = picStatBox->cmdPrevious;
    cmdNext = picStatBox->cmdNext;
    cmdLast = picStatBox->cmdLast;
    lblStatus = picStatBox->lblStatus;

    m_followTimer = new QTimer(this);
    m_followTimer->setSingleShot(true);
    m_followTimer->setInterval(0);
    connect(m_followTimer, &QTimer::timeout, this, &frmList::followRecordset);

    // The key table applies wherever the focus is in this window.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    SetBrowseMode(true);
}

void frmList::fitCaptions()
{
    // The buttons are narrow: one font, as large as lets every caption show
    // in full on at most two lines.
    QStringList captions;
    for (const CaptionButton* button : picButtons->findChildren<CaptionButton*>())
        captions << button->text();
    QFont base = picButtons->font();
    base.setPointSizeF(kLargestCaptionPoints);
    picButtons->setFont(CaptionFit::commonFont(captions, base, CaptionButton::captionWidthFor(twipsToPixels(kCommandWidth)),
                                               kSmallestCaptionPoints));
}

bool frmList::Form_Load()
{
    PrimaryCLS = std::make_unique<clsbpdata>();
    if (!gFileReady) {
        close();
        deleteLater();
        return false;
    }
    connect(PrimaryCLS.get(), &clsbpdata::dataMemberChanged, this, [this] { bindGrid(); });
    bindGrid();
    // Whether records may be changed is decided here, once.
    cmdEdit->setEnabled(gEditEnabled);
    cmdDelete->setEnabled(gEditEnabled);
    cmdAdd->setEnabled(gEditEnabled);
    mnuSetAside->setEnabled(gEditEnabled);
    followReview();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (rs && rs->recordCount() > 0) {
        PrimaryCLS->MoveFirst();
        followRecordset();
        showRecordCounter();
    }
    SetBrowseMode(true);
    return true;
}

void frmList::bindGrid()
{
    const std::shared_ptr<Recordset> rs = PrimaryCLS ? PrimaryCLS->GetDataMember(clsbpdata::dataMemberName())
                                                     : nullptr;
    if (Recordset* old = m_model->recordset().get())
        disconnect(old, nullptr, m_followTimer, nullptr);
    m_model->setRecordset(rs);
    if (rs) {
        // The grid follows the record whatever moved it; many moves in a row
        // cost one follow.
        connect(rs.get(), &Recordset::currentRowChanged, m_followTimer, qOverload<>(&QTimer::start));
        connect(rs.get(), &Recordset::resetDone, m_followTimer, qOverload<>(&QTimer::start));
    }
    grdDataGrid->resizeColumnsToContents();
    followRecordset();
}

void frmList::rebindIfStale()
{
    if (!PrimaryCLS)
        return;
    const std::shared_ptr<Recordset> old = m_model->recordset();
    const std::shared_ptr<Recordset> fresh = PrimaryCLS->GetDataMember(clsbpdata::dataMemberName());
    if (old == fresh)
        return;
    // What was typed into the rows shown so far belongs to the file.
    if (old && old->isOpen()) {
        finishCellEdit(true);
        QString why;
        if (!savePendingRecord(*old, &why))
            showFailure(why);
    }
    bindGrid();
    // Go on with the record the grid showed, so that the commands act on it.
    if (old && fresh)
        moveToSameRecord(*old, *fresh);
    followRecordset();
}

void frmList::followRecordset()
{
    m_followTimer->stop();
    const std::shared_ptr<Recordset> rs = m_model->recordset();
    if (!rs)
        return;
    const qint64 row = rs->currentRow();
    const QModelIndex current = grdDataGrid->currentIndex();
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    if (current.isValid() && current.row() == row)
        return;
    m_following = true;
    const QModelIndex target = m_model->index(int(row), current.isValid() ? current.column() : 0);
    grdDataGrid->selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grdDataGrid->scrollTo(target);
    m_following = false;
}

void frmList::userMovedToRow(int row)
{
    if (m_following)
        return;
    const std::shared_ptr<Recordset> rs = m_model->recordset();
    if (!rs)
        return;
    if (rs->currentRow() != row && !rs->setAbsolutePosition(row + 1)) {
        // The record left behind could not be saved: stay on it.
        showFailure(rs->lastError());
        m_followTimer->start();
        return;
    }
    grdDataGrid_Change();
}

void frmList::grdDataGrid_Change()
{
    if (PrimaryCLS && PrimaryCLS->AbsolutePosition() > 0)
        showRecordCounter();
}

void frmList::showRecordCounter()
{
    lblStatus->setText(recordCounterText(catText("frmList.lblRecord"), PrimaryCLS->AbsolutePosition()));
}

void frmList::SetBrowseMode(bool browse)
{
    cmdAdd->setVisible(browse);
    cmdDelete->setVisible(browse);
    cmdClose->setVisible(browse);
    cmdRefresh->setVisible(browse);
    cmdUpdate->setVisible(!browse);
    cmdCancel->setVisible(!browse);
    cmdFirst->setEnabled(browse);
    cmdPrevious->setEnabled(browse);
    cmdNext->setEnabled(browse);
    cmdLast->setEnabled(browse);
}

void frmList::setGridEditable(bool editable)
{
    m_model->setEditable(editable);
    grdDataGrid->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                                | QAbstractItemView::AnyKeyPressed
                                                | QAbstractItemView::SelectedClicked
                                          : QAbstractItemView::NoEditTriggers);
}

void frmList::finishCellEdit(bool commit)
{
    const QModelIndex index = grdDataGrid->currentIndex();
    QWidget* editor = index.isValid() ? grdDataGrid->indexWidget(index) : nullptr;
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = grdDataGrid->itemDelegateForIndex(index);
    if (commit)
        emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// Commands --------------------------------------------------------------

void frmList::cmdPrint_Click()
{
    // The report binds to this window's cursor, data member "Primary".
    if (const auto& showReport = DataWindows::listHooks().showReport)
        showReport(PrimaryCLS.get());
}

void frmList::cmdSort_Click()
{
    if (const auto& showTrend = DataWindows::listHooks().showTrend)
        showTrend();
}

void frmList::cmdbar_Click()
{
    if (const auto& showBar = DataWindows::listHooks().showBar)
        showBar();
}

void frmList::cmdAbpm_Click()
{
    if (const auto& showAbpm = DataWindows::listHooks().showAbpm)
        showAbpm();
}

void frmList::cmdDetails_Click()
{
    if (const auto& showDetails = DataWindows::listHooks().showDetails)
        showDetails();
}

void frmList::mnuSetAside_Click()
{
    const std::shared_ptr<Recordset> rs = m_model->recordset();
    if (!rs || !mnuSetAside->isEnabled())
        return;
    if (const std::optional<qint64> id = SetAsideCommand::currentReadingId(*rs))
        SetAsideCommand::toggle(this, *id);
}

void frmList::followReview()
{
    const std::shared_ptr<Recordset> rs = m_model->recordset();
    const std::shared_ptr<Connection> connection = rs ? rs->connection() : nullptr;
    std::optional<SetAsideReadings> marks;
    QString headline;
    // What cannot be read shows as not given; the records stay usable.
    if (connection && connection->isOpen()) {
        headline = patientHeadlineOf(*rs);
        marks = RecordingReview::read(*connection);
    }
    setWindowTitle(headline.isEmpty() ? catText("frmList.caption")
                                      : catText("details.captionWith").arg(catText("frmList.caption"), headline));
    m_model->setSetAside(marks.value_or(SetAsideReadings{}));
}

void frmList::cmdRead_Click()
{
    close();
    if (const auto& showRead = DataWindows::listHooks().showRead)
        showRead();
}

void frmList::cmdEdit_Click()
{
    rebindIfStale();
    lblStatus->setText(catText("frmList.statusEdit"));
    m_addEditing = true;
    SetBrowseMode(false);
    setGridEditable(true);
}

void frmList::cmdAdd_Click()
{
    rebindIfStale();
    if (!PrimaryCLS->MoveLast() || !PrimaryCLS->AddNew()) {
        showFailure(PrimaryCLS->lastError());
        followRecordset();
        return;
    }
    followRecordset();
    grdDataGrid->setFocus();
    lblStatus->setText(catText("frmList.statusAddEdit"));
    m_addEditing = true;
    SetBrowseMode(false);
    setGridEditable(true);
}

void frmList::cmdCancel_Click()
{
    finishCellEdit(false);
    PrimaryCLS->Cancel();
    m_addEditing = false;
    SetBrowseMode(true);
    setGridEditable(false);
    followRecordset();
}

void frmList::cmdDelete_Click()
{
    rebindIfStale();
    const MsgAnswer answer = showMessage(this, catText("frmList.msgDelete"), MsgButtons::YesNo,
                                         MsgIcon::Question, windowTitle());
    if (answer == MsgAnswer::Yes) {
        if (!PrimaryCLS->Delete()) {
            showFailure(PrimaryCLS->lastError());
            followRecordset();
            return;
        }
        // The counter names the record that is current now, not the deleted one.
        followRecordset();
        showRecordCounter();
    } else {
        PrimaryCLS->Cancel();
    }
}

void frmList::cmdUpdate_Click()
{
    finishCellEdit(true);
    const std::shared_ptr<Recordset> rs = gRecordset;
    // A new record nobody typed into is not stored as an empty row.
    if (rs)
        dropBlankNewRecord(*rs);
    QString why;
    // The cursor's Update runs the statistic too.
    if (!PrimaryCLS->Update(&why)) {
        showFailure(why.isEmpty() ? PrimaryCLS->lastError() : why);
        followRecordset();
        return;
    }
    m_addEditing = false;
    SetBrowseMode(true);
    setGridEditable(false);
    followRecordset();
}

bool frmList::refreshRecords()
{
    if (!PrimaryCLS->Requery()) {
        showFailure(PrimaryCLS->lastError());
        return false;
    }
    QString why;
    if (!UpdateBpStatistics(&why)) {
        showFailure(why);
        return false;
    }
    return true;
}

void frmList::cmdRefresh_Click()
{
    rebindIfStale();
    refreshRecords();
    followRecordset();
    showRecordCounter();
}

// Window events ---------------------------------------------------------

bool frmList::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_addEditing || !PrimaryCLS)
        return false;
    return runRecordKey(*this, key, modifiers);
}

void frmList::Form_Resize()
{
    const int innerHeight = pixelsToTwips(height());
    const int buttonsHeight = kCommandHeight;
    const int statusHeight = kNavigationHeight;

    // The strips sit at the bottom, the navigation strip lowest.
    picStatBox->placeAtBottom(width(), height());
    picButtons->setGeometry(0, picStatBox->y() - twipsToPixels(buttonsHeight), width(),
                            twipsToPixels(buttonsHeight));

    // Each step is skipped when its value cannot be (a negative size).
    const int gridHeight = innerHeight - 30 - buttonsHeight - statusHeight;
    if (gridHeight >= 0)
        grdDataGrid->setGeometry(0, 0, width(), twipsToPixels(gridHeight));
}

void frmList::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    unsetCursor();
    m_followTimer->stop();
    if (PrimaryCLS && PrimaryCLS->isOpen()) {
        finishCellEdit(true);
        // Nothing to refresh once the file itself was closed.
        const std::shared_ptr<Recordset> rs = gRecordset;
        if (rs && rs->isOpen()) {
            rebindIfStale();
            refreshRecords();
        }
    }
    m_model->setRecordset(nullptr);
    PrimaryCLS.reset();
}
