// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>

// One row of a test's data table in one statement: its name, then a value
// for each column in order.
template <typename... Valori>
void riga(const char *nome, const Valori &...valori)
{
    (QTest::newRow(nome) << ... << valori);
}
