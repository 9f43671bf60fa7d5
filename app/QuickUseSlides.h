#pragma once
// The slides of the quick-use slide show and the walk through them. Each
// slide is a step of the work flow with its text and a picture of the
// program's windows at that step; the pictures are made at build time by
// tools/quick-use-slides and linked in as resources (":/quick-use/<en|de>/").
// An edition shows only the steps it has a text for: six in English, five
// in German (no step for the question that confirms a new file).
#include <QList>
#include <QString>

enum class QuickUseStep { NewFile, CreateFile, Read, Table, Trend, Bar };

struct QuickUseSlide {
    QuickUseStep step;
    QString text;
    QString picturePath;
};

// Name of a step as it stands in the picture's file name ("NewFile", ...).
QString quickUseStepName(QuickUseStep step);
// The slides of the current edition, in order.
QList<QuickUseSlide> quickUseSlides();

// Where a slide show stands: slide numbers count from 1 and never leave
// 1..count (a show without slides stays at 1). Moves past either end stop there.
class SlideNavigation {
public:
    explicit SlideNavigation(int count);

    int count() const { return m_count; }
    int current() const { return m_current; }

    void first();
    void previous();
    void next();
    void last();

    // The window caption: prefix, number and count each with the blank for
    // its sign, between them the separator ("Quick Use " " 2" " / " " 6").
    QString caption(const QString& prefix, const QString& separator) const;

private:
    int m_count;
    qint16 m_current = 1;
};
