#pragma once
// The data list report over one record set, paged for one body height.
// Pages are worked out by arithmetic from the record count (every band has
// a fixed height), so any page can be painted on its own without laying
// out the pages before it: a preview of a long file shows its first page
// at once, and a change of the record set only changes the count.
//
// Page 1 starts with the report header; every page has the page header at
// its top and the page footer at its foot; the records follow in the
// record set's order; the report footer follows the last record, on a page
// of its own when it does not fit.
#include "print/PagedDocument.h"
#include "print/ReportLayout.h"

#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class Recordset;

class ReportDocument : public PagedDocument {
public:
    ReportDocument(ReportLayout layout, std::shared_ptr<Recordset> records, int bodyHeight);

    // The bound columns that the record set does not have.
    QStringList missingColumns() const;

    // Pages for the record set as it is now (at least one).
    int pageCount() const override;
    // Records printed on a page (1-based).
    int recordsOn(int page) const;

    void paintPage(QPainter& painter, int page) const override;

private:
    qint64 recordCount() const;
    // The first record (0-based row) printed on a page.
    qint64 firstRecordOn(int page) const;
    int firstPageCapacity() const;
    int pageCapacity() const;
    // The report footer does not fit under the last record: it gets a page.
    bool footerOnPageOfItsOwn() const;
    int recordPages() const;
    void paintBand(QPainter& painter, const ReportBand& band, int top, qint64 record) const;

    ReportLayout m_layout;
    std::shared_ptr<Recordset> m_records;
    int m_bodyHeight;
    std::vector<int> m_fieldOfBox; // record set field of each detail text box
};
