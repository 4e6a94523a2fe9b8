// SPDX-License-Identifier: MIT
// The list check end to end: brantovel-elenco on generated lists of 10,000 and
// 1,000,000 rows, against python-stdnum with Python's csv module on the same
// file in the same run; peak memory of both sizes; and how fast the window
// answers keys while it checks the large list.

#include "elenco/frmcontrolloelenco.h"
#include "fiscal/codicefiscale.h"
#include "misura.h"
#include "support/recordingplatform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDevice>
#include <QKeyEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Esecuzione
{
    double secondi = 0;
    double processore = 0; // seconds of processor, user and system
    qint64 piccoKb = 0;
    int stato = -1;
};

// Runs a program to its end; wall time, processor time and its peak resident
// memory. On a machine busy with other work the processor time is the
// steadier figure.
Esecuzione esegui(const QStringList &comando)
{
    QElapsedTimer t;
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<QByteArray> a;
        for (const QString &s : comando)
            a.push_back(s.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &b : a)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int stato = 0;
    rusage uso{};
    wait4(pid, &stato, 0, &uso);
    const auto secondi = [](const timeval &v) { return double(v.tv_sec) + v.tv_usec / 1e6; };
    return {t.nsecsElapsed() / 1e9, secondi(uso.ru_utime) + secondi(uso.ru_stime), uso.ru_maxrss,
            WIFEXITED(stato) ? WEXITSTATUS(stato) : -1};
}

// A list of invented people: codes computed from their data, one row in ten
// with a wrong check character, one VAT number in twenty with a wrong digit,
// one in ten written without its leading zero.
QString generaElenco(const QString &cartella, int righe)
{
    static const char *const cognomi[] = {"Rossi", "Bianchi", "Ferrari", "Esposito", "Romano", "Colombo", "Ricci", "Marino"};
    static const char *const nomi[] = {"Mario", "Anna", "Luca", "Giulia", "Marco", "Sara", "Paolo", "Elena"};
    static const char *const luoghi[][2] = {{"Roma", "H501"}, {"Milano", "F205"}, {"Napoli", "F839"},
                                             {"Torino", "L219"}, {"Bologna", "A944"}, {"Firenze", "D612"}};
    QFile f(QStringLiteral("%1/elenco-%2.csv").arg(cartella).arg(righe));
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(f.fileName()));
    QRandomGenerator caso(righe);
    QByteArray testo = "Codice fiscale;Partita IVA;Cognome;Nome;Sesso;Data di nascita;Comune di nascita\n";
    for (int i = 0; i < righe; ++i) {
        const QString cognome = QString::fromLatin1(cognomi[caso.bounded(8)]);
        const QString nome = QString::fromLatin1(nomi[caso.bounded(8)]);
        const QString sesso = caso.bounded(2) ? QStringLiteral("M") : QStringLiteral("F");
        const QDate data = QDate(1940, 1, 1).addDays(caso.bounded(25000));
        const auto &luogo = luoghi[caso.bounded(6)];
        QString codice = CalcoloCodFis(cognome, nome, data, sesso, QString::fromLatin1(luogo[1])).remove(u' ');
        if (i % 10 == 9)
            codice[15] = codice[15] == u'A' ? u'B' : u'A';
        QString piva = QStringLiteral("%1").arg(caso.bounded(10000000), 7, 10, QLatin1Char('0')) + QStringLiteral("058");
        int somma = 0;
        for (int k = 0; k < 10; ++k) {
            const int c = piva.at(k).digitValue() * (k % 2 ? 2 : 1);
            somma += c > 9 ? c - 9 : c;
        }
        piva += QString::number((10 - somma % 10) % 10 + (i % 20 == 19 ? 1 : 0)).right(1);
        if (i % 10 == 3 && piva.startsWith(u'0'))
            piva.remove(0, 1);
        testo += QStringLiteral("%1;%2;%3;%4;%5;%6;%7\n")
                     .arg(codice, piva, cognome, nome, sesso, data.toString(QStringLiteral("dd/MM/yyyy")),
                          QString::fromLatin1(luogo[0]))
                     .toUtf8();
        if (testo.size() > (1 << 20)) {
            f.write(testo);
            testo.clear();
        }
    }
    f.write(testo);
    return f.fileName();
}

// Keys sent to the table every 20 ms from a thread of their own, as a person
// typing fast, whatever the window is doing: each carries the moment it was
// sent, and the table's filter notes how long it waited.
class Arrivi : public QObject
{
public:
    QElapsedTimer orologio;
    QList<double> ritardi;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress)
            ritardi.append((orologio.nsecsElapsed() - qint64(static_cast<QKeyEvent *>(e)->timestamp())) / 1e6);
        return false;
    }
};

