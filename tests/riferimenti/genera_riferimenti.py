#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the reference vectors in this folder from implementations that are not
ours, so that a wrong table or rule in the program shows up as rows that differ:

  codici.tsv      people and their codes, from codice-fiscale-js (npm)
  decodifica.tsv  codes, plain, omocodic and with a wrong check character, and what
                  they say, from codice-fiscale-js and python3-stdnum
  date.tsv        dates written out in Italian, from Node's Intl, as a person types them
  partiteiva.tsv  VAT numbers with every check digit, right and wrong, from python3-stdnum

Run by hand (network for npm), from anywhere:  tests/riferimenti/genera_riferimenti.py
It needs node, npm and python3-stdnum (scripts/prepara.sh riferimenti). Every check
character and every omocodia letter must turn up, or it stops without writing."""
import json, os, random, subprocess, sys, tempfile
from stdnum import luhn
from stdnum.it import codicefiscale as sn_cf, iva as sn_iva
import stdnum

CARTELLA = os.path.dirname(os.path.abspath(__file__))
ALFABETO = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
LIBRERIA = "codice-fiscale-js@2.4.0"
# Given each person, the library computes the code, lists its omocodic variants and
# reads every variant back.
NODE = """
const {CodiceFiscale: CF} = require("codice-fiscale-js");
const persone = JSON.parse(require("fs").readFileSync(0, "utf8"));
console.log(JSON.stringify(persone.map(p => {
  const radice = CF.compute({...p, birthplace: "Roma", birthplaceProvincia: "RM"}).slice(0, 11) + p.luogo;
  const codice = radice + CF.getCheckCode(radice);
  let tutte = [];
  try { tutte = new CF(codice).omocodie(); } catch (e) {}  // a place the library does not know
  const varianti = tutte.filter((_, i) => i % 50 === p.day * 7 % 50).map(v => {
    const r = CF.computeInverse(v);
    return {v, base: CF.fromOmocodiaToOriginal(v), sesso: r.gender, giorno: r.day, mese: r.month};
  });
  const giorno = new Date(Date.UTC(p.year, p.month - 1, p.day));
  const scritta = giorno.toLocaleDateString("it-IT", {timeZone: "UTC", day: "numeric", year: "numeric",
                                                      month: p.day % 2 ? "long" : "short"});
  return {codice, varianti, scritta};
})));
"""


def persone(rng, luoghi):
    vocali, lettere = "AEIOU", ALFABETO
    parola = lambda: "".join(rng.choice(vocali if rng.random() < 0.35 else lettere) for _ in range(rng.randint(2, 9)))
    for n in range(1200):
        mese = n % 12 + 1
        giorno = rng.randint(1, 28 if mese == 2 else 30 if mese in (4, 6, 9, 11) else 31)
        cognome = parola() + (rng.choice(["", " ", "'"]) + parola() if n % 7 == 0 else "")
        yield {"surname": cognome, "name": parola(), "gender": "MF"[n % 2], "day": giorno, "month": mese,
               "year": rng.randint(1900, 2025), "luogo": rng.choice(luoghi)}


def main():
    rng = random.Random(22)
    with open(os.path.join(CARTELLA, "../../data/comuni.tsv"), encoding="utf-8") as f:
        luoghi = sorted({r.split("\t")[3] for r in list(f)[1:]})
    gente = list(persone(rng, luoghi))
    with tempfile.TemporaryDirectory() as npm:
        subprocess.run(["npm", "install", "--prefix", npm, "--no-audit", "--no-fund", "-q", LIBRERIA], check=True)
        uscita = subprocess.run(["node", "-e", NODE], input=json.dumps(gente), stdout=subprocess.PIPE, text=True,
                                check=True, env={**os.environ, "NODE_PATH": os.path.join(npm, "node_modules")}).stdout
    calcolati = json.loads(uscita)
    codici, decodifica, date, visti = [], [], [], set()
    for p, c in zip(gente, calcolati):
        codice = c["codice"]
        assert sn_cf.calc_check_digit(codice[:15]) == codice[15], codice  # the two peers agree
        data = "%04d-%02d-%02d" % (p["year"], p["month"], p["day"])
        codici.append([p["surname"], p["name"], data, p["gender"], p["luogo"], codice[:6], codice[6:11], codice[11:15],
                       codice[15]])
        date.append([c["scritta"], data])
        visti.update([(i % 2, ch) for i, ch in enumerate(codice[:15])] + [("controllo", codice[15])])
        for v in [{"v": codice, "base": codice, "sesso": p["gender"], "giorno": p["day"], "mese": p["month"]}] \
                + c["varianti"]:
            codice_v, base = v["v"], v["base"]
            assert sn_cf.calc_check_digit(codice_v[:15]) == codice_v[15] and sn_cf.get_gender(base) == v["sesso"]
            assert (sn_cf.get_birth_date(base).day, sn_cf.get_birth_date(base).month) == (v["giorno"], v["mese"])
            sostituite = sum(a != b for a, b in zip(codice_v[:15], base))
            visti.update(("omocodia", ch) for a, ch in zip(base[:15], codice_v) if a != ch)
            decodifica.append([codice_v, "1", v["sesso"], str(v["giorno"]), str(v["mese"]), base[6:8], base[11:15],
                               base, str(sostituite)])
        sbagliato = codice[:15] + chr((ord(codice[15]) - 65 + 1 + p["day"] % 25) % 26 + 65)
        assert not sn_cf.is_valid(sbagliato)
        decodifica.append([sbagliato, "0"] + [""] * 7)
    attesi = [(k, ch) for k in (0, 1) for ch in ALFABETO + "0123456789"] + [("controllo", ch) for ch in ALFABETO] \
        + [("omocodia", ch) for ch in "LMNPQRSTUV"]
    mancano = [a for a in attesi if a not in visti]
    if mancano:
        sys.exit("mancano: %s" % mancano)

    partite = []
    for n in range(300):
        prime = "%07d%03d" % (rng.randint(0, 9999999), rng.randint(1, 100))
        giusta = luhn.calc_check_digit(prime)  # the rule python3-stdnum checks a partita IVA by
        cifra = str((int(giusta) + n % 10) % 10)  # every digit, right once in ten
        assert sn_iva.is_valid(prime + cifra) == (cifra == giusta)
        partite.append([prime + cifra, "1" if cifra == giusta else "0"])
    for numero, _ in partite[:20:10]:  # a digit short, or one too many after eleven right ones
        partite += [[numero[:10], "0"], [numero + "0", "0"]]
        assert not (sn_iva.is_valid(numero[:10]) or sn_iva.is_valid(numero + "0"))

    intestazioni = {"codici.tsv": (["cognome", "nome", "data", "sesso", "luogo", "caratteri 1-6", "caratteri 7-11",
                                    "caratteri 12-15", "carattere di controllo"], codici),
                    "decodifica.tsv": (["codice", "valido", "sesso", "giorno", "mese", "anno", "luogo",
                                        "codice di base", "sostituzioni"], decodifica),
                    "date.tsv": (["testo", "data"], date), "partiteiva.tsv": (["numero", "valida"], partite)}
    for nome, (colonne, righe) in intestazioni.items():
        with open(os.path.join(CARTELLA, nome), "w", encoding="ascii") as f:
            f.write("\n".join("\t".join(r) for r in [colonne] + righe) + "\n")
    with open(os.path.join(CARTELLA, "FONTI.txt"), "w") as f:
        f.write("Made by genera_riferimenti.py with %s (Node %s) and python3-stdnum %s.\n"
                % (LIBRERIA, subprocess.run(["node", "--version"], capture_output=True, text=True).stdout.strip(),
                   stdnum.__version__))


if __name__ == "__main__":
    main()
