// SPDX-License-Identifier: MIT
#pragma once

#include "app/controlliprincipali.h"
#include "app/database.h"
#include "fiscal/datianagrafici.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class DatiPersonali;
class FrmControlloElenco;
class FrmVerificaCodice;
class FormEvents;
class LuogoNascita;
class PannelloIva;
class Platform;

// The main window: the personal data and the fiscal code on the left, the
// VAT number on the right. It holds the reference database open, with the
// municipalities' table ready for seeking, for as long as it lives.
class FrmCodiceFiscale : public QMainWindow
{
    Q_OBJECT

public:
    enum class Avvio { Pronto, Annullato, Errore };

    FrmCodiceFiscale(Platform &platform, const QString &cartellaProgramma, QWidget *parent = nullptr);
    ~FrmCodiceFiscale() override;

    // Opens DatiAtto.mdb from the program's folder, asking the user to locate
    // it when it is not there, and fills the four lists. Annullato: the user
    // gave up looking for the file. Errore: an unexpected failure was shown.
    // Either way the program must end.
    Avvio Form_Load();

    const FrmCodiceFiscaleUi &ui() const { return m_ui; }
    FormEvents &events() { return *m_events; }
    // The database file that start-up opened.
    QString percorsoDatiAtto() const { return m_percorso; }
    // The person as the boxes hold them now.
    DatiAnagrafici datiAnagrafici() const;

signals:
    // At each change of the person's data; none once the window is closed.
    void datiAnagraficiCambiati(const std::optional<DatiAnagrafici> &dati);

protected:
    void closeEvent(QCloseEvent *event) override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void createLayout();
    void createAccessibleNames();
    void createMenuBar();
    void menuBar_KeyPress(int &keyAscii);
    void restituisciTasti();
    void createHandlers();
    DbError apriDatabase(const QString &percorso);
    DbError riempiListe();
    bool cercaDatabase();

    void Command1_Click();
    void Aiuto_Click();
    void CercaComuni_Click();
    void VerificaCodice_Click();
    FrmVerificaCodice *apriVerifica();
    void AggiornaLuoghi_Click();
    void ControllaElenco_Click();

    Platform &m_platform;
    QString m_cartellaProgramma;
    QString m_percorso;
    FrmCodiceFiscaleUi m_ui;
    FormEvents *m_events = nullptr;
    Database dbDatiAtto;
    Recordset rsComuni;
    std::unique_ptr<DatiPersonali> m_datiPersonali;
    std::unique_ptr<LuogoNascita> m_luogoNascita;
    std::unique_ptr<PannelloIva> m_pannelloIva;
    // Built on first use, so that start-up does not grow.
    QPointer<FrmControlloElenco> m_controlloElenco;
};
