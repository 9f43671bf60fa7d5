#pragma once
// The serial settings window: the port the recorder is connected to and
// the line settings (baud rate, parity, data bits, stop bits). A click in
// one of the four line lists changes gCommSet at once; OK writes the
// settings store and applies the choice to the reading windows' ports.
// Beside the port list it shows, and lets the user choose, the device that
// the chosen port name stands for on this machine.
#include <QHash>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class PanelStatusBar;

class frmComm : public QWidget {
    Q_OBJECT
public:
    // Load step included; the window is not shown.
    explicit frmComm(QWidget* parent = nullptr);

    void Form_Load();
    // The one behaviour of the four line lists.
    void Combo_Click();
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel

    QString statusPanel(int panel) const;

    QComboBox* Combo1 = nullptr; // baud rate
    QComboBox* Combo2 = nullptr; // parity
    QComboBox* Combo3 = nullptr; // data bits
    QComboBox* Combo4 = nullptr; // stop bits
    QComboBox* Combo5 = nullptr; // port name
    QComboBox* cboDevice = nullptr; // device of the port name
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    PanelStatusBar* sbStatusBar = nullptr;

private:
    void buildWindow();
    QGroupBox* listFrame(const char* captionKey, QComboBox* list);
    void showDeviceOfPort();
    void rememberDevice(const QString& device);
    // False, with why, when the store refused one.
    bool writeChosenDevices(QString* why);

    QLabel* m_deviceLabel = nullptr;
    // Devices chosen in this window, by port name, written on OK.
    QHash<QString, QString> m_chosenDevices;
    bool m_showingDevice = false;
};
