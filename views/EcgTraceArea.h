#pragma once
// The waveform window's drawing area (Picture1): a fixed background picture
// with straight lines drawn over it, placed in twips (15 to a pixel) from
// its top left corner. clear() takes the lines away and keeps the picture.
// The lines live in an image of their own, so drawing one repaints only the
// strip it covers.
#include <QImage>
#include <QWidget>

class EcgTraceArea : public QWidget {
    Q_OBJECT
public:
    explicit EcgTraceArea(const QImage& background, QWidget* parent = nullptr);

    int widthTwips() const;
    int heightTwips() const;

    void clear();
    void drawLine(QPoint fromTwips, QPoint toTwips, const QColor& colour);

    // The picture with the lines drawn so far, as shown.
    const QImage& image() const { return m_image; }
    // Lines drawn since the area was made.
    qint64 linesDrawn() const { return m_lines; }

    QSize sizeHint() const override { return m_background.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_background;
    QImage m_image;
    qint64 m_lines = 0;
};
