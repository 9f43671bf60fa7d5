#include "views/frmRecordings.h"

#include "data/AbpmSummaryWords.h"
#include "data/RecordingDetails.h"
#include "data/RecordingsIndex.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"
#include "views/RecordingsModel.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kLeastCompared = 2;
constexpr int kMostCompared = 4;

} // namespace

frmRecordings::frmRecordings(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmRecordings"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(catText("recordings.caption"));
    buildControls();
    resize(980, 560);
}

frmRecordings::~frmRecordings() = default;

void frmRecordings::buildControls()
{
    auto* lblFolder = new QLabel(catText("recordings.lblFolder"), this);
    txtFolder = new QLineEdit(this);
    txtFolder->setObjectName(QStringLiteral("txtFolder"));
    lblFolder->setBuddy(txtFolder);
    auto* lblSearch = new QLabel(catText("recordings.lblSearch"), this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setClearButtonEnabled(true);
    txtSearch->setPlaceholderText(catText("recordings.searchHint"));
    lblSearch->setBuddy(txtSearch);

    grdRecordings = new QTableView(this);
    grdRecordings->setObjectName(QStringLiteral("grdRecordings"));
    grdRecordings->setAccessibleName(catText("recordings.caption"));
    grdRecordings->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRecordings->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdRecordings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRecordings->setSortingEnabled(true);
    grdRecordings->setWordWrap(false);
    grdRecordings->setTabKeyNavigation(false);
    grdRecordings->verticalHeader()->hide();
    grdRecordings->verticalHeader()->setDefaultSectionSize(grdRecordings->fontMetrics().height() + 6);
    grdRecordings->horizontalHeader()->setHighlightSections(false);

    pgbLook = new QProgressBar(this);
    pgbLook->setObjectName(QStringLiteral("pgbLook"));
    pgbLook->setAccessibleName(catText("recordings.progressName"));
    pgbLook->setMaximumWidth(220);
    pgbLook->hide();
    lblState = new QLabel(this);
    lblState->setObjectName(QStringLiteral("lblState"));
    cmdOpen = new QPushButton(catText("recordings.cmdOpen"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdCompare = new QPushButton(catText("recordings.cmdCompare"), this);
    cmdCompare->setObjectName(QStringLiteral("cmdCompare"));
    cmdClose = new QPushButton(catText("recordings.cmdClose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto* top = new QGridLayout;
    top->addWidget(lblFolder, 0, 0);
    top->addWidget(txtFolder, 0, 1);
    top->addWidget(lblSearch, 0, 2);
    top->addWidget(txtSearch, 0, 3);
    top->setColumnStretch(1, 3);
    top->setColumnStretch(3, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pgbLook);
    bottom->addWidget(lblState, 1);
    bottom->addWidget(cmdOpen);
    bottom->addWidget(cmdCompare);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grdRecordings, 1);
    layout->addLayout(bottom);

    setTabOrder(txtFolder, txtSearch);
    setTabOrder(txtSearch, grdRecordings);
    setTabOrder(grdRecordings, cmdOpen);
    setTabOrder(cmdOpen, cmdCompare);
    setTabOrder(cmdCompare, cmdClose);

    connect(txtFolder, &QLineEdit::returnPressed, this, &frmRecordings::folderTyped);
    connect(txtSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_filter)
            m_filter->setSearch(text);
        showState();
    });
    txtSearch->installEventFilter(this);
    connect(grdRecordings, &QAbstractItemView::activated, this, [this] { cmdOpen_Click(); });
    connect(cmdOpen, &QPushButton::clicked, this, &frmRecordings::cmdOpen_Click);
    connect(cmdCompare, &QPushButton::clicked, this, &frmRecordings::cmdCompare_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

bool frmRecordings::Form_Load()
{
    showFolder(&RecordingsIndex::forDataFolder());
    txtSearch->setFocus();
    return true;
}

void frmRecordings::showFolder(RecordingsIndex* index)
{
    if (m_index)
        disconnect(m_index, nullptr, this, nullptr);
    m_index = index;
    txtFolder->setText(QDir::toNativeSeparators(index->folder()));
    auto* model = new RecordingsModel(index, this);
    auto* filter = new RecordingsFilter(this);
    filter->setSourceModel(model);
    filter->setSearch(txtSearch->text());
    grdRecordings->setModel(filter);
    if (m_filter) {
        m_filter->deleteLater();
        m_model->deleteLater();
    }
    m_model = model;
    m_filter = filter;
    if (!m_sorted) {
        // Newest first until the user sorts otherwise.
        grdRecordings->sortByColumn(RecordingsModel::Start, Qt::DescendingOrder);
        m_sorted = true;
    } else {
        filter->sort(grdRecordings->horizontalHeader()->sortIndicatorSection(),
                     grdRecordings->horizontalHeader()->sortIndicatorOrder());
    }
    setColumnWidths();
    connect(grdRecordings->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmRecordings::choiceChanged);
    connect(index, &RecordingsIndex::progress, this, &frmRecordings::showProgress);
    connect(index, &RecordingsIndex::lookFinished, this, [this] {
        m_done = m_total = 0;
        showState();
    });
    connect(index, &RecordingsIndex::reachableChanged, this, &frmRecordings::showState);
    connect(model, &QAbstractItemModel::rowsInserted, this, &frmRecordings::showState);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &frmRecordings::showState);
    connect(model, &QAbstractItemModel::modelReset, this, &frmRecordings::showState);
    m_done = m_total = 0;
    if (index->scanning() && !index->looked())
        m_total = -1; // a first look: busy until the count is known
    index->start();
    showState();
    choiceChanged();
}

// Wide enough for what a column holds (measured on typical texts, not on
// every row: a folder may hold thousands).
void frmRecordings::setColumnWidths()
{
    const QFontMetrics metrics = grdRecordings->fontMetrics();
    const QString date = detailsDateText(QDate(2026, 12, 31));
    const QString samples[RecordingsModel::ColumnCount] = {
        QStringLiteral("Mustermann-Lüdenscheidt, Anna"), QStringLiteral("0000000000"), date,
        date + QStringLiteral(" 23:59"), QStringLiteral("00000"), QStringLiteral("100.0 %"),
        QStringLiteral("000.0/000.0"), QStringLiteral("000.0/000.0"), QStringLiteral("000.0/000.0"),
        abpmDipClassText(DipClass::ExtremeDipper), catText("recordings.yes"), catText("recordings.yes"),
        QStringLiteral("Mustermann_Anna_0000_2026-12-31.amb"), AmbFileStatus{AmbFileStatus::OtherEdition, {}}.reasonText()};
    for (int c = 0; c < RecordingsModel::ColumnCount; ++c) {
        const int header = metrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 28;
        grdRecordings->setColumnWidth(c, std::max(header, metrics.horizontalAdvance(samples[c]) + 12));
    }
}

void frmRecordings::folderTyped()
{
    const QString folder = QDir::fromNativeSeparators(txtFolder->text().trimmed());
    if (!QFileInfo(folder).isDir()) {
        showMessage(this, catText("recordings.msgNoFolder").arg(txtFolder->text()), MsgButtons::Ok,
                    MsgIcon::Information, windowTitle());
        return;
    }
    showFolder(&RecordingsIndex::forFolder(folder));
}

void frmRecordings::showProgress(int done, int total)
{
    m_done = done;
    m_total = total;
    showState();
}

void frmRecordings::showState()
{
    if (!m_model)
        return;
    const bool looking = m_total < 0 || m_done < m_total;
    pgbLook->setVisible(looking);
    if (looking) {
        pgbLook->setRange(0, std::max(m_total, 0));
        pgbLook->setValue(std::max(m_done, 0));
    }
    QString text = catText("recordings.lblCount").arg(m_filter->rowCount()).arg(m_model->rowCount());
    if (looking && m_total > 0)
        text += QStringLiteral("  ") + catText("recordings.lblLooking").arg(m_done).arg(m_total);
    if (!m_model->reachable())
        text += QStringLiteral("  ") + catText("recordings.lblUnreachable");
    lblState->setText(text);
}

QStringList frmRecordings::chosenPaths() const
{
    QStringList paths;
    if (!grdRecordings->selectionModel())
        return paths;
    QModelIndexList rows = grdRecordings->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        paths << row.data(RecordingsModel::PathRole).toString();
    return paths;
}

bool frmRecordings::canCompare() const
{
    if (!grdRecordings->selectionModel())
        return false;
    const QModelIndexList rows = grdRecordings->selectionModel()->selectedRows();
    if (rows.size() < kLeastCompared || rows.size() > kMostCompared)
        return false;
    QSet<QString> patients;
    for (const QModelIndex& row : rows) {
        const int source = m_filter->mapToSource(row).row();
        const RecordingEntry& e = m_model->entry(source);
        if (!e.readable() || e.patientKey().isEmpty())
            return false;
        patients.insert(e.patientKey());
    }
    return patients.size() == 1;
}

void frmRecordings::choiceChanged()
{
    cmdCompare->setEnabled(canCompare());
    cmdOpen->setEnabled(grdRecordings->selectionModel() && grdRecordings->selectionModel()->hasSelection());
}

void frmRecordings::cmdOpen_Click()
{
    const QModelIndex current = grdRecordings->currentIndex();
    if (!current.isValid())
        return;
    emit openRequested(current.data(RecordingsModel::PathRole).toString());
}

void frmRecordings::cmdCompare_Click()
{
    if (canCompare())
        emit compareRequested(chosenPaths());
}

bool frmRecordings::eventFilter(QObject* watched, QEvent* event)
{
    // From the search box the arrow keys and Return go to the list.
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            grdRecordings->setFocus();
            if (!grdRecordings->currentIndex().isValid() && m_filter && m_filter->rowCount() > 0)
                grdRecordings->setCurrentIndex(m_filter->index(0, 0));
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_filter && m_filter->rowCount() == 1) {
            grdRecordings->setCurrentIndex(m_filter->index(0, 0));
            cmdOpen_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
