// SPDX-License-Identifier: MIT
#pragma once

#include "app/frmcodicefiscale.h"
#include "support/recordingplatform.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

// The main window started on a database of the test's own, in a folder of
// its own, with every dialog recorded.
class FinestraDiProva
{
public:
    // The program's schema filled with righeDiEsempio(), plus `extra`.
    static QStringList datiDiEsempio(const QStringList &extra = {});

    // Creates DatiAtto.mdb from `statements` in the program's folder.
    explicit FinestraDiProva(const QStringList &statements = datiDiEsempio());
    // Copies the full reference data built from data/ into the program's folder.
    static std::unique_ptr<FinestraDiProva> conDatiCompleti();

    // Runs start-up and, when it succeeds, shows the window and waits until
    // it is active with the focus in txtCognome.
    FrmCodiceFiscale::Avvio avvia();
    // The window of that name on show; a closed one lingers hidden until it
    // is deleted.
    static QWidget *finestraAperta(const QString &nome);
    // Clicks a command of the menu bar, as the user does.
    void scegliDalMenu(QAction *voce);
    // Chooses a command of the menu bar that opens a modal window, runs
    // `guarda` on that window once it is active, then closes it.
    void apriModale(QAction *voce, const std::function<void(QWidget *)> &guarda);

    QString cartella() const { return m_cartella.path(); }
    QString percorso() const { return m_cartella.filePath(QStringLiteral("DatiAtto.mdb")); }
    const FrmCodiceFiscaleUi &ui() const { return form->ui(); }

    RecordingPlatform platform;
    std::unique_ptr<FrmCodiceFiscale> form;

private:
    struct Copia {};
    explicit FinestraDiProva(Copia);
    QTemporaryDir m_cartella;
};
