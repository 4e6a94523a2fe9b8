// SPDX-License-Identifier: MIT
#include "fiscal/frmverificacodice.h"

#include "fiscal/letturacodice.h"

#include "app/accessibilita.h"
#include "app/controlprops.h"
#include "app/disposizione.h"
#include "app/immagini.h"
#include "app/platform.h"
#include "fiscal/codicefiscale.h"
#include "fiscal/datanascita.h"
#include "fiscal/luogodelcodice.h"

#include <QAbstractTextDocumentLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QtMath>
#include <algorithm>

namespace {

QPointer<FrmVerificaCodice> finestraAperta;

const char *const PartiConfronto[] = {"Cognome", "Nome", "Data di nascita", "Sesso", "Luogo di nascita"};

// A caption and the read-only box beside it, on one row of the grid. The
// box wraps its text and grows to hold all of it: a reason cut at the box's
// edge would hide the half that tells the fix. A screen reader calls the box
// by its caption, or by `detto` where two boxes share a caption.
QTextEdit *riga(QGridLayout *griglia, const char *nome, const QString &didascalia, const QString &detto = {})
{
    auto *box = new QTextEdit;
    box->setObjectName(QLatin1String(nome));
    box->setReadOnly(true);
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    box->document()->setDocumentMargin(2);
    const auto adatta = [box](const QSizeF &testo) {
        box->setFixedHeight(qCeil(testo.height()) + 2 * box->frameWidth());
    };
    adatta(box->document()->size());
    QObject::connect(box->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, box, adatta);
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
void segna(QTextEdit *box, int sfondo, int testo, const QString &motivo)
{
    if (motivo.isEmpty())
        sfondo = Colore::Bianco, testo = Colore::Nero;
    if (backColor(box) != sfondo)
        setBackColor(box, sfondo);
    if (foreColor(box) != testo)
        setForeColor(box, testo);
    setMotivoColore(box, motivo);
}

// Writes a box only when its text changes: each new text lays the box out
// anew, and the window with it when the box changes height.
void scrivi(QTextEdit *box, const QString &testo)
{
    if (box->toPlainText() != testo)
        box->setPlainText(testo);
}

} // namespace

FrmVerificaCodice *FrmVerificaCodice::apri(const QString &percorsoDatiAtto, Platform &platform, const QString &codice)
{
    if (finestraAperta && finestraAperta->isVisible()) {
        finestraAperta->setWindowState(finestraAperta->windowState() & ~Qt::WindowMinimized);
        finestraAperta->raise();
        finestraAperta->activateWindow();
        return finestraAperta;
    }
    finestraAperta = new FrmVerificaCodice(percorsoDatiAtto, platform, codice);
    centraSulloSchermo(finestraAperta);
    finestraAperta->show();
    finestraAperta->activateWindow();
    return finestraAperta;
}

void FrmVerificaCodice::mostraCodice(const QString &codice)
{
    txtCodice->setText(codice);
}

FrmVerificaCodice::FrmVerificaCodice(const QString &percorsoDatiAtto, Platform &platform, const QString &codice)
    : m_platform(platform)
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
    txtCodice->setText(codice);
    if (codice.isEmpty())
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
    // Room the boxes do not need stays below them, not between the rows.
    griglia->setRowStretch(griglia->rowCount(), 1);
}

void FrmVerificaCodice::confronta(const std::optional<DatiAnagrafici> &dati)
{
    m_dati = dati;
    mostraConfronto();
}

void FrmVerificaCodice::txtCodice_Change()
{
    m_esito = VerificaCodFis(txtCodice->text());
    cmdCopia->setEnabled(m_esito.valido);
    if (m_esito.valido) {
        scrivi(txtEsito, QStringLiteral("Codice fiscale valido"));
        segna(txtEsito, Colore::Verdeacqua, Colore::Bianco, txtEsito->toPlainText());
    } else if (txtCodice->text().trimmed().isEmpty()) {
        scrivi(txtEsito, QStringLiteral("Digitare o incollare un codice fiscale"));
        segna(txtEsito, 0, 0, QString());
    } else {
        scrivi(txtEsito, QStringLiteral("Codice non valido: ") + m_esito.errore);
        segna(txtEsito, Colore::Rosso, Colore::Bianco, txtEsito->toPlainText());
    }
    mostraDati();
    mostraConfronto();
}

