#include "Icons.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Grey(128, 128, 128);
const QColor DarkGrey(64, 64, 64);
const QColor Red(220, 0, 0);
const QColor Green(0, 150, 0);
const QColor Blue(0, 64, 200);
const QColor Brick(178, 70, 34);
const QColor Mortar(230, 220, 200);
const QColor Wood(150, 95, 40);
const QColor DarkWood(90, 55, 20);

QPixmap Blank() {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void PaintOff(QPainter& p) { // a grey cross
    p.setPen(QPen(Grey, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void PaintAlarm(QPainter& p) { // a red exclamation mark
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    QPainterPath stem;
    stem.moveTo(5.5, 1);
    stem.lineTo(10.5, 1);
    stem.lineTo(9, 10);
    stem.lineTo(7, 10);
    stem.closeSubpath();
    p.drawPath(stem);
    p.drawEllipse(QRectF(6, 11.5, 4, 4));
}

void PaintSilent(QPainter& p) { // a loudspeaker
    p.setPen(Qt::NoPen);
    p.setBrush(DarkGrey);
    QPainterPath body;
    body.moveTo(1, 6);
    body.lineTo(4, 6);
    body.lineTo(8, 2);
    body.lineTo(8, 14);
    body.lineTo(4, 10);
    body.lineTo(1, 10);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(DarkGrey, 1.3));
    p.drawArc(QRectF(6, 5, 5, 6), -60 * 16, 120 * 16);
    p.drawArc(QRectF(5, 2.5, 9, 11), -60 * 16, 120 * 16);
}

void PaintFire(QPainter& p) { // a flame
    QPainterPath outer;
    outer.moveTo(8, 0.5);
    outer.cubicTo(9, 4, 14, 6, 13.5, 10.5);
    outer.cubicTo(13, 14, 10.5, 15.5, 8, 15.5);
    outer.cubicTo(5.5, 15.5, 2.5, 14, 2.5, 10.5);
    outer.cubicTo(2.5, 7.5, 5, 6.5, 5.5, 3.5);
    outer.cubicTo(7, 5, 7.5, 3, 8, 0.5);
    p.setPen(QPen(QColor(170, 30, 0), 0.8));
    p.setBrush(QColor(235, 60, 10));
    p.drawPath(outer);
    QPainterPath inner;
    inner.moveTo(8, 7);
    inner.cubicTo(9, 9.5, 11, 10.5, 10.5, 12.5);
    inner.cubicTo(10.2, 14.3, 9, 15, 8, 15);
    inner.cubicTo(7, 15, 5.5, 14.2, 5.5, 12.5);
    inner.cubicTo(5.5, 11, 7.2, 10, 8, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 40));
    p.drawPath(inner);
}

void PaintService(QPainter& p) { // a blue letter i
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawEllipse(QRectF(6, 0.5, 4, 4));
    QPainterPath stem;
    stem.moveTo(5, 6);
    stem.lineTo(10, 6);
    stem.lineTo(10, 13.5);
    stem.lineTo(11.5, 13.5);
    stem.lineTo(11.5, 15.5);
    stem.lineTo(4.5, 15.5);
    stem.lineTo(4.5, 13.5);
    stem.lineTo(6, 13.5);
    stem.lineTo(6, 8);
    stem.lineTo(5, 8);
    stem.closeSubpath();
    p.drawPath(stem);
}

void PaintGuard(QPainter& p) { // a brick wall
    p.fillRect(QRect(0, 1, 16, 14), Mortar);
    p.setPen(Qt::NoPen);
    p.setBrush(Brick);
    for (int row = 0; row < 4; ++row) {
        const int y = 2 + row * 7 / 2;
        const int shift = (row % 2) ? -3 : 0;
        for (int x = shift; x < 16; x += 6)
            p.drawRect(QRect(x + 1, y, 5, 2));
    }
}

void PaintInner(QPainter& p) { // a grey box with a red cross
    p.setPen(QPen(DarkGrey, 1));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Red, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
}

void PaintDoor(QPainter& p) { // an open door
    p.setPen(QPen(DarkWood, 1));
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(QRectF(3.5, 0.5, 10, 15)); // the frame with the light of the doorway
    QPainterPath leaf;                    // the door leaf swung towards the viewer
    leaf.moveTo(3.5, 0.5);
    leaf.lineTo(9.5, 2.5);
    leaf.lineTo(9.5, 15.5);
    leaf.lineTo(3.5, 15.5);
    leaf.closeSubpath();
    p.setBrush(Wood);
    p.drawPath(leaf);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QRectF(7, 8, 1.8, 1.8));
}

QPixmap Paint(void (*painter)(QPainter&)) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    painter(p);
    return pixmap;
}

void PaintTriangleAndBar(QPainter& p, const QColor& colour, bool up) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPolygonF triangle;
    if (up)
        triangle << QPointF(8, 1) << QPointF(15, 10) << QPointF(1, 10);
    else
        triangle << QPointF(1, 1) << QPointF(15, 1) << QPointF(8, 10);
    p.drawPolygon(triangle);
    p.drawRect(QRectF(1, 12, 14, 3));
}

} // namespace

QPixmap PaintTypeIcon(int code) {
    switch (code) {
    case 0:
        return Paint(PaintOff);
    case 1:
        return Paint(PaintAlarm);
    case 2:
        return Paint(PaintSilent);
    case 3:
        return Paint(PaintFire);
    case 4:
        return Paint(PaintService);
    case 5:
        return Paint(PaintGuard);
    case 6:
        return Paint(PaintInner);
    case 7:
        return Paint(PaintDoor);
    default:
        return Blank();
    }
}

QPixmap PaintReadPicture() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    PaintTriangleAndBar(p, Green, true);
    return pixmap;
}

QPixmap PaintWritePicture() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    PaintTriangleAndBar(p, Red, false);
    return pixmap;
}

TImageList::TImageList(QObject* parent) : QObject(parent) {
    for (int k = 0; k < Count; ++k)
        m_pixmaps[static_cast<std::size_t>(k)] = PaintTypeIcon(k);
}

QPixmap TImageList::Pixmap(int index) const {
    if (index < 0 || index >= Count) return {};
    return m_pixmaps[static_cast<std::size_t>(index)];
}

QIcon TImageList::Icon(int index) const {
    const QPixmap pixmap = Pixmap(index);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

QIcon ProgramIcon() {
    // Each picture is added with the size its name gives; Qt reads it to check.
    const QString stem = QStringLiteral("progmz515-");
    const QString suffix = QStringLiteral(".png");
    const QDir folder(QStringLiteral(":/icons"));
    QIcon icon;
    for (const QString& name : folder.entryList({stem + u'*' + suffix}, QDir::Files)) {
        bool ok = false;
        const int size =
            name.mid(stem.size(), name.size() - stem.size() - suffix.size()).toInt(&ok);
        if (ok && size > 0) icon.addFile(folder.filePath(name), QSize(size, size));
    }
    return icon;
}
