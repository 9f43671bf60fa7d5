#include "views/PanelStatusBar.h"

#include <QLabel>

PanelStatusBar::PanelStatusBar(const QString& panel1, const QString& panel2, int panel1MinimumWidth,
                               QWidget* parent)
    : QStatusBar(parent)
    , m_panel1(new QLabel(panel1, this))
    , m_panel2(new QLabel(panel2, this))
{
    setSizeGripEnabled(false);
    m_panel1->setMinimumWidth(panel1MinimumWidth);
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    addWidget(m_panel1);
    addWidget(m_panel2, 1);
}

QString PanelStatusBar::panel(int number) const
{
    if (number == 1)
        return m_panel1->text();
    if (number == 2)
        return m_panel2->text();
    return {};
}

void PanelStatusBar::setPanels(const QString& panel1, const QString& panel2)
{
    m_panel1->setText(panel1);
    m_panel2->setText(panel2);
}

void PanelStatusBar::setPanel2(const QString& panel2)
{
    m_panel2->setText(panel2);
}