void FrmVerificaCodice::mostraDati()
{
    if (!m_esito.valido) {
        for (QTextEdit *box : {txtOmocodia, txtSesso, txtDataNascita, txtLuogo, txtAvvisoLuogo})
            scrivi(box, QString());
        segna(txtAvvisoLuogo, 0, 0, QString());
        return;
    }

    LuogoDelCodice luogo;
    DbError e = m_erroreDb;
    if (!e.failed())
        e = cercaLuogoDelCodice(m_db, m_esito.codiceLuogo, &luogo);
    const LetturaCodice lettura = leggiCodice(m_esito, luogo, QDate::currentDate());
    scrivi(txtOmocodia, lettura.omocodia);
    scrivi(txtSesso, lettura.sesso);
    scrivi(txtDataNascita, lettura.data);
    scrivi(txtLuogo, lettura.luogo);
    const QString avviso =
        e.failed() ? QStringLiteral("Errore n. %1 %2").arg(e.number).arg(e.description) : lettura.avviso;
    scrivi(txtAvvisoLuogo, avviso);
    segna(txtAvvisoLuogo, Colore::Giallo, Colore::Nero, avviso);
}

// Each part of the code against the person in the main window, once all of
// the person's data are there; a part that disagrees says what the data give.
void FrmVerificaCodice::mostraConfronto()
{
    const DatiAnagrafici *p = m_dati ? &*m_dati : nullptr;
    const auto data = p ? riconosciData(p->dataNascita) : std::nullopt;
    const QString luogo = p ? p->codiceLuogo.trimmed() : QString();
    const bool completi = p && !p->cognome.isEmpty() && !p->nome.isEmpty() && data && !p->sesso.isEmpty() &&
                          !luogo.isEmpty() && luogo != QLatin1String("?");
    QString avviso = !p                ? QStringLiteral("La finestra principale è chiusa.")
                     : !completi       ? QStringLiteral("Nella finestra principale mancano cognome, nome, sesso, "
                                                              "comune o data di nascita.")
                     : !m_esito.valido ? QStringLiteral("Il codice non è valido.")
                                       : QString();
    if (completi && m_esito.valido) {
        const ConfrontoCodFis c = ConfrontaCodFis(m_esito, p->cognome, p->nome, *data, p->sesso, luogo);
        const bool daccordo[] = {c.cognome, c.nome, c.data, c.sesso, c.luogo};
        const QString risulta[] = {c.calcolato.left(3), c.calcolato.mid(4, 3), testoGiorno(*data),
                                   p->sesso.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0
                                       ? QStringLiteral("femminile")
                                       : QStringLiteral("maschile"),
                                   luogo.toUpper()};
        for (int i = 0; i < 5; ++i) {
            const QString esito = daccordo[i] ? QStringLiteral("concorda")
                                              : QStringLiteral("non concorda, dai dati risulta ") + risulta[i];
            scrivi(txtConfronto[i], esito);
            segna(txtConfronto[i], Colore::Rosso, Colore::Bianco,
                  daccordo[i] ? QString() : QString::fromUtf8(PartiConfronto[i]) + QStringLiteral(": ") + esito);
        }
        if (m_esito.sostituzioni > 0 && std::all_of(std::begin(daccordo), std::end(daccordo), [](bool b) { return b; }))
            avviso = QStringLiteral("Il codice concorda con i dati, ma è una variante per omocodia: dai dati risulta "
                                    "%1.")
                         .arg(c.calcolato);
    } else {
        for (QTextEdit *box : txtConfronto) {
            scrivi(box, QString());
            segna(box, 0, 0, QString());
        }
    }
    lblConfronto->setText(avviso);
    lblConfronto->setVisible(!avviso.isEmpty());
}

void FrmVerificaCodice::cmdCopia_Click()
{
    m_platform.clearClipboard();
    m_platform.setClipboardText(CodiceRaggruppato(m_esito.codice));
}
