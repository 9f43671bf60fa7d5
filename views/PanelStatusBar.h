#pragma once
// The status bar of the reading windows and the serial settings window:
// two sunken text panels side by side, the second taking the width that is
// left. Panels are numbered 1 and 2, as the windows' texts name them.
#include <QStatusBar>

class QLabel;

class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    PanelStatusBar(const QString& panel1, const QString& panel2, int panel1MinimumWidth, QWidget* parent);

    // The text of panel 1 or 2; empty for any other number.
    QString panel(int number) const;
    void setPanels(const QString& panel1, const QString& panel2);
    void setPanel2(const QString& panel2);

private:
    QLabel* m_panel1;
    QLabel* m_panel2;
};
