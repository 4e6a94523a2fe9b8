// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

class QAbstractItemView;

// The navigation bar of the browser's data source: buttons to the first,
// previous, next and last row around a caption. It keeps no row of its own
// but moves the grid's current row, so the two always show the same one.
// Moving before the first or past the last row stays on it.
class BarraNavigazione : public QFrame
{
public:
    BarraNavigazione(QAbstractItemView *griglia, const QString &didascalia, QWidget *parent);

private:
    void vaiA(int riga);
    void vaiDi(int passo);

    QAbstractItemView *m_griglia;
};
