// The ECG waveform window end to end in both editions: the real serial
// layer on a pseudo-terminal standing in for the recorder's line, the
// header texts, the trace as drawn, the time-out, Stop and Go/Start, the
// print, the failure path, and no sample lost at full speed.
#include "comm/PtyWait.h"
#include "comm/SyntheticEcg.h"
#include "state/SharedState.h"
#include "views/CommWindows.h"
#include "views/EcgBackground.h"
#include "views/EcgTraceArea.h"
#include "views/PanelStatusBar.h"
#include "views/frmReadwave.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPrinting.h"
#include "text/Edition.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"
#include "support/ScriptedSeams.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

const QColor kYellow(255, 255, 0);
// QRS 8, ST 5, pulse 72, 7 March, 14:05.
const EcgHeader kHeader{8, 5, 72, 3, 7, 14, 5};

bool german()
{
    return Edition::current().isGerman();
}

QString ed(const char* english, const char* german)
{
    return QString::fromUtf8(Edition::current().isGerman() ? german : english);
}

int ed(int english, int german)
{
    return Edition::current().isGerman() ? german : english;
}

FrameLayout editionLayout()
{
    return german() ? FrameLayout::Split : FrameLayout::WholeByte;
}

QByteArray headerBurst(const EcgHeader& header, FrameLayout layout)
{
    return buildHeaderBurst(header, layout, BurstShape{});
}

QString commFailure()
{
    return QStringLiteral(" Connecting Install or Communication Setting Incorrect !");
}

bool isYellow(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 80;
}

QStringList headerTexts(const frmReadwave* w)
{
    return {w->Text2->text(), w->Text3->text(), w->Text4->text(), w->Text5->text(), w->Text6->text()};
}

QStringList loadTexts()
{
    return {ed("QRS Duration : ", "QRS-Dauer : "), ed("ST Level : ", "ST-Höhe : "), ed("H.R.: ", "Pulse : "),
            ed("Date: ", "Datum: "), ed("Time: ", "Uhrzeit: ")};
}

