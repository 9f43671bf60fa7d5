#include "app/QuickUseSlides.h"

#include "data/NumberText.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QtGlobal>

namespace {

struct StepEntry {
    QuickUseStep step;
    const char* name;
    const char* textKey;
};

const StepEntry kSteps[] = {
    {QuickUseStep::NewFile, "NewFile", "frmSRdemo.textNewFile"},
    {QuickUseStep::CreateFile, "CreateFile", "frmSRdemo.textCreateFile"},
    {QuickUseStep::Read, "Read", "frmSRdemo.textRead"},
    {QuickUseStep::Table, "Table", "frmSRdemo.textTable"},
    {QuickUseStep::Trend, "Trend", "frmSRdemo.textTrend"},
    {QuickUseStep::Bar, "Bar", "frmSRdemo.textBar"},
};

} // namespace

QString quickUseStepName(QuickUseStep step)
{
    for (const StepEntry& entry : kSteps)
        if (entry.step == step)
            return QString::fromLatin1(entry.name);
    return {};
}

QList<QuickUseSlide> quickUseSlides()
{
    const QString folder = Edition::current().isGerman() ? QStringLiteral("de") : QStringLiteral("en");
    QList<QuickUseSlide> slides;
    for (const StepEntry& entry : kSteps) {
        const QString text = catText(entry.textKey);
        if (text.isEmpty())
            continue;
        slides.append({entry.step, text,
                       QStringLiteral(":/quick-use/%1/%2.png").arg(folder, QString::fromLatin1(entry.name))});
    }
    return slides;
}

SlideNavigation::SlideNavigation(int count)
    : m_count(qBound(1, count, 32767))
{
}

void SlideNavigation::first()
{
    m_current = 1;
}

void SlideNavigation::previous()
{
    if (m_current > 1)
        --m_current;
}

void SlideNavigation::next()
{
    if (m_current < m_count)
        ++m_current;
}

void SlideNavigation::last()
{
    m_current = qint16(m_count);
}

QString SlideNavigation::caption(const QString& prefix, const QString& separator) const
{
    return prefix + numberText(double(m_current)) + separator + numberText(double(m_count));
}
