#include "FormPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

void DispFormPos(QWidget *form, FormPosition mode, const QWidget *anchor)
{
    if (!form)
        return;
    if (!anchor)
        anchor = form->parentWidget() ? form->parentWidget()->window() : QApplication::activeWindow();
    const QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Every mode sits over the centre of its anchor; the modes are kept so callers say what they
    // open, and placement can differ per kind later without touching them.
    Q_UNUSED(mode);
    const QRect area = anchor && anchor->isVisible() ? anchor->frameGeometry() : available;
    QSize size = form->frameGeometry().size().isEmpty() ? form->sizeHint() : form->size();
    size = size.boundedTo(available.size());
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    target.moveLeft(
        std::clamp(target.left(), available.left(), std::max(available.left(), available.right() - size.width())));
    target.moveTop(
        std::clamp(target.top(), available.top(), std::max(available.top(), available.bottom() - size.height())));
    form->move(target.topLeft());
}
