// SPDX-License-Identifier: MIT
#include "birthplace/luogonascita.h"

#include "app/accessibilita.h"
#include "app/controlliprincipali.h"
#include "app/controlprops.h"
#include "app/database.h"
#include "app/formevents.h"
#include "app/platform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QVariant>

namespace {

const char TagProperty[] = "Tag";

QString comuneInesistente()
{
    return QStringLiteral("Comune inesistente (se all'estero scegli direttamente lo Stato)");
}

} // namespace

LuogoNascita::LuogoNascita(FrmCodiceFiscaleUi &ui, FormEvents &events, Platform &platform, Recordset &rsComuni)
    : ui(ui)
    , m_events(events)
    , m_platform(platform)
    , rsComuni(rsComuni)
{
    events.onKeyUp(ui.cboComune, [this](int keyCode, int shift) { cboComune_KeyUp(keyCode, shift); });
    events.onGotFocus(ui.cboComune, [this] { m_testoVisto = this->ui.cboComune->currentText(); });
    events.onLostFocus(ui.cboComune, [this] { cboComune_LostFocus(); });
    QObject::connect(ui.cboComune, &QComboBox::activated, ui.cboComune, [this] { cboComune_Click(); });
    events.onGotFocus(ui.CboStatoEstero, [this] { CboStatoEstero_GotFocus(); });
    events.onKeyPress(ui.CboStatoEstero, [this](int &k) { CboStatoEstero_KeyPress(k); });
    QObject::connect(ui.CboStatoEstero, &QComboBox::activated, ui.CboStatoEstero, [this] { CboStatoEstero_Click(); });
}

// Every key is judged by the text it leaves, never by which key it was; a key
// that leaves the text as it was (an arrow, Home, Shift, Ctrl+A) does nothing,
// and keeps the selection it made.
void LuogoNascita::cboComune_KeyUp(int, int)
{
    if (ui.cboComune->currentText() == m_testoVisto)
        return;
    const DbError e = completaComune();
    if (e.failed())
        mostraErrore(e);
    m_testoVisto = ui.cboComune->currentText();
}

DbError LuogoNascita::completaComune()
{
    const QString s = ui.cboComune->currentText().trimmed();
    if (s.isEmpty()) {
        setTag(QString());
        return {};
    }
    std::optional<QString> nome;
    DbError e = rsComuni.seek(s);
    if (!e.failed())
        e = nomeTrovato(s, &nome);
    if (e.failed())
        return e;

    if (nome && s.size() > tag().size()) {
        // The typed part is kept as the stored name spells it; the rest is
        // selected, so that the next letter replaces it.
        setText(ui.cboComune, *nome);
        setSelection(ui.cboComune, int(s.size()), int(nome->size() - s.size()));
        QString prov, comcode;
        if ((e = rsComuni.field(QStringLiteral("PROV"), &prov)).failed())
            return e;
        setText(ui.Text2, prov);
        if ((e = rsComuni.field(QStringLiteral("comcode"), &comcode)).failed())
            return e;
        setText(ui.Text3, comcode);
    } else if (!nome) {
        // Only a box already in black reports: the first failure after the
        // window opened, or after the leave check turned the text white,
        // marks in silence.
        if (foreColor(ui.cboComune) == Colore::Nero)
            m_platform.msgBox(ui.form, comuneInesistente(), Platform::Exclamation);
        for (QWidget *box : caselle())
            setForeColor(box, Colore::Nero);
        segnaInesistente();
        m_events.setFocus(ui.cboComune);
    }
    if (foreColor(ui.cboComune) != Colore::Nero)
        setForeColor(ui.cboComune, Colore::Nero);
    setTag(s);
    if (ui.Text2->text().compare(QLatin1String("EE"), Qt::CaseInsensitive) == 0)
        setText(ui.CboStatoEstero, ui.cboComune->currentText());
    return {};
}

void LuogoNascita::mostraErrore(const DbError &e)
{
    const QString testo = e.number == DbError::FileNotFound
                              ? QStringLiteral("Il database ''Comuni'.mdb'' deve essere copiato nella stessa "
                                               "cartella dove viene eseguito il programma!")
                              : QStringLiteral("Errore n. ") + QString::number(e.number) + QLatin1Char(' ')
                                    + e.description;
    m_platform.msgBox(ui.form, testo, Platform::Exclamation);
}

