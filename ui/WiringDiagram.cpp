#include "ui/WiringDiagram.h"

#include "ui/SignColours.h"

#include <QPainter>
#include <QPainterPath>

namespace award {
namespace {

using colours::kBoard;
using colours::kDriver;
const QColor& kSign = colours::kSignCase;
const QColor& kLed = colours::kLedOn;

void Box(QPainter& painter, const QRect& box, const QColor& fill, const QColor& ink, const QString& text) {
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(ink);
    painter.drawText(box.adjusted(6, 4, -6, -4), Qt::AlignCenter | Qt::TextWordWrap, text);
}

// A bus of wires, its width written on it.
void Bus(QPainter& painter, QPoint from, QPoint to, const QString& label) {
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(from, to);
    QPainterPath head;
    const int dx = to.x() > from.x() ? -10 : to.x() < from.x() ? 10 : 0;
    const int dy = to.y() > from.y() ? -10 : to.y() < from.y() ? 10 : 0;
    head.moveTo(to);
    head.lineTo(to + QPoint(dx + (dy ? 6 : 0), dy + (dx ? 6 : 0)));
    head.lineTo(to + QPoint(dx - (dy ? 6 : 0), dy - (dx ? 6 : 0)));
    head.closeSubpath();
    painter.fillPath(head, Qt::black);
    painter.setPen(Qt::black);
    const QPoint middle = (from + to) / 2;
    painter.drawText(QRect(middle.x() - 80, middle.y() - 22, 160, 20), Qt::AlignCenter, label);
}

// One 32 x 16 panel, seen from the front, with its input and output sockets
// marked where they are behind it.
void Panel(QPainter& painter, const QRect& panel, const QString& name) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSign);
    painter.drawRoundedRect(panel, 4, 4);
    const double pitch = (panel.width() - 12.0) / 32;
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 32; ++column) {
            painter.setBrush((row * 3 + column) % 7 == 0 ? kLed : kLed.darker(300));
            painter.drawEllipse(QPointF(panel.left() + 6 + (column + 0.5) * pitch, panel.top() + 6 + (row + 0.5) * pitch),
                                pitch * 0.3, pitch * 0.3);
        }
    painter.setPen(Qt::black);
    painter.drawText(QRect(panel.left(), panel.top() - 24, panel.width(), 20), Qt::AlignCenter, name);
}

// A socket behind the panel above it.
void Socket(QPainter& painter, QPoint at, int panelBottom, const QString& name) {
    painter.setPen(QPen(Qt::gray, 2, Qt::DashLine));
    painter.drawLine(QPoint(at.x(), panelBottom), QPoint(at.x(), at.y() - 12));
    Box(painter, QRect(at.x() - 26, at.y() - 12, 52, 24), kDriver, Qt::black, name);
}

void Wire(QPainter& painter, const QList<QPoint>& points, const QColor& colour, int width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (qsizetype i = 1; i < points.size(); ++i) painter.drawLine(points[i - 1], points[i]);
}

}  // namespace

