#pragma once
// The edition (English or German) is chosen once by each program's main.
// It carries the catalogue language, the four edition-specific column names
// of table ambpdata and the few behaviour differences between the editions.
#include <QString>

enum class EditionId { English, German };

class Edition {
public:
    static const Edition& current();
    static const Edition& of(EditionId id);
    static void select(EditionId id);

    EditionId id() const { return m_id; }
    bool isGerman() const { return m_id == EditionId::German; }

    // Column names of ambpdata in this edition (the others are shared).
    QString colId() const;
    QString colDate() const;
    QString colTime() const;
    QString colPulse() const;

    QString programName() const;   // "korvane" / "korvaneg"
    bool hasEcgToolbarButton() const { return isGerman(); }

private:
    explicit Edition(EditionId id) : m_id(id) {}
    EditionId m_id;
};
