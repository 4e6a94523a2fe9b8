// SPDX-License-Identifier: MIT
#include "elenco/modellorisultati.h"

#include <QBrush>

namespace {

constexpr char Separatore = '\x1f';

} // namespace

QByteArray ModelloRisultati::compatta(const QStringList &celle)
{
    // Encoding leaves room for the longest text the cells could have made.
    QByteArray riga = celle.join(QLatin1Char(Separatore)).toUtf8();
    riga.squeeze();
    return riga;
}

QStringList ModelloRisultati::celle(int riga) const
{
    return QString::fromUtf8(m_righe.at(riga)).split(QLatin1Char(Separatore));
}

void ModelloRisultati::inizia(const QStringList &intestazioni)
{
    beginResetModel();
    m_intestazioni = intestazioni;
    m_righe.clear();
    m_stati.clear();
    endResetModel();
}

void ModelloRisultati::aggiungi(const QList<QByteArray> &righe, const QList<StatoRiga> &stati)
{
    if (righe.isEmpty())
        return;
    beginInsertRows({}, int(m_righe.size()), int(m_righe.size() + righe.size() - 1));
    m_righe += righe;
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
    if (ruolo == Qt::DisplayRole || ruolo == Qt::ToolTipRole) {
        // Only the cell asked for is decoded.
        const QByteArray &riga = m_righe.at(indice.row());
        qsizetype inizio = 0;
        for (int c = 0; c < indice.column(); ++c) {
            const qsizetype separatore = riga.indexOf(Separatore, inizio);
            if (separatore < 0)
                return QString();
            inizio = separatore + 1;
        }
        const qsizetype fine = riga.indexOf(Separatore, inizio);
        return QString::fromUtf8(QByteArrayView(riga).sliced(inizio, (fine < 0 ? riga.size() : fine) - inizio));
    }
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
