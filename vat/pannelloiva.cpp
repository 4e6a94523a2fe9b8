// SPDX-License-Identifier: MIT
#include "vat/pannelloiva.h"

#include "app/accessibilita.h"
#include "app/controlliprincipali.h"
#include "app/controlprops.h"
#include "app/formevents.h"
#include "app/interrogazioni.h"
#include "app/platform.h"
#include "vat/controllopi.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStringList>
#include <QUrl>
#include <utility>

namespace {

// The Revenue Agency's page for checking a VAT number. The number is never
// part of the address: the user pastes it there from the clipboard.
QUrl paginaDiControllo()
{
    return QUrl(
        QStringLiteral("https://www1.agenziaentrate.gov.it/servizi/vies/vies.htm?act=default&piva=&stato=IT#app"));
}

// What a digit box may hold: one decimal digit, nothing else.
bool unaCifra(const QString &testo)
{
    return testo.size() == 1 && testo.at(0) >= u'0' && testo.at(0) <= u'9';
}

} // namespace

PannelloIva::PannelloIva(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Database &dbDatiAtto)
    : ui(ui)
    , m_events(events)
    , m_platform(platform)
    , dbDatiAtto(dbDatiAtto)
{
    for (int n = 4; n <= 14; ++n) {
        QLineEdit *box = ui.Text(n);
        if (n < 14)
            QObject::connect(box, &QLineEdit::textChanged, box, [this, n] { Text_Change(n); });
        events.onLostFocus(box, [this, n] { Text_LostFocus(n); });
        events.onGotFocus(box, [this, n] { Text_GotFocus(n); });
        if (n > 4)
            events.onKeyPress(box, [this, n](int &k) { Text_KeyPress(n, k); });
    }
    QObject::connect(ui.Text(14), &QLineEdit::textChanged, ui.Text(14), [this] { Text14_Change(); });
    events.onKeyPress(ui.Text(4), [this](int &k) { Text4_KeyPress(k); });
    QObject::connect(ui.Command2, &QPushButton::clicked, ui.Command2, [this] { Command2_Click(); });
}

// Any change moves on to the next box with its whole content selected, so
// that the next digit typed replaces it: also when a second number is typed
// over the first and the caret of that box was left after its digit.
void PannelloIva::Text_Change(int n)
{
    if (incollaNumero(n))
        return;
    QLineEdit *successiva = ui.Text(n + 1);
    m_events.setFocus(successiva);
    setSelection(successiva, 0, successiva->text().size());
}

void PannelloIva::Text_LostFocus(int n)
{
    QLineEdit *box = ui.Text(n);
    if (unaCifra(box->text()))
        return;
    setText(box, QStringLiteral("0"));
    if (n != 4)
        messaggio(QStringLiteral("Devi digitare un numero!"));
    m_events.setFocus(box);
    setSelLength(box, box->text().size());
}

// Whatever is typed into the first box takes the place of its whole content.
// The box is not emptied beforehand: that would be a change of its own, which
// moves the focus on and has the empty box refused before the key arrives.
void PannelloIva::Text4_KeyPress(int &)
{
    m_sostituisce = true;
    setSelection(ui.Text(4), 0, ui.Text(4)->text().size());
}

// A box that the focus enters has its digit selected, so that the digit typed
// next replaces it: after a refusal or a reset as after Tab. A click then
// puts the caret where it falls.
void PannelloIva::Text_GotFocus(int n)
{
    if (n == 5)
        Text5_GotFocus();
    setSelection(ui.Text(n), 0, ui.Text(n)->text().size());
}

// Backspace in a box with nothing to erase (empty, or its digit selected) goes
// back to the previous box, leaving a "0" in an empty one. Ctrl+V replaces the
// box's content, as typing does.
void PannelloIva::Text_KeyPress(int n, int &keyAscii)
{
    QLineEdit *box = ui.Text(n);
    if (keyAscii == 22) {
        m_sostituisce = true;
        setSelection(box, 0, box->text().size());
    }
    if (keyAscii != 8 || (!box->text().isEmpty() && box->selectedText() != box->text()))
        return;
    keyAscii = 0;
    if (box->text().isEmpty()) {
        const QSignalBlocker fermo(box);
        setText(box, QStringLiteral("0"));
    }
    m_events.setFocus(ui.Text(n - 1));
}

