// SPDX-License-Identifier: MIT
// The windows as a person sees them: each is drawn offscreen in a few known
// states and compared, point by point, with its picture in this folder, so
// captions, layout and the colours actually painted are all checked at once.
// The fonts and their rendering are pinned by fonts.conf beside this file.
// What a screen reader finds in the same window (every control's role, name,
// description and value, tooltips included) is compared with the text file of
// the same name. After a deliberate change to a window, remake both with
//   BRANTOVEL_AGGIORNA_IMMAGINI=1 ctest --test-dir build -R tst_aspetto
// and commit them with the change. When a picture differs, the window as drawn
// and a map of the points that differ are left in build/tests/immagini/.
#include "app/immagini.h"
#include "support/finestradiprova.h"
#include "support/tabella.h"
#include "support/tasti.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMetaEnum>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

namespace {

void confrontaCon(const QImage &disegno, const QString &nome)
{
    const QImage vista = disegno.convertToFormat(QImage::Format_ARGB32);
    const QString riferimento = QStringLiteral(BRANTOVEL_IMMAGINI "/%1.png").arg(nome);
    if (qEnvironmentVariableIsSet("BRANTOVEL_AGGIORNA_IMMAGINI")) {
        QVERIFY(vista.save(riferimento));
        return;
    }
    const QImage atteso = QImage(riferimento).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!atteso.isNull(), qPrintable(riferimento + QStringLiteral(" manca")));
    if (vista == atteso)
        return;
    // Black where the two agree: the other points show what changed.
    QImage mappa = vista;
    QPainter pittore(&mappa);
    pittore.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    pittore.drawImage(0, 0, atteso);
    pittore.end();
    const QString uscita = QStringLiteral(BRANTOVEL_USCITA "/%1").arg(nome);
    QVERIFY(vista.save(uscita + QStringLiteral("-vista.png")));
    QVERIFY(mappa.save(uscita + QStringLiteral("-differenze.png")));
    QFAIL(qPrintable(QStringLiteral("%1 non è come l'immagine di riferimento: vedi %2-vista.png e %2-differenze.png")
                         .arg(nome, uscita)));
}

void ascolta(QAccessibleInterface *i, int livello, QString *detto)
{
    const QString ruolo = QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(i->role()));
    QStringList parti{QString(livello * 2, u' ') + ruolo};
    for (const QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
        parti << i->text(t);
    // The states a screen reader tells about a control (every caption is read-only).
    const QAccessible::State s = i->state();
    const bool solaLettura = s.readOnly && i->role() != QAccessible::StaticText;
    for (const auto &[vale, stato] : {std::pair{solaLettura, "sola lettura"}, std::pair{bool(s.disabled), "disattivato"},
                                      std::pair{bool(s.checked), "scelto"}})
        if (vale)
            parti << QLatin1String(stato);
    *detto += parti.join(QLatin1String(" | ")).trimmed() + u'\n';
    for (int k = 0; k < i->childCount(); ++k)
        ascolta(i->child(k), livello + 1, detto);
}

void confrontaDetto(QWidget *w, const QString &nome)
{
    QString detto;
    ascolta(QAccessible::queryAccessibleInterface(w), 0, &detto);
    QFile riferimento(QStringLiteral(BRANTOVEL_IMMAGINI "/%1.txt").arg(nome));
    if (qEnvironmentVariableIsSet("BRANTOVEL_AGGIORNA_IMMAGINI")) {
        QVERIFY(riferimento.open(QIODevice::WriteOnly) && riferimento.write(detto.toUtf8()) > 0);
        return;
    }
    QVERIFY2(riferimento.open(QIODevice::ReadOnly), qPrintable(riferimento.fileName() + QStringLiteral(" manca")));
    const QStringList atteso = QString::fromUtf8(riferimento.readAll()).split(u'\n');
    const QStringList righe = detto.split(u'\n');
    for (int k = 0; k < std::max(righe.size(), atteso.size()); ++k)
        QCOMPARE(righe.value(k), atteso.value(k));
}

void confronta(QWidget *w, const QString &nome)
{
    confrontaCon(w->grab().toImage(), nome);
    confrontaDetto(w, nome);
}

// A desktop theme of light text on dark grounds.
QPalette tavolozzaScura()
{
    QPalette p(QColor(53, 53, 53));
    for (const auto ruolo : {QPalette::Base, QPalette::AlternateBase})
        p.setColor(ruolo, QColor(35, 35, 35));
    for (const auto ruolo : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(ruolo, Qt::white);
    return p;
}

} // namespace

class tst_Aspetto : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setCursorFlashTime(0); // the text cursor always drawn, never caught mid-blink
        QDir().mkpath(QStringLiteral(BRANTOVEL_USCITA));
    }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            delete w;
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    // tasti: what is done in the main window (see batti()); voce: the menu
    // command that opens the window pictured, if not the main one; poi: what
    // is typed there.
    void finestra_data()
    {
        colonne<QString, QString, QString>("tasti", "voce", "poi");
        const QString donna = QStringLiteral("bianchi⇥anna⇥f⇥mil⇥19 settembre 1995⇥[cmdElabora]");
        riga("principale_donna", donna, "", "");
        riga("principale_errori", "[Text4]12345678901[Command2][txtDataNascita]31/02/1980[cboComune]x⇥", "", "");
        riga("verifica_donna", donna, "VerificaCodice", "");
        riga("verifica_errata", "", "VerificaCodice", "RSSMRA80A01H501A");
        riga("comuni", "", "CercaComuni", "");
        riga("aiuto", "", "Aiuto", "");
        // On a dark desktop the colours the windows choose stay theirs, and
        // what they leave to the desktop follows it.
        riga("principale_scuro", donna, "", "");
        riga("aiuto_scuro", "", "Aiuto", "");
    }

    void finestra()
    {
        QFETCH(QString, tasti);
        QFETCH(QString, voce);
        QFETCH(QString, poi);
        const QString nome = QString::fromLatin1(QTest::currentDataTag());
        if (nome.endsWith(QLatin1String("_scuro")))
            QApplication::setPalette(tavolozzaScura());
        FinestraDiProva f;
        QCOMPARE(f.avvia(), FrmCodiceFiscale::Avvio::Pronto);
        batti(f.form.get(), tasti);
        QAction *comando = voce.isEmpty() ? nullptr : f.form->findChild<QAction *>(voce);
        QWidget *w = f.form.get();
        if (comando == f.ui().Aiuto)
            return f.apriModale(comando, [&nome](QWidget *w) { confronta(w, nome); });
        if (comando) {
            f.scegliDalMenu(comando);
            QTRY_VERIFY((w = QApplication::activeWindow()) && w != f.form.get());
            digita(QApplication::focusWidget(), poi);
        }
        confronta(w, nome);
        // The task bar shows the program's own icon for it; the help window has none.
        QCOMPARE(w->windowIcon().pixmap(32).toImage(), iconaApplicazione().pixmap(32).toImage());
    }

    // The pen shown over the buttons.
    void puntatore()
    {
        FinestraDiProva f;
        confrontaCon(f.ui().cmdElabora->cursor().pixmap().toImage(), QStringLiteral("puntatore"));
    }
};

QTEST_MAIN(tst_Aspetto)
#include "tst_aspetto.moc"
