// SPDX-License-Identifier: MIT
#pragma once

// "Controllo di un elenco": checks a whole list with the engine of
// brantovel-elenco. The user chooses a file (through Platform), the window
// opens it to read its header and shows one box per kind of column, set to
// the column recognised; the user may change them. "Controlla" starts a
// worker thread, which opens the file and a database connection of its own,
// checks every row and hands the rows back in batches, each row already in
// the compact form the results table keeps, so that the window only appends
// them; it shows the rows done, rows per second and time left. "Annulla"
// raises a flag the worker reads between rows. Enter or a double click on a
// row asks for its code to be verified, through a signal the main window
// connects; "Salva risultati" writes the rows the table shows.

#include "elenco/colonne.h"
#include "elenco/elenco.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <array>
#include <atomic>

class ModelloRisultati;
class FiltroProblemi;
class Platform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;

class FrmControlloElenco : public QWidget
{
    Q_OBJECT

public:
    FrmControlloElenco(const QString &percorsoDatiAtto, Platform &platform, QWidget *parent = nullptr);
    ~FrmControlloElenco() override;

    // Opens a list as the file dialog would have chosen it.
    void apriElenco(const QString &percorso);

signals:
    void codiceDaVerificare(const QString &codice);

private:
    void createLayout();
    void cmdScegli_Click();
    void cmdControlla_Click();
    void cmdAnnulla_Click();
    void chkSoloProblemi_Click(bool solo);
    void cmdSalva_Click();
    void tblRisultati_Activated(const QModelIndex &indice);

    Colonne colonneScelte() const;
    void ricevi(const QList<QByteArray> &righe, const QList<StatoRiga> &stati, double frazione,
                const Riepilogo &riepilogo);
    void finito(const QString &errore);
    void mostraStato(bool inCorso);
    void mostraRiepilogo(const Riepilogo &r, double frazione);
    void messaggio(const QString &testo);

    Platform &m_platform;
    QString m_percorsoDatiAtto;
    QString m_percorso;
    QStringList m_intestazione;
    QChar m_separatore = u';';
    Codifica m_codifica = Codifica::Utf8Bom;
    Colonne m_colonneUsate;
    QThread *m_lavoro = nullptr;
    std::atomic_bool m_annulla{false};
    QElapsedTimer m_cronometro;

    QLineEdit *txtFile = nullptr;
    QPushButton *cmdScegli = nullptr;
    std::array<QComboBox *, NumeroRuoli> cboColonna{};
    QPushButton *cmdControlla = nullptr;
    QPushButton *cmdAnnulla = nullptr;
    QPushButton *cmdSalva = nullptr;
    QProgressBar *barAvanzamento = nullptr;
    QLabel *lblAvanzamento = nullptr;
    QCheckBox *chkSoloProblemi = nullptr;
    QTableView *tblRisultati = nullptr;
    QLabel *lblRiepilogo = nullptr;
    ModelloRisultati *m_modello = nullptr;
    FiltroProblemi *m_filtro = nullptr;
};
