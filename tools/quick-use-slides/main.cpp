// Makes the pictures of the quick-use slides of one edition: walks through
// the work flow of the slides in the real program, offscreen, and takes a
// picture of the screen at each step (SceneCamera). The recorder is played
// by the simulator on a pseudo-terminal; settings and files live in a
// folder of their own that goes when the tool ends.
//
//   korvane-quick-use-slides en|de <folder>
//
// writes <folder>/<Step>.png for each slide of the edition and
// <folder>/quick-use.qrc, which lists them under ":/quick-use/<en|de>/".
// Fails, writing nothing, when the walk does not go as a person's would.
#include "tools/quick-use-slides/SceneCamera.h"
#include "tools/quick-use-slides/ShowingSeams.h"

#include "app/LoadedWindows.h"
#include "app/QuickUseSlides.h"
#include "app/frmMain.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "data/DataFolder.h"
#include "platform/FileSystem.h"
#include "text/QtLanguage.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"
#include "views/ChartWindows.h"
#include "views/CommWindows.h"
#include "views/frmBar.h"
#include "views/frmRead.h"
#include "views/frmWave.h"
#include "tools/recorder/BpBurstPlan.h"
#include "tools/recorder/BpRecording.h"
#include "tools/recorder/PtyEndpoint.h"
#include "tools/recorder/RecorderPlayer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The main window's size in the pictures: the slides show them at this
// size, so it is small enough for the slide window on a 1024 x 768 screen.
constexpr int kSceneWidth = 760;
constexpr int kSceneHeight = 520;
constexpr int kReadings = 30;
constexpr int kBurstGapMs = 100;
constexpr int kA6ViewButton = 3;
constexpr int kPickedReading = 6;

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform has no window manager to pass size hints or
// raising to, and says so for every window; everything else is shown.
void dropOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        g_defaultHandler(type, context, message);
}

int fail(const char* what)
{
    std::fprintf(stderr, "korvane-quick-use-slides: %s\n", what);
    return 1;
}

// True when the window of this name is the newest on the screen.
bool showsOnTop(const char* windowName)
{
    const QList<QWidget*> shown = LoadedWindows::instance().shownWindows();
    return !shown.isEmpty() && shown.last()->objectName() == QLatin1String(windowName);
}

// As a person points a chart out: the smallest view, which fits beside
// the main window's toolbar, with a reading or a series picked.
void pointOut(ChartWindow* chart, bool pickSeries)
{
    chart->Toolbar1_ButtonClick(chart->toolbarButton(kA6ViewButton));
    if (pickSeries)
        chart->chtReport_SeriesSelected(1);
    else
        chart->chtReport_PointSelected(kPickedReading);
    settle(300);
}

bool makeDataFile(const QString& path)
{
    return AmbSchema::createDataFile(path, Edition::current().id());
}

// Waits until the reading window has every reading and says the transfer
// is complete. A busy machine can hold the player past the quiet time
// between two bursts, so "Read OK" alone may come before the last reading.
bool waitForReadOk(const frmRead* read, int readings)
{
    QElapsedTimer clock;
    clock.start();
    while (read->count() < readings || read->statusPanel(1) != catText("frmRead.sbReadOk")) {
        if (clock.elapsed() > 20000)
            return false;
        settle(50);
    }
    return true;
}

