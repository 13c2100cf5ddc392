#include "AppIcon.h"

#include "DarkStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    const QColor gold = DarkStyle::gold;
    p.setPen(QPen(gold, 1.5));
    p.setBrush(QColor(0x2A, 0x2A, 0x2E));
    p.drawRoundedRect(QRectF(1.25, 1.25, 29.5, 29.5), 6, 6);

    // The lark: two swept wings meeting at the body.
    QPainterPath bird;
    bird.moveTo(4.5, 11.0);
    bird.quadTo(10.5, 3.5, 16.0, 11.5);
    bird.quadTo(21.5, 3.5, 27.5, 11.0);
    bird.quadTo(21.0, 9.0, 16.0, 16.5);
    bird.quadTo(11.0, 9.0, 4.5, 11.0);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(bird);

    // K: dash, dot, dash with one-unit gaps, nine units across the tile.
    const qreal u = 25.0 / 9;
    const qreal y = 20.5;
    p.drawRect(QRectF(3.5, y, 3 * u, u));
    p.drawRect(QRectF(3.5 + 4 * u, y, u, u));
    p.drawRect(QRectF(3.5 + 6 * u, y, 3 * u, u));
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}