void LuogoNascita::cboComune_LostFocus()
{
    setTag(QString());
    setText(ui.CboStatoEstero, QString());
    const QString s = ui.cboComune->currentText().trimmed();
    if (s.isEmpty())
        return;
    const DbError cercato = rsComuni.seek(s);
    m_events.setFocus(ui.txtDataNascita);

    // A name that cannot be read is one that cannot be confirmed.
    std::optional<QString> nome;
    if (!cercato.failed())
        nomeTrovato(s, &nome);
    if (nome) {
        setText(ui.cboComune, *nome);
        // A null province or code shows as an empty box, never as the one
        // of the place confirmed before.
        setText(ui.Text2, campo(QStringLiteral("PROV")).value_or(QString()));
        setText(ui.Text3, campo(QStringLiteral("comcode")).value_or(QString()));
        segnaConfermato();
        m_events.setFocus(ui.txtDataNascita);
    } else {
        // White on red: the next key release that finds nothing stays silent.
        setForeColor(ui.cboComune, Colore::Bianco);
        segnaInesistente();
        m_platform.msgBox(ui.form, comuneInesistente(), Platform::Exclamation);
        m_events.setFocus(ui.cboComune);
    }
}

void LuogoNascita::cboComune_Click()
{
    setText(ui.CboStatoEstero, QString());
    segnaConfermato();
    copiaCampo(QStringLiteral("PROV"), ui.Text2);
    copiaCampo(QStringLiteral("comcode"), ui.Text3);
    // Leaving the box is what looks the chosen name up. The list may have been
    // opened while another box's leave check kept the focus away from this
    // one: bring it here first, or nothing would leave it.
    m_events.setFocus(ui.cboComune);
    m_events.setFocus(ui.txtDataNascita);
    m_events.setFocus(ui.cboComune);
    setSelection(ui.cboComune, 0, int(ui.cboComune->currentText().size()));
}

void LuogoNascita::CboStatoEstero_GotFocus()
{
    setText(ui.cboComune, QString());
    setText(ui.Text2, QString());
    setText(ui.Text3, QString());
}

// Enter chooses the first state whose name begins with the text typed, as a
// choice from the list does.
void LuogoNascita::CboStatoEstero_KeyPress(int &keyAscii)
{
    const QString inizio = ui.CboStatoEstero->currentText().trimmed();
    if (keyAscii != 13 || inizio.isEmpty())
        return;
    const int voce = ui.CboStatoEstero->findText(inizio, Qt::MatchStartsWith);
    if (voce < 0)
        return;
    keyAscii = 0;
    ui.CboStatoEstero->setCurrentIndex(voce);
    CboStatoEstero_Click();
}

// The state's name goes through the municipality box's leave check like a
// typed one; what is copied before it is provisional, and a table without a
// COD field simply leaves the code to that check.
void LuogoNascita::CboStatoEstero_Click()
{
    setText(ui.cboComune, ui.CboStatoEstero->currentText());
    m_events.setFocus(ui.cboComune);
    copiaCampo(QStringLiteral("PROV"), ui.Text2);
    copiaCampo(QStringLiteral("COD"), ui.Text3);
    m_events.setFocus(ui.txtDataNascita);
}

DbError LuogoNascita::nomeTrovato(const QString &t, std::optional<QString> *nome) const
{
    nome->reset();
    if (rsComuni.noMatch())
        return {};
    QString n;
    const DbError e = rsComuni.field(QStringLiteral("Nome"), &n);
    if (!e.failed() && QStringView(n).left(t.size()).compare(t, Qt::CaseInsensitive) == 0)
        *nome = n;
    return e;
}

std::optional<QString> LuogoNascita::campo(const QString &nome) const
{
    QString valore;
    if (rsComuni.field(nome, &valore).failed())
        return std::nullopt;
    return valore;
}

void LuogoNascita::copiaCampo(const QString &nome, QLineEdit *box) const
{
    if (const auto valore = campo(nome))
        setText(box, *valore);
}

void LuogoNascita::segnaInesistente()
{
    for (QWidget *box : caselle()) {
        setBackColor(box, Colore::Rosso);
        setMotivoColore(box, QStringLiteral("Comune inesistente"));
    }
    setText(ui.Text2, QStringLiteral("?"));
    setText(ui.Text3, QStringLiteral("?"));
}

void LuogoNascita::segnaConfermato()
{
    setForeColor(ui.cboComune, Colore::Nero);
    for (QWidget *box : caselle()) {
        setBackColor(box, Colore::Bianco);
        setMotivoColore(box, QString());
    }
}

std::array<QWidget *, 3> LuogoNascita::caselle() const
{
    return {ui.cboComune, ui.Text2, ui.Text3};
}

QString LuogoNascita::tag() const
{
    return ui.cboComune->property(TagProperty).toString();
}

void LuogoNascita::setTag(const QString &testo)
{
    ui.cboComune->setProperty(TagProperty, testo);
}
