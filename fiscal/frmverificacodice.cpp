// SPDX-License-Identifier: MIT
#include "fiscal/frmverificacodice.h"

#include "app/accessibilita.h"
#include "app/controlprops.h"
#include "app/disposizione.h"
#include "app/frmcodicefiscale.h"
#include "app/immagini.h"
#include "app/platform.h"
#include "fiscal/codicefiscale.h"
#include "fiscal/datanascita.h"
#include "fiscal/luogodelcodice.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

QPointer<FrmVerificaCodice> finestraAperta;

const char *const PartiConfronto[] = {"Cognome", "Nome", "Data di nascita", "Sesso", "Luogo di nascita"};

// A caption and the read-only box beside it, on one row of the grid. A
// screen reader calls the box by its caption, or by `detto` where two boxes
// share a caption.
QLineEdit *riga(QGridLayout *griglia, const char *nome, const QString &didascalia, const QString &detto = {})
{
    auto *box = new QLineEdit;
    box->setObjectName(QLatin1String(nome));
    box->setReadOnly(true);
    setNomeAccessibile(box, detto.isEmpty() ? didascalia : detto);
    auto *etichetta = new QLabel(didascalia + QLatin1Char(':'));
    etichetta->setBuddy(box);
    const int r = griglia->rowCount();
    griglia->addWidget(etichetta, r, 0);
    griglia->addWidget(box, r, 1, 1, 2);
    return box;
}

// Marks a box by colour, and tells assistive technology why while the colour
// shows; an empty reason takes the mark away. A palette is set only when the
// colour changes: setting one costs more than the whole check of a code.
void segna(QLineEdit *box, int sfondo, int testo, const QString &motivo)
{
    if (motivo.isEmpty())
        sfondo = Colore::Bianco, testo = Colore::Nero;
    if (backColor(box) != sfondo)
        setBackColor(box, sfondo);
    if (foreColor(box) != testo)
        setForeColor(box, testo);
    setMotivoColore(box, motivo);
}

// A place's name with its province, or "Stato estero". A name that two
// places share already carries that mark, to tell them apart in the lists;
// it is not given twice.
QString descriviLuogo(const LuogoDelCodice &luogo)
{
    const bool estero = luogo.prov.compare(QLatin1String("EE"), Qt::CaseInsensitive) == 0;
    const QString dove = QStringLiteral(" (%1)").arg(estero ? QStringLiteral("Stato estero") : luogo.prov);
    return luogo.nome.endsWith(dove, Qt::CaseInsensitive) ? luogo.nome : luogo.nome + dove;
}

QString maiuscolaIniziale(const QString &testo)
{
    return testo.left(1).toUpper() + testo.mid(1);
}