QImage WiringDiagram() {
    QImage image(760, 420, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);

    Box(painter, QRect(20, 60, 180, 300), kBoard, Qt::white,
        QStringLiteral("Arduino Mega 2560\n\n埠 F：A0–A7\n\n埠 K：A8–A15\n\n埠 C：37–30"));
    Box(painter, QRect(300, 40, 170, 150), kDriver, Qt::black,
        QStringLiteral("列驅動\n（電晶體或驅動 IC，\n加限流電阻）"));
    Box(painter, QRect(300, 250, 170, 150), kDriver, Qt::black,
        QStringLiteral("欄解碼器\n（6 條位址線選 1 欄）\n＋欄驅動"));

    // The sign: 16 rows by 64 columns, drawn smaller.
    const QRect sign(540, 40, 200, 210);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSign);
    painter.drawRoundedRect(sign, 6, 6);
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 16; ++column) {
            painter.setBrush((row + column) % 5 == 0 ? kLed : kLed.darker(300));
            painter.drawEllipse(QPointF(sign.left() + 14 + column * 11.5, sign.top() + 14 + row * 11.5), 4, 4);
        }
    painter.setPen(Qt::black);
    painter.drawText(QRect(sign.left(), sign.bottom() + 4, sign.width(), 40), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("LED 看板 16 列 × 64 欄\n（只畫出一部分）"));

    Bus(painter, QPoint(200, 95), QPoint(300, 95), QStringLiteral("第 1–8 列"));
    Bus(painter, QPoint(200, 150), QPoint(300, 150), QStringLiteral("第 9–16 列"));
    Bus(painter, QPoint(200, 320), QPoint(300, 320), QStringLiteral("欄位址 0–63"));
    Bus(painter, QPoint(470, 115), QPoint(540, 115), QStringLiteral("16 列"));
    Bus(painter, QPoint(505, 325), QPoint(505, 250), QString());
    painter.setPen(QPen(Qt::black, 3));
    painter.drawLine(QPoint(470, 325), QPoint(505, 325));
    painter.drawText(QRect(510, 290, 60, 20), Qt::AlignLeft, QStringLiteral("64 欄"));

    painter.setPen(QColor(170, 0, 0));
    painter.drawText(QRect(20, 370, 280, 44), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("腳位不可直接接 LED：\n每支腳最多約 20 mA。"));
    return image;
}

QImage P10WiringDiagram() {
    QImage image(760, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);

    const QRect left(40, 50, 320, 170);
    const QRect right(370, 50, 320, 170);
    Panel(painter, left, QStringLiteral("左邊的 P10 面板"));
    Panel(painter, right, QStringLiteral("右邊的 P10 面板"));
    painter.setPen(Qt::black);
    painter.drawText(QRect(40, 8, 650, 18), Qt::AlignCenter, QStringLiteral("從正面看；插座在面板背面"));

    // The board's cable into the right panel's input; the right panel's
    // output on to the left panel's input.
    const QPoint rightIn(620, 250), rightOut(440, 250), leftIn(270, 250);
    Wire(painter, {rightOut, QPoint(440, 285), QPoint(270, 285), leftIn}, QColor(120, 120, 120), 6);
    Box(painter, QRect(540, 330, 190, 90), kBoard, Qt::white, QStringLiteral("Arduino Uno / Nano\n或 Mega 2560"));
    Wire(painter, {QPoint(620, 330), rightIn}, QColor(120, 120, 120), 6);
    painter.setPen(Qt::black);
    painter.drawText(QRect(628, 290, 120, 36), Qt::AlignLeft | Qt::TextWordWrap, QStringLiteral("排線接 IN"));
    Socket(painter, rightIn, right.bottom(), QStringLiteral("IN"));
    Socket(painter, rightOut, right.bottom(), QStringLiteral("OUT"));
    Socket(painter, leftIn, left.bottom(), QStringLiteral("IN"));

    // Their own supply, its ground shared with the board.
    Box(painter, QRect(40, 330, 200, 90), QColor(255, 230, 160), Qt::black,
        QStringLiteral("5 V 電源\n至少 4 A"));
    const QColor red(200, 0, 0);
    Wire(painter, {QPoint(140, 330), QPoint(140, 300), QPoint(110, 300), QPoint(110, 220)}, red, 3);
    Wire(painter, {QPoint(140, 300), QPoint(520, 300), QPoint(520, 220)}, red, 3);
    Wire(painter, {QPoint(240, 400), QPoint(540, 400)}, Qt::black, 3);
    painter.setPen(Qt::black);
    painter.drawText(QRect(300, 378, 200, 20), Qt::AlignCenter, QStringLiteral("GND 接在一起"));

    painter.setPen(QColor(170, 0, 0));
    painter.drawText(QRect(250, 330, 280, 44), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("不可用 Arduino 的 5V 腳供電給面板。"));
    return image;
}

}  // namespace award
