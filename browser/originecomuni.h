// SPDX-License-Identifier: MIT
#pragma once

#include "app/database.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The data source under the municipality browser's grid: a connection of its
// own to DatiAtto.mdb and the whole table Comuni held in memory, where it is
// sorted and filtered. The file is only ever read, and the cells cannot be
// edited.
class OrigineComuni : public QAbstractTableModel
{
public:
    explicit OrigineComuni(const QString &percorso, QObject *parent = nullptr);

    // Opens the connection and reads the table again, dropping the filter
    // and the sort. On failure there is no result:
    // no rows, and sorting and filtering do nothing.
    DbError aggiorna();
    bool aperta() const { return m_aperta; }
    // How current the place data are, read by aggiorna(); null if unknown.
    QDate dataDeiLuoghi() const { return m_dataDeiLuoghi; }

    // The sort expression: the field of a column, optionally followed by
    // " ASC" or " DESC", any case; empty for the order the table yields. Texts
    // are compared in the user's alphabetical order, ignoring case; rows that
    // compare equal keep the table's order. The filter stays in force.
    QString sort() const { return m_sort; }
    void setSort(const QString &espressione);
    // Keeps the rows whose Nome begins with `iniziali`, ignoring case; every
    // character stands for itself. An empty text keeps every row. The sort
    // stays in force.
    void setFiltroIniziali(const QString &iniziali);

    // The field that column `colonna` shows, which is also its header.
    static QString campo(int colonna);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void scegliRighe();

    QString m_percorso;
    Database m_database;
    bool m_aperta = false;
    QList<QStringList> m_righe; // the table in the order it yields
    QList<int> m_visibili;      // the rows shown, in the order shown
    QString m_sort;
    int m_colonnaSort = -1;
    bool m_discendente = false;
    QString m_iniziali;
    QDate m_dataDeiLuoghi;
};
