#include "state/MainStatusPanels.h"

#include "text/MessageCatalogue.h"

MainStatusPanels& MainStatusPanels::instance()
{
    static MainStatusPanels panels;
    return panels;
}

QString MainStatusPanels::text(int panel) const
{
    return (panel >= 1 && panel <= 6) ? m_texts[size_t(panel)] : QString();
}

void MainStatusPanels::setText(int panel, const QString& text)
{
    if (panel < 1 || panel > 6)
        return;
    m_texts[size_t(panel)] = text;
    emit panelChanged(panel, text);
}

void MainStatusPanels::clear()
{
    for (int p = 1; p <= 6; ++p)
        setText(p, QString());
}

void MainStatusPanels::setFile(const QString& path)
{
    setText(File, catText("frmMain.sbFile") + path);
}

void MainStatusPanels::setRecordCount(qint64 count)
{
    // The number is written with its sign place: a blank for 0 and above.
    const QString number = count >= 0 ? QStringLiteral(" ") + QString::number(count)
                                       : QString::number(count);
    setText(Records, number + catText("frmMain.sbRecords"));
}
