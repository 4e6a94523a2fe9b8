// SPDX-License-Identifier: MIT
#include "fiscal/traslitterazione.h"

#include <array>

namespace {

// Letters whose transliteration is not simply the letter under the diacritic:
// the two-letter German and ligature forms, and the letters whose mark is part
// of the letter itself, so that Unicode gives them no base letter.
struct Speciale
{
    char16_t lettera;
    char lettere[3];
};
constexpr Speciale Speciali[] = {
    {u'Ä', "AE"}, {u'Æ', "AE"}, {u'Ö', "OE"}, {u'Œ', "OE"}, {u'Ü', "UE"}, {u'ß', "SS"}, {u'ẞ', "SS"}, {u'Ĳ', "IJ"},
    {u'Ǆ', "DZ"}, {u'ǅ', "DZ"}, {u'Ǳ', "DZ"}, {u'ǲ', "DZ"}, {u'Ǉ', "LJ"}, {u'ǈ', "LJ"}, {u'Ǌ', "NJ"}, {u'ǋ', "NJ"},
    {u'Ø', "O"},  {u'Ǿ', "O"},  {u'Ł', "L"},  {u'Ŀ', "L"},  {u'Ƚ', "L"},  {u'Đ', "D"},  {u'Ð', "D"},  {u'Ɗ', "D"},
    {u'Ħ', "H"},  {u'Ŧ', "T"},  {u'Ƭ', "T"},  {u'Ʈ', "T"},  {u'ı', "I"},  {u'Ɨ', "I"},  {u'Ƀ', "B"},  {u'Ɓ', "B"},
    {u'Ȼ', "C"},  {u'Ƈ', "C"},  {u'Ɇ', "E"},  {u'ſ', "S"},  {u'Ƒ', "F"},  {u'Ɠ', "G"},  {u'Ǥ', "G"},  {u'Ɉ', "J"},
    {u'Ƙ', "K"},  {u'Ɲ', "N"},  {u'Ƥ', "P"},  {u'Ɍ', "R"},  {u'Ʋ', "V"},  {u'Ɏ', "Y"},  {u'Ƴ', "Y"},  {u'Ƶ', "Z"},
    {u'Ȥ', "Z"},  {u'Ⱥ', "A"},
};

// The Latin letters with diacritics live in these blocks: Latin-1, Latin
// Extended-A and -B, and Latin Extended Additional (Vietnamese and others).
constexpr char16_t Blocchi[][2] = {{0x00C0, 0x024F}, {0x1E00, 0x1EFF}};
constexpr int Posti = (0x024F - 0x00C0 + 1) + (0x1EFF - 0x1E00 + 1);

using Voce = std::array<char, 3>;

int posto(char16_t c)
{
    int base = 0;
    for (const auto &b : Blocchi) {
        if (c >= b[0] && c <= b[1])
            return base + (c - b[0]);
        base += b[1] - b[0] + 1;
    }
    return -1;
}

Voce speciale(char16_t c)
{
    for (const Speciale &s : Speciali)
        if (s.lettera == c)
            return {s.lettere[0], s.lettere[1], 0};
    return {};
}

// What one character of the blocks above gives: its own entry, its capital's,
// or the transliteration of the letter its canonical decomposition starts
// with (Ǟ is Ä with a macron, hence AE).
Voce traslittera(char16_t c)
{
    for (;;) {
        if (c >= u'a' && c <= u'z')
            return {char(c - u'a' + 'A'), 0, 0};
        if (c >= u'A' && c <= u'Z')
            return {char(c), 0, 0};
        if (const Voce v = speciale(c); v[0])
            return v;
        const char32_t maiuscola = QChar::toUpper(char32_t(c));
        if (maiuscola != c && maiuscola < 0x10000) {
            if (const Voce v = speciale(char16_t(maiuscola)); v[0])
                return v;
        }
        if (QChar::decompositionTag(c) != QChar::Canonical)
            return {};
        c = QChar::decomposition(c).at(0).unicode();
    }
}

const std::array<Voce, Posti> &tabella()
{
    static const std::array<Voce, Posti> t = [] {
        std::array<Voce, Posti> v{};
        for (const auto &b : Blocchi)
            for (char32_t c = b[0]; c <= b[1]; ++c)
                v[size_t(posto(char16_t(c)))] = traslittera(char16_t(c));
        return v;
    }();
    return t;
}

// The name's letters; `composta`: the name holds no combining mark that
// could still join the letter before it.
QString lettere(const QString &nome, bool composta)
{
    QString l;
    l.reserve(nome.size());
    for (const QChar q : nome) {
        const char16_t c = q.unicode();
        if (c >= u'A' && c <= u'Z') {
            l += q;
        } else if (c >= u'a' && c <= u'z') {
            l += QChar(char16_t(c - (u'a' - u'A')));
        } else if (const int p = c >= 0x80 ? posto(c) : -1; p >= 0) {
            for (const char v : tabella()[size_t(p)])
                if (v)
                    l += QLatin1Char(v);
        } else if (!composta && QChar::isMark(c)) {
            if (const QString nfc = nome.normalized(QString::NormalizationForm_C); nfc != nome)
                return lettere(nfc, true);
            composta = true;
        }
    }
    return l;
}

} // namespace

QString lettereDelNome(const QString &nome)
{
    return lettere(nome, false);
}
