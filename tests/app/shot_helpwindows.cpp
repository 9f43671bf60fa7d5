// Not a test: pictures of every quick-use slide, the about box and the
// company pages in both editions, for a person to look at. Drawn
// offscreen with QWidget::grab():  shot_helpwindows <folder>
// writes <folder>/<en|de>-slide-<n>.png, <en|de>-about.png, <en|de>-intro.png
// and <en|de>-info.png.
#include "app/CompanyPages.h"
#include "app/frmAbout.h"
#include "app/frmSRdemo.h"
#include "text/Edition.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

bool save(QWidget* window, const QString& path)
{
    window->show();
    QTest::qWait(50);
    return window->grab().save(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    bool saved = true;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        const QString prefix =
            folder.filePath(edition == EditionId::German ? QStringLiteral("de-") : QStringLiteral("en-"));
        frmSRdemo slides;
        for (int number = 1; number <= slides.slideCount(); ++number) {
            saved &= save(&slides, prefix + QStringLiteral("slide-%1.png").arg(number));
            slides.cmdNext_Click();
        }
        frmAbout about;
        saved &= save(&about, prefix + QStringLiteral("about.png"));
        frmIntro intro;
        saved &= save(&intro, prefix + QStringLiteral("intro.png"));
        frmInfo info;
        saved &= save(&info, prefix + QStringLiteral("info.png"));
    }
    return saved ? 0 : 1;
}
