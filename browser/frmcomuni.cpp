// SPDX-License-Identifier: MIT
#include "browser/frmcomuni.h"

#include "app/controlprops.h"
#include "app/datiluoghi.h"
#include "app/disposizione.h"
#include "app/immagini.h"
#include "app/platform.h"
#include "browser/barranavigazione.h"
#include "browser/originecomuni.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <iterator>

namespace {

QPointer<FrmComuni> finestraAperta;

QRadioButton *opzione(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *o = new QRadioButton(caption, parent);
    o->setObjectName(QLatin1String(name));
    o->setFont(sansSerif(8.25, false));
    // The button is never lower than its round mark, around the same middle.
    const int mancante = qMax(0, o->sizeHint().height() - geometry.height());
    o->setGeometry(geometry.adjusted(0, -mancante / 2, 0, mancante - mancante / 2));
    // An option button has a face of its own, not the frame's blue.
    QPalette p = QApplication::palette();
    for (QPalette::ColorRole ruolo : {QPalette::Window, QPalette::Base})
        p.setBrush(ruolo, p.brush(ruolo));
    o->setPalette(p);
    o->setAutoFillBackground(true);
    // The toolkit makes an exclusive group a single Tab stop, where arrow
    // keys click the next option: the window sets the choice itself.
    o->setAutoExclusive(false);
    return o;
}

} // namespace

void FrmComuni::apri(const QString &percorsoDatiAtto, Platform &platform)
{
    // A closed browser stays hidden until its deletion comes round: it no
    // longer counts.
    if (finestraAperta && finestraAperta->isVisible()) {
        finestraAperta->setWindowState(finestraAperta->windowState() & ~Qt::WindowMinimized);
        finestraAperta->show();
        finestraAperta->raise();
        finestraAperta->activateWindow();
        return;
    }
    finestraAperta = new FrmComuni(percorsoDatiAtto, platform);
    centraSulloSchermo(finestraAperta);
    finestraAperta->show();
    finestraAperta->activateWindow();
    finestraAperta->apriOrigine();
}

