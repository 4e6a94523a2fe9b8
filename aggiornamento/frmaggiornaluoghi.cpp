// SPDX-License-Identifier: MIT
#include "aggiornamento/frmaggiornaluoghi.h"

#include "app/accessibilita.h"
#include "app/datiluoghi.h"
#include "app/platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString giorno(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void FrmAggiornaLuoghi::mostra(QWidget *parent, const QString &datiInUso, Platform &platform)
{
    FrmAggiornaLuoghi finestra(parent, datiInUso, platform);
    finestra.exec();
}

FrmAggiornaLuoghi::FrmAggiornaLuoghi(QWidget *parent, const QString &datiInUso, Platform &platform)
    : QDialog(parent)
    , m_datiInUso(datiInUso)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmAggiornaLuoghi"));
    setWindowTitle(QStringLiteral("Aggiorna i luoghi"));
    createLayout();
    resize(640, 420);
}

void FrmAggiornaLuoghi::createLayout()
{
    auto *layout = new QVBoxLayout(this);
    auto *spiegazione = new QLabel(QStringLiteral(
        "L'archivio dei comuni è il file ANPR_archivio_comuni.csv, pubblicato dal Ministero dell'Interno (ANPR).\n"
        "Scaricalo e sceglilo qui: prima di scrivere, la finestra mostra che cosa cambia."));
    spiegazione->setWordWrap(true);
    layout->addWidget(spiegazione);
    auto *cmdScegli = new QPushButton(QStringLiteral("&Scegli il file..."));
    cmdScegli->setObjectName(QStringLiteral("cmdScegli"));
    layout->addWidget(cmdScegli, 0, Qt::AlignLeft);
    lblFile = new QLabel;
    lblFile->setObjectName(QStringLiteral("lblFile"));
    layout->addWidget(lblFile);
    txtModifiche = new QPlainTextEdit;
    txtModifiche->setObjectName(QStringLiteral("txtModifiche"));
    txtModifiche->setReadOnly(true);
    setNomeAccessibile(txtModifiche, QStringLiteral("Modifiche ai luoghi"));
    layout->addWidget(txtModifiche);
    auto *pulsanti = new QDialogButtonBox;
    cmdApplica = pulsanti->addButton(QStringLiteral("Applica"), QDialogButtonBox::AcceptRole);
    cmdApplica->setObjectName(QStringLiteral("cmdApplica"));
    cmdApplica->setEnabled(false);
    QPushButton *cmdAnnulla = pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    layout->addWidget(pulsanti);
    connect(cmdScegli, &QPushButton::clicked, this, &FrmAggiornaLuoghi::cmdScegli_Click);
    connect(cmdApplica, &QPushButton::clicked, this, &FrmAggiornaLuoghi::cmdApplica_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmAggiornaLuoghi::cmdScegli_Click()
{
    const QString percorso = m_platform.openFileName(this, QStringLiteral("Scegli l'archivio dei comuni"),
                                                     QStringLiteral("Archivio dei comuni (*.csv)|*.csv"));
    if (percorso.isEmpty())
        return;
    ModificheLuoghi modifiche;
    const QString errore = carica(percorso, &modifiche);
    const bool valido = errore.isEmpty();
    cmdApplica->setEnabled(valido && !modifiche.vuote());
    if (cmdApplica->isEnabled())
        cmdApplica->setFocus();
    lblFile->setText(valido ? QFileInfo(percorso).fileName() : QString());
    txtModifiche->setPlainText(!valido ? QString()
                               : modifiche.vuote() ? QStringLiteral("Nessuna modifica: i dati sono già aggiornati.")
                                                   : testoModifiche(modifiche, 5));
    if (!valido)
        m_platform.msgBox(this, QStringLiteral("Il file %1 non è stato caricato: %2. Nulla è cambiato.")
                                    .arg(QFileInfo(percorso).fileName(), errore),
                          Platform::Exclamation);
}

QString FrmAggiornaLuoghi::carica(const QString &percorso, ModificheLuoghi *modifiche)
{
    m_nuovi = {};
    {
        Database db;
        DbError e = db.open(m_datiInUso);
        if (!e.failed())
            e = leggiDatiLuoghi(db, &m_nuovi);
        // The fault is in the data in use, not in the chosen file: say so.
        if (e.failed())
            return QStringLiteral("i dati in uso %1 non si leggono (%2)")
                .arg(QDir::toNativeSeparators(m_datiInUso), e.description);
    }
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("non si riesce a leggerlo");
    QList<RigaRegistro> righe;
    QString errore;
    if (!leggiRegistro(file.readAll(), &righe, &errore))
        return errore;
    const QDate data = dataDelRegistro(righe);
    if (data < m_nuovi.data &&
        !m_platform.confirmBox(this, QStringLiteral("Il file %1 è aggiornato al %2, i dati in uso al %3: caricarlo comunque?")
                                         .arg(QFileInfo(percorso).fileName(), giorno(data), giorno(m_nuovi.data))))
        return QStringLiteral("è meno recente dei dati in uso");
    aggiornaLuoghi(&m_nuovi, righe, modifiche, &errore);
    return errore;
}

void FrmAggiornaLuoghi::cmdApplica_Click()
{
    QString errore;
    if (!scriviDatiLuoghi(m_datiInUso, datiAttoUtente(), m_nuovi, &errore))
        return m_platform.msgBox(this, QStringLiteral("I dati non sono stati scritti: %1").arg(errore), Platform::Exclamation);
    m_platform.msgBox(this,
                      QStringLiteral("%1. Riavvia il programma per usarli.").arg(testoAggiornamento(m_nuovi.data)),
                      Platform::Information);
    accept();
}
