#pragma once
// The ABPM report a doctor signs, laid out in fixed bands in twips like the
// list report: the header (title, practice line, date printed), who and
// when (patient, recording, physician, and what is not given), validity,
// the 24-hour profile (systolic, diastolic pressure and pulse of every valid
// reading over clock time, the asleep period shaded, the awake and asleep
// thresholds as lines, set-aside readings as crosses apart), the table of
// 24 hours, awake and asleep (mean ± SD, min and max with their times,
// load, count), night fall, morning surge, office class, and the conclusion
// with the date, the physician and a signature line. Black and white only:
// lines differ by width and dash, the shading by a pattern.
//
// One page; a conclusion too long for the room left moves to a second page.
#include "data/AbpmConclusion.h"
#include "data/AbpmReportFigures.h"
#include "data/RecordingDetails.h"
#include "print/PagedDocument.h"

#include <QDate>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

struct AbpmSignedReportContent {
    AbpmReportFigures figures;
    RecordingDetails details;
    AbpmConclusion conclusion;
    QString practice;
    QDate printed;
};

class AbpmSignedReportPage : public PagedDocument {
public:
    AbpmSignedReportPage(AbpmSignedReportContent content, const QPageLayout& page);

    int pageCount() const override { return m_conclusionOnPageTwo ? 2 : 1; }
    void paintPage(QPainter& painter, int page) const override;

    // Where the profile is drawn on page 1, in twips (for the tests).
    QRectF profileArea() const;

private:
    double paintHeader(QPainter& painter) const;
    double paintPatient(QPainter& painter, double top) const;
    double paintValidity(QPainter& painter, double top) const;
    double paintProfile(QPainter& painter, double top) const;
    double paintTable(QPainter& painter, double top) const;
    double paintClasses(QPainter& painter, double top) const;
    double paintConclusion(QPainter& painter, double top) const;
    double conclusionHeight() const;
    // The details the header names as not given, in the edition's words.
    QStringList missingDetails() const;
    double firstPartHeight() const;

    AbpmSignedReportContent m_content;
    QSizeF m_body; // twips
    bool m_conclusionOnPageTwo = false;
};
