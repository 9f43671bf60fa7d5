#pragma once
// The scale under the reading window's progress bar: tick lines and the
// numbers 0 to the bar's maximum in ten steps. At the designed range of 100
// it reads as the designed scale label; when a run outgrows the range the
// numbers follow the bar.
#include <QWidget>

class ProgressScale : public QWidget {
    Q_OBJECT
public:
    explicit ProgressScale(QWidget* parent = nullptr);

    void setMaximum(int maximum);
    int maximum() const { return m_maximum; }
    // The scale as text (the designed label at 100).
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_maximum = 100;
};