// Collects what a widget repaints.
struct PaintedRegion : QObject {
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class TestReadwave : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        resetSharedState();
        m_seams = std::make_unique<ScriptedSeams>();
        m_pty = std::make_unique<PtyEndpoint>();
        QVERIFY(m_pty->open());
        pointPortAt(1, m_pty->devicePath());
        gCommSet = QStringLiteral("9600,n,8,1");
        gCommPort = QStringLiteral("COM1");
    }

    void cleanup()
    {
        if (frmReadwave* w = CommWindows::waveWindow())
            w->close();
        QTRY_VERIFY(!CommWindows::waveWindow());
        m_pty.reset();
        m_seams.reset();
        forgetChosenPrinter();
    }

    void theWindowAsItOpens()
    {
        frmReadwave* w = openWindow();
        QCOMPARE(w->windowTitle(), ed("Reading ECG Waveform", "EKG-Welle lesen"));
        QCOMPARE(w->CmdGo->text(), ed("Go", "Start"));
        QCOMPARE(w->CmdStop->text(), QStringLiteral("Stop"));
        QCOMPARE(w->CmdPrint->text(), ed("Print", "Drucken"));
        QCOMPARE(w->cmdClose->text(), ed("EXIT", "Beenden"));
        QCOMPARE(w->Check1->text(), ed("Continue", "Waiter"));
        QVERIFY(!w->Check1->isChecked());
        QCOMPARE(headerTexts(w), loadTexts());
        QCOMPARE(w->Text1->text(), QStringLiteral("0"));
        QCOMPARE(w->Text1->accessibleName(), ed("Heart rate", "Herzfrequenz"));
        QCOMPARE(w->Text1->font().family(), ed("Arial", "Arial Black"));
        QVERIFY(!w->Picture2->isVisible());
        // Every control a person can reach is named for a screen reader.
        QList<QWidget*> controls = {w->Picture1, w->Picture2};
        for (QWidget* control : w->findChildren<QWidget*>())
            if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control))
                controls << control;
        QCOMPARE(controls.size(), 13);
        for (QWidget* control : controls) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            QVERIFY(face);
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(), control->metaObject()->className());
        }
        QCOMPARE(w->statusPanel(1), ed("Read Now", "Jetzt lesen"));
        QCOMPARE(w->statusPanel(2), ed("Read data from RS232", "Daten von RS232 lesen,[Beenden]:Beenden"));

        // Yellow window and frame; the drawing area's dark blue field with
        // its brighter rules, and the edition's scale.
        QCOMPARE(w->palette().color(QPalette::Window), kYellow);
        QCOMPARE(w->Frame2->palette().color(QPalette::Window), kYellow);
        QCOMPARE(w->Picture1->size(), QSize(ed(768, 725), 341));
        QCOMPARE(w->Picture1->widthTwips(), ed(11520, 10875));
        QCOMPARE(w->Picture1->heightTwips(), 5115);
        const QImage& picture = w->Picture1->image();
        QCOMPARE(picture.pixelColor(100, 20), QColor(0, 0, 127));
        QCOMPARE(picture.pixelColor(100, EcgBackground::lineY(4)), QColor(0, 0, 239));
        QCOMPARE(picture.pixelColor(5, 100) == kYellow, german());
        if (german()) {
            QVERIFY(!w->scaleColumn);
        } else {
            QStringList labels;
            for (const QLabel* label : w->scaleColumn->findChildren<QLabel*>())
                labels << label->text();
            QCOMPARE(labels, QStringList({"2.0", "1.5", "1.0", "0.5", "0", "-0.5", "-1.0", "-1.5", "mV"}));
        }
    }

    // The same header bytes: the German edition reads them split, the
    // English one whole (b1 0x05, b2 0x07, b4 0x4E, b8 0x08, b3 0x08, b5 0x05, b7 0x03).
    void theHeaderTextsInTheEditionsLayoutAndNumberFormat()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, FrameLayout::Split));
        if (german())
            QCOMPARE(headerTexts(w), QStringList({"QRS Duration : 0,08 s", "ST Level : 0,05 mV", "Heart Rate : 72",
                                                  "Datum: 3 / 7", "Uhrzeit: 14 : 5"}));
        else
            QCOMPARE(headerTexts(w), QStringList({"QRS Duration : 0.05 s", "ST Level : 0.07 mV", "H.R.: 78",
                                                  "Date: 8 / 8", "Time: 5 : 3"}));
    }

    void stLevelsAbove128AreShownAs255MinusTheByte_data()
    {
        QTest::addColumn<int>("st");
        QTest::addColumn<QString>("shown");
        QTest::newRow("200") << 200 << "0.55";
        QTest::newRow("129") << 129 << "1.26";
        QTest::newRow("128") << 128 << "1.28";
        QTest::newRow("100") << 100 << "1";
    }
    void stLevelsAbove128AreShownAs255MinusTheByte()
    {
        QFETCH(int, st);
        QFETCH(QString, shown);
        frmReadwave* w = openWindow();
        EcgHeader header = kHeader;
        header.st = quint8(st);
        sendHeader(w, headerBurst(header, editionLayout()));
        QCOMPARE(w->Text3->text(),
                 QStringLiteral("ST Level : ") + (german() ? shown.replace('.', ',') : shown) + QStringLiteral(" mV"));
    }

    // A header block without a frame: the texts keep what they held, and
    // the trace starts all the same.
    void aHeaderBlockWithoutAFrameKeepsTheTextsAndStartsTheTrace()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        w->CmdStop->click();
        w->CmdGo->click();
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        const QStringList before = headerTexts(w);
        // German Start put the load texts back; English Go kept the header's.
        QCOMPARE(before.first(), ed("QRS Duration : 0.08 s", "QRS-Dauer : "));
        const qint64 lines = w->Picture1->linesDrawn();
        sendHeader(w, QByteArray(96, '\x20'));
        sendSamples(w, QByteArray(20, '\x40'));
        QCOMPARE(headerTexts(w), before);
        QCOMPARE(w->Picture1->linesDrawn(), lines + 20);
    }

    // Sample 0 lies at 7/8 of the height less 500 twips (English 5/8), and
    // sample 100 1500 twips higher; the trace starts 500 twips in (English
    // at the left edge), from half the height.
    void samplesAreDrawnAtTheirHeights()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        const int startX = ed(0, 500);
        QCOMPARE(w->pen().x(), startX);
        QCOMPARE(w->pen().previousY(), 2558); // 5115 / 2, the half to the even neighbour
        sendSamples(w, QByteArray(1, '\0'));
        const int y0 = ed(3197, 3976); // 5115 * 5/8 = 3196.875; 5115 * 7/8 - 500 = 3975.625
        QCOMPARE(w->pen().previousY(), y0);
        QCOMPARE(w->pen().x(), startX + 10);
        sendSamples(w, QByteArray(5, '\0') + QByteArray(6, char(100)));
        QCOMPARE(w->pen().previousY(), y0 - 1500);
        QCOMPARE(w->pen().x(), startX + 120);

        // Each level is a flat run: the zeros from startX to startX + 50
        // twips, the hundreds from startX + 60 to startX + 110.
        const QImage& image = w->Picture1->image();
        QVERIFY(isYellow(image.pixel(qRound(startX / 15.0), 200))); // the rise from half the height
        for (const auto& [middle, y] : {std::pair{30, y0}, std::pair{90, y0 - 1500}}) {
            const int column = qRound((startX + middle) / 15.0);
            const int row = qRound(y / 15.0);
            QVERIFY2(isYellow(image.pixel(column, row)), qPrintable(QString::number(middle)));
            QVERIFY(!isYellow(image.pixel(column, row - 2)));
            QVERIFY(!isYellow(image.pixel(column, row + 2)));
        }
    }

    // A sample repaints the strip of its line, not the drawing area.
    void aSampleRepaintsOnlyTheStripOfItsLine()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(20, char(60)));
        QTest::qWait(20);
        PaintedRegion painted;
        w->Picture1->installEventFilter(&painted);
        sendSamples(w, QByteArray(1, char(90)));
        QVERIFY(waitUntil([&] { return !painted.region.isEmpty(); }));
        const QRect strip = painted.region.boundingRect();
        QVERIFY2(strip.width() <= 4 && strip.height() <= 2 + (w->pen().sampleY(60) - w->pen().sampleY(90)) / 15 + 3,
                 qPrintable(QStringLiteral("%1x%2").arg(strip.width()).arg(strip.height())));
        QVERIFY(strip.contains(qRound(w->pen().previousX() / 15.0), qRound(w->pen().previousY() / 15.0)));
    }

    void theTraceStartsOverPastTheRightEdge()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        const int startX = w->pen().startX();
        const int toEdge = (w->Picture1->widthTwips() - startX) / 10;
        QCOMPARE(toEdge, ed(1152, 1037));
        sendSamples(w, QByteArray(toEdge, char(50)));
        QCOMPARE(w->pen().x(), startX + 10 * toEdge);
        QVERIFY(isYellow(w->Picture1->image().pixel(w->Picture1->width() - 2, qRound(w->pen().sampleY(50) / 15.0))));
        sendSamples(w, QByteArray(1, char(50)));
        QCOMPARE(w->pen().x(), startX);
        QCOMPARE(w->pen().previousX(), startX);
        QCOMPARE(w->pen().previousY(), w->pen().sampleY(50));
        QVERIFY(w->Picture1->image() == EcgBackground::picture(german(), QStringLiteral("mV")));
        // The next line starts at the left at the last height.
        sendSamples(w, QByteArray(1, char(60)));
        const int x = qRound(startX / 15.0);
        for (int y = w->pen().sampleY(60); y <= w->pen().sampleY(50); y += 15)
            QVERIFY(isYellow(w->Picture1->image().pixel(x, qRound(y / 15.0))));
        QCOMPARE(w->pen().x(), startX + 10);
    }

    // No time-out while the header is awaited; then a second without a
    // sample stops the reading, unless Continue/Waiter is ticked.
    void theTimeOutStopsUnlessContinueIsTicked()
    {
        frmReadwave* w = openWindow();
        QTest::qWait(1200);
        QCOMPARE(w->statusPanel(1), ed("Read Now", "Jetzt lesen"));
        QVERIFY(w->run().link().isPortOpen());

        w->Check1->setChecked(true);
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(10, char(70)));
        QTest::qWait(1300);
        QCOMPARE(w->statusPanel(1), ed("Read Now", "Jetzt lesen"));
        QCOMPARE(w->statusPanel(2), ed("[Close] to save data", "Daten von RS232 lesen,[Beenden]:Beenden"));
        QVERIFY(m_pty->peerIsOpen());
        const quint64 run = w->currentRun();
        sendSamples(w, QByteArray(10, char(70)));
        QCOMPARE(w->currentRun(), run);

        w->Check1->setChecked(false);
        QElapsedTimer quiet;
        quiet.start();
        sendSamples(w, QByteArray(1, char(70)));
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read Stop", "Stop lesen"); }, 3000));
        QVERIFY2(quiet.elapsed() >= 950, qPrintable(QString::number(quiet.elapsed())));
        QCOMPARE(w->statusPanel(2), ed("[Close] to save data , [Retry] to reset",
                                       "[Beenden]:Beenden,[Start]:Aktualisieren,[Drucken]:Drucken welle"));
        QVERIFY(!w->run().link().isPortOpen());
        QVERIFY(waitUntil([&] { return !m_pty->peerIsOpen(); }));
    }

    void stopEndsTheReadingAndGoStartsANewOne()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(30, char(80)));
        w->Text1->setText(QStringLiteral("75")); // as after beats
        w->CmdStop->click();
        QCOMPARE(w->statusPanel(1), ed("Read Stop", "Stop lesen"));
        QVERIFY(waitUntil([&] { return !m_pty->peerIsOpen(); }));
        const qint64 lines = w->Picture1->linesDrawn();
        m_pty->write(QByteArray(5, char(80)));
        QTest::qWait(30);
        QCOMPARE(w->Picture1->linesDrawn(), lines);

        const quint64 run = w->currentRun();
        const QStringList texts = headerTexts(w);
        w->CmdGo->click();
        QVERIFY(w->currentRun() > run);
        QCOMPARE(w->statusPanel(1), ed("Read Now", "Jetzt lesen"));
        QVERIFY(w->Picture1->image() == EcgBackground::picture(german(), QStringLiteral("mV")));
        QCOMPARE(headerTexts(w), german() ? loadTexts() : texts);
        QCOMPARE(w->Text1->text(), ed("75", "0"));
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        QCOMPARE(w->Text1->text(), QStringLiteral("0")); // sampling starts the detector over
        sendSamples(w, QByteArray(12, char(80)));
        QCOMPARE(w->Picture1->linesDrawn(), lines + 12);
    }

    // Go, or a return from another window, while a run waits: the new run
    // takes over and the earlier one never acts again.
    void aNewRunTakesOverFromAWaitingOne()
    {
        frmReadwave* w = openWindow();
        const quint64 first = w->currentRun();
        m_pty->write(QByteArray(40, '\x20'));
        QTest::qWait(20);
        w->CmdGo->click();
        QVERIFY(w->currentRun() > first);
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(10, char(90)));
        QTest::qWait(20);
        QCOMPARE(w->Picture1->linesDrawn(), 10);
        QCOMPARE(w->run().sampleCount(), 10);

        QWidget other;
        other.setWindowTitle(QStringLiteral("other"));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        const quint64 before = w->currentRun();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(waitUntil([&] { return w->currentRun() > before; }));
        QCOMPARE(w->statusPanel(1), ed("Read Now", "Jetzt lesen"));
        // The German window clears the trace on every activation.
        QCOMPARE(w->Picture1->image() == EcgBackground::picture(german(), QStringLiteral("mV")), german());
        QVERIFY(waitUntil([&] { return m_pty->peerIsOpen(); }));
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(5, char(90)));
        QCOMPARE(w->Picture1->linesDrawn(), 15);
    }

    // The German window prints on the system colour without its buttons,
    // status bar, beat indicator and live rate, and is whole again
    // afterwards; the English one prints as shown.
    void printGoesToTheChosenPrinter()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, FrameLayout::Split));
        sendSamples(w, QByteArray(200, char(70)));
        QVERIFY(!w->Picture2->isVisible());
        QTemporaryDir dir;
        // Printer setup chose a PDF file.
        m_seams->printerPdfPath = dir.filePath(QStringLiteral("wave.pdf"));
        QVERIFY(m_seams->printerDialog(nullptr, &chosenPrinter()));
        w->CmdPrint->click();
        QVERIFY(m_seams->messages.empty());
        QVERIFY(m_seams->fileRequests.empty());

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), m_seams->printerPdfPath, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(10000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(page.contains(ed("QRS Duration : 0.05 s", "QRS Duration : 0,08 s")), qPrintable(page.left(3000)));
        QVERIFY(page.contains(ed("Time: 5 : 3", "Uhrzeit: 14 : 5")));
        QVERIFY(page.contains(ed("Continue", "Waiter")));
        // Buttons and status bar: on the English page, not on the German.
        const QStringList controls = german() ? QStringList{"Drucken", "Beenden", "Start", "Stop", "RS232"}
                                              : QStringList{"Print", "EXIT", "Go", "Stop", "RS232"};
        for (const QString& control : controls)
            QVERIFY2(page.contains(control) != german(), qPrintable(control));

        // The window's colour on paper: yellow, or (German) the system's.
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"),
                                                  QStringLiteral("-singlefile"), m_seams->printerPdfPath,
                                                  dir.filePath(QStringLiteral("wave"))});
        QVERIFY(raster.waitForFinished(10000));
        const QImage paper(dir.filePath(QStringLiteral("wave.png")));
        QVERIFY(!paper.isNull());
        // The share of yellow in the window's picture on the page (all that
        // is not the paper's white).
        QRect window;
        for (int y = 0; y < paper.height(); ++y)
            for (int x = 0; x < paper.width(); ++x)
                if (qGray(paper.pixel(x, y)) < 245 || isYellow(paper.pixel(x, y)))
                    window |= QRect(x, y, 1, 1);
        QVERIFY(window.width() > paper.width() / 2);
        qint64 yellow = 0;
        for (int y = window.top(); y <= window.bottom(); ++y)
            for (int x = window.left(); x <= window.right(); ++x)
                yellow += isYellow(paper.pixel(x, y));
        const double share = double(yellow) / (qint64(window.width()) * window.height());
        QVERIFY2(german() ? share < 0.06 : share > 0.10, qPrintable(QString::number(share)));
        if (german()) {
            // The system window-background colour is the white of a text
            // area, not the grey of a dialog face.
            const QColor face = QApplication::palette().color(QPalette::Window);
            QVERIFY(face != QApplication::palette().color(QPalette::Base));
            const auto isFace = [&face](QRgb p) {
                return std::abs(qRed(p) - face.red()) <= 2 && std::abs(qGreen(p) - face.green()) <= 2
                    && std::abs(qBlue(p) - face.blue()) <= 2;
            };
            qint64 grey = 0;
            for (int y = window.top(); y <= window.bottom(); ++y)
                for (int x = window.left(); x <= window.right(); ++x)
                    grey += isFace(paper.pixel(x, y));
            const double greyShare = double(grey) / (qint64(window.width()) * window.height());
            QVERIFY2(greyShare < 0.05, qPrintable(QString::number(greyShare)));
        }

        for (QWidget* control : std::initializer_list<QWidget*>{w->CmdGo, w->CmdStop, w->CmdPrint, w->cmdClose,
                                                                w->StatusBar1, w->Text1})
            QVERIFY(control->isVisible());
        QCOMPARE(w->Picture2->isVisible(), german());
        QCOMPARE(w->palette().color(QPalette::Window), kYellow);
        QCOMPARE(w->Frame2->palette().color(QPalette::Window), kYellow);
        if (german())
            QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->Picture1));
        // The reading went on meanwhile.
        sendSamples(w, QByteArray(3, char(70)));
    }

    void aMissingPortShowsThePlatformsTextNamingTheDeviceAndTheWindowCloses()
    {
        const QString device = QStringLiteral("/nonexistent/recorder");
        pointPortAt(1, device);
        CommWindows::showWaveWindow();
        QTRY_VERIFY(!CommWindows::waveWindow());
        QCOMPARE(m_seams->messageTexts(), QStringList{commFailure() + QString::fromLocal8Bit(std::strerror(ENOENT))
                                                      + ed(" , Device %1 (COM1)", " , Gerät %1 (COM1)").arg(device)});
        QCOMPARE(m_seams->messages[0].title, QStringLiteral("KORVANE"));
        QCOMPARE(m_seams->messages[0].buttons, MsgButtons::Ok);
    }

    void aLineVanishingMidStripShowsTheMessageAndTheWindowCloses()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        sendSamples(w, QByteArray(50, char(60)));
        m_pty->close(); // the recorder's cable is pulled
        QTRY_VERIFY(!CommWindows::waveWindow());
        QCOMPARE(int(m_seams->messages.size()), 1);
        QVERIFY(m_seams->messages[0].text.startsWith(commFailure()));
        QVERIFY(m_seams->messages[0].text.size() > commFailure().size());
    }

    // A strip at 72 beats a minute sent as fast as the line takes it, in
    // pieces of 1 to 200 bytes: every sample drawn, and the rate found.
    void noSampleIsLostAtFullSpeed()
    {
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        EcgSettings settings;
        settings.beatsPerMinute = 72;
        settings.seconds = 60;
        const QByteArray strip = makeSyntheticEcg(settings).samples;
        QCOMPARE(strip.size(), 7680);
        const qint64 lines = w->Picture1->linesDrawn();
        QRandomGenerator random(11);
        qsizetype sent = 0;
        while (sent < strip.size()) {
            const qsizetype piece = qMin<qsizetype>(random.bounded(1, 201), strip.size() - sent);
            const qint64 written = m_pty->write(strip.mid(sent, piece), 0);
            sent += qMax<qint64>(written, 0);
            // Only when the terminal's buffer is full: let the window read.
            if (written < piece)
                QCoreApplication::processEvents();
        }
        QVERIFY(waitUntil([&] { return w->run().sampleCount() == strip.size(); }));
        QCOMPARE(w->Picture1->linesDrawn() - lines, qint64(strip.size()));
        const int rate = w->Text1->text().toInt();
        QVERIFY2(qAbs(rate - 72) <= 2, qPrintable(w->Text1->text()));
    }

    // What the demo shows: the simulator's ECG strip at the pace of a
    // 9600 baud line, 128 samples a second, header in the edition's layout.
    void theSimulatorsStripRunsWithItsHeartRate()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("recorder"));
        QProcess simulator;
        // It hangs up only after the window's time-out has stopped reading.
        simulator.start(qEnvironmentVariable("KORVANE_BUILD_DIR") + QStringLiteral("/tools/korvane-recorder"),
                        {"--ecg", "--layout", german() ? "split" : "whole", "--seconds", "5", "--baud", "9600",
                         "--link", link, "--delay", "50", "--linger", "2000"});
        QVERIFY(simulator.waitForStarted());
        QVERIFY(waitUntil([&] { return QFileInfo(link).exists(); }));
        pointPortAt(1, link);
        frmReadwave* w = openWindow(false);
        QVERIFY(waitUntil([&] { return w->run().isSampling(); }));
        QCOMPARE(w->Text4->text(), ed("H.R.: 72", "Heart Rate : 72"));
        QVERIFY(waitUntil([&] { return w->statusPanel(1) == ed("Read Stop", "Stop lesen"); }, 10000));
        // Five seconds of samples (the fifth beat shows the rate), and the
        // rest of the header's burst after its block.
        const qint64 samples = w->run().sampleCount();
        QVERIFY2(samples >= 5 * 128 && samples <= 5 * 128 + 16, qPrintable(QString::number(samples)));
        QCOMPARE(w->Picture1->linesDrawn(), samples);
        QVERIFY2(qAbs(w->Text1->text().toInt() - 72) <= 2, qPrintable(w->Text1->text()));
        QVERIFY(simulator.waitForFinished(5000));
        QVERIFY(m_seams->messages.empty());
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        frmReadwave* w = openWindow();
        sendHeader(w, headerBurst(kHeader, editionLayout()));
        EcgSettings settings;
        settings.seconds = 8;
        const QByteArray strip = makeSyntheticEcg(settings).samples;
        // Up to a beat, so that the indicator shows.
        qsizetype end = 900;
        sendSamples(w, strip.left(end));
        while (!w->Picture2->isVisible() && end < strip.size())
            sendSamples(w, strip.mid(end++, 1));
        sendSamples(w, strip.mid(end, 4));
        QVERIFY(w->grab().save(QString::fromUtf8(folder) + QStringLiteral("/frmReadwave-") + ed("en", "de")
                               + QStringLiteral(".png")));
    }