bool writeResourceList(const QString& folder, const QString& edition, const QStringList& files)
{
    QFile qrc(folder + QStringLiteral("/quick-use.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QString text = QStringLiteral("<RCC>\n  <qresource prefix=\"/quick-use/%1\">\n").arg(edition);
    for (const QString& file : files)
        text += QStringLiteral("    <file>%1</file>\n").arg(file);
    text += QStringLiteral("  </qresource>\n</RCC>\n");
    return qrc.write(text.toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || (qstrcmp(argv[1], "en") != 0 && qstrcmp(argv[1], "de") != 0))
        return fail("usage: korvane-quick-use-slides en|de <folder>");
    const QString edition = QString::fromLatin1(argv[1]);
    const QString outFolder = QString::fromLocal8Bit(argv[2]);

    // Nothing of the person building it is read or written, and no window
    // appears on their screen.
    // The folder's name shows in the pictures.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/KORVANE-XXXXXX"));
    if (!home.isValid())
        return fail("no temporary folder");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(dropOffscreenNotes);
    Edition::select(edition == QLatin1String("de") ? EditionId::German : EditionId::English);
    // Qt's texts and forms as the program shows them ("Ja", "Nein" in German).
    QtLanguage::prepare(Edition::current().id());
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QtLanguage::apply(Edition::current().id());
    ShowingSeams seams;

    // The program's folder with the template New copies, as the launcher
    // starts it, and the practice's folder of data files, where the file
    // dialogs start since a file was last chosen there.
    const QString programFolder = home.filePath(QStringLiteral("korvane"));
    const QString folder = home.filePath(Edition::current().isGerman() ? QStringLiteral("Patienten")
                                                                        : QStringLiteral("Patients"));
    QDir().mkpath(programFolder);
    QDir().mkpath(folder);
    QDir::setCurrent(programFolder);
    const QString templatePath = programFolder + QLatin1Char('/') + QLatin1String(AmbSchema::kTemplateName);
    if (!makeDataFile(templatePath) || !makeDataFile(folder + QStringLiteral("/patient-1041.amb"))
        || !makeDataFile(folder + QStringLiteral("/patient-1042.amb")))
        return fail("cannot make the data files");
    FileSystem().setAttributes(templatePath, FileSystem::Hidden);
    DataFolder::remember(folder + QStringLiteral("/patient-1042.amb"));

    // The recorder on the line of port COM1.
    PtyEndpoint recorder;
    if (!recorder.open())
        return fail("cannot open a pseudo-terminal for the recorder");
    writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection), QStringLiteral("COM1"),
                 recorder.devicePath());
    gCommSet = QStringLiteral("9600,n,8,1");
    gCommPort = QStringLiteral("COM1");

    auto* main = new frmMain;
    gMainWindow = main;
    main->setWindowState(Qt::WindowNoState);
    main->setGeometry(0, 0, kSceneWidth, kSceneHeight);
    main->show();
    settle(300);

    const QList<QuickUseSlide> slides = quickUseSlides();
    QHash<QuickUseStep, QImage> pictures;
    auto take = [&](QuickUseStep step) {
        for (const QuickUseSlide& slide : slides)
            if (slide.step == step)
                pictures.insert(step, SceneCamera::photograph(main));
    };

    // New: the file dialog with the new name typed, then the question.
    seams.fileName = QStringLiteral("patient-1043.amb");
    const QString dataFile = folder + QLatin1Char('/') + seams.fileName;
    const QString newFileQuestion = catText("frmMain.msgFilePrefix") + dataFile + catText("frmMain.msgNewIsNewFile");
    const QString saveQuestion = catText("frmRead.msgSaveBefore") + dataFile + catText("frmRead.msgSaveAfter");
    seams.expectedMessages = {newFileQuestion, saveQuestion};
    seams.onShown = [&](const QString& text) {
        take(text == newFileQuestion ? QuickUseStep::CreateFile : QuickUseStep::NewFile);
    };
    main->mnuFileNew_Click();
    seams.onShown = nullptr;

    // New ends in the reading window; the recorder's send key is pressed.
    frmRead* read = CommWindows::readWindow();
    if (!read || !read->isVisible())
        return fail("New did not open the reading window");
    settle(300);
    RecorderPlayer player([&recorder](const QByteArray& bytes) { return recorder.write(bytes); });
    // As a real line brings them: the reading window tells bursts apart by
    // the line's silences.
    player.setLineRate(RecorderPlayer::lineRateForBaud(9600));
    const QList<BpReading> readings =
        generateDayRecording(QDateTime(QDate(2024, 5, 13), QTime(7, 0)), 7).mid(0, kReadings);
    player.playBursts(BpBurstPlan().build(readings), kBurstGapMs);
    if (!waitForReadOk(read, kReadings) || read->count() != kReadings)
        return fail("the reading window did not receive the recording");
    take(QuickUseStep::Read);

    // Closing it saves the readings and shows the list window.
    read->cmdClose_Click();
    settle(400);
    if (!showsOnTop("frmList"))
        return fail("closing the reading window did not show the list window");
    take(QuickUseStep::Table);
    main->mnuDataWave_Click();
    settle(600);
    if (!showsOnTop("frmWave"))
        return fail("Graphic trend data did not show the trend chart");
    pointOut(ChartWindows::trendChart(), false);
    take(QuickUseStep::Trend);
    main->mnuDataBar_Click();
    settle(600);
    if (!showsOnTop("frmBar"))
        return fail("Bar chart data did not show the bar chart");
    pointOut(ChartWindows::barChart(), true);
    take(QuickUseStep::Bar);

    seams.expectedMessages.clear();
    main->close();
    delete main;
    if (!seams.unexpectedMessages.isEmpty()) {
        for (const QString& text : seams.unexpectedMessages)
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return fail("the walk through the program went wrong");
    }

    QDir().mkpath(outFolder);
    QStringList files;
    for (const QuickUseSlide& slide : slides) {
        const QString file = quickUseStepName(slide.step) + QStringLiteral(".png");
        if (!pictures.contains(slide.step))
            return fail(qPrintable(QStringLiteral("no picture of step %1").arg(quickUseStepName(slide.step))));
        if (!pictures.value(slide.step).save(outFolder + QLatin1Char('/') + file))
            return fail(qPrintable(QStringLiteral("cannot write %1").arg(file)));
        files << file;
    }
    if (!writeResourceList(outFolder, edition, files))
        return fail("cannot write quick-use.qrc");
    return 0;
}
