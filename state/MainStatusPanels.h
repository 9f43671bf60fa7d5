#pragma once
// The six panels of the main window's status bar, kept apart from the
// window so that the file commands and the record cursor can write them
// (and tests read them) whether or not the main window exists.
#include <QObject>
#include <QString>

#include <array>

class MainStatusPanels : public QObject {
    Q_OBJECT
public:
    enum Panel { File = 1, Records = 2, Panel3 = 3, Communication = 4, Date = 5, Time = 6 };

    static MainStatusPanels& instance();

    QString text(int panel) const;
    void setText(int panel, const QString& text);
    void clear();

    // "File: " followed by the path (or alone).
    void setFile(const QString& path);
    // A blank for the sign, the count, " Records" ("  12 Records" never: " 12 Records").
    void setRecordCount(qint64 count);

signals:
    void panelChanged(int panel, const QString& text);

private:
    MainStatusPanels() = default;
    std::array<QString, 7> m_texts; // index 1..6
};
