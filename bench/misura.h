// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

// Runs batches of `perLotto` operations, `lotto()` doing one batch, for at
// least a second on this one thread; operations per second.
template <typename Lotto>
double operazioniAlSecondo(Lotto lotto, qint64 perLotto)
{
    lotto(); // warms caches and Qt's lazily built tables
    QElapsedTimer t;
    t.start();
    qint64 fatte = 0;
    while (t.nsecsElapsed() < 1'000'000'000) {
        lotto();
        fatte += perLotto;
    }
    return double(fatte) * 1e9 / double(t.nsecsElapsed());
}

// The p-th percentile (0 to 100) by nearest rank.
double percentile(QList<double> valori, double p);

// The most resident memory this process has held so far, in kilobytes; -1
// where the system does not tell.
qint64 piccoMemoriaKb();

// Prints one figure against its target: "cosa: valore (obiettivo ...): raggiunto".
void confronta(const QString &cosa, const QString &valore, const QString &obiettivo, bool raggiunto);
