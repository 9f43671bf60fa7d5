#include "app/Main.h"

#include <QApplication>

int runKorvane(int argc, char* argv[], EditionId edition)
{
    Edition::select(edition);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    return 0; // start-up sequence arrives with the application shell
}
