// Regole sui nomi: maiuscole, testo rovinato dalla codifica, ordinamento.
// SPDX-License-Identifier: MIT

// Confronto "alfabetico italiano senza distinzione di maiuscole": si tolgono
// gli accenti (à = a), si passa a minuscolo e si confrontano i caratteri uno
// per uno; a parità decide il nome esatto, poi il codice, così l'ordine non
// dipende mai dalla versione di Node né dalle sue tabelle di collazione.
// Lo spazio e l'apostrofo vengono prima delle lettere: "Castel San Pietro
// Terme" precede "Castelbuono", come in un elenco telefonico.
export function chiaveOrdinamento(nome) {
    return nome.normalize("NFD").replace(/\p{M}/gu, "").toLowerCase();
}

function confrontaTesti(a, b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

export function confrontaRighe(a, b) {
    return (
        confrontaTesti(chiaveOrdinamento(a.nome), chiaveOrdinamento(b.nome)) ||
        confrontaTesti(a.nome, b.nome) ||
        confrontaTesti(a.codice, b.codice)
    );
}

// Chiave per confrontare nomi di fonti diverse: solo lettere e cifre, senza
// accenti né maiuscole ("Castello D'alife" = "Castello d'Alife").
export function chiaveConfronto(nome) {
    return chiaveOrdinamento(nome).replace(/[^a-z0-9]/g, "");
}

// Testo UTF-8 letto una volta di troppo come Latin-1 ("CittÃ  del Vaticano"):
// si ricostruiscono i byte e si rilegge come UTF-8. Se il risultato non è
// UTF-8 valido il nome resta com'è e lo segnala il controllo dei caratteri.
export function riparaCodifica(nome) {
    if (!/[\u00c2\u00c3]/.test(nome) || /[^\u0000-\u00ff]/.test(nome)) return nome;
    const riletto = Buffer.from(nome, "latin1").toString("utf8");
    return riletto.includes("\ufffd") ? nome : riletto;
}

// Caratteri ammessi in un nome di luogo: lettere (anche accentate), cifre
// (solo nel marcatore "soppresso nel AAAA"), spazio, apostrofo, trattino,
// punto, barra, virgola e parentesi. Un carattere di controllo o un "?"
// indica un testo rovinato nella fonte.
export function caratteriSospetti(nome) {
    return nome.match(/[^\p{L}0-9 '\-.\/,()]/gu) || [];
}

// L'archivio ANPR scrive i nomi in maiuscolo e la fonte li riporta con
// l'iniziale maiuscola su ogni parola ("Castelfranco Di Sopra", "Incisa In
// Val D'arno", "Uggiate-trevano"). Il registro ufficiale scrive in minuscolo
// preposizioni, articoli e congiunzioni dopo la prima parola e in maiuscolo
// l'iniziale dopo un apostrofo o un trattino ("Incisa in Val d'Arno").
// Le parole minuscole sono quelle che compaiono minuscole nei nomi ufficiali
// dei comuni attuali. "sopra" e "sotto" sono minuscole quando precedono un
// nome ("Castelletto sopra Ticino") e maiuscole in fondo o dopo "di"
// ("Castelfranco di Sopra"); i numeri romani restano maiuscoli ("XXIII").
const MINUSCOLE = new Set([
    "a", "ad", "ai", "al", "alla", "alle", "allo", "agli",
    "con", "da", "dai", "dal", "dalla", "dalle", "dallo", "dagli",
    "de", "de'", "dei", "del", "della", "delle", "dello", "degli", "di",
    "du", "e", "ed", "en", "et", "il", "in", "la", "li", "ne'", "nei", "nel", "nella",
    "nelle", "nello", "negli", "per", "presso", "su", "sui", "sul", "sulla",
    "sulle", "sullo", "sugli",
]);
// Forme elise, minuscole dopo la prima parola: "d'Arno", "dell'Adda".
const ELISIONI_MINUSCOLE = new Set(["d", "dall", "dell", "l", "nell", "sull", "all"]);

function iniziale(parola) {
    return parola.charAt(0).toUpperCase() + parola.slice(1);
}

const ROMANO = /^(?=[ivx]{2,}$)x{0,3}(ix|iv|v?i{0,3})$/;

export function correggiMaiuscole(nome) {
    const parti = nome.split(/([ \-])/);
    const parole = parti.filter((p) => p !== " " && p !== "-" && p !== "").map((p) => p.toLowerCase());
    let indice = -1;
    return parti
        .map((parte) => {
            if (parte === " " || parte === "-" || parte === "") return parte;
            indice++;
            const minuscola = parole[indice];
            const prima = indice === 0;
            const ultima = indice === parole.length - 1;
            const elisa = /^(\p{L}+)'(.+)$/u.exec(minuscola);
            if (elisa) {
                const prefisso = ELISIONI_MINUSCOLE.has(elisa[1]) && !prima ? elisa[1] : iniziale(elisa[1]);
                return `${prefisso}'${iniziale(elisa[2])}`;
            }
            if (MINUSCOLE.has(minuscola) && !prima) return minuscola;
            if ((minuscola === "sopra" || minuscola === "sotto") && !prima && !ultima && parole[indice - 1] !== "di") {
                return minuscola;
            }
            if (ROMANO.test(minuscola)) return minuscola.toUpperCase();
            return iniziale(minuscola);
        })
        .join("");
}

// Come l'archivio ANPR rende un nome ufficiale: tutto maiuscolo, poi la fonte
// mette l'iniziale maiuscola a ogni parola separata da spazi. Serve solo a
// misurare quanto correggiMaiuscole() ritrova i nomi ufficiali.
export function comeAnpr(nome) {
    return nome
        .split(" ")
        .map((p) => p.charAt(0).toUpperCase() + p.slice(1).toLowerCase())
        .join(" ");
}
