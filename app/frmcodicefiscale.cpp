// SPDX-License-Identifier: MIT
#include "app/frmcodicefiscale.h"

#include "aggiornamento/frmaggiornaluoghi.h"
#include "app/accessibilita.h"
#include "app/controlprops.h"
#include "app/datiluoghi.h"
#include "app/disposizione.h"
#include "app/formevents.h"
#include "app/immagini.h"
#include "app/interrogazioni.h"
#include "app/platform.h"
#include "birthplace/luogonascita.h"
#include "browser/frmcomuni.h"
#include "elenco/frmcontrolloelenco.h"
#include "fiscal/datipersonali.h"
#include "fiscal/frmverificacodice.h"
#include "help/frmhelpcodfisc.h"
#include "vat/pannelloiva.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStringListModel>

namespace {

template <typename Control>
Control *place(QWidget *parent, const char *name, const QRect &geometry, const QFont &font)
{
    auto *c = new Control(parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(geometry);
    c->setFont(font);
    return c;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
              Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *l = place<QLabel>(parent, name, geometry, sansSerif(8.25));
    l->setText(caption);
    l->setAlignment(alignment | Qt::AlignTop);
    return l;
}

QLineEdit *textBox(QWidget *parent, const char *name, const QRect &geometry, qreal punti = 8.25)
{
    return place<QLineEdit>(parent, name, geometry, sansSerif(punti));
}

// A box the program writes and the user can neither type in nor tab to.
QLineEdit *shownOnly(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *box = textBox(parent, name, geometry);
    box->setEnabled(false);
    // What the program writes there must stay readable: not the greyed text
    // of a disabled box.
    QPalette p = box->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    box->setPalette(p);
    return box;
}

QComboBox *comboBox(QWidget *parent, const char *name, const QRect &geometry, bool editable,
                    const QFont &font = sansSerif(8.25))
{
    auto *combo = place<QComboBox>(parent, name, geometry, font);
    combo->setEditable(editable);
    if (editable) {
        // Completion and the list's upkeep are the handlers' business.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Qt would also take a typed text that matches an entry for a choice
        // from the list whenever editing finishes: on Enter, and when the edit
        // field loses the focus, in the middle of a focus move. Only the list
        // itself chooses (a click, Enter in the open list, the arrow keys).
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    }
    // Never measure thousands of entries to size the box: its size is fixed.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(true);
    return combo;
}

QPushButton *commandButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *b = place<QPushButton>(parent, name, geometry, sansSerif(9.75));
    b->setText(caption);
    b->setCursor(puntatorePulsanti());
    b->setAutoDefault(false);
    return b;
}

// Fills a list in one pass: the entries become the list's model as they are.
void fillList(QComboBox *combo, const QStringList &entries)
{
    combo->setModel(new QStringListModel(entries, combo));
    if (combo->isEditable())
        combo->setCurrentIndex(-1);
}

bool nomeDatiAtto(const QString &percorso)
{
    const QString fine = percorso.right(13);
    return fine.compare(QLatin1String("\\DatiAtto.mdb"), Qt::CaseInsensitive) == 0
           || fine.compare(QLatin1String("/DatiAtto.mdb"), Qt::CaseInsensitive) == 0;
}

} // namespace

FrmCodiceFiscale::FrmCodiceFiscale(Platform &platform, const QString &cartellaProgramma, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_cartellaProgramma(cartellaProgramma)
{
    setObjectName(QStringLiteral("FrmCodiceFiscale"));
    setWindowTitle(QStringLiteral("Brantovel by Ozmir"));
    setWindowIcon(iconaApplicazione());
    m_ui.form = this;
    createLayout();
    createAccessibleNames();
    createMenuBar();
    createHandlers();
}

FrmCodiceFiscale::~FrmCodiceFiscale()
{
    emit datiAnagraficiCambiati(std::nullopt);
}

DatiAnagrafici FrmCodiceFiscale::datiAnagrafici() const
{
    return {m_ui.txtCognome->text(), m_ui.txtNome->text(), m_ui.txtDataNascita->text(), m_ui.cboSesso->currentText(),
            m_ui.Text3->text().trimmed()};
}

void FrmCodiceFiscale::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit datiAnagraficiCambiati(std::nullopt);
}

