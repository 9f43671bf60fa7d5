#pragma once
// A picture button whose caption stays readable in full in a narrow box:
// the picture on top, the caption under it on one or two lines
// (CaptionFit), in the button's font. text() and the accessible name keep
// the caption as it stands.
#include <QToolButton>

class CaptionButton : public QToolButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent = nullptr);

    // The caption as drawn, one entry per line.
    QStringList shownLines() const;
    // Whether every drawn line fits the button's width.
    bool captionFits() const;
    // The width a caption has in a button this wide.
    static int captionWidthFor(int buttonWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int captionWidth() const { return captionWidthFor(width()); }
};
