// Periodi di validità dei luoghi di comuni.tsv: validita_luoghi.tsv, una riga
// per periodo di ciascun codice, e province_luoghi.tsv, i periodi in cui un
// comune stava in una provincia diversa da quella di comuni.tsv.
// SPDX-License-Identifier: MIT

// Il giorno prima di una data ISO: le fonti degli Stati danno come fine il
// giorno in cui il successore comincia, la tabella l'ultimo giorno in cui il
// luogo esisteva.
export function giornoPrima(data) {
    return new Date(Date.parse(`${data}T00:00:00Z`) - 86400000).toISOString().slice(0, 10);
}

const PRIMO_GIORNO_UTILE = "1920-01-01";

function testo(intestazione, righe) {
    righe.sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : a[1] < b[1] ? -1 : a[1] > b[1] ? 1 : 0));
    return [intestazione, ...righe.map((p) => p.join("\t"))].join("\n") + "\n";
}

// righe: le righe di comuni.tsv (codice, sigla); registro: i periodi dei
// comuni dall'archivio ANPR; statiBelfiore: gli Stati per codice, con la data
// di fine. I comuni prendono i periodi dall'archivio; gli Stati, che
// l'archivio non contiene, hanno l'inizio aperto e la fine della fonte.
export function testiValidita(righe, registro, statiBelfiore) {
    const errori = [];
    const periodi = [];
    const province = [];
    for (const r of righe) {
        if (r.codice.startsWith("Z")) {
            const fine = statiBelfiore.get(r.codice)?.fine;
            periodi.push([r.codice, "", fine ? giornoPrima(fine) : ""]);
            continue;
        }
        const delCodice = registro.periodi.get(r.codice);
        if (!delCodice) {
            errori.push(`validità: l'archivio ANPR non ha periodi per ${r.codice}`);
            continue;
        }
        for (const p of delCodice) periodi.push([r.codice, p.dal, p.al]);
        for (const p of registro.province.get(r.codice)) {
            if (p.sigla !== r.sigla && (!p.al || p.al >= PRIMO_GIORNO_UTILE)) province.push([r.codice, p.dal, p.al, p.sigla]);
        }
    }
    return {
        validita: testo("comcode\tDal\tAl", periodi),
        province: testo("comcode\tDal\tAl\tPROV", province),
        errori,
        righe: periodi.length,
        righeProvince: province.length,
    };
}
