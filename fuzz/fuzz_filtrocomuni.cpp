// SPDX-License-Identifier: MIT
// The browser's search: any text as the initial letters, under any sort, on
// a table whose names hold the characters that mean something to SQL, to
// patterns or to Unicode case rules.
#include "browser/originecomuni.h"
#include "proprieta.h"
#include "support/fixture.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

OrigineComuni *origine = nullptr;
QStringList nomi;

QStringList righeStrane()
{
    QStringList sql;
    const QStringList strani = {"A%B", "A_B", "A*B", "A[B]", "A\\B", "L'Aquila",
                                "\U0001F600 Emoji", "Citta\u0300", "Straße", "İstanbul", "ﬁume", "", " Roma",
                                "ΣΊΣΥΦΟΣ", "\u202Eomor"};
    for (QString nome : strani)
        sql << QStringLiteral("INSERT INTO Comuni VALUES ('%1', 'XX', 'X000', '', '')")
                   .arg(nome.replace(QLatin1Char('\''), QLatin1String("''")));
    return sql;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv);
    static QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("DatiAtto.mdb"));
    if (!creaDatabase(percorso, schemaDatiAtto() + righeDiEsempio() + righeStrane()))
        qFatal("cannot create the database");
    Database db;
    if (db.open(percorso).failed()
        || db.readColumn(QStringLiteral("SELECT Nome FROM Comuni"), QStringLiteral("Nome"), &nomi).failed())
        qFatal("cannot read the names");
    origine = new OrigineComuni(percorso);
    if (origine->aggiorna().failed())
        qFatal("the browser's data source did not open");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList ordini = {QStringLiteral("Nome ASC"), QStringLiteral("nome desc"),
                                       QStringLiteral("Prov"), QStringLiteral("CAP DESC")};
    FuzzedDataProvider dati(data, size);
    origine->setSort(ordini.at(dati.ConsumeIntegralInRange<int>(0, int(ordini.size()) - 1)));
    const QString iniziali = QString::fromStdString(dati.ConsumeRemainingBytesAsString());
    origine->setFiltroIniziali(iniziali);

    // Exactly the names that begin with the text, every character literal,
    // whatever the order.
    qsizetype attesi = 0;
    for (const QString &n : std::as_const(nomi))
        attesi += n.startsWith(iniziali, Qt::CaseInsensitive) ? 1 : 0;
    PROPRIETA(origine->rowCount() == attesi);
    for (int r = 0; r < origine->rowCount(); ++r) {
        PROPRIETA(origine->index(r, 0).data().toString().startsWith(iniziali, Qt::CaseInsensitive));
        for (int c = 1; c < origine->columnCount(); ++c)
            PROPRIETA(origine->index(r, c).data().isValid());
    }
    return 0;
}
