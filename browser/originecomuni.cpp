// SPDX-License-Identifier: MIT
#include "browser/originecomuni.h"

#include "app/datiluoghi.h"
#include "app/interrogazioni.h"

#include <QCollator>
#include <algorithm>
#include <vector>

namespace {

const QStringList &campi()
{
    static const QStringList nomi = {QStringLiteral("Nome"), QStringLiteral("Prov"), QStringLiteral("ComCode"),
                                     QStringLiteral("CodiceCatastale"), QStringLiteral("CAP")};
    return nomi;
}

} // namespace

OrigineComuni::OrigineComuni(const QString &percorso, QObject *parent)
    : QAbstractTableModel(parent)
    , m_percorso(percorso)
{
}

DbError OrigineComuni::aggiorna()
{
    // A fresh connection each time: the file may have been put right, or
    // replaced, since the last reading.
    DbError e = m_database.open(m_percorso);
    QList<QStringList> righe;
    if (!e.failed())
        e = tuttiILuoghi(m_database, campi(), &righe);
    if (!e.failed())
        e = ::dataDeiLuoghi(m_database, &m_dataDeiLuoghi);
    beginResetModel();
    m_aperta = !e.failed();
    m_righe = m_aperta ? righe : QList<QStringList>();
    m_sort.clear();
    m_colonnaSort = -1;
    m_iniziali.clear();
    scegliRighe();
    endResetModel();
    return e;
}

void OrigineComuni::setSort(const QString &espressione)
{
    const QStringList parti = espressione.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!m_aperta || parti.isEmpty())
        return;
    const auto campo = std::find_if(campi().cbegin(), campi().cend(), [&](const QString &nome) {
        return nome.compare(parti.constFirst(), Qt::CaseInsensitive) == 0;
    });
    if (campo == campi().cend())
        return;
    beginResetModel();
    m_sort = espressione;
    m_colonnaSort = int(campo - campi().cbegin());
    m_discendente = parti.size() > 1 && parti.at(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    scegliRighe();
    endResetModel();
}

void OrigineComuni::setFiltroIniziali(const QString &iniziali)
{
    if (!m_aperta)
        return;
    beginResetModel();
    m_iniziali = iniziali;
    scegliRighe();
    endResetModel();
}

QString OrigineComuni::campo(int colonna)
{
    return campi().value(colonna);
}

// Filters the table's rows by the initial letters, then sorts what is left.
void OrigineComuni::scegliRighe()
{
    m_visibili.clear();
    for (int r = 0; r < m_righe.size(); ++r)
        if (m_righe.at(r).constFirst().startsWith(m_iniziali, Qt::CaseInsensitive))
            m_visibili.append(r);
    if (m_colonnaSort < 0)
        return;
    // Folding the case first makes "ROMA" and "Roma" equal, so that equal
    // names keep the table's order, on every collation backend.
    const QCollator collator;
    std::vector<QCollatorSortKey> chiavi;
    chiavi.reserve(m_righe.size());
    for (const QStringList &riga : std::as_const(m_righe))
        chiavi.push_back(collator.sortKey(riga.at(m_colonnaSort).toCaseFolded()));
    std::stable_sort(m_visibili.begin(), m_visibili.end(), [&](int a, int b) {
        return m_discendente ? chiavi[b].compare(chiavi[a]) < 0 : chiavi[a].compare(chiavi[b]) < 0;
    });
}

int OrigineComuni::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_visibili.size());
}

int OrigineComuni::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(campi().size());
}

QVariant OrigineComuni::data(const QModelIndex &index, int role) const
{
    // An empty grid, or an empty selection, is asked for no cell at all: that
    // is no fault, and no warning of the model's own checks.
    if (role != Qt::DisplayRole || !index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_righe.at(m_visibili.at(index.row())).at(index.column());
}

QVariant OrigineComuni::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return campo(section);
}