QString giorno(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void FrmVerificaCodice::apri(const QString &percorsoDatiAtto, Platform &platform, FrmCodiceFiscale *principale)
{
    if (finestraAperta && finestraAperta->isVisible()) {
        finestraAperta->setWindowState(finestraAperta->windowState() & ~Qt::WindowMinimized);
        finestraAperta->raise();
        finestraAperta->activateWindow();
        return;
    }
    finestraAperta = new FrmVerificaCodice(percorsoDatiAtto, platform, principale);
    centraSulloSchermo(finestraAperta);
    finestraAperta->show();
    finestraAperta->activateWindow();
}

FrmVerificaCodice::FrmVerificaCodice(const QString &percorsoDatiAtto, Platform &platform, FrmCodiceFiscale *principale)
    : m_platform(platform)
    , m_principale(principale)
{
    setObjectName(QStringLiteral("frmVerificaCodice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Verifica codice fiscale"));
    setWindowIcon(iconaApplicazione());
    createLayout();
    m_erroreDb = m_db.open(percorsoDatiAtto);
    connect(txtCodice, &QLineEdit::textChanged, this, &FrmVerificaCodice::txtCodice_Change);
    connect(cmdCopia, &QPushButton::clicked, this, &FrmVerificaCodice::cmdCopia_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    const QString calcolato = principale ? principale->ui().txtCodiceFiscale->text() : QString();
    txtCodice->setText(calcolato);
    if (calcolato.isEmpty())
        txtCodice_Change();
    txtCodice->setFocus();
}

void FrmVerificaCodice::createLayout()
{
    setFont(sansSerif(8.25));
    auto *griglia = new QGridLayout(this);
    griglia->setColumnStretch(1, 1);
    griglia->setColumnMinimumWidth(1, twips(0, 0, 4800, 0).width());

    txtCodice = new QLineEdit;
    txtCodice->setObjectName(QStringLiteral("txtCodice"));
    txtCodice->setFont(sansSerif(12));
    txtCodice->setAccessibleName(QStringLiteral("Codice fiscale"));
    txtCodice->setPlaceholderText(QStringLiteral("RSS MRA 80A01 H501U"));
    // Without a description of its own, the box would be described by its
    // example code, which a screen reader would read out as if typed there.
    txtCodice->setAccessibleDescription(QStringLiteral("Sedici caratteri; spazi e minuscole ammessi"));
    auto *lblCodice = new QLabel(QStringLiteral("&Codice fiscale:"));
    lblCodice->setBuddy(txtCodice);
    cmdCopia = new QPushButton(QStringLiteral("C&opia"));
    cmdCopia->setObjectName(QStringLiteral("cmdCopia"));
    cmdCopia->setAccessibleName(QStringLiteral("Copia il codice negli Appunti"));
    cmdCopia->setAutoDefault(false);
    griglia->addWidget(lblCodice, 0, 0);
    griglia->addWidget(txtCodice, 0, 1);
    griglia->addWidget(cmdCopia, 0, 2);

    txtEsito = riga(griglia, "txtEsito", QStringLiteral("Esito"));
    txtOmocodia = riga(griglia, "txtOmocodia", QStringLiteral("Omocodia"));
    txtSesso = riga(griglia, "txtSesso", QStringLiteral("Sesso"));
    txtDataNascita = riga(griglia, "txtDataNascita", QStringLiteral("Data di nascita"));
    txtLuogo = riga(griglia, "txtLuogo", QStringLiteral("Luogo di nascita"));
    txtAvvisoLuogo = riga(griglia, "txtAvvisoLuogo", QStringLiteral("Avviso sul luogo"));

    fraConfronto = new QGroupBox(QStringLiteral("Confronto con la finestra principale"));
    fraConfronto->setObjectName(QStringLiteral("fraConfronto"));
    auto *confronto = new QGridLayout(fraConfronto);
    confronto->setColumnStretch(1, 1);
    lblConfronto = new QLabel;
    lblConfronto->setObjectName(QStringLiteral("lblConfronto"));
    lblConfronto->setWordWrap(true);
    confronto->addWidget(lblConfronto, 0, 0, 1, 3);
    for (int i = 0; i < 5; ++i) {
        const QByteArray nome = "txtConfronto" + QByteArray::number(i + 1);
        const QString parte = QString::fromUtf8(PartiConfronto[i]);
        txtConfronto[i] = riga(confronto, nome.constData(), parte, QStringLiteral("Confronto: %1").arg(parte));
    }
    griglia->addWidget(fraConfronto, griglia->rowCount(), 0, 1, 3);
}

void FrmVerificaCodice::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

// The main window's data may have changed while this one was behind it.
void FrmVerificaCodice::Form_Activate()
{
    mostraConfronto();
}

void FrmVerificaCodice::txtCodice_Change()
{
    m_esito = VerificaCodFis(txtCodice->text());
    cmdCopia->setEnabled(m_esito.valido);
    if (m_esito.valido) {
        txtEsito->setText(QStringLiteral("Codice fiscale valido"));
        segna(txtEsito, Colore::Verdeacqua, Colore::Bianco, txtEsito->text());
    } else if (txtCodice->text().trimmed().isEmpty()) {
        txtEsito->setText(QStringLiteral("Digitare o incollare un codice fiscale"));
        segna(txtEsito, 0, 0, QString());
    } else {
        txtEsito->setText(QStringLiteral("Codice non valido: ") + m_esito.errore);
        segna(txtEsito, Colore::Rosso, Colore::Bianco, txtEsito->text());
    }
    txtEsito->setCursorPosition(0);
    mostraDati();
    mostraConfronto();
}

void FrmVerificaCodice::mostraDati()
{
    for (QLineEdit *box : {txtOmocodia, txtSesso, txtDataNascita, txtLuogo, txtAvvisoLuogo})
        box->clear();
    segna(txtAvvisoLuogo, 0, 0, QString());
    if (!m_esito.valido)
        return;

    if (m_esito.sostituzioni == 0)
        txtOmocodia->setText(QStringLiteral("nessuna"));
    else
        txtOmocodia->setText(QStringLiteral("%1 su 7 cifre sostituite da lettere; codice di base %2")
                                 .arg(m_esito.sostituzioni)
                                 .arg(CodiceRaggruppato(m_esito.codiceBase)));
    txtSesso->setText(m_esito.sesso == QLatin1Char('F') ? QStringLiteral("femminile") : QStringLiteral("maschile"));
    const NascitaCodFis nascita = DataNascitaCodFis(m_esito, QDate::currentDate());
    txtDataNascita->setText(nascita.altraData.isValid()
                                ? QStringLiteral("%1 (oppure %2)").arg(giorno(nascita.data), giorno(nascita.altraData))
                                : giorno(nascita.data));

    LuogoDelCodice luogo;
    DbError e = m_erroreDb;
    if (!e.failed())
        e = cercaLuogoDelCodice(m_db, m_esito.codiceLuogo, &luogo);
    if (luogo.trovato)
        txtLuogo->setText(descriviLuogo(luogo) + QLatin1Char(' ') + m_esito.codiceLuogo);
    const QString avviso = e.failed() ? QStringLiteral("Errore n. %1 %2").arg(e.number).arg(e.description)
                                      : maiuscolaIniziale(avvisoLuogo(luogo, m_esito.codiceLuogo, nascita));
    txtAvvisoLuogo->setText(avviso);
    txtAvvisoLuogo->setCursorPosition(0);
    segna(txtAvvisoLuogo, Colore::Giallo, Colore::Nero, avviso);
}

// Each part of the code against the person in the main window, once all of
// the person's data are there.
void FrmVerificaCodice::mostraConfronto()
{
    for (QLineEdit *box : txtConfronto) {
        box->clear();
        segna(box, 0, 0, QString());
    }
    const FrmCodiceFiscaleUi *p = m_principale && m_principale->isVisible() ? &m_principale->ui() : nullptr;
    const auto data = p ? riconosciData(p->txtDataNascita->text()) : std::nullopt;
    const QString luogo = p ? p->Text3->text().trimmed() : QString();
    const bool completi = p && !p->txtCognome->text().isEmpty() && !p->txtNome->text().isEmpty() && data &&
                          !p->cboSesso->currentText().isEmpty() && !luogo.isEmpty() && luogo != QLatin1String("?");
    lblConfronto->setText(!p                ? QStringLiteral("La finestra principale è chiusa.")
                          : !completi       ? QStringLiteral("Nella finestra principale mancano cognome, nome, sesso, "
                                                                   "comune o data di nascita.")
                          : !m_esito.valido ? QStringLiteral("Il codice non è valido.")
                                            : QString());
    lblConfronto->setVisible(!lblConfronto->text().isEmpty());
    if (!completi || !m_esito.valido)
        return;
    const ConfrontoCodFis c =
        ConfrontaCodFis(m_esito, p->txtCognome->text(), p->txtNome->text(), *data, p->cboSesso->currentText(), luogo);
    const bool daccordo[] = {c.cognome, c.nome, c.data, c.sesso, c.luogo};
    for (int i = 0; i < 5; ++i) {
        txtConfronto[i]->setText(daccordo[i] ? QStringLiteral("concorda") : QStringLiteral("non concorda"));
        segna(txtConfronto[i], Colore::Rosso, Colore::Bianco,
              daccordo[i] ? QString()
                          : QStringLiteral("%1: non concorda con la finestra principale")
                                .arg(QString::fromUtf8(PartiConfronto[i])));
    }
}

void FrmVerificaCodice::cmdCopia_Click()
{
    m_platform.clearClipboard();
    m_platform.setClipboardText(CodiceRaggruppato(m_esito.codice));
}
