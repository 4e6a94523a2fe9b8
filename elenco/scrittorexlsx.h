// SPDX-License-Identifier: MIT
#pragma once

#include "elenco/righe.h"

#include <QTemporaryFile>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;
class UscitaRisultati;

// A spreadsheet of one sheet, written row by row with libxlsxwriter in its
// constant-memory mode. The library writes to a file of its own choosing; the
// finished workbook is then copied to the results, so that they too appear
// only when complete, on standard output as well.
class ScrittoreXlsx : public DestinazioneRighe
{
public:
    explicit ScrittoreXlsx(UscitaRisultati &uscita);
    ~ScrittoreXlsx() override;
    bool scrivi(const QStringList &celle) override;
    bool chiudi() override;

private:
    UscitaRisultati &m_uscita;
    QTemporaryFile m_temporaneo;
    lxw_workbook *m_cartella = nullptr;
    lxw_worksheet *m_foglio = nullptr;
    lxw_format *m_grassetto = nullptr;
    quint32 m_riga = 0;
};