void finestra(const QString &elenco, const QString &dati)
{
    RecordingPlatform platform;
    FrmControlloElenco f(dati, platform);
    f.show();
    f.apriElenco(elenco);
    auto *tabella = f.findChild<QTableView *>(QStringLiteral("tblRisultati"));
    auto *controlla = f.findChild<QPushButton *>(QStringLiteral("cmdControlla"));
    Arrivi arrivi;
    tabella->installEventFilter(&arrivi);
    arrivi.orologio.start();
    QTest::mouseClick(controlla, Qt::LeftButton);
    // The keyboard every key event names is made on first use: here, in the
    // interface's thread, where it belongs.
    QInputDevice::primaryKeyboard();
    std::atomic_bool finito{false};
    std::unique_ptr<QThread> tastiera(QThread::create([&] {
        while (!finito) {
            for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                auto *tasto = new QKeyEvent(tipo, Qt::Key_Down, Qt::NoModifier);
                tasto->setTimestamp(ulong(arrivi.orologio.nsecsElapsed()));
                QCoreApplication::postEvent(tabella, tasto);
            }
            QThread::msleep(20);
        }
    }));
    tastiera->start();
    while (!controlla->isEnabled())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    finito = true;
    tastiera->wait();
    QCoreApplication::processEvents();
    if (!platform.messages.isEmpty())
        qFatal("the window said: %s", qPrintable(platform.messageTexts().join(u'\n')));
    const double secondi = arrivi.orologio.nsecsElapsed() / 1e9;
    const int righe = tabella->model()->rowCount();
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    confronta(QStringLiteral(
                  "Finestra, %1 righe in %2 s, picco di memoria %3 MB: tasti con risposta (mediana, 99° percentile, "
                  "massimo, %4 tasti)")
                  .arg(righe)
                  .arg(secondi, 0, 'f', 1)
                  .arg(uso.ru_maxrss / 1024)
                  .arg(arrivi.ritardi.size()),
              QStringLiteral("%1 / %2 / %3 ms")
                  .arg(percentile(arrivi.ritardi, 50), 0, 'f', 1)
                  .arg(percentile(arrivi.ritardi, 99), 0, 'f', 1)
                  .arg(percentile(arrivi.ritardi, 100), 0, 'f', 1),
              QStringLiteral("99° percentile < 50 ms"), percentile(arrivi.ritardi, 99) < 50);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString programma = QStringLiteral(BRANTOVEL_ELENCO), dati = QStringLiteral(BRANTOVEL_DATIATTO);
    QTemporaryDir cartella;
    const QString piccolo = generaElenco(cartella.path(), 10000);
    const QString grande = generaElenco(cartella.path(), 1000000);
    const QString uscita = cartella.filePath(QStringLiteral("risultati.csv"));
    // "bench_elenco finestra" measures the window alone.
    if (app.arguments().contains(QStringLiteral("finestra"))) {
        finestra(grande, dati);
        return 0;
    }

    const Esecuzione riferimento = esegui({QStringLiteral(PYTHON3_DEBIAN), QStringLiteral(RIFERIMENTO), grande, uscita});
    if (riferimento.stato != 0)
        qFatal("python-stdnum baseline failed: %d", riferimento.stato);
    const QStringList soloCodici = {QStringLiteral("--colonna-cognome"), QStringLiteral("-"), QStringLiteral("--colonna-nome"),
                                    QStringLiteral("-"), QStringLiteral("--colonna-sesso"), QStringLiteral("-"),
                                    QStringLiteral("--colonna-data"), QStringLiteral("-"), QStringLiteral("--colonna-luogo"),
                                    QStringLiteral("-")};
    const Esecuzione codici = esegui(QStringList{programma, grande, QStringLiteral("-o"), uscita, QStringLiteral("--dati"), dati} + soloCodici);
    const Esecuzione tutto = esegui({programma, grande, QStringLiteral("-o"), uscita, QStringLiteral("--dati"), dati});
    const Esecuzione poche = esegui({programma, piccolo, QStringLiteral("-o"), uscita, QStringLiteral("--dati"), dati});
    if (codici.stato != 1 || tutto.stato != 1 || poche.stato != 1)
        qFatal("brantovel-elenco failed: %d %d %d", codici.stato, tutto.stato, poche.stato);

    const double base = 1e6 / riferimento.secondi, nostro = 1e6 / codici.secondi;
    std::printf("python-stdnum e csv, 1.000.000 righe: %.0f righe/s (%.1f s, %.1f s di processore)\n", base,
                riferimento.secondi, riferimento.processore);
    confronta(QStringLiteral("brantovel-elenco, codice fiscale e partita IVA, 1.000.000 righe"),
              QStringLiteral("%1 righe/s (%2 s), %3 volte il riferimento; %4 s di processore, %5 volte")
                  .arg(nostro, 0, 'f', 0)
                  .arg(codici.secondi, 0, 'f', 1)
                  .arg(nostro / base, 0, 'f', 1)
                  .arg(codici.processore, 0, 'f', 2)
                  .arg(riferimento.processore / codici.processore, 0, 'f', 1),
              QStringLiteral(">= 10 volte"), nostro >= 10 * base);
    std::printf("brantovel-elenco, tutte le colonne (anche i dati anagrafici), 1.000.000 righe: %.0f righe/s (%.1f s)\n",
                1e6 / tutto.secondi, tutto.secondi);
    confronta(QStringLiteral("Picco di memoria, 10.000 e 1.000.000 righe"),
              QStringLiteral("%1 MB e %2 MB, differenza %3 MB").arg(poche.piccoKb / 1024).arg(tutto.piccoKb / 1024)
                  .arg((tutto.piccoKb - poche.piccoKb) / 1024),
              QStringLiteral("differenza < 64 MB"), tutto.piccoKb - poche.piccoKb < 64 * 1024);
    finestra(grande, dati);
    return 0;
}
