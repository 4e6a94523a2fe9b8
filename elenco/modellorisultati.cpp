// SPDX-License-Identifier: MIT
#include "elenco/modellorisultati.h"

#include <QBrush>

namespace {

constexpr QChar Separatore = u'\x1f';

} // namespace

QStringList ModelloRisultati::celle(int riga) const
{
    return m_righe.at(riga).split(Separatore);
}

void ModelloRisultati::inizia(const QStringList &intestazioni)
{
    beginResetModel();
    m_intestazioni = intestazioni;
    m_righe.clear();
    m_stati.clear();
    endResetModel();
}

void ModelloRisultati::aggiungi(const QList<QStringList> &righe, const QList<StatoRiga> &stati)
{
    if (righe.isEmpty())
        return;
    beginInsertRows({}, int(m_righe.size()), int(m_righe.size() + righe.size() - 1));
    for (const QStringList &r : righe)
        m_righe.append(r.join(Separatore));
    m_stati += stati;
    endInsertRows();
}

int ModelloRisultati::rowCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : int(m_righe.size());
}

int ModelloRisultati::columnCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : int(m_intestazioni.size());
}

QVariant ModelloRisultati::data(const QModelIndex &indice, int ruolo) const
{
    if (ruolo == Qt::DisplayRole || ruolo == Qt::ToolTipRole)
        return m_righe.at(indice.row()).section(Separatore, indice.column(), indice.column());
    // The colour repeats the row's result, which its own column says in words.
    if (ruolo == Qt::BackgroundRole) {
        switch (m_stati.at(indice.row())) {
        case StatoRiga::NonValida:
            return QBrush(QColor(255, 214, 214));
        case StatoRiga::Avviso:
            return QBrush(QColor(255, 244, 196));
        default:
            return {};
        }
    }
    return {};
}

QVariant ModelloRisultati::headerData(int sezione, Qt::Orientation verso, int ruolo) const
{
    if (ruolo != Qt::DisplayRole)
        return {};
    return verso == Qt::Horizontal ? QVariant(m_intestazioni.value(sezione)) : QVariant(sezione + 1);
}

void FiltroProblemi::soloProblemi(bool solo)
{
    m_solo = solo;
    invalidateRowsFilter();
}

bool FiltroProblemi::filterAcceptsRow(int riga, const QModelIndex &) const
{
    return !m_solo || static_cast<const ModelloRisultati *>(sourceModel())->stato(riga) >= StatoRiga::Avviso;
}
