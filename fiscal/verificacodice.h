// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>

// What a fiscal code handed in by a client says, read back from its sixteen
// characters.
struct EsitoCodFis
{
    bool valido = false;
    // Why the code is not valid, in Italian, naming the position; empty when
    // it is valid.
    QString errore;
    // The code as read: blanks removed, small letters a to z upper-cased.
    // Empty unless it has sixteen characters.
    QString codice;
    // The code with every digit that omocodia replaced by a letter put back,
    // and its check character computed anew.
    QString codiceBase;
    // How many of the seven digits were replaced by letters.
    int sostituzioni = 0;
    QChar sesso; // 'M' or 'F'
    int giorno = 0;
    int mese = 0;
    int anno2 = 0;       // the year's last two digits
    QString codiceLuogo; // the place's four characters, digits put back
};

// Checks and decodes a fiscal code. Blanks anywhere and small letters are
// accepted ("rss mra 80a01 h501u"); so are the invisible characters a paste
// brings along (zero-width space, byte-order mark, soft hyphen, word joiner). The checks run in the order of the
// characters, and the first that fails is the reason given: the length, a
// letter where a digit belongs or the reverse, the month letter, the day
// (1 to 31 for men, 41 to 71 for women, within the month; 29 February only
// in years that can be leap), then the check character.
//
// Omocodia: any of the seven digits may be replaced by the letters L M N P Q
// R S T U V (0 to 9), in any combination. The Revenue Agency assigns them
// when two people would share a code, and not always from the right.
EsitoCodFis VerificaCodFis(const QString &codice);

// The date of birth of a valid code. The century is the latest that does not
// put the birth in the future, as of `oggi`; `altraData` is the same day a
// century earlier when that person could still be alive (at most 120 years
// old today), otherwise a null date.
struct NascitaCodFis
{
    QDate data;
    QDate altraData;
};
NascitaCodFis DataNascitaCodFis(const EsitoCodFis &esito, const QDate &oggi);

// Whether each part of a valid code agrees with a person's data. An omocodic
// code is compared on its base code.
struct ConfrontoCodFis
{
    bool cognome = false;
    bool nome = false;
    bool data = false;
    bool sesso = false;
    bool luogo = false;
    // The code computed from the person's data, in its four groups.
    QString calcolato;
};
ConfrontoCodFis ConfrontaCodFis(const EsitoCodFis &esito, const QString &cognome, const QString &nome,
                                const QDate &nascita, const QString &sesso, const QString &codiceLuogo);
