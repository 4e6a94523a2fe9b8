// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>

// A test's data table in few statements: colonne<QString, int>("testo",
// "numero") declares its columns, riga("nome", "abc", 3) adds a row with its
// name and a value for each column in order.
template <typename... Tipi, typename... Nomi> void colonne(const Nomi &...nomi)
{
    static_assert(sizeof...(Tipi) == sizeof...(Nomi), "one name for each column");
    (QTest::addColumn<Tipi>(nomi), ...);
}

template <typename... Valori> void riga(const char *nome, const Valori &...valori)
{
    (QTest::newRow(nome) << ... << valori);
}
