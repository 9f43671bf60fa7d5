#pragma once
// What the print preview shows, prints and saves as PDF: a document of one
// or more pages, laid out for one page body, each page painted on its own.
// The list report and the ABPM summary page are such documents.
class QPainter;

class PagedDocument {
public:
    virtual ~PagedDocument() = default;

    // At least one.
    virtual int pageCount() const = 0;
    // Paints a page (1-based). The painter works in twips with its origin
    // at the body's top-left corner.
    virtual void paintPage(QPainter& painter, int page) const = 0;
};
