// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRect>
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
