// SPDX-License-Identifier: MIT
#include "elenco/colonne.h"

#include "fiscal/datanascita.h"

#include <QHash>

namespace {

QString normale(const QString &testo)
{
    QString n;
    for (const QChar c : testo.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            n += c.toLower();
    return n;
}

const QHash<QString, Ruolo> &nomiNoti()
{
    static const QHash<QString, Ruolo> nomi = [] {
        QHash<QString, Ruolo> h;
        const auto aggiungi = [&h](Ruolo r, std::initializer_list<const char *> nomi) {
            for (const char *n : nomi)
                h.insert(QString::fromLatin1(n), r);
        };
        aggiungi(Ruolo::CodiceFiscale, {"codicefiscale", "cf", "codfisc", "codfis", "codicefisc", "codfiscale",
                                        "fiscalcode", "taxcode", "italiantaxcode", "taxid"});
        aggiungi(Ruolo::PartitaIva, {"partitaiva", "piva", "partiva", "pi", "numeropartitaiva", "vat", "vatnumber",
                                     "vatno", "vatcode", "vatid"});
        aggiungi(Ruolo::Cognome, {"cognome", "surname", "lastname", "familyname"});
        aggiungi(Ruolo::Nome, {"nome", "name", "firstname", "givenname"});
        aggiungi(Ruolo::Sesso, {"sesso", "sex", "gender", "genere"});
        aggiungi(Ruolo::DataNascita, {"datadinascita", "datanascita", "datanasc", "nascita", "natoil", "natail",
                                      "birthdate", "dateofbirth", "dob", "birthday"});
        aggiungi(Ruolo::LuogoNascita, {"comunedinascita", "comunenascita", "luogodinascita", "luogonascita",
                                       "natoa", "nataa", "statodinascita", "birthplace", "placeofbirth",
                                       "cityofbirth"});
        aggiungi(Ruolo::CodiceCatastale, {"codicecatastale", "codcatastale", "codicecomune", "codicecomunedinascita",
                                          "codiceluogo", "cadastralcode", "placecode"});
        return h;
    }();
    return nomi;
}

} // namespace

bool Colonne::nessuna() const
{
    return std::all_of(indice.cbegin(), indice.cend(), [](int i) { return i < 0; });
}

QString nomeRuolo(Ruolo r)
{
    static const char *const nomi[NumeroRuoli] = {"Codice fiscale", "Partita IVA",       "Cognome",
                                                  "Nome",           "Sesso",             "Data di nascita",
                                                  "Luogo di nascita", "Codice catastale"};
    return QString::fromUtf8(nomi[int(r)]);
}

Colonne riconosciColonne(const QStringList &intestazione)
{
    Colonne c;
    for (qsizetype i = 0; i < intestazione.size(); ++i) {
        const auto r = nomiNoti().constFind(normale(intestazione.at(i)));
        if (r != nomiNoti().cend() && c[*r] < 0)
            c[*r] = int(i);
    }
    return c;
}

int colonnaIndicata(const QStringList &intestazione, const QString &nome)
{
    bool numero = false;
    const int n = nome.toInt(&numero);
    if (numero)
        return n >= 1 && n <= intestazione.size() ? n - 1 : -1;
    const QString cercato = normale(nome);
    for (qsizetype i = 0; i < intestazione.size(); ++i)
        if (normale(intestazione.at(i)) == cercato)
            return int(i);
    return -1;
}

std::optional<QDate> leggiData(const QString &testo)
{
    const QString t = testo.trimmed();
    if (const auto d = riconosciData(t))
        return d;
    // ISO: year first, perhaps followed by a time.
    if (t.size() >= 10 && t.at(4) == u'-') {
        const QDate d = QDate::fromString(t.left(10), Qt::ISODate);
        if (d.isValid() && (t.size() == 10 || t.at(10) == u' ' || t.at(10) == u'T'))
            return d;
    }
    // A spreadsheet date is a day count; its fraction is the time of day.
    bool numero = false;
    const double giorni = QString(t).replace(u',', u'.').toDouble(&numero);
    if (numero && giorni >= 1 && giorni < 2958466)
        return QDate(1899, 12, 30).addDays(qint64(giorni));
    return std::nullopt;
}