FrmComuni::FrmComuni(const QString &percorsoDatiAtto, Platform &platform)
    : m_platform(platform)
    , m_origine(new OrigineComuni(percorsoDatiAtto, this))
{
    setObjectName(QStringLiteral("frmcomuni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Comuni by Ozmir"));
    setWindowIcon(iconaApplicazione());
    resize(twips(0, 0, 11325, 7140).size());
    createLayout();
    connect(DataGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &FrmComuni::DataGrid1_HeadClick);
    connect(Option1, &QRadioButton::clicked, this, &FrmComuni::Option1_Click);
    connect(Option4, &QRadioButton::clicked, this, &FrmComuni::Option4_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    // From the keyboard, Ctrl+O sorts by the column of the current cell, as a
    // click on its header does.
    auto *ordina = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(ordina, &QShortcut::activated, this, [this] {
        const int colonna = qMax(0, DataGrid1->currentIndex().column());
        DataGrid1_HeadClick(colonna);
        DataGrid1->setCurrentIndex(m_origine->index(0, colonna));
    });
}

void FrmComuni::createLayout()
{
    DataGrid1 = new QTableView(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setGeometry(twips(0, 0, 11172, 4452));
    DataGrid1->setFont(sansSerif(9.75));
    DataGrid1->horizontalHeader()->setFont(sansSerif(8.25, false));
    DataGrid1->horizontalHeader()->setSectionsClickable(true);
    DataGrid1->verticalHeader()->hide();
    DataGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DataGrid1->verticalHeader()->setDefaultSectionSize(DataGrid1->fontMetrics().height() + 4);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setWordWrap(false);
    // Tab leaves the grid for the option buttons instead of walking its cells.
    DataGrid1->setTabKeyNavigation(false);
    DataGrid1->setModel(m_origine);
    DataGrid1->setAccessibleName(QStringLiteral("Elenco dei comuni"));
    DataGrid1->setAccessibleDescription(QStringLiteral("Ctrl+O ordina per la colonna della cella corrente"));
    const int larghezze[] = {6780, 780, 1200, 1320, 6600};
    for (int c = 0; c < int(std::size(larghezze)); ++c)
        DataGrid1->setColumnWidth(c, twips(0, 0, larghezze[c], 0).width());
    // Whatever the data source did, the first of its rows becomes current.
    connect(m_origine, &OrigineComuni::modelReset, this, [this] {
        if (m_origine->rowCount() > 0)
            DataGrid1->setCurrentIndex(m_origine->index(0, 0));
    });

    Adodc1 = new BarraNavigazione(DataGrid1, QStringLiteral("            COMUNI"), this);
    Adodc1->setObjectName(QStringLiteral("Adodc1"));
    Adodc1->setAccessibleName(QStringLiteral("Scorrimento dei comuni"));
    Adodc1->setGeometry(twips(4200, 4440, 3036, 372));
    Adodc1->setFont(sansSerif(8.25));
    Adodc1->setAutoFillBackground(true);
    setBackColor(Adodc1, Colore::CianoChiaro);

    Frame1 = new QGroupBox(QStringLiteral("Frame1"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips(4200, 4800, 2890, 2290));
    Frame1->setAutoFillBackground(true);
    setBackColor(Frame1, Colore::Blu);
    Label1 = new QLabel(Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(0, 0, 2892, 372));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    setBackColor(Label1, Colore::Giallo);
    Option4 = opzione(Frame1, "Option4", QStringLiteral("Pulisci"), twips(240, 1320, 1810, 200));
    Option1 = opzione(Frame1, "Option1", QStringLiteral("RicercaComune"), twips(240, 600, 1810, 200));
    // The frame's own caption lies hidden under the yellow band, and the
    // band has no text: a screen reader would say "Frame1" for both.
    Frame1->setAccessibleName(QStringLiteral("Ricerca dei comuni"));
    Label1->setAccessibleName(QStringLiteral("Ricerca dei comuni"));
    Option1->setAccessibleName(QStringLiteral("Ricerca comune"));

    setTabOrder(DataGrid1, Option4);
    setTabOrder(Option4, Option1);
    DataGrid1->setFocus();
}

// The grid takes whatever the window gains or loses; the bar and the options
// stay below it.
void FrmComuni::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize progetto = twips(0, 0, 11325, 7140).size();
    const QRect griglia = twips(0, 0, 11172, 4452);
    const int altezza = qMax(0, height() - progetto.height());
    DataGrid1->resize(qMax(griglia.width(), width() - progetto.width() + griglia.width()), griglia.height() + altezza);
    Adodc1->move(twips(4200, 4440, 0, 0).topLeft() + QPoint(0, altezza));
    Frame1->move(twips(4200, 4800, 0, 0).topLeft() + QPoint(0, altezza));
}

// The option clicked is the one chosen, even when clicked again.
void FrmComuni::segnaScelta(QRadioButton *scelta)
{
    Option1->setChecked(scelta == Option1);
    Option4->setChecked(scelta == Option4);
}

// Loads the table; a data source that cannot be opened says why and leaves
// the grid empty.
bool FrmComuni::apriOrigine()
{
    const DbError e = m_origine->aggiorna();
    if (e.failed())
        m_platform.msgBox(this, e.description, Platform::Exclamation);
    const QString aggiornamento = testoAggiornamento(m_origine->dataDeiLuoghi());
    setWindowTitle(aggiornamento.isEmpty() ? QStringLiteral("Comuni by Ozmir")
                                           : QStringLiteral("Comuni by Ozmir - %1").arg(aggiornamento));
    return !e.failed();
}

// A click on a header sorts by that column; the next click on the same one
// reverses the order.
void FrmComuni::DataGrid1_HeadClick(int ColIndex)
{
    const QString F = OrigineComuni::campo(ColIndex);
    const QString S = m_origine->sort();
    const bool ascendente = S.compare(F + QLatin1String(" ASC"), Qt::CaseInsensitive) == 0;
    m_origine->setSort(F + (ascendente ? QLatin1String(" DESC") : QLatin1String(" ASC")));
}

// Clicking the option again, while it is selected, searches again.
void FrmComuni::Option1_Click()
{
    segnaScelta(Option1);
    if (!m_origine->aperta())
        return;
    const QString testo =
        m_platform.inputBox(this, QStringLiteral("Inserisci il Comune da trovare (anche solo le prime lettere)"),
                            QStringLiteral("Ricerca COMUNE"));
    // Back to the rows found: left on the option, an arrow key would move to
    // Pulisci and click it.
    DataGrid1->setFocus();
    if (testo.isEmpty())
        return;
    m_origine->setFiltroIniziali(testo);
    if (DataGrid1->currentIndex().siblingAtColumn(0).data().toString().isEmpty())
        m_platform.msgBox(this, QStringLiteral("Comune inesistente"), Platform::Exclamation);
}

void FrmComuni::Option4_Click()
{
    segnaScelta(Option4);
    if (apriOrigine())
        m_origine->setSort(QStringLiteral("prov"));
}
