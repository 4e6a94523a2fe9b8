// SPDX-License-Identifier: MIT
#include "app/immagini.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QImage disegnaIcona(int lato)
{
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lato / 32.0, lato / 32.0);
    p.setPen(QPen(QColor(0, 64, 64), 1));
    p.setBrush(QColor(0, 128, 128));
    p.drawRoundedRect(QRectF(1.5, 4.5, 29, 23), 3, 3);
    p.fillRect(QRectF(2, 8, 28, 2), QColor(192, 0, 0));
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 10, 29, 16), Qt::AlignCenter, QStringLiteral("CF"));
    return img;
}

QIcon iconaApplicazione()
{
    QIcon icon;
    for (int lato : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(disegnaIcona(lato)));
    return icon;
}

QCursor puntatorePulsanti()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A pen slanting down to the left, its nib at the hot spot (1, 1).
    QPainterPath penna;
    penna.moveTo(1, 1);
    penna.lineTo(9, 4);
    penna.lineTo(27, 22);
    penna.lineTo(22, 27);
    penna.lineTo(4, 9);
    penna.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(0, 128, 128));
    p.drawPath(penna);
    p.setBrush(Qt::white);
    QPainterPath punta;
    punta.moveTo(1, 1);
    punta.lineTo(9, 4);
    punta.lineTo(4, 9);
    punta.closeSubpath();
    p.drawPath(punta);
    return QCursor(pixmap, 1, 1);
}
