// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/codifica.h"
#include "elenco/righe.h"

#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>
#include <memory>
#include <vector>

class QIODevice;

// The results go to a file written under a temporary name and renamed into
// place only when complete, so that a stopped or failed run leaves no half
// file; or to an open device such as standard output.
class UscitaRisultati
{
public:
    // "-" is standard output.
    bool apri(const QString &percorso);
    QIODevice *dispositivo() const;
    bool completa();
    QString errore() const { return m_errore; }

private:
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QFile> m_standard;
    QString m_errore;
};

// A text table with the given separator and encoding; fields holding the
// separator, a quote or a line break are quoted.
class ScrittoreCsv : public DestinazioneRighe
{
public:
    ScrittoreCsv(UscitaRisultati &uscita, QChar separatore, Codifica codifica);
    bool scrivi(const QStringList &celle) override;
    bool chiudi() override;

private:
    bool svuota();

    static constexpr qsizetype Blocco = 1 << 16;

    UscitaRisultati &m_uscita;
    QChar m_separatore;
    Codifica m_codifica;
    QStringEncoder m_codificatore;
    QString m_riga;
    std::vector<char> m_citate; // of the cells of the row being written
    QByteArray m_byte;
};

// A JSON array with one object per row, one row per line, named by the
// header's cells (the first row written).
class ScrittoreJson : public DestinazioneRighe
{
public:
    explicit ScrittoreJson(UscitaRisultati &uscita);
    bool scrivi(const QStringList &celle) override;
    bool chiudi() override;

private:
    UscitaRisultati &m_uscita;
    QStringList m_chiavi;
    bool m_primo = true;
};

// The writer of a format, "csv", "xlsx" or "json"; a text table takes the
// separator and encoding given.
std::unique_ptr<DestinazioneRighe> creaScrittore(const QString &formato, UscitaRisultati &uscita, QChar separatore,
                                                 Codifica codifica);
