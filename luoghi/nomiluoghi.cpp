// SPDX-License-Identifier: MIT
#include "luoghi/nomiluoghi.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

const QSet<QString> &minuscole()
{
    static const QSet<QString> parole = {
        "a", "ad", "ai", "al", "alla", "alle", "allo", "agli", "con", "da", "dai", "dal", "dalla", "dalle",
        "dallo", "dagli", "de", "de'", "dei", "del", "della", "delle", "dello", "degli", "di", "du", "e", "ed",
        "en", "et", "il", "in", "la", "li", "ne'", "nei", "nel", "nella", "nelle", "nello", "negli", "per",
        "presso", "su", "sui", "sul", "sulla", "sulle", "sullo", "sugli"};
    return parole;
}

// Elided forms written small after the first word: "d'Arno", "dell'Adda".
const QSet<QString> &elisioniMinuscole()
{
    static const QSet<QString> parole = {"d", "dall", "dell", "l", "nell", "sull", "all"};
    return parole;
}

QString iniziale(const QString &parola)
{
    return parola.left(1).toUpper() + parola.mid(1);
}

} // namespace

QString correggiMaiuscole(const QString &nome)
{
    static const QRegularExpression separatori(QStringLiteral("([ \\-])"));
    static const QRegularExpression elisa(QStringLiteral("^(\\p{L}+)'(.+)$"));
    static const QRegularExpression romano(QStringLiteral("^(?=[ivx]{2,}$)x{0,3}(ix|iv|v?i{0,3})$"));
    QStringList parole;
    QList<QChar> divisori;
    qsizetype inizio = 0;
    for (auto it = separatori.globalMatch(nome); it.hasNext();) {
        const auto m = it.next();
        parole << nome.mid(inizio, m.capturedStart() - inizio).toLower();
        divisori << nome.at(m.capturedStart());
        inizio = m.capturedEnd();
    }
    parole << nome.mid(inizio).toLower();
    QStringList piene;
    for (const QString &p : std::as_const(parole))
        if (!p.isEmpty())
            piene << p;
    QString risultato;
    int indice = -1;
    for (qsizetype i = 0; i < parole.size(); ++i) {
        const QString &parola = parole.at(i);
        if (!parola.isEmpty()) {
            ++indice;
            const bool prima = indice == 0;
            const bool ultima = indice == piene.size() - 1;
            const auto e = elisa.match(parola);
            if (e.hasMatch()) {
                const QString prefisso = elisioniMinuscole().contains(e.captured(1)) && !prima ? e.captured(1) : iniziale(e.captured(1));
                risultato += prefisso + QLatin1Char('\'') + iniziale(e.captured(2));
            } else if ((minuscole().contains(parola) && !prima) ||
                       ((parola == QLatin1String("sopra") || parola == QLatin1String("sotto")) && !prima && !ultima &&
                        piene.at(indice - 1) != QLatin1String("di"))) {
                risultato += parola;
            } else if (romano.match(parola).hasMatch()) {
                risultato += parola.toUpper();
            } else {
                risultato += iniziale(parola);
            }
        }
        if (i < divisori.size())
            risultato += divisori.at(i);
    }
    return risultato;
}

QString chiaveOrdinamento(const QString &nome)
{
    QString chiave;
    for (const QChar c : nome.normalized(QString::NormalizationForm_D))
        if (!c.isMark())
            chiave += c;
    return chiave.toLower();
}

QString chiaveConfronto(const QString &nome)
{
    QString chiave = chiaveOrdinamento(nome);
    chiave.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    return chiave;
}
