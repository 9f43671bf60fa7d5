#include "tools/quick-use-slides/SceneCamera.h"

#include "app/LoadedWindows.h"

#include <QPainter>
#include <QWidget>

namespace {

constexpr int kTitleHeight = 24;
const QColor kTitleColour(52, 72, 104);
const QColor kBorderColour(30, 40, 60);

void drawTitleBar(QPainter& p, const QRect& bar, const QString& title)
{
    p.fillRect(bar, kTitleColour);
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
}

} // namespace

namespace SceneCamera {

QImage photograph(const QWidget* mainWindow)
{
    // The main window's title bar is part of the picture; the rest of the
    // picture is the main window's own area.
    QImage scene(mainWindow->width(), mainWindow->height() + kTitleHeight, QImage::Format_RGB32);
    scene.fill(Qt::white);
    QPainter p(&scene);
    drawTitleBar(p, QRect(0, 0, scene.width(), kTitleHeight), mainWindow->windowTitle());
    const QPoint origin = mainWindow->geometry().topLeft() - QPoint(0, kTitleHeight);
    for (QWidget* window : LoadedWindows::instance().shownWindows()) {
        const QPoint at = window->geometry().topLeft() - origin;
        if (window != mainWindow) {
            const QRect frame(at.x() - 1, at.y() - kTitleHeight - 1, window->width() + 1, window->height() + kTitleHeight + 1);
            p.setPen(kBorderColour);
            p.drawRect(frame);
            drawTitleBar(p, QRect(at.x(), at.y() - kTitleHeight, window->width(), kTitleHeight),
                         window->windowTitle());
        }
        p.drawPixmap(at, window->grab());
    }
    return scene;
}

} // namespace SceneCamera
