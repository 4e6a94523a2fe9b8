// SPDX-License-Identifier: MIT
#include "elenco/scrittorexlsx.h"

#include "elenco/scrittori.h"

#include <QDir>
#include <xlsxwriter.h>

namespace {

QString motivo(lxw_error e)
{
    return QStringLiteral("scrittura del foglio .xlsx non riuscita: %1").arg(QString::fromUtf8(lxw_strerror(e)));
}

} // namespace

ScrittoreXlsx::ScrittoreXlsx(UscitaRisultati &uscita)
    : m_uscita(uscita), m_temporaneo(QDir::tempPath() + QStringLiteral("/brantovel-elenco-XXXXXX.xlsx"))
{
    if (!m_temporaneo.open())
        return;
    m_temporaneo.close();
    const QByteArray percorso = QFile::encodeName(m_temporaneo.fileName());
    const QByteArray cartellaTemporanea = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options opzioni{};
    opzioni.constant_memory = LXW_TRUE;
    opzioni.tmpdir = const_cast<char *>(cartellaTemporanea.constData());
    opzioni.use_zip64 = LXW_TRUE;
    m_cartella = workbook_new_opt(percorso.constData(), &opzioni);
    if (!m_cartella)
        return;
    m_foglio = workbook_add_worksheet(m_cartella, "Risultati");
    m_grassetto = workbook_add_format(m_cartella);
    format_set_bold(m_grassetto);
}

ScrittoreXlsx::~ScrittoreXlsx()
{
    if (m_cartella)
        workbook_close(m_cartella);
}

bool ScrittoreXlsx::scrivi(const QStringList &celle)
{
    if (!m_foglio)
        return fallisce(QStringLiteral("impossibile creare il foglio .xlsx in %1").arg(QDir::tempPath()));
    if (m_riga >= LXW_ROW_MAX)
        return fallisce(QStringLiteral("un foglio .xlsx non contiene più di %1 righe").arg(LXW_ROW_MAX));
    if (m_riga == 0) {
        worksheet_set_column(m_foglio, 0, lxw_col_t(std::max<qsizetype>(celle.size(), 1) - 1), 22, nullptr);
        worksheet_freeze_panes(m_foglio, 1, 0);
    }
    for (qsizetype i = 0; i < celle.size() && i < LXW_COL_MAX; ++i) {
        if (celle.at(i).isEmpty())
            continue;
        // Every cell is text: a code or a number with its leading zero stays as written.
        const QByteArray testo = celle.at(i).left(32767).toUtf8();
        const lxw_error e = worksheet_write_string(m_foglio, m_riga, lxw_col_t(i), testo.constData(),
                                                   m_riga == 0 ? m_grassetto : nullptr);
        if (e != LXW_NO_ERROR)
            return fallisce(motivo(e));
    }
    ++m_riga;
    return true;
}

bool ScrittoreXlsx::chiudi()
{
    if (!m_cartella)
        return fallisce(QStringLiteral("impossibile creare il foglio .xlsx in %1").arg(QDir::tempPath()));
    const lxw_error e = workbook_close(m_cartella);
    m_cartella = nullptr;
    if (e != LXW_NO_ERROR)
        return fallisce(motivo(e));
    QFile cartella(m_temporaneo.fileName());
    if (!cartella.open(QIODevice::ReadOnly))
        return fallisce(QStringLiteral("impossibile rileggere il foglio .xlsx: %1").arg(cartella.errorString()));
    QIODevice *uscita = m_uscita.dispositivo();
    while (!cartella.atEnd()) {
        const QByteArray blocco = cartella.read(1 << 20);
        if (blocco.isEmpty() || uscita->write(blocco) != blocco.size())
            return fallisce(QStringLiteral("scrittura dei risultati non riuscita: %1").arg(uscita->errorString()));
    }
    return m_uscita.completa() || fallisce(m_uscita.errore());
}