void FrmCodiceFiscale::createLayout()
{
    auto *client = new QWidget(this);
    client->setFixedSize(twips(0, 0, 10890, 6405).size());
    setCentralWidget(client);
    FrmCodiceFiscaleUi &ui = m_ui;

    ui.Line1 = place<QFrame>(client, "Line1", twips(0, 0, 10920, 30), font());
    ui.Line1->setFixedHeight(2);
    ui.Line1->setAutoFillBackground(true);
    ui.Line1->setPalette(QPalette(QColor(192, 0, 0)));

    // Personal data and the fiscal code
    ui.Label5 = label(client, "Label5", QStringLiteral("Codice Fiscale :"), twips(0, 240, 1332, 252), Qt::AlignRight);
    ui.txtCodiceFiscale = textBox(client, "txtCodiceFiscale", twips(1680, 240, 3672, 420), 12);
    ui.txtCodiceFiscale->setReadOnly(true);
    ui.txtCodiceFiscale->setAlignment(Qt::AlignCenter);
    ui.lblTitolo = label(client, "lblTitolo", QStringLiteral("Cognome"), twips(0, 720, 1092, 252));
    ui.txtCognome = textBox(client, "txtCognome", twips(1680, 720, 3672, 360));
    ui.Label1 = label(client, "Label1", QStringLiteral("Nome"), twips(0, 1260, 1092, 252));
    ui.txtNome = textBox(client, "txtNome", twips(1680, 1260, 3672, 360));
    ui.Label3 = label(client, "Label3", QStringLiteral("Sesso"), twips(0, 1920, 1212, 252));
    ui.cboSesso = comboBox(client, "cboSesso", twips(1680, 1920, 912, 288), false);
    ui.Label4 = label(client, "Label4", QStringLiteral("Comune di nascita"), twips(0, 2640, 1632, 252));
    ui.cboComune = comboBox(client, "cboComune", twips(1680, 2640, 2772, 288), true);
    ui.Label7 = label(client, "Label7", QStringLiteral("Provincia"), twips(4560, 2280, 972, 252));
    ui.Text2 = shownOnly(client, "Text2", twips(4560, 2640, 555, 288));
    ui.Label8 = label(client, "Label8", QStringLiteral("Codice"), twips(5520, 2280, 972, 252));
    ui.Text3 = shownOnly(client, "Text3", twips(5400, 2640, 915, 288));
    ui.Label6 = label(client, "Label6", QStringLiteral("Stato Estero"), twips(0, 3120, 1632, 252));
    ui.CboStatoEstero = comboBox(client, "CboStatoEstero", twips(1680, 3120, 2772, 288), true);
    ui.Label2 = label(client, "Label2", QStringLiteral("Data di nascita "), twips(0, 3600, 1452, 252));
    ui.txtDataNascita = textBox(client, "txtDataNascita", twips(1680, 3600, 2772, 288));

    // VAT number: eleven one-digit boxes
    ui.Label9 = label(client, "Label9", QStringLiteral("Partita Iva"), twips(5760, 240, 972, 252), Qt::AlignRight);
    ui.Frame1 = place<QFrame>(client, "Frame1", twips(6840, 120, 3972, 492), font());
    for (int k = 1; k <= 11; ++k) {
        const QByteArray name = "Text" + QByteArray::number(k + 3);
        QLineEdit *box = textBox(ui.Frame1, name.constData(), twips(360 * (k - 1), 120, 320, 370), 9.75);
        box->setText(QStringLiteral("0"));
        box->setAlignment(Qt::AlignCenter);
        ui.cifre[k - 1] = box;
    }
    ui.Text1 = textBox(client, "Text1", twips(6840, 600, 3970, 420), 9.75);
    ui.Text1->setReadOnly(true);
    ui.Label10 = label(client, "Label10", QStringLiteral("Codice"), twips(6840, 1080, 732, 252));
    ui.Text15 = shownOnly(client, "Text15", twips(6840, 1320, 672, 288));
    ui.Label11 = label(client, "Label11", QStringLiteral("Ufficio IVA"), twips(8040, 1080, 2412, 252), Qt::AlignHCenter);
    ui.CboUfficioIva = comboBox(client, "CboUfficioIva", twips(7920, 1320, 2772, 288), true, sansSerif(8.25, false));

    ui.cmdElabora = commandButton(client, "cmdElabora", QStringLiteral("CreaCodiceFiscale"), twips(720, 5040, 3255, 432));
    ui.Command1 = commandButton(client, "Command1", QStringLiteral("Esci"), twips(4800, 5040, 1215, 432));
    ui.Command2 = commandButton(client, "Command2", QStringLiteral("ControllaPartitaIva"), twips(6840, 5040, 3255, 432));

    for (QLineEdit *box : {ui.txtCodiceFiscale, ui.Text1}) {
        setBackColor(box, Colore::Verdeacqua);
        setForeColor(box, Colore::Bianco);
    }
    for (QLineEdit *box : {ui.Text(11), ui.Text(12), ui.Text(13), ui.Text15})
        setBackColor(box, Colore::CianoChiaro);
    setBackColor(ui.Text(14), Colore::Rosso);

    ui.Text1->setToolTip(QStringLiteral("Digitare il numero di partita IVA di 11 cifre nelle singole caselle"));
    ui.Text(11)->setToolTip(QStringLiteral("prima cifra del codice ufficio IVA"));
    ui.Text(12)->setToolTip(QStringLiteral("seconda cifra del codice ufficio IVA"));
    ui.Text(13)->setToolTip(QStringLiteral("terza  cifra del codice ufficio IVA"));
    ui.Text(14)->setToolTip(QStringLiteral("Ultima cifra di controllo del numero di partita IVA"));

    // The order of entry: the moves that the personal data's handlers force
    // lead the same way, so Tab never meets them head on. The digit boxes
    // come before the number they make up. The foreign state comes last:
    // entering it clears the place of birth, which Tab on to the VAT number
    // must not do.
    QList<QWidget *> tabOrder = {ui.txtCognome, ui.txtNome, ui.cboSesso, ui.cboComune, ui.txtDataNascita,
                                 ui.cmdElabora, ui.Command1, ui.txtCodiceFiscale};
    tabOrder << QList<QWidget *>(std::begin(ui.cifre), std::end(ui.cifre));
    tabOrder << QList<QWidget *>{ui.Text1, ui.Command2, ui.CboUfficioIva, ui.CboStatoEstero};
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
}

