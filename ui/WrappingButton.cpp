#include "ui/WrappingButton.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

#include <algorithm>

namespace award {

QRect WrappingButton::CaptionArea() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // Windows's style keeps margins that leave a line of the caption only;
    // the caption then takes the button's height inside its frame.
    const QFontMetrics metrics(font());
    if (area.height() < metrics.height() + metrics.lineSpacing()) {
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
        area.setTop(rect().top() + frame);
        area.setBottom(rect().bottom() - frame);
    }
    return area;
}

QStringList WrappingButton::CaptionLines() const {
    const QString caption = text();
    const QRect area = CaptionArea();
    const QFontMetrics metrics(font());
    const int fitting = 1 + std::max(0, area.height() - metrics.height()) / metrics.lineSpacing();

    QTextLayout layout(caption, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    int lastStart = 0;
    bool cut = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        const QString piece = caption.mid(line.textStart(), line.textLength()).trimmed();
        if (piece.isEmpty()) continue;
        if (lines.size() == fitting) {
            cut = true;
            break;
        }
        lines << piece;
        lastStart = line.textStart();
    }
    layout.endLayout();

    // The last visible line takes as much of the rest as fits before the
    // ellipsis, which says that the tooltip has more.
    if (cut)
        lines.last() = metrics.elidedText(caption.mid(lastStart).trimmed(), Qt::ElideRight, area.width());
    return lines;
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = CaptionArea();
    const QFontMetrics metrics(font());
    const QStringList lines = CaptionLines();
    const int block = int(lines.size() - 1) * metrics.lineSpacing() + metrics.height();
    int top = area.top() + (area.height() - block) / 2;
    for (const QString& line : lines) {
        painter.drawItemText(QRect(area.left(), top, area.width(), metrics.height()),
                             Qt::AlignCenter | Qt::TextSingleLine, option.palette, isEnabled(),
                             line, QPalette::ButtonText);
        top += metrics.lineSpacing();
    }
}

}  // namespace award
