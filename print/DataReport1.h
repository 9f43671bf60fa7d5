#pragma once
// The data list report in the print preview (ReportPreview). The callers
// set the data member ("Primary") and the data source (a record cursor),
// then Show(): the window opens, not modal, on page 1 of the report laid
// out for the paper of the printer chosen under Printer Setup.
//
// The report reads the record set the cursor gave when it was shown and
// follows its changes; a cursor's Requery binds it again. A record set that
// is not open, or lacks a column the report prints (a file of the other
// edition), is refused with a message naming what is missing, and no
// window opens.
#include "print/ReportLayout.h"
#include "print/ReportPreview.h"

#include <QPointer>

#include <memory>

class Recordset;
class ReportDocument;
class clsbpdata;

class DataReport1 : public ReportPreview {
    Q_OBJECT
public:
    explicit DataReport1(QWidget* parent = nullptr);
    ~DataReport1() override;

    void setDataMember(const QString& dataMember);
    void setDataSource(clsbpdata* source);
    // Lays the report out and shows the window on page 1. False when the
    // record set was refused (the window stays as it was, and one that was
    // never shown goes away).
    bool Show();

    const ReportDocument* document() const;

protected:
    std::unique_ptr<PagedDocument> documentFor(const QPageLayout& page, QString* why) const override;
    QString pdfFileName() const override;

private:
    // A document over the record set, or nullptr with the reason in *why.
    std::unique_ptr<ReportDocument> documentFor(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
                                                QString* why) const;
    void bind(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
              std::unique_ptr<ReportDocument> document);
    void rebindAfterRequery();

    const ReportLayout m_layout;
    QString m_dataMember;
    QPointer<clsbpdata> m_source;
    std::shared_ptr<Recordset> m_records;
};