// What a screen reader calls each control: the caption beside it, which is
// also tied to it as its label, where there is one.
void FrmCodiceFiscale::createAccessibleNames()
{
    const FrmCodiceFiscaleUi &ui = m_ui;
    const std::pair<QLabel *, QWidget *> didascalie[] = {{ui.Label5, ui.txtCodiceFiscale},
                                                         {ui.lblTitolo, ui.txtCognome},
                                                         {ui.Label1, ui.txtNome},
                                                         {ui.Label3, ui.cboSesso},
                                                         {ui.Label4, ui.cboComune},
                                                         {ui.Label7, ui.Text2},
                                                         {ui.Label8, ui.Text3},
                                                         {ui.Label6, ui.CboStatoEstero},
                                                         {ui.Label2, ui.txtDataNascita},
                                                         {ui.Label10, ui.Text15},
                                                         {ui.Label11, ui.CboUfficioIva}};
    for (const auto &[didascalia, control] : didascalie) {
        didascalia->setBuddy(control);
        QString nome = didascalia->text().trimmed();
        if (nome.endsWith(u':'))
            nome = nome.chopped(1).trimmed();
        setNomeAccessibile(control, nome);
    }
    // Two boxes are captioned "Codice": each says whose code it is.
    setNomeAccessibile(ui.Text3, QStringLiteral("Codice del comune"));
    setNomeAccessibile(ui.Text15, QStringLiteral("Codice ufficio IVA"));
    setNomeAccessibile(ui.Frame1, QStringLiteral("Partita IVA"));
    for (int k = 1; k <= 11; ++k)
        setNomeAccessibile(ui.cifre[k - 1], QStringLiteral("Partita IVA, cifra %1").arg(k));
    setNomeAccessibile(ui.Text1, QStringLiteral("Numero di partita IVA"));
    // The captions run their words together; spoken, they are words.
    setNomeAccessibile(ui.cmdElabora, QStringLiteral("Crea codice fiscale"));
    setNomeAccessibile(ui.Command2, QStringLiteral("Controlla partita IVA"));
}

