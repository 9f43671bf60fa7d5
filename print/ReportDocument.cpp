#include "print/ReportDocument.h"

#include "platform/Recordset.h"
#include "views/FieldText.h"

#include <QPainter>

#include <algorithm>

ReportDocument::ReportDocument(ReportLayout layout, std::shared_ptr<Recordset> records, int bodyHeight)
    : m_layout(std::move(layout))
    , m_records(std::move(records))
    , m_bodyHeight(bodyHeight)
{
    for (const ReportTextBox& box : m_layout.detail.textBoxes)
        m_fieldOfBox.push_back(m_records ? m_records->fieldIndex(box.column) : -1);
}

QStringList ReportDocument::missingColumns() const
{
    QStringList missing;
    for (size_t i = 0; i < m_fieldOfBox.size(); ++i)
        if (m_fieldOfBox[i] < 0)
            missing << m_layout.detail.textBoxes[i].column;
    return missing;
}

qint64 ReportDocument::recordCount() const
{
    return m_records ? std::max<qint64>(0, m_records->recordCount()) : 0;
}

// Paper too short for even one record still prints one per page.
int ReportDocument::firstPageCapacity() const
{
    const int room = m_bodyHeight - m_layout.reportHeader.height - m_layout.pageHeader.height
        - m_layout.pageFooter.height;
    return std::max(1, room / m_layout.detail.height);
}

int ReportDocument::pageCapacity() const
{
    const int room = m_bodyHeight - m_layout.pageHeader.height - m_layout.pageFooter.height;
    return std::max(1, room / m_layout.detail.height);
}

int ReportDocument::recordPages() const
{
    const qint64 count = recordCount();
    if (count <= firstPageCapacity())
        return 1;
    return int(1 + (count - firstPageCapacity() + pageCapacity() - 1) / pageCapacity());
}

bool ReportDocument::footerOnPageOfItsOwn() const
{
    const int last = recordPages();
    const int top = (last == 1 ? m_layout.reportHeader.height : 0) + m_layout.pageHeader.height
        + recordsOn(last) * m_layout.detail.height;
    return top + m_layout.reportFooter.height > m_bodyHeight - m_layout.pageFooter.height;
}

int ReportDocument::pageCount() const
{
    return recordPages() + (footerOnPageOfItsOwn() ? 1 : 0);
}

qint64 ReportDocument::firstRecordOn(int page) const
{
    if (page <= 1)
        return 0;
    return std::min(recordCount(), firstPageCapacity() + qint64(page - 2) * pageCapacity());
}

int ReportDocument::recordsOn(int page) const
{
    const qint64 first = firstRecordOn(page);
    const int capacity = page <= 1 ? firstPageCapacity() : pageCapacity();
    return int(std::clamp<qint64>(recordCount() - first, 0, capacity));
}

void ReportDocument::paintPage(QPainter& painter, int page) const
{
    int top = 0;
    if (page == 1) {
        paintBand(painter, m_layout.reportHeader, top, -1);
        top += m_layout.reportHeader.height;
    }
    paintBand(painter, m_layout.pageHeader, top, -1);
    top += m_layout.pageHeader.height;

    const qint64 first = firstRecordOn(page);
    const int count = recordsOn(page);
    for (int i = 0; i < count; ++i) {
        paintBand(painter, m_layout.detail, top, first + i);
        top += m_layout.detail.height;
    }
    if (page == pageCount())
        paintBand(painter, m_layout.reportFooter, top, -1);
    paintBand(painter, m_layout.pageFooter, m_bodyHeight - m_layout.pageFooter.height, -1);
}

void ReportDocument::paintBand(QPainter& painter, const ReportBand& band, int top, qint64 record) const
{
    // A text wider than its box prints whole: a value cut at the box's edge
    // would read as another number.
    constexpr int kFlags = Qt::TextSingleLine | Qt::TextDontClip;
    painter.setPen(QPen(Qt::black, ReportDesign::kRuleTwips, Qt::SolidLine, Qt::FlatCap));
    for (const ReportRule& rule : band.rules)
        painter.drawLine(QPointF(0, top + rule.top), QPointF(rule.width, top + rule.top));
    for (const ReportLabel& label : band.labels) {
        painter.setFont(label.font);
        painter.drawText(label.box.translated(0, top), int(label.alignment) | kFlags, label.caption);
    }
    for (size_t i = 0; i < band.textBoxes.size(); ++i) {
        const ReportTextBox& box = band.textBoxes[i];
        painter.setFont(box.font);
        const QString text = fieldText(m_records->valueAt(record, m_fieldOfBox[i]));
        painter.drawText(box.box.translated(0, top), int(box.alignment) | kFlags, text);
    }
}
