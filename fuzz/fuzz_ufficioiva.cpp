// SPDX-License-Identifier: MIT
// The VAT office lookup has no function of its own: it is the change of the
// last digit box. So the fuzzer drives the VAT panel of the real main window,
// on the full reference data, pasting any text into any digit box in any
// order and pressing the check button now and then.
#include "app/controlprops.h"
#include "app/formevents.h"
#include "proprieta.h"
#include "support/finestradiprova.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

FinestraDiProva *finestra = nullptr;

bool undiciCifre(const QString &testo)
{
    if (testo.size() != 11)
        return false;
    for (QChar c : testo)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

const QStringList MessaggiDelPannello = {
    QStringLiteral("Devi digitare un numero!"),
    QStringLiteral("Codice Ufficio IVA inesistente"),
    QStringLiteral("Numero Partita IVA: errato"),
    QStringLiteral("Numero Partita IVA: OK: per accertarti dell'esistenza della Partita IVA, "
                   "incolla il numero nel sito di controllo "),
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    finestra = FinestraDiProva::conDatiCompleti().release();
    if (finestra->avvia() != FrmCodiceFiscale::Avvio::Pronto)
        qFatal("the main window did not start");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FrmCodiceFiscaleUi &ui = finestra->ui();
    RecordingPlatform &platform = finestra->platform;
    // A check with no number completed puts the panel back as at start-up.
    setText(ui.Text1, QString());
    ui.Command2->click();
    platform.messages.clear();
    platform.openedUrls.clear();

    FuzzedDataProvider dati(data, size);
    while (dati.remaining_bytes() > 0) {
        const int n = dati.ConsumeIntegralInRange(3, 14);
        if (n == 3) {
            ui.Command2->click();
            continue;
        }
        // The user clicks the box and pastes over its content, unless the
        // leave check of the box before refused it and kept the focus.
        const QString testo = QString::fromStdString(dati.ConsumeRandomLengthString(16));
        finestra->form->events().setFocus(ui.Text(n));
        if (finestra->form->events().activeControl() == ui.Text(n))
            setText(ui.Text(n), testo);

        // The number field holds a whole number or nothing, and an office
        // shown is the one of the code shown.
        PROPRIETA(ui.Text1->text().isEmpty() || undiciCifre(ui.Text1->text()));
        const QString ufficio = ui.CboUfficioIva->currentText();
        PROPRIETA(ufficio.isEmpty() || (ui.Text15->text().size() == 3 && ufficio.startsWith(ui.Text15->text())));
    }
    for (const RecordingPlatform::Message &m : std::as_const(platform.messages))
        PROPRIETA(MessaggiDelPannello.contains(m.text));
    return 0;
}
