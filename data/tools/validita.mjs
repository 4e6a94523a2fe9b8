// Periodi di validità dei luoghi di comuni.tsv, per validita_luoghi.tsv: una
// riga per periodo di ciascun codice, comuni e Stati, attuali e cessati.
// SPDX-License-Identifier: MIT

// Il giorno prima di una data ISO: l'archivio dà come fine di un luogo il
// giorno in cui il suo successore comincia, la tabella l'ultimo giorno in cui
// il luogo esisteva.
function giornoPrima(data) {
    return new Date(Date.parse(`${data}T00:00:00Z`) - 86400000).toISOString().slice(0, 10);
}

// La data di inizio dell'archivio è quella dell'ultimo cambio del luogo: di
// nome, di provincia (Oristano nel 1974, Isernia nel 1970) o di territorio,
// non la sua nascita. Vale come nascita solo per un luogo fatto da una fusione:
// quando nello stesso giorno, nella stessa provincia, almeno due altri luoghi
// sono cessati. Altrimenti "Dal" resta vuoto: le fonti non dicono quando il
// luogo è nato, e un codice in uso da prima non deve risultare inesistente.
function nascitePerFusione(perCodice) {
    const cessati = new Map();
    for (const l of perCodice.values()) {
        if (l.fine) cessati.set(`${l.fine}|${l.sigla}`, (cessati.get(`${l.fine}|${l.sigla}`) || 0) + 1);
    }
    return (l) => (cessati.get(`${l.inizio}|${l.sigla}`) || 0) >= 2;
}

// righe: le righe di comuni.tsv (campo codice); perCodice: i luoghi di belfiore
// per codice, con inizio e fine. Restituisce il testo del file e gli errori.
export function testoValidita(righe, perCodice) {
    const errori = [];
    const periodi = [];
    const natoPerFusione = nascitePerFusione(perCodice);
    for (const r of righe) {
        const l = perCodice.get(r.codice);
        if (!l || !/^\d{4}-\d{2}-\d{2}$/.test(l.inizio)) {
            errori.push(`validità: nessuna data di inizio per ${r.codice}`);
            continue;
        }
        const dal = natoPerFusione(l) ? l.inizio : "";
        const al = l.fine ? giornoPrima(l.fine) : "";
        if (al && al < l.inizio) errori.push(`validità: ${r.codice} finisce prima di cominciare`);
        periodi.push([r.codice, dal, al]);
    }
    periodi.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : a[1] < b[1] ? -1 : 1));
    const testo = ["comcode\tDal\tAl", ...periodi.map((p) => p.join("\t"))].join("\n") + "\n";
    return { testo, errori, righe: periodi.length };
}
