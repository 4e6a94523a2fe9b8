// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QtMath>

// The windows are drawn in twips, 1/1440 inch: 15 of them make a pixel at
// 96 dpi, and Qt scales pixels for screens of higher density.
inline QRect twips(int left, int top, int width, int height)
{
    auto px = [](int t) { return qRound(t / 15.0); };
    return QRect(px(left), px(top), px(width), px(height));
}

// The windows' sans-serif face, with the closest stand-ins where it is missing.
inline QFont sansSerif(qreal punti, bool grassetto = true)
{
    QFont f;
    f.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Opens a window wholly on its screen's free area, centred there: a window
// manager that cascades new windows may open one below the lower edge of a
// small screen.
inline void centraSulloSchermo(QWidget *finestra)
{
    const QRect libero = finestra->screen()->availableGeometry();
    QRect r(QPoint(), finestra->testAttribute(Qt::WA_Resized) ? finestra->size() : finestra->sizeHint());
    r.moveCenter(libero.center());
    finestra->move(qMax(libero.left(), r.left()), qMax(libero.top(), r.top()));
}
