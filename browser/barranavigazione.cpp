// SPDX-License-Identifier: MIT
#include "browser/barranavigazione.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {

// A black triangle pointing left or right, with a bar at its tip for the
// first and the last row.
QIcon freccia(bool aSinistra, bool conBarra)
{
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const qreal punta = aSinistra ? 2 : 8;
    const qreal base = aSinistra ? 8 : 2;
    p.drawPolygon(QPolygonF({QPointF(punta, 5), QPointF(base, 1), QPointF(base, 9)}));
    if (conBarra)
        p.drawRect(QRectF(aSinistra ? 0.5 : 8, 1, 1.5, 8));
    return QIcon(pixmap);
}

} // namespace

BarraNavigazione::BarraNavigazione(QAbstractItemView *griglia, const QString &didascalia, QWidget *parent)
    : QFrame(parent)
    , m_griglia(griglia)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    // The buttons show only an arrow: a screen reader says their names.
    auto pulsante = [this, layout](const char *nome, const QString &detto, const QIcon &icona, auto azione) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(nome));
        b->setAccessibleName(detto);
        b->setIcon(icona);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setFixedWidth(18);
        connect(b, &QToolButton::clicked, this, azione);
        layout->addWidget(b);
    };
    pulsante("primo", QStringLiteral("Primo comune"), freccia(true, true), [this] { vaiA(0); });
    pulsante("precedente", QStringLiteral("Comune precedente"), freccia(true, false), [this] { vaiDi(-1); });
    auto *testo = new QLabel(didascalia, this);
    testo->setObjectName(QStringLiteral("didascalia"));
    testo->setTextFormat(Qt::PlainText); // keeps the caption's leading blanks
    layout->addWidget(testo, 1);
    pulsante("successivo", QStringLiteral("Comune successivo"), freccia(false, false), [this] { vaiDi(1); });
    pulsante("ultimo", QStringLiteral("Ultimo comune"), freccia(false, true),
             [this] { vaiA(m_griglia->model()->rowCount() - 1); });
}

void BarraNavigazione::vaiA(int riga)
{
    const QAbstractItemModel *model = m_griglia->model();
    if (model->rowCount() == 0)
        return;
    const int colonna = qMax(0, m_griglia->currentIndex().column());
    m_griglia->setCurrentIndex(model->index(qBound(0, riga, model->rowCount() - 1), colonna));
}

void BarraNavigazione::vaiDi(int passo)
{
    const int riga = m_griglia->currentIndex().row();
    vaiA(riga < 0 ? 0 : riga + passo);
}
