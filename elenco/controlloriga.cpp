// SPDX-License-Identifier: MIT
#include "elenco/controlloriga.h"

#include "fiscal/codicefiscale.h"
#include "fiscal/letturacodice.h"
#include "fiscal/verificacodice.h"
#include "vat/controllopi.h"

namespace {

// The text itself, shared rather than copied, when it has no blanks: the
// common case, met several times in every row.
QString senzaSpazi(const QString &testo)
{
    const auto spazio = [](QChar c) { return c.isSpace(); };
    if (std::none_of(testo.cbegin(), testo.cend(), spazio))
        return testo;
    QString t = testo;
    t.removeIf(spazio);
    return t;
}

bool cifre(const QString &testo)
{
    return !testo.isEmpty() && std::all_of(testo.cbegin(), testo.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The result columns of a row that has every kind of column.
constexpr qsizetype MassimoColonneRisultato = 12;

} // namespace

QString nomeStato(StatoRiga s)
{
    static const QString nomi[] = {QStringLiteral("valida"), QStringLiteral("completata"), QStringLiteral("avviso"),
                                   QStringLiteral("non valida")};
    return nomi[int(s)];
}

// The result columns of one row, and the worst that happened to it.
struct ControlloRiga::Risultato
{
    StatoRiga stato = StatoRiga::Valida;
    QString riga, esito, omocodia, sesso, data, luogo, avviso, confronto, calcolato, esitoIva, ufficio, noteIva;
    EsitoCodFis codice;

    void peggiora(StatoRiga s) { stato = std::max(stato, s); }
};

// The personal data of a row, as read from its cells.
struct ControlloRiga::Dati
{
    QString cognome, nome, sesso, luogo, nomeLuogo;
    std::optional<QDate> data;
    QStringList mancanti, illeggibili;
};

ControlloRiga::ControlloRiga(const Database &db, const QStringList &intestazione, const Colonne &colonne,
                             const QDate &oggi)
    : m_db(db), m_intestazione(intestazione), m_colonne(colonne), m_oggi(oggi)
{
    m_codice = colonne[Ruolo::CodiceFiscale] >= 0;
    m_iva = colonne[Ruolo::PartitaIva] >= 0;
    m_dati = false;
    for (Ruolo r : {Ruolo::Cognome, Ruolo::Nome, Ruolo::Sesso, Ruolo::DataNascita, Ruolo::LuogoNascita,
                    Ruolo::CodiceCatastale})
        m_dati = m_dati || colonne[r] >= 0;
}

QStringList ControlloRiga::intestazioni() const
{
    QStringList h = m_intestazione;
    h << QStringLiteral("Esito della riga");
    if (m_codice || m_dati)
        h << QStringLiteral("Codice fiscale: esito") << QStringLiteral("Omocodia") << QStringLiteral("Sesso dal codice")
          << QStringLiteral("Data di nascita dal codice") << QStringLiteral("Luogo di nascita dal codice")
          << QStringLiteral("Avviso sul luogo");
    if (m_dati)
        h << QStringLiteral("Confronto con i dati anagrafici") << QStringLiteral("Codice fiscale calcolato");
    if (m_iva)
        h << QStringLiteral("Partita IVA: esito") << QStringLiteral("Ufficio IVA") << QStringLiteral("Partita IVA: note");
    return h;
}

StatoRiga ControlloRiga::controlla(QStringList *celle)
{
    Risultato r;
    const qsizetype larghezza = m_intestazione.size();
    if (celle->size() != larghezza) {
        // Extra cells are named in the result, never dropped silently.
        r.riga = QStringLiteral("la riga ha %1 celle invece di %2").arg(celle->size()).arg(larghezza);
        if (celle->size() > larghezza)
            r.riga += QStringLiteral("; in più: ") + celle->mid(larghezza).join(QStringLiteral(" | "));
        r.peggiora(StatoRiga::NonValida);
        celle->resize(larghezza);
    }
    const auto cella = [&](Ruolo ruolo) {
        const int i = m_colonne[ruolo];
        return i < 0 ? QString() : celle->at(i).trimmed();
    };

    Dati dati;
    if (m_dati) {
        const auto leggi = [&](Ruolo ruolo, QString *valore) {
            *valore = cella(ruolo);
            if (valore->isEmpty())
                dati.mancanti << nomeRuolo(ruolo).toLower();
        };
        leggi(Ruolo::Cognome, &dati.cognome);
        leggi(Ruolo::Nome, &dati.nome);
        QString sesso, data;
        leggi(Ruolo::Sesso, &sesso);
        const QChar s = sesso.isEmpty() ? QChar() : sesso.at(0).toUpper();
        if (s == u'M' || s == u'F')
            dati.sesso = s;
        else if (!sesso.isEmpty())
            dati.illeggibili << QStringLiteral("sesso «%1» illeggibile").arg(sesso);
        leggi(Ruolo::DataNascita, &data);
        dati.data = leggiData(data);
        if (!dati.data && !data.isEmpty())
            dati.illeggibili << QStringLiteral("data di nascita «%1» illeggibile").arg(data);
        dati.luogo = cella(Ruolo::CodiceCatastale).toUpper();
        dati.nomeLuogo = cella(Ruolo::LuogoNascita);
        if (dati.luogo.isEmpty() && dati.nomeLuogo.isEmpty())
            dati.mancanti << QStringLiteral("luogo di nascita");
    }

    if (m_codice || m_dati)
        controllaCodice(cella(Ruolo::CodiceFiscale), dati, &r);
    if (m_iva)
        controllaPartitaIva(cella(Ruolo::PartitaIva), &r);

    celle->reserve(larghezza + MassimoColonneRisultato);
    *celle << (r.riga.isEmpty() ? nomeStato(r.stato) : nomeStato(r.stato) + QStringLiteral(": ") + r.riga);
    if (m_codice || m_dati)
        *celle << r.esito << r.omocodia << r.sesso << r.data << r.luogo << r.avviso;
    if (m_dati)
        *celle << r.confronto << r.calcolato;
    if (m_iva)
        *celle << r.esitoIva << r.ufficio << r.noteIva;
    return r.stato;
}

void ControlloRiga::controllaCodice(const QString &testo, const Dati &dati, Risultato *r)
{
    const QString codice = senzaSpazi(testo);
    if (codice.isEmpty()) {
        QString luogo = dati.luogo;
        if (luogo.isEmpty() && !dati.nomeLuogo.isEmpty())
            luogo = codiceDelLuogo(dati.nomeLuogo, QString());
        QStringList manca = dati.mancanti;
        if (!dati.nomeLuogo.isEmpty() && luogo.isEmpty())
            manca << QStringLiteral("un luogo di nascita conosciuto (non «%1»)").arg(dati.nomeLuogo);
        if (m_dati && manca.isEmpty() && dati.illeggibili.isEmpty()) {
            const QString calcolato = senzaSpazi(CalcoloCodFis(dati.cognome, dati.nome, *dati.data, dati.sesso, luogo));
            r->calcolato = calcolato;
            r->esito = QStringLiteral("Codice calcolato dai dati");
            r->peggiora(StatoRiga::Completata);
            descriviCodice(calcolato, r);
            return;
        }
        r->esito = QStringLiteral("Codice fiscale mancante");
        if (m_dati) {
            QStringList perche = dati.illeggibili;
            if (!manca.isEmpty())
                perche.prepend(QStringLiteral("manca ") + manca.join(QStringLiteral(", ")));
            r->esito += QStringLiteral("; non si può calcolare dai dati: ") + perche.join(QStringLiteral("; "));
        }
        r->peggiora(StatoRiga::NonValida);
        return;
    }
    // Companies, associations and public bodies have a numeric code of eleven
    // digits, checked as a VAT number is.
    if (codice.size() == 11 && cifre(codice)) {
        const bool valido = ControlloPI(codice);
        r->esito = valido ? QStringLiteral("Codice fiscale numerico valido")
                          : QStringLiteral("Codice non valido: la cifra di controllo del codice numerico è errata");
        if (!valido)
            r->peggiora(StatoRiga::NonValida);
        return;
    }
    descriviCodice(codice, r);
    if (!r->codice.valido)
        return;
    r->esito = QStringLiteral("Codice fiscale valido");
    if (m_dati)
        confronta(dati, r);
}

void ControlloRiga::descriviCodice(const QString &codice, Risultato *r)
{
    const EsitoCodFis &e = r->codice = VerificaCodFis(codice);
    if (!e.valido) {
        r->esito = QStringLiteral("Codice non valido: ") + e.errore;
        r->peggiora(StatoRiga::NonValida);
        return;
    }
    const LuogoDelCodice &l = luogo(e.codiceLuogo);
    LetturaCodice lettura = leggiCodice(e, l, m_oggi);
    r->omocodia = std::move(lettura.omocodia);
    r->sesso = std::move(lettura.sesso);
    r->data = std::move(lettura.data);
    r->luogo = std::move(lettura.luogo);
    r->avviso = m_erroreDb.failed()
                    ? QStringLiteral("Errore n. %1 %2").arg(m_erroreDb.number).arg(m_erroreDb.description)
                    : std::move(lettura.avviso);
    if (!r->avviso.isEmpty())
        r->peggiora(StatoRiga::Avviso);
}

// Each part of the personal data the row has, against the code; where they
// disagree, what the data give.
void ControlloRiga::confronta(const Dati &dati, Risultato *r)
{
    const EsitoCodFis &e = r->codice;
    QString luogo = dati.luogo;
    if (luogo.isEmpty() && !dati.nomeLuogo.isEmpty())
        luogo = codiceDelLuogo(dati.nomeLuogo, e.codiceLuogo);
    const QDate data = dati.data.value_or(QDate());
    const ConfrontoCodFis c = ConfrontaCodFis(e, dati.cognome, dati.nome, data, dati.sesso, luogo);
    // The code the data give, computed once by the comparison (a missing sex
    // counts as male there, an unreadable date stands in as one).
    const QString daiDati = senzaSpazi(c.calcolato);
    QStringList diversi = dati.illeggibili;
    if (!dati.nomeLuogo.isEmpty() && dati.luogo.isEmpty() && luogo.isEmpty())
        diversi << QStringLiteral("luogo di nascita «%1» sconosciuto").arg(dati.nomeLuogo);
    bool qualcuna = !diversi.isEmpty();
    const auto parte = [&](bool presente, bool concorda, const QString &nome, const QString &dato, const QString &codice) {
        qualcuna = qualcuna || presente;
        if (presente && !concorda)
            diversi << QStringLiteral("%1: i dati danno %2, il codice %3").arg(nome, dato, codice);
    };
    parte(!dati.cognome.isEmpty(), c.cognome, QStringLiteral("cognome"), daiDati.left(3), e.codiceBase.left(3));
    parte(!dati.nome.isEmpty(), c.nome, QStringLiteral("nome"), daiDati.mid(3, 3), e.codiceBase.mid(3, 3));
    parte(data.isValid(), c.data, QStringLiteral("data di nascita"), testoGiorno(data), r->data);
    parte(!dati.sesso.isEmpty(), c.sesso, QStringLiteral("sesso"), dati.sesso, e.sesso);
    parte(!luogo.isEmpty(), c.luogo, QStringLiteral("luogo di nascita"), luogo, e.codiceLuogo);
    if (diversi.isEmpty()) {
        r->confronto = qualcuna ? QStringLiteral("concorda") : QString();
        return;
    }
    r->confronto = QStringLiteral("non concorda: ") + diversi.join(QStringLiteral("; "));
    r->peggiora(StatoRiga::NonValida);
}

void ControlloRiga::controllaPartitaIva(const QString &testo, Risultato *r)
{
    if (testo.isEmpty())
        return;
    QStringList note;
    QString numero = testo;
    if (numero.startsWith(QLatin1String("IT"), Qt::CaseInsensitive)) {
        numero.remove(0, 2);
        note << QStringLiteral("tolto il prefisso IT");
    }
    const QString pulito = senzaSpazi(numero).remove(u'.');
    if (pulito != numero)
        note << QStringLiteral("tolti spazi e punti");
    numero = pulito;
    // A spreadsheet that took the number for a quantity dropped its zero.
    if (numero.size() == 10 && cifre(numero)) {
        numero.prepend(u'0');
        note << QStringLiteral("rimesso lo zero iniziale");
    }
    if (!note.isEmpty()) {
        r->noteIva = note.join(QStringLiteral("; ")) + QStringLiteral(": ") + numero;
        r->peggiora(StatoRiga::Avviso);
    }
    QString motivo;
    if (!cifre(numero))
        motivo = QStringLiteral("contiene caratteri che non sono cifre");
    else if (numero.size() != 11)
        motivo = QStringLiteral("ha %1 cifre invece di 11").arg(numero.size());
    else if (!ControlloPI(numero))
        motivo = QStringLiteral("la cifra di controllo è errata");
    else if ((r->ufficio = ufficio(QStringView(numero).mid(7, 3))).isEmpty())
        motivo = QStringLiteral("codice Ufficio IVA %1 inesistente").arg(numero.mid(7, 3));
    if (motivo.isEmpty()) {
        r->esitoIva = QStringLiteral("Partita IVA valida");
        return;
    }
    r->esitoIva = QStringLiteral("Partita IVA non valida: ") + motivo;
    r->peggiora(StatoRiga::NonValida);
}

// What the database says about `chiave`, asked once: later rows find it
// remembered. After a failure nothing more is asked.
template <typename Chiave, typename Valore, typename Domanda>
const Valore &ControlloRiga::ricordato(QHash<Chiave, Valore> &memoria, const Chiave &chiave, Domanda domanda)
{
    auto trovato = memoria.constFind(chiave);
    if (trovato == memoria.cend()) {
        Valore v{};
        if (!m_erroreDb.failed())
            ricorda(domanda(&v));
        trovato = memoria.insert(chiave, v);
    }
    return *trovato;
}

const LuogoDelCodice &ControlloRiga::luogo(const QString &codice)
{
    return ricordato(m_luoghi, codice, [&](LuogoDelCodice *l) { return cercaLuogoDelCodice(m_db, codice, l); });
}

// The code of a place given by name; of places sharing the name, the one
// the fiscal code names when it is among them.
QString ControlloRiga::codiceDelLuogo(const QString &nome, const QString &preferito)
{
    const QList<LuogoPerNome> &trovati = ricordato(m_luoghiPerNome, nome.toLower(), [&](QList<LuogoPerNome> *l) {
        return luoghiPerNome(m_db, nome, l);
    });
    for (const LuogoPerNome &l : trovati)
        if (l.codice == preferito)
            return l.codice;
    return trovati.isEmpty() ? QString() : trovati.first().codice;
}

QString ControlloRiga::ufficio(QStringView codice)
{
    return ricordato(m_uffici, codice.toInt(),
                     [&](QString *u) { return ufficioIvaPerCodice(m_db, codice.toString(), u); });
}

void ControlloRiga::ricorda(const DbError &e)
{
    if (e.failed() && !m_erroreDb.failed())
        m_erroreDb = e;
}