// More characters than one key can leave in a box were pasted or dropped
// there: a number of up to eleven digits, written with or without "IT", blanks
// or dots, fills the boxes from that one on (a whole number from the first),
// and one that reaches the last box is looked up. Anything else is left to the
// box's leave check.
bool PannelloIva::incollaNumero(int n)
{
    QLineEdit *box = ui.Text(n);
    const QString testo = box->text();
    const bool sostituito = std::exchange(m_sostituisce, false);
    if (testo.size() < 3)
        return false;
    const auto numero = [n](QString t) {
        t.remove(QRegularExpression(QStringLiteral("[\\s.]")));
        if (t.startsWith(QLatin1String("IT"), Qt::CaseInsensitive))
            t.remove(0, 2);
        const int ultimo = (t.size() == 11 ? 4 : n) + int(t.size()) - 1;
        const bool cifre = QRegularExpression(QStringLiteral("^[0-9]+$")).match(t).hasMatch();
        return cifre && ultimo <= 14 ? t : QString();
    };
    QString cifre = numero(testo);
    // A paste that did not replace the box's digit (a click leaves the caret
    // beside it) keeps that digit too; the caret, at the end of what came in,
    // tells on which side of it the digit stands.
    if (cifre.isEmpty() && !sostituito && box->cursorPosition() == testo.size())
        cifre = numero(testo.mid(1));
    else if (cifre.isEmpty() && !sostituito && box->cursorPosition() == testo.size() - 1)
        cifre = numero(testo.left(testo.size() - 1));
    if (cifre.isEmpty())
        return false;
    const int primo = cifre.size() == 11 ? 4 : n;
    const int ultimo = primo + int(cifre.size()) - 1;
    for (int k = primo; k <= ultimo; ++k) {
        const QSignalBlocker fermo(ui.Text(k));
        setText(ui.Text(k), cifre.at(k - primo));
    }
    if (ultimo < 14)
        m_events.setFocus(ui.Text(ultimo + 1));
    else
        Text14_Change();
    return true;
}

void PannelloIva::Text5_GotFocus()
{
    QLineEdit *box = ui.Text(5);
    if (unaCifra(box->text()))
        return;
    setText(box, QStringLiteral("0"));
    setSelLength(box, box->text().size());
}

// Every number completed in the last box is looked up, whatever its digits:
// 00488410010 (office 001, check digit 0) is as real as any other.
void PannelloIva::Text14_Change()
{
    if (incollaNumero(14))
        return;
    // An erased box or a letter is no digit to look up: the leave check of the
    // box will set it right.
    if (!unaCifra(ui.Text(12)->text()) || !unaCifra(ui.Text(14)->text()))
        return;
    // Eleven zeros are what every reset leaves, and no number: a reset starts
    // no lookup.
    if (cifre() == QString(11, u'0'))
        return;
    m_events.setFocus(ui.CboUfficioIva);
    cercaUfficio();
}

void PannelloIva::cercaUfficio()
{
    setText(ui.Text1, cifre());
    setText(ui.Text15, ui.Text(11)->text() + ui.Text(12)->text() + ui.Text(13)->text());

    QString ufficio;
    const DbError e = ufficioIvaPerCodice(dbDatiAtto, ui.Text15->text(), &ufficio);
    if (e.failed()) {
        m_platform.msgBox(ui.form, QStringLiteral("Errore imprevisto: %1 %2").arg(e.number).arg(e.description),
                          Platform::NoIcon, ui.form->windowTitle());
        return;
    }
    if (!ufficio.isEmpty()) {
        setText(ui.CboUfficioIva, ufficio);
        return;
    }
    setBackColor(ui.Text15, Colore::Rosso);
    setMotivoColore(ui.Text15, QStringLiteral("Codice Ufficio IVA inesistente"));
    messaggio(QStringLiteral("Codice Ufficio IVA inesistente"));
    azzeraPannello();
    setBackColor(ui.Text15, Colore::CianoChiaro);
    setMotivoColore(ui.Text15, QString());
}

void PannelloIva::Command2_Click()
{
    // An empty number field means no number has been completed since
    // start-up or the last reset: the check fails, for the zeros of start-up
    // are no number although their check digit fits. Digits changed after the
    // last box are looked up now, so that the office shown and the number
    // checked, shown and copied are always the same eleven digits.
    if (!ui.Text1->text().isEmpty() && ui.Text1->text() != cifre())
        cercaUfficio();
    const QString numero = ui.Text1->text();
    if (ControlloPI(numero)) {
        messaggio(QStringLiteral("Numero Partita IVA: OK: per accertarti dell'esistenza della Partita IVA, "
                                 "incolla il numero nel sito di controllo "));
        m_platform.clearClipboard();
        m_platform.setClipboardText(numero);
        // The number is already on the clipboard: without a browser the user
        // can still paste it wherever they like.
        m_platform.openUrl(paginaDiControllo());
        return;
    }
    setText(ui.Text1, cifre(QStringLiteral("  ")));
    setBackColor(ui.Text1, Colore::Rosso);
    setMotivoColore(ui.Text1, QStringLiteral("Numero Partita IVA errato"));
    messaggio(QStringLiteral("Numero Partita IVA: errato"));
    azzeraPannello();
    setBackColor(ui.Text1, Colore::Verdeacqua);
    setMotivoColore(ui.Text1, QString());
}

QString PannelloIva::cifre(const QString &separatore) const
{
    QStringList contenuti;
    for (int n = 4; n <= 14; ++n)
        contenuti << ui.Text(n)->text();
    return contenuti.join(separatore);
}

// Each box set to "0" moves the focus on to the next one; the last stops
// short of a lookup, since all the digits are zeros by then. The focus then
// goes back to the first box, where the number is typed again.
void PannelloIva::azzeraPannello()
{
    setText(ui.Text1, QString());
    for (int n = 4; n <= 14; ++n)
        setText(ui.Text(n), QStringLiteral("0"));
    setText(ui.Text15, QString());
    setText(ui.CboUfficioIva, QString());
    m_events.setFocus(ui.Text(4));
}

void PannelloIva::messaggio(const QString &testo)
{
    m_platform.msgBox(ui.form, testo, Platform::Information, ui.form->windowTitle());
}
