#include "views/EcgTracePen.h"

#include "views/EcgTraceArea.h"

namespace {

// numerator / 8 rounded to a whole number, halves to the even neighbour;
// in whole numbers, so no floating-point rounding mode is involved.
int eighthsRounded(int numerator)
{
    const int quotient = numerator >= 0 ? numerator / 8 : -((-numerator + 7) / 8);
    const int remainder = numerator - 8 * quotient; // 0..7
    if (remainder > 4 || (remainder == 4 && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace

EcgTracePen::EcgTracePen(EcgTraceArea& area, bool withScaleStrip)
    : m_area(area)
    , m_startX(withScaleStrip ? kStripStartTwips : 0)
    , m_heightEighths(withScaleStrip ? 7 : 5)
    , m_lift(withScaleStrip ? kStripLiftTwips : 0)
{
}

void EcgTracePen::start()
{
    m_x = m_startX;
    m_previousX = m_startX;
    m_previousY = eighthsRounded(4 * m_area.heightTwips());
}

int EcgTracePen::sampleY(quint8 sample) const
{
    return eighthsRounded(m_heightEighths * m_area.heightTwips() - 8 * (kTwipsPerUnit * sample + m_lift));
}

void EcgTracePen::draw(quint8 sample)
{
    const int y = sampleY(sample);
    m_area.drawLine({m_previousX, m_previousY}, {m_x, y}, kColour);
    m_previousX = m_x;
    m_previousY = y;
    m_x += kStepTwips;
    if (m_x > m_area.widthTwips()) {
        m_area.clear();
        m_x = m_startX;
        m_previousX = m_startX;
    }
}
