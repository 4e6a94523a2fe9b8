// SPDX-License-Identifier: MIT
#include "fiscal/datipersonali.h"

#include "app/accessibilita.h"
#include "app/controlliprincipali.h"
#include "app/controlprops.h"
#include "app/formevents.h"
#include "app/platform.h"
#include "fiscal/codicefiscale.h"
#include "fiscal/datanascita.h"
#include "fiscal/luogodelcodice.h"

#include <QChar>
#include <QComboBox>
#include <QMainWindow>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A small letter typed becomes its capital, accented ones too ("è" → "È").
// A letter whose capital would turn back into another small letter stays as
// typed (ß, the dotless ı, the long ſ): nothing else of the text is changed.
void maiuscola(int &keyAscii)
{
    const char16_t c = char16_t(keyAscii);
    const char32_t grande = QChar::toUpper(c);
    if (grande != c && grande < 0x10000 && QChar::toLower(grande) == c)
        keyAscii = int(grande);
}

} // namespace

DatiPersonali::DatiPersonali(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, const Database &db)
    : ui(ui)
    , m_events(events)
    , m_platform(platform)
    , m_db(db)
{
    events.onKeyPress(ui.txtCognome, [this](int &k) { txtCognome_KeyPress(k); });
    events.onKeyPress(ui.txtNome, [this](int &k) { txtNome_KeyPress(k); });
    events.onLostFocus(ui.txtNome, [this] { txtNome_LostFocus(); });
    events.onLostFocus(ui.cboSesso, [this] { cboSesso_LostFocus(); });
    events.onLostFocus(ui.txtDataNascita, [this] { txtDataNascita_LostFocus(); });
    QObject::connect(ui.cmdElabora, &QPushButton::clicked, ui.cmdElabora, [this] { cmdElabora_Click(); });
}

void DatiPersonali::txtCognome_KeyPress(int &keyAscii)
{
    maiuscola(keyAscii);
}

void DatiPersonali::txtNome_KeyPress(int &keyAscii)
{
    maiuscola(keyAscii);
}

// Whatever the tab order or the mouse chose, the given name leads to the sex
// and the sex to the place of birth.
void DatiPersonali::txtNome_LostFocus()
{
    m_events.setFocus(ui.cboSesso);
}

void DatiPersonali::cboSesso_LostFocus()
{
    m_events.setFocus(ui.cboComune);
}

void DatiPersonali::txtDataNascita_LostFocus()
{
    if (riconosciData(ui.txtDataNascita->text())) {
        setForeColor(ui.txtDataNascita, Colore::Nero);
        setMotivoColore(ui.txtDataNascita, QString());
    } else {
        m_platform.beep();
        setForeColor(ui.txtDataNascita, Colore::RossoScuro);
        setMotivoColore(ui.txtDataNascita, QStringLiteral("Data di nascita non valida"));
    }
}

void DatiPersonali::cmdElabora_Click()
{
    if (ui.txtCognome->text().isEmpty())
        return rifiuta(QStringLiteral("Devi inserire il cognome!"), ui.txtCognome);
    if (ui.txtNome->text().isEmpty())
        return rifiuta(QStringLiteral("Devi inserire il nome!"), ui.txtNome);
    const auto data = riconosciData(ui.txtDataNascita->text());
    if (!data)
        return rifiuta(QStringLiteral("La data di nascita non è valida!"), ui.txtDataNascita);
    if (ui.cboComune->currentText().isEmpty())
        return rifiuta(QStringLiteral("Devi inserire il Comune di nascita!"), ui.cboComune);

    avvisaLuogo(*data);
    setText(ui.txtCodiceFiscale, CalcoloCodFis(ui.txtCognome->text(), ui.txtNome->text(), *data,
                                               ui.cboSesso->currentText(), ui.Text3->text().trimmed()));
    m_platform.clearClipboard();
    m_platform.setClipboardText(ui.txtCodiceFiscale->text());
    m_platform.msgBox(ui.form, QStringLiteral("Il codice fiscale è stato memorizzato in Appunti di Windows!"),
                      Platform::Information);
}

void DatiPersonali::rifiuta(const QString &messaggio, QWidget *box)
{
    m_platform.msgBox(ui.form, messaggio, Platform::Exclamation);
    m_events.setFocus(box);
}

void DatiPersonali::avvisaLuogo(const QDate &nascita)
{
    const QString codice = ui.Text3->text().trimmed();
    LuogoDelCodice luogo;
    if (cercaLuogoDelCodice(m_db, codice, &luogo).failed() || !luogo.trovato)
        return;
    const QString avviso = avvisoLuogo(luogo, codice, {nascita, {}});
    if (!avviso.isEmpty())
        m_platform.msgBox(ui.form, QStringLiteral("Attenzione: %1! Il codice fiscale viene calcolato comunque.").arg(avviso),
                          Platform::Exclamation);
}
