// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/controlloriga.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

// The rows checked so far, their cells and results, for the window's table.
class ModelloRisultati : public QAbstractTableModel
{
public:
    // A row's cells in the form the model keeps: one UTF-8 text, the cells
    // apart by a unit separator. Made by the thread that checks the rows, so
    // that the interface's thread only takes them.
    static QByteArray compatta(const QStringList &celle);

    void inizia(const QStringList &intestazioni);
    void aggiungi(const QList<QByteArray> &righe, const QList<StatoRiga> &stati);
    StatoRiga stato(int riga) const { return m_stati.at(riga); }
    QStringList celle(int riga) const;
    const QStringList &intestazioni() const { return m_intestazioni; }

    int rowCount(const QModelIndex &genitore = {}) const override;
    int columnCount(const QModelIndex &genitore = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation verso, int ruolo = Qt::DisplayRole) const override;

private:
    QStringList m_intestazioni;
    // A list of a million rows takes a sixth of the room it would take as
    // lists of texts.
    QList<QByteArray> m_righe;
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
