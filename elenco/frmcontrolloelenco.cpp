// SPDX-License-Identifier: MIT
#include "elenco/frmcontrolloelenco.h"

#include "app/accessibilita.h"
#include "app/immagini.h"
#include "app/platform.h"
#include "elenco/modellorisultati.h"
#include "elenco/scrittori.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace {

// Rows go to the window in batches, a few times a second at most, so that
// the interface keeps answering however fast the worker goes.
constexpr qint64 IntervalloLotti = 100; // ms

QString durata(qint64 secondi)
{
    return QStringLiteral("%1:%2").arg(secondi / 60).arg(secondi % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

FrmControlloElenco::FrmControlloElenco(const QString &percorsoDatiAtto, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_platform(platform), m_percorsoDatiAtto(percorsoDatiAtto)
{
    setObjectName(QStringLiteral("frmControlloElenco"));
    setWindowTitle(QStringLiteral("Controllo di un elenco"));
    setWindowIcon(iconaApplicazione());
    createLayout();
    connect(cmdScegli, &QPushButton::clicked, this, &FrmControlloElenco::cmdScegli_Click);
    connect(cmdControlla, &QPushButton::clicked, this, &FrmControlloElenco::cmdControlla_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &FrmControlloElenco::cmdAnnulla_Click);
    connect(cmdSalva, &QPushButton::clicked, this, &FrmControlloElenco::cmdSalva_Click);
    connect(chkSoloProblemi, &QCheckBox::toggled, this, &FrmControlloElenco::chkSoloProblemi_Click);
    connect(tblRisultati, &QTableView::activated, this, &FrmControlloElenco::tblRisultati_Activated);
    // Esc hides the window, as it closes the other windows; a check under
    // way goes on and its results wait for the window's return.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    mostraStato(false);
}

FrmControlloElenco::~FrmControlloElenco()
{
    m_annulla = true;
    if (m_lavoro)
        m_lavoro->wait();
}

void FrmControlloElenco::createLayout()
{
    auto *pagina = new QVBoxLayout(this);

    auto *riga = new QHBoxLayout;
    auto *lblFile = new QLabel(QStringLiteral("&Elenco:"));
    txtFile = new QLineEdit;
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setReadOnly(true);
    lblFile->setBuddy(txtFile);
    setNomeAccessibile(txtFile, QStringLiteral("Elenco da controllare"));
    cmdScegli = new QPushButton(QStringLiteral("&Scegli il file..."));
    cmdScegli->setObjectName(QStringLiteral("cmdScegli"));
    setNomeAccessibile(cmdScegli, QStringLiteral("Scegli il file dell'elenco"));
    riga->addWidget(lblFile);
    riga->addWidget(txtFile, 1);
    riga->addWidget(cmdScegli);
    pagina->addLayout(riga);

    // Two columns of boxes, one per kind of column.
    auto *fraColonne = new QGroupBox(QStringLiteral("Colonne riconosciute"));
    auto *griglia = new QHBoxLayout(fraColonne);
    auto *colonne = new QFormLayout;
    auto *seconda = new QFormLayout;
    for (int r = 0; r < NumeroRuoli; ++r) {
        auto *box = new QComboBox;
        box->setObjectName(QStringLiteral("cboColonna%1").arg(r));
        const QString nome = nomeRuolo(Ruolo(r));
        setNomeAccessibile(box, QStringLiteral("Colonna: %1").arg(nome));
        cboColonna[size_t(r)] = box;
        (r < NumeroRuoli / 2 ? colonne : seconda)->addRow(nome + QLatin1Char(':'), box);
    }
    griglia->addLayout(colonne);
    griglia->addLayout(seconda);
    pagina->addWidget(fraColonne);

    auto *comandi = new QHBoxLayout;
    cmdControlla = new QPushButton(QStringLiteral("&Controlla"));
    cmdControlla->setObjectName(QStringLiteral("cmdControlla"));
    setNomeAccessibile(cmdControlla, QStringLiteral("Controlla l'elenco"));
    cmdAnnulla = new QPushButton(QStringLiteral("&Annulla"));
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    setNomeAccessibile(cmdAnnulla, QStringLiteral("Annulla il controllo"));
    cmdSalva = new QPushButton(QStringLiteral("Sal&va risultati"));
    cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
    setNomeAccessibile(cmdSalva, QStringLiteral("Salva i risultati"));
    barAvanzamento = new QProgressBar;
    barAvanzamento->setObjectName(QStringLiteral("barAvanzamento"));
    setNomeAccessibile(barAvanzamento, QStringLiteral("Avanzamento del controllo"));
    barAvanzamento->setRange(0, 1000);
    barAvanzamento->setTextVisible(false);
    comandi->addWidget(cmdControlla);
    comandi->addWidget(cmdAnnulla);
    comandi->addWidget(barAvanzamento, 1);
    comandi->addWidget(cmdSalva);
    pagina->addLayout(comandi);

    lblAvanzamento = new QLabel;
    lblAvanzamento->setObjectName(QStringLiteral("lblAvanzamento"));
    pagina->addWidget(lblAvanzamento);

    chkSoloProblemi = new QCheckBox(QStringLiteral("Solo le righe con un &problema"));
    chkSoloProblemi->setObjectName(QStringLiteral("chkSoloProblemi"));
    pagina->addWidget(chkSoloProblemi);

    m_modello = new ModelloRisultati;
    m_modello->setParent(this);
    m_filtro = new FiltroProblemi;
    m_filtro->setParent(this);
    m_filtro->setSourceModel(m_modello);
    tblRisultati = new QTableView;
    tblRisultati->setObjectName(QStringLiteral("tblRisultati"));
    setNomeAccessibile(tblRisultati, QStringLiteral("Risultati del controllo"));
    tblRisultati->setModel(m_modello);
    tblRisultati->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRisultati->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblRisultati->horizontalHeader()->setDefaultSectionSize(150);
    tblRisultati->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Rows of one height: the header then keeps nothing per row, however many.
    tblRisultati->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pagina->addWidget(tblRisultati, 1);

    lblRiepilogo = new QLabel;
    lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    pagina->addWidget(lblRiepilogo);
    resize(960, 600);
}

void FrmControlloElenco::cmdScegli_Click()
{
    const QString scelto = m_platform.openFileName(this, QStringLiteral("Scegli l'elenco da controllare"),
                                                   QStringLiteral("Elenchi|*.csv *.txt *.xlsx *.ods"));
    if (!scelto.isEmpty())
        apriElenco(scelto);
}

void FrmControlloElenco::apriElenco(const QString &percorso)
{
    Elenco elenco;
    if (!elenco.apri(percorso)) {
        messaggio(QStringLiteral("Impossibile aprire l'elenco: %1.").arg(elenco.errore()));
        return;
    }
    m_percorso = percorso;
    m_intestazione = elenco.intestazione();
    m_separatore = elenco.separatore();
    m_codifica = elenco.codifica();
    txtFile->setText(QDir::toNativeSeparators(percorso));
    for (int r = 0; r < NumeroRuoli; ++r) {
        QComboBox *box = cboColonna[size_t(r)];
        box->clear();
        box->addItem(QStringLiteral("(nessuna)"));
        box->addItems(m_intestazione);
        box->setCurrentIndex(elenco.colonne.indice[size_t(r)] + 1);
    }
    m_modello->inizia({});
    lblAvanzamento->clear();
    lblRiepilogo->clear();
    barAvanzamento->setValue(0);
    mostraStato(false);
    cmdControlla->setFocus();
}

Colonne FrmControlloElenco::colonneScelte() const
{
    Colonne c;
    for (int r = 0; r < NumeroRuoli; ++r)
        c.indice[size_t(r)] = cboColonna[size_t(r)]->currentIndex() - 1;
    return c;
}

void FrmControlloElenco::cmdControlla_Click()
{
    m_colonneUsate = colonneScelte();
    if (m_colonneUsate.nessuna()) {
        messaggio(QStringLiteral("Scegliere almeno una colonna da controllare."));
        return;
    }
    m_annulla = false;
    m_modello->inizia({});
    m_cronometro.start();
    mostraStato(true);
    const QString percorso = m_percorso, dati = m_percorsoDatiAtto;
    const Colonne colonne = m_colonneUsate;
    // The worker owns everything it reads: the file, and its own database
    // connection, which belongs to the thread that opened it.
    m_lavoro = QThread::create([this, percorso, dati, colonne] {
        QString errore;
        Database db;
        Elenco elenco;
        const DbError e = db.open(dati);
        if (e.failed())
            errore = QStringLiteral("impossibile aprire %1: %2").arg(dati, e.description);
        else if (!elenco.apri(percorso))
            errore = elenco.errore();
        if (!errore.isEmpty()) {
            QMetaObject::invokeMethod(this, [this, errore] { finito(errore); }, Qt::QueuedConnection);
            return;
        }
        elenco.colonne = colonne;
        QList<QByteArray> righe;
        QList<StatoRiga> stati;
        QElapsedTimer lotto;
        lotto.start();
        bool intestazione = true;
        const auto consegna = [&](double frazione, const Riepilogo &r) {
            QMetaObject::invokeMethod(
                this, [this, righe, stati, frazione, r] { ricevi(righe, stati, frazione, r); }, Qt::QueuedConnection);
            righe.clear();
            stati.clear();
            lotto.restart();
        };
        Osservatori osservatori;
        osservatori.annulla = &m_annulla;
        osservatori.riga = [&](const QStringList &celle, StatoRiga stato) {
            if (intestazione) {
                QMetaObject::invokeMethod(this, [this, celle] { m_modello->inizia(celle); }, Qt::QueuedConnection);
                intestazione = false;
            } else {
                righe.append(ModelloRisultati::compatta(celle));
                stati.append(stato);
            }
            return true;
        };
        osservatori.avanzamento = [&](double frazione, const Riepilogo &r) {
            if (lotto.elapsed() >= IntervalloLotti || frazione >= 1.0)
                consegna(frazione, r);
        };
        Riepilogo riepilogo;
        controllaElenco(elenco, db, QDate::currentDate(), osservatori, &riepilogo, &errore);
        consegna(elenco.sorgente().avanzamento(), riepilogo);
        QMetaObject::invokeMethod(this, [this, errore] { finito(errore); }, Qt::QueuedConnection);
    });
    m_lavoro->start();
}

void FrmControlloElenco::ricevi(const QList<QByteArray> &righe, const QList<StatoRiga> &stati, double frazione,
                                const Riepilogo &riepilogo)
{
    m_modello->aggiungi(righe, stati);
    mostraRiepilogo(riepilogo, frazione);
}

void FrmControlloElenco::mostraRiepilogo(const Riepilogo &r, double frazione)
{
    barAvanzamento->setValue(int(frazione * 1000));
    const double secondi = std::max<qint64>(m_cronometro.elapsed(), 1) / 1000.0;
    QString testo = QStringLiteral("%1 righe controllate, %2 righe al secondo").arg(r.righe).arg(qint64(r.righe / secondi));
    if (m_lavoro && frazione > 0 && frazione < 1)
        testo += QStringLiteral(", tempo rimanente %1").arg(durata(qint64(secondi * (1 - frazione) / frazione)));
    lblAvanzamento->setText(testo);
    lblRiepilogo->setText(QStringLiteral("Valide: %1. Non valide: %2. Con avvisi: %3. Completate: %4.")
                              .arg(r.conta(StatoRiga::Valida))
                              .arg(r.conta(StatoRiga::NonValida))
                              .arg(r.conta(StatoRiga::Avviso))
                              .arg(r.conta(StatoRiga::Completata)));
}

void FrmControlloElenco::finito(const QString &errore)
{
    m_lavoro->wait();
    delete m_lavoro;
    m_lavoro = nullptr;
    mostraStato(false);
    if (m_annulla)
        lblAvanzamento->setText(lblAvanzamento->text() + QStringLiteral(" (controllo annullato)"));
    if (!errore.isEmpty())
        messaggio(QStringLiteral("Il controllo si è interrotto: %1.").arg(errore));
}

// The filter stands between the table and its rows only while it is asked
// for: mapping a million rows through it would slow every batch that arrives.
void FrmControlloElenco::chkSoloProblemi_Click(bool solo)
{
    m_filtro->soloProblemi(solo);
    tblRisultati->setModel(solo ? static_cast<QAbstractItemModel *>(m_filtro) : m_modello);
}

void FrmControlloElenco::cmdAnnulla_Click()
{
    m_annulla = true;
}

void FrmControlloElenco::mostraStato(bool inCorso)
{
    // Asked before the button goes grey: disabling it hands the focus to the
    // next control in the tab order. The window's own focus counts, also
    // while another window is active.
    const bool sulAnnulla = focusWidget() == cmdAnnulla;
    cmdScegli->setEnabled(!inCorso);
    for (QComboBox *box : cboColonna)
        box->setEnabled(!inCorso && !m_percorso.isEmpty());
    cmdControlla->setEnabled(!inCorso && !m_percorso.isEmpty());
    cmdAnnulla->setEnabled(inCorso);
    cmdSalva->setEnabled(!inCorso && m_modello->rowCount() > 0);
    if (!inCorso && sulAnnulla)
        tblRisultati->setFocus();
}

void FrmControlloElenco::cmdSalva_Click()
{
    // Beside the list, in its kind of file where one can be written.
    const QFileInfo elenco(m_percorso);
    const QString proposto = elenco.dir().filePath(
        QStringLiteral("%1-risultati.%2").arg(elenco.completeBaseName(),
                                               elenco.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
                                                   ? QStringLiteral("csv")
                                                   : QStringLiteral("xlsx")));
    const QString percorso = m_platform.saveFileName(this, QStringLiteral("Salva i risultati"),
                                                     QStringLiteral("Risultati|*.csv *.xlsx *.json"), proposto);
    if (percorso.isEmpty())
        return;
    if (QFileInfo(percorso).absoluteFilePath() == QFileInfo(m_percorso).absoluteFilePath()) {
        messaggio(QStringLiteral("I risultati non possono sostituire l'elenco controllato."));
        return;
    }
    UscitaRisultati uscita;
    if (!uscita.apri(percorso)) {
        messaggio(QStringLiteral("Impossibile salvare i risultati: %1.").arg(uscita.errore()));
        return;
    }
    const std::unique_ptr<DestinazioneRighe> scrittore =
        creaScrittore(QFileInfo(percorso).suffix().toLower(), uscita, m_separatore, m_codifica);
    bool riuscito = scrittore->scrivi(m_modello->intestazioni());
    // What the table shows is saved: every row, or only those with a problem.
    for (int i = 0; riuscito && i < m_modello->rowCount(); ++i)
        if (!chkSoloProblemi->isChecked() || m_modello->stato(i) >= StatoRiga::Avviso)
            riuscito = scrittore->scrivi(m_modello->celle(i));
    if (!riuscito || !scrittore->chiudi())
        messaggio(QStringLiteral("Impossibile salvare i risultati: %1.").arg(scrittore->errore()));
}

void FrmControlloElenco::tblRisultati_Activated(const QModelIndex &indice)
{
    const int riga = indice.model() == m_filtro ? m_filtro->mapToSource(indice).row() : indice.row();
    const QStringList celle = m_modello->celle(riga);
    const int colonna = m_colonneUsate[Ruolo::CodiceFiscale];
    QString codice = colonna >= 0 ? celle.value(colonna).trimmed() : QString();
    // A row without a code offers the one computed from its data.
    const int calcolato = int(m_modello->intestazioni().indexOf(QStringLiteral("Codice fiscale calcolato")));
    if (codice.isEmpty() && calcolato >= 0)
        codice = celle.value(calcolato);
    emit codiceDaVerificare(codice);
}

void FrmControlloElenco::messaggio(const QString &testo)
{
    m_platform.msgBox(this, testo, Platform::Exclamation, windowTitle());
}
