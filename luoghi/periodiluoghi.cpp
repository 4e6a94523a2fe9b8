// SPDX-License-Identifier: MIT
#include "luoghi/periodiluoghi.h"

#include <algorithm>

namespace {

const QDate PrimoGiornoUtile(1920, 1, 1);
const QDate FineDellePrimeRighe(1924, 12, 31);

// The rows of each code, in order of their first day.
QMap<QString, QList<const RigaRegistro *>> perCodice(const QList<RigaRegistro> &righe)
{
    QMap<QString, QList<const RigaRegistro *>> gruppi;
    for (const RigaRegistro &r : righe)
        gruppi[r.codice].append(&r);
    for (auto &gruppo : gruppi)
        std::sort(gruppo.begin(), gruppo.end(), [](const RigaRegistro *a, const RigaRegistro *b) { return a->dal < b->dal; });
    return gruppi;
}

// Joins a code's rows into periods; with conProvincia a change of province
// starts a new period too. Rows that overlap count as following one another.
QList<PeriodoLuogo> unisci(const QList<const RigaRegistro *> &righe, bool conProvincia)
{
    QList<PeriodoLuogo> periodi;
    for (const RigaRegistro *r : righe) {
        if (!periodi.isEmpty()) {
            PeriodoLuogo &ultimo = periodi.last();
            const bool segue = ultimo.al.isNull() || r->dal <= ultimo.al.addDays(1);
            if (segue && (!conProvincia || ultimo.sigla == r->sigla)) {
                if (!ultimo.al.isNull() && (r->al.isNull() || r->al > ultimo.al))
                    ultimo.al = r->al;
                continue;
            }
        }
        periodi.append({r->dal, r->al, conProvincia ? r->sigla : QString()});
    }
    if (!periodi.isEmpty() && periodi.first().dal <= FineDellePrimeRighe)
        periodi.first().dal = {};
    return periodi;
}

bool inUsoDal1920(const QList<PeriodoLuogo> &periodi)
{
    const QDate &ultimo = periodi.last().al;
    return ultimo.isNull() || ultimo >= PrimoGiornoUtile;
}

QMap<QString, QList<PeriodoLuogo>> periodi(const QList<RigaRegistro> &righe, bool conProvincia)
{
    QMap<QString, QList<PeriodoLuogo>> risultato;
    const auto gruppi = perCodice(righe);
    for (auto it = gruppi.cbegin(); it != gruppi.cend(); ++it) {
        QList<PeriodoLuogo> p = unisci(it.value(), conProvincia);
        if (inUsoDal1920(p))
            risultato.insert(it.key(), p);
    }
    return risultato;
}

} // namespace

QMap<QString, QList<PeriodoLuogo>> periodiDelRegistro(const QList<RigaRegistro> &righe)
{
    return periodi(righe, false);
}

QMap<QString, QList<PeriodoLuogo>> provinceDelRegistro(const QList<RigaRegistro> &righe)
{
    return periodi(righe, true);
}