private:
    static void pointPortAt(int number, const QString& device)
    {
        QVERIFY(writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                             QStringLiteral("COM%1").arg(number), device));
    }

    // ownLine: the window reads the test's own pseudo-terminal.
    frmReadwave* openWindow(bool ownLine = true)
    {
        CommWindows::showWaveWindow();
        frmReadwave* w = CommWindows::waveWindow();
        if (!w || !waitUntil([&] { return w->currentRun() > 0 && (!ownLine || m_pty->peerIsOpen()); }))
            qFatal("the waveform window did not open the port");
        return w;
    }

    void sendHeader(frmReadwave* w, const QByteArray& burst)
    {
        if (m_pty->write(burst) != burst.size() || !waitUntil([&] { return w->run().isSampling(); }))
            qFatal("the header block was not taken");
    }

    void sendSamples(frmReadwave* w, const QByteArray& samples)
    {
        const qint64 until = w->run().sampleCount() + samples.size();
        if (m_pty->write(samples) != samples.size() || !waitUntil([&] { return w->run().sampleCount() >= until; }))
            qFatal("the samples were not taken");
    }

    std::unique_ptr<ScriptedSeams> m_seams;
    std::unique_ptr<PtyEndpoint> m_pty;
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        qInfo("---- %s edition", edition == EditionId::German ? "German" : "English");
        TestReadwave test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "test_readwave.moc"
