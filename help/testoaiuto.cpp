// SPDX-License-Identifier: MIT
#include "help/testoaiuto.h"

#include <QStringList>

QString testoAiuto()
{
    const QStringList paragrafi = {
        QStringLiteral("Il programma Brantovel.exe consente di calcolare il codice fiscale avvalendosi per la ricerca "
                       "del codice del comune di nascita nella tabella Comuni del database DatiAtto.mdb, che deve "
                       "essere presente nella stessa cartella del programma."),
        QStringLiteral("La tabella ha come campi le città, le provincie, i codici di avviamento postale, i codici dei "
                       "comuni ed i codici catastali. "),
        QStringLiteral("In particolare il TextBox del Comune di nascita consente la digitazione del comune di nascita "
                       "o lo Stato Estero di nascita, con la funzionalità di completamento automatico. Se il comune "
                       "digitato è inesistente per errore di digitazione o perché di uno Stato Estero viene dato il "
                       "relativo avviso ed il colore del TextBox diventa rosso. "),
        QStringLiteral("Se il comune di nascita è in uno Stato Estero deve essere digitato solo lo Stato Estero, che "
                       "potrà essere selezionato anche dal relativo ComboBox; in tal caso lo stato estero verrà "
                       "automaticamente copiato nel TextBox dei comuni. "),
        QStringLiteral("Il menu CercaComuni apre un form con una griglia di dati che, mediante una propria "
                       "connessione al database, visualizza i comuni nell'ordine voluto dall'utente, per nome, per "
                       "provincia e così via, facendo clic sull'intestazione della relativa colonna. "),
        QStringLiteral("Sul form è inserito, inoltre, un OptionButton per la ricerca del Comune che avviene anche "
                       "digitando solo alcune lettere. "),
        QStringLiteral("Il controllo del numero di Partita Iva presuppone innanzi tutto che la ottava, la nona e la "
                       "decima cifra corrispondano al codice dell'ufficio IVA competente per territorio; l'undicesima "
                       "cifra è di verifica risultante dal seguente calcolo: si moltiplicano per due le cifre di "
                       "posizione pari (2ª, 4ª, 6ª 8ª e 10ª); tutte le singole cifre componenti i prodotti così "
                       "ottenuti vanno poi sommate fra loro e con le cifre di ordine dispari (1ª, 3ª, 5ª, 7ª e 9ª) "
                       "del numero di partita. Nel caso che l'ultima cifra del risultato ottenuto sia zero, il codice "
                       "di controllo del numero di partita Iva deve essere uguale a zero, altrimenti deve essere "
                       "uguale al completamento a dieci della suddetta ultima cifra. "),
        QStringLiteral("Infine, il numero di Partita Iva viene copiato in Appunti di Windows per poter essere "
                       "incollato nella apposita casella del sito dell'Agenzia delle Entrate per il controllo "
                       "dell'esistenza della Partita Iva, sito che viene automaticamente aperto."),
    };
    return paragrafi.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}