void FrmCodiceFiscale::createMenuBar()
{
    m_ui.Aiuto = menuBar()->addAction(QStringLiteral("Help"));
    m_ui.Aiuto->setObjectName(QStringLiteral("Aiuto"));
    m_ui.CercaComuni = menuBar()->addAction(QStringLiteral("CercaComuni"));
    m_ui.CercaComuni->setObjectName(QStringLiteral("CercaComuni"));
    connect(m_ui.Aiuto, &QAction::triggered, this, &FrmCodiceFiscale::Aiuto_Click);
    connect(m_ui.CercaComuni, &QAction::triggered, this, &FrmCodiceFiscale::CercaComuni_Click);
    m_ui.VerificaCodice = menuBar()->addAction(QStringLiteral("VerificaCodice"));
    m_ui.VerificaCodice->setObjectName(QStringLiteral("VerificaCodice"));
    connect(m_ui.VerificaCodice, &QAction::triggered, this, &FrmCodiceFiscale::VerificaCodice_Click);
    m_ui.ControllaElenco = menuBar()->addAction(QStringLiteral("ControllaElenco"));
    m_ui.ControllaElenco->setObjectName(QStringLiteral("ControllaElenco"));
    connect(m_ui.ControllaElenco, &QAction::triggered, this, &FrmCodiceFiscale::ControllaElenco_Click);
    m_ui.AggiornaLuoghi = menuBar()->addAction(QStringLiteral("AggiornaLuoghi"));
    m_ui.AggiornaLuoghi->setObjectName(QStringLiteral("AggiornaLuoghi"));
    connect(m_ui.AggiornaLuoghi, &QAction::triggered, this, &FrmCodiceFiscale::AggiornaLuoghi_Click);
    setNomeVoce(m_ui.Aiuto, QStringLiteral("Aiuto"));
    setNomeVoce(m_ui.CercaComuni, QStringLiteral("Cerca comuni"));
    setNomeVoce(m_ui.VerificaCodice, QStringLiteral("Verifica codice"));
    setNomeVoce(m_ui.ControllaElenco, QStringLiteral("Controlla elenco"));
    setNomeVoce(m_ui.AggiornaLuoghi, QStringLiteral("Aggiorna luoghi"));

    // A lone Alt hands the keys to the menu bar, its first entry lit; F10 does
    // the same. Arrows move along the entries, Enter chooses one, Esc gives
    // the keys back. The captions carry no mnemonic.
    QMenuBar *menu = menuBar();
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, menu, [this, menu] {
        menu->setActiveAction(m_ui.Aiuto);
        menu->setFocus(Qt::MenuBarFocusReason);
    });
    connect(menu, &QMenuBar::triggered, this, &FrmCodiceFiscale::restituisciTasti);
}

void FrmCodiceFiscale::menuBar_KeyPress(int &keyAscii)
{
    if (keyAscii == 27)
        restituisciTasti();
}

// The control that had the keys before the menu bar took them gets them back.
void FrmCodiceFiscale::restituisciTasti()
{
    if (menuBar()->hasFocus() && m_events->activeControl())
        m_events->activeControl()->setFocus(Qt::MenuBarFocusReason);
}

void FrmCodiceFiscale::createHandlers()
{
    m_events = new FormEvents(this);
    m_datiPersonali = std::make_unique<DatiPersonali>(m_ui, *m_events, m_platform, dbDatiAtto);
    m_luogoNascita = std::make_unique<LuogoNascita>(m_ui, *m_events, m_platform, rsComuni);
    m_pannelloIva = std::make_unique<PannelloIva>(m_ui, *m_events, m_platform, dbDatiAtto);
    connect(m_ui.Command1, &QPushButton::clicked, this, &FrmCodiceFiscale::Command1_Click);
    m_events->onKeyPress(menuBar(), [this](int &k) { menuBar_KeyPress(k); });
    const auto cambiati = [this] { emit datiAnagraficiCambiati(datiAnagrafici()); };
    for (QLineEdit *box : {m_ui.txtCognome, m_ui.txtNome, m_ui.txtDataNascita, m_ui.Text3})
        connect(box, &QLineEdit::textChanged, this, cambiati);
    connect(m_ui.cboSesso, &QComboBox::currentTextChanged, this, cambiati);
}

bool FrmCodiceFiscale::focusNextPrevChild(bool next)
{
    return m_events->moveByKey([this, next] { return QMainWindow::focusNextPrevChild(next); });
}

