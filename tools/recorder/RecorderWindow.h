#pragma once
// A small service window that stands in for the recorder in demos: it shows
// the device the program should open, whether the program has it open, and
// has the recorder's send key. Its texts are plain English: it is a service
// tool, not one of the program's windows; a demo may show its instructions,
// in the edition's language, at the top, and keep the window on top.
#include "tools/recorder/RecorderOptions.h"
#include "tools/recorder/RecorderPlayer.h"

#include <QWidget>

class PtyEndpoint;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    RecorderWindow(const RecorderOptions& options, const QList<BpReading>& readings,
                   PtyEndpoint& endpoint, RecorderPlayer::Writer writer, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void send();
    void showLineState();
    void showProgress(int number, int count, bool delivered);

    RecorderOptions m_options;
    QList<BpReading> m_readings;
    PtyEndpoint& m_endpoint;
    RecorderPlayer m_player;

    QLabel* m_line = nullptr;
    QLabel* m_progress = nullptr;
    QRadioButton* m_bpMode = nullptr;
    QRadioButton* m_ecgMode = nullptr;
    QSpinBox* m_count = nullptr;
    QSpinBox* m_gap = nullptr;
    QSpinBox* m_offset = nullptr;
    QComboBox* m_fault = nullptr;
    QSpinBox* m_noise = nullptr;
    QSpinBox* m_heartRate = nullptr;
    QComboBox* m_layout = nullptr;
    QSpinBox* m_seconds = nullptr;
    QCheckBox* m_paced = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_stop = nullptr;
    bool m_placed = false;
};
