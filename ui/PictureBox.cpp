#include "ui/PictureBox.h"

#include "surface/DrawingSurface.h"

#include <QPainter>

namespace award {

PictureBox::PictureBox(const DrawingSurface& surface, QWidget* parent)
    : QFrame(parent), surface_(surface) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The picture area is a tab stop of its own, like the rest of the controls.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), surface_.Image());
    if (hasFocus()) {
        // Marked on the border's inner ring: the pixels inside are the
        // surface's and must show exactly what the run sampled.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

}  // namespace award