FrmCodiceFiscale::Avvio FrmCodiceFiscale::Form_Load()
{
    // The user's own file, made by loading a newer register, wins over the
    // installed one when its data are at least as new.
    QString percorso = datiAttoInUso(m_cartellaProgramma + QStringLiteral("/DatiAtto.mdb"));
    DbError e = apriDatabase(percorso);
    while (e.number == DbError::FileNotFound) {
        m_platform.msgBox(this,
                          QStringLiteral("Il database ''DatiAtto'.mdb'' deve essere copiato nella stessa cartella "
                                         "dove viene eseguito il programma:\r"
                                         "puoi comunque cercarlo ed aprirlo con la finestra che segue!"),
                          Platform::Exclamation);
        const QString scelto = m_platform.openFileName(this, QStringLiteral("Cerca DatiAtto.mdb"),
                                                       QStringLiteral("(*.MDB)|*.mdb"));
        if (scelto.isEmpty()) {
            close();
            return Avvio::Annullato;
        }
        // A file of another name is not used: the message and the dialog come again.
        if (nomeDatiAtto(scelto))
            e = apriDatabase(percorso = scelto);
    }
    if (!e.failed())
        e = riempiListe();
    if (e.failed()) {
        m_platform.msgBox(this, QStringLiteral("Errore imprevisto: %1 %2").arg(e.number).arg(e.description),
                          Platform::NoIcon, Platform::defaultTitle());
        return Avvio::Errore;
    }
    m_percorso = percorso;
    m_events->setFocus(m_ui.txtCognome);
    return Avvio::Pronto;
}

DbError FrmCodiceFiscale::apriDatabase(const QString &percorso)
{
    DbError e = dbDatiAtto.open(percorso);
    if (!e.failed())
        e = apriComuniPerNome(dbDatiAtto, &rsComuni);
    return e;
}

DbError FrmCodiceFiscale::riempiListe()
{
    QStringList uffici, stati, comuni;
    DbError e = elencoUfficiIva(dbDatiAtto, &uffici);
    if (!e.failed())
        e = elencoStatiEsteri(dbDatiAtto, &stati);
    // The municipalities' list is kept in the order completion follows.
    if (!e.failed())
        e = elencoComuni(dbDatiAtto, &comuni);
    if (e.failed())
        return e;
    fillList(m_ui.CboUfficioIva, uffici);
    fillList(m_ui.CboStatoEstero, stati);
    fillList(m_ui.cboComune, comuni);
    fillList(m_ui.cboSesso, {QStringLiteral("M"), QStringLiteral("F")});
    m_ui.cboSesso->setCurrentIndex(0);
    return {};
}

void FrmCodiceFiscale::Command1_Click()
{
    rsComuni.close();
    dbDatiAtto.close();
    close();
}

void FrmCodiceFiscale::Aiuto_Click()
{
    QDate giorno;
    dataDeiLuoghi(dbDatiAtto, &giorno);
    FrmHelpCodFisc::mostra(this, testoDatiInUso(m_percorso, giorno));
}

void FrmCodiceFiscale::CercaComuni_Click()
{
    FrmComuni::apri(m_percorso, m_platform);
}

void FrmCodiceFiscale::VerificaCodice_Click()
{
    apriVerifica();
}

// The verify window, opened or brought forward, following this window's data.
FrmVerificaCodice *FrmCodiceFiscale::apriVerifica()
{
    FrmVerificaCodice *verifica = FrmVerificaCodice::apri(m_percorso, m_platform, m_ui.txtCodiceFiscale->text());
    connect(this, &FrmCodiceFiscale::datiAnagraficiCambiati, verifica, &FrmVerificaCodice::confronta,
            Qt::UniqueConnection);
    verifica->confronta(datiAnagrafici());
    return verifica;
}

void FrmCodiceFiscale::AggiornaLuoghi_Click()
{
    FrmAggiornaLuoghi::mostra(this, m_percorso, m_platform);
}

void FrmCodiceFiscale::ControllaElenco_Click()
{
    if (!m_controlloElenco) {
        // A window of its own, not modal, that the main window closes with it.
        m_controlloElenco = new FrmControlloElenco(m_percorso, m_platform, this);
        connect(m_controlloElenco, &FrmControlloElenco::codiceDaVerificare, this,
                [this](const QString &codice) { apriVerifica()->mostraCodice(codice); });
        centraSulloSchermo(m_controlloElenco);
    }
    m_controlloElenco->show();
    m_controlloElenco->setWindowState(m_controlloElenco->windowState() & ~Qt::WindowMinimized);
    m_controlloElenco->raise();
    m_controlloElenco->activateWindow();
}
