// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/codifica.h"
#include "elenco/righe.h"

#include <QStringDecoder>

class QIODevice;

// A text table read a block at a time. The encoding and the separator (";",
// "," or tab, whichever the first row uses most outside quotes) are found
// from the first block. Quoted fields may hold separators, doubled quotes and
// line breaks; lines end in LF, CRLF or CR. Blank lines are skipped. A file
// with control characters (a binary file) or a row longer than a limit is
// refused with its reason rather than read.
class LettoreCsv : public SorgenteRighe
{
public:
    static constexpr qsizetype RigaMassima = 1 << 20; // characters

    // `dimensione` is the input's length in bytes when known, for progress.
    LettoreCsv(QIODevice *ingresso, qint64 dimensione);
    // Reads the first block and finds the encoding and the separator.
    bool apri();
    bool leggi(QStringList *celle) override;
    double avanzamento() const override;

    QChar separatore() const { return m_separatore; }
    Codifica codifica() const { return m_codifica; }

private:
    bool leggiBlocco();
    // One record from m_pos: true when it is complete, false when more text
    // is needed.
    bool record(QStringList *celle);
    QChar trovaSeparatore() const;

    QIODevice *m_ingresso;
    qint64 m_dimensione;
    qint64 m_letti = 0;
    qint64 m_riga = 0;
    QString m_testo;
    qsizetype m_pos = 0;
    bool m_fine = false;
    Codifica m_codifica = Codifica::Utf8;
    QStringDecoder m_decodificatore;
    QChar m_separatore = u';';
};
