// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/controlloriga.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The rows checked so far, their cells and results, for the window's table.
class ModelloRisultati : public QAbstractTableModel
{
public:
    void inizia(const QStringList &intestazioni);
    void aggiungi(const QList<QStringList> &righe, const QList<StatoRiga> &stati);
    StatoRiga stato(int riga) const { return m_stati.at(riga); }
    QStringList celle(int riga) const;
    const QStringList &intestazioni() const { return m_intestazioni; }

    int rowCount(const QModelIndex &genitore = {}) const override;
    int columnCount(const QModelIndex &genitore = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation verso, int ruolo = Qt::DisplayRole) const override;

private:
    QStringList m_intestazioni;
    // Each row's cells in one text, apart by a unit separator: a list of a
    // million rows stays a third of the size it would take as lists of texts.
    QList<QString> m_righe;
    QList<StatoRiga> m_stati;
};

// Every row, or only those with a problem or a warning.
class FiltroProblemi : public QSortFilterProxyModel
{
public:
    void soloProblemi(bool solo);

protected:
    bool filterAcceptsRow(int riga, const QModelIndex &genitore) const override;

private:
    bool m_solo = false;
};
