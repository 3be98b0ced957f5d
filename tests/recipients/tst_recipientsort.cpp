// The sort makes its own collation keys, on several cores: its order must stay exactly the
// one QCollator's sort keys give (case ignored; in the C locale the case folded first), with
// lines that compare equal keeping their order.
#include "RecipientLines.h"
#include "recipients/NarrowCodePage.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSort.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QtTest>

#include <algorithm>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// The order as the list was sorted before: a QCollator sort key per line, a stable sort.
std::vector<qsizetype> referenceOrder(const QStringList &lines, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const bool foldCase = locale.language() == QLocale::C;
    std::vector<QCollatorSortKey> keys;
    for (const QString &line : lines)
        keys.push_back(collator.sortKey(foldCase ? line.toCaseFolded() : line));
    std::vector<qsizetype> order(static_cast<size_t>(lines.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    return order;
}

const QStringList kFixedLines{
    u"Élodie Dupont <elodie.dupont@exemple.fr>"_s,
    u"elodie dupont <elodie.dupont@exemple.fr>"_s,
    u"ELODIE DUPONT <ELODIE.DUPONT@EXEMPLE.FR>"_s,
    u"Elodie Dupont <elodie.dupont@exemple.fr>"_s,
    u"zèbre"_s,
    u"Zoé"_s,
    u"zoe"_s,
    u"ZOÉ"_s,
    u"eau"_s,
    u"étage"_s,
    u"Ézéchiel"_s,
    u"ete"_s,
    u"été"_s,
    u"êté"_s,
    u"Cœur"_s,
    u"coeur"_s,
    u"Cœurdevey"_s,
    u"COEUR"_s,
    u"Æsop"_s,
    u"aesop"_s,
    u"ça"_s,
    u"ca"_s,
    u"Ça"_s,
    u"côte"_s,
    u"cote"_s,
    u"coté"_s,
    u"côté"_s,
    QString(),
    QString(),
    u" "_s,
    u"  "_s,
    u"\t"_s,
    u"-"_s,
    u"Jean-Marie"_s,
    u"Jean Marie"_s,
    u"JeanMarie"_s,
    u"Jean.Marie"_s,
    u"Jean'Marie"_s,
    u"Jean’Marie"_s,
    u"<a@b.fr>"_s,
    u"a@b.fr"_s,
    u"\"Nom\" <n@x.fr>"_s,
    u"(nom)"_s,
    u"_nom"_s,
    u"nom_"_s,
    u"10 rue"_s,
    u"9 rue"_s,
    u"2"_s,
    u"10"_s,
    u"€ 5"_s,
    u"5 €"_s,
    u"Ÿvonne"_s,
    u"ÿvonne"_s,
    u"yvonne"_s,
    u"Straße"_s,
    u"strasse"_s,
    u"STRASSE"_s,
    u"Łukasz"_s,
    u"lukasz"_s,
    u"Ångström"_s,
    u"angstrom"_s,
    u"Ærø"_s,
    u"e\u0301te\u0301"_s,
    u"a\u0001b"_s,
    u"ab"_s,
    u"µ"_s,
    u"μ"_s,
    u"Μ"_s,
    u"😀 smile"_s,
    u"smile 😀"_s,
    u"Paral·lel"_s,
    u"paral·lel"_s,
    u"Parallel"_s,
    u"L·L"_s,
    u"Chocolat"_s,
    u"Cote"_s,
    u"Aarhus"_s,
    u"Åse"_s,
    u"Москва"_s,
    u"москва"_s,
    u"Ω"_s,
    u"ω"_s,
    u"a"_s + QChar(0) + u"z"_s,
    u"a"_s + QChar(0) + u"b"_s,
    QString(QChar(0xD800)) + u"x"_s,
    u"x"_s + QChar(0xDC00),
    u"\u0080\u0081\u009F"_s,
    u"ﬁn"_s,
    u"fin"_s,
    // Long common beginnings: the keys part only far in.
    u"Marie-Thérèse de la Fontaine-Dubois <marie-therese.delafontaine-dubois12@exemple.fr>"_s,
    u"Marie-Thérèse de la Fontaine-Dubois <marie-therese.delafontaine-dubois11@exemple.fr>"_s,
    u"marie-thérèse de la fontaine-dubois <marie-therese.delafontaine-dubois12@exemple.fr>"_s,
    u"Marie-Therese de la Fontaine-Dubois <marie-therese.delafontaine-dubois12@exemple.fr>"_s,
    u"Marie-Thérèse de la Fontaine-Dubois <marie-therese.delafontaine-dubois12@exemple.fr>"_s,
};

// French recipient lines with all that the collation looks at; with wide, names holding
// characters outside the one-byte set too.
QStringList randomLines(int count, std::mt19937 &random, bool wide = false)
{
    QStringList first{u"Jean"_s,   u"Hélène"_s, u"hélène"_s,   u"HÉLÈNE"_s, u"Helene"_s, u"Chloé"_s,   u"Zoé"_s,
                      u"Noël"_s,   u"Maëlle"_s, u"Loïc"_s,     u"Agnès"_s,  u"Émile"_s,  u"Œdipe"_s,   u"Anaïs"_s,
                      u"Jérôme"_s, u"Benoît"_s, u"François"_s, u"Ÿves"_s,   u"Sœur"_s,   u"Æthelred"_s};
    QStringList last{u"Martin"_s,        u"Lefèvre"_s,   u"Lefevre"_s,   u"LEFÈVRE"_s,   u"Le Gall"_s, u"Le-Gall"_s,
                     u"Légaré"_s,        u"Cœurdevey"_s, u"D'Aubigné"_s, u"D’Aubigné"_s, u"Dupont"_s,  u"du Pont"_s,
                     u"Dupont-Aignan"_s, u"Straße"_s,    u"Ångel"_s,     u"Çelik"_s,     u"Ménard"_s,  u"Þórsson"_s};
    if (wide) {
        first += {u"Łucja"_s, u"Ζωή"_s};
        last += {u"Dvořák"_s, u"Nguyễn"_s};
    }
    const QStringList domains{u"exemple.fr"_s, u"courriel.fr"_s, u"EXEMPLE.FR"_s, u"mairie-exemple.fr"_s};
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const int shape = pick(random) % 10;
        const QString name = first[pick(random) % first.size()] + u" "_s + last[pick(random) % last.size()];
        if (shape == 0) {
            lines.append(QString()); // empty lines, and many equal ones
        } else if (shape == 1 && !lines.isEmpty()) {
            lines.append(lines[pick(random) % lines.size()]); // a line seen before
        } else if (shape == 2) {
            lines.append(name); // many equal names
        } else {
            lines.append(name + u" <"_s + name.toLower().replace(u' ', u'.') + QString::number(pick(random) % 50)
                         + u"@"_s + domains[pick(random) % domains.size()] + u">"_s);
        }
    }
    return lines;
}

// The fixed lines that the one-byte set holds.
QStringList narrowOnly(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines) {
        if (std::all_of(line.begin(), line.end(),
                        [](QChar c) { return NarrowCodePage::tables().encode[c.unicode()] != NarrowCodePage::NoByte; }))
            out.append(line);
    }
    return out;
}

} // namespace

class TestRecipientSort : public QObject
{
    Q_OBJECT
private slots:
    void sameOrderAsTheCollatorKeys_data();
    void sameOrderAsTheCollatorKeys();
    void shortListsAlike();
};

void TestRecipientSort::sameOrderAsTheCollatorKeys_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("lines");
    std::mt19937 random(7);
    // Enough lines for the keys to be made by every core the machine has. Lines the one-byte
    // set holds are ranked letter by letter; the others, and "l·" (a contraction), need ICU.
    QStringList narrow;
    for (const QString &line : narrowOnly(kFixedLines))
        if (!line.contains(u'·'))
            narrow.append(line);
    const QStringList sets[] = {
        narrow + randomLines(40000, random) + narrow,
        kFixedLines + randomLines(40000, random, true) + kFixedLines,
        narrowOnly(kFixedLines) + randomLines(20000, random),
    };
    const char *setNames[] = {"one-byte lines", "any lines", "one-byte lines with l·"};
    const QList<QPair<const char *, QLocale>> locales{
        {"fr_FR", QLocale(u"fr_FR"_s)},
        {"fr_CA", QLocale(u"fr_CA"_s)}, // accents compared from the end of the line
        {"C", QLocale::c()},
        {"the machine's own", QLocale()},
        {"en_US", QLocale(u"en_US"_s)},
        {"de_DE", QLocale(u"de_DE"_s)},
        {"sv_SE", QLocale(u"sv_SE"_s)},
        {"da_DK", QLocale(u"da_DK"_s)}, // "aa" is a letter of its own
        {"cs_CZ", QLocale(u"cs_CZ"_s)}, // so is "ch"
        {"zh_Hant_TW", QLocale(u"zh_Hant_TW"_s)},
    };
    for (const auto &[name, locale] : locales)
        for (int set = 0; set < 3; ++set)
            QTest::addRow("%s, %s", name, setNames[set]) << locale << sets[set];
}

void TestRecipientSort::sameOrderAsTheCollatorKeys()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, lines);
    RecipientList list;
    fill(list, lines);
    // Marks tell equal lines apart: each must follow its own line.
    for (qsizetype i = 0; i < lines.size(); i += 3)
        list.setMarked(i, true);
    list.selectIndex(5);
    SortRecipientLines(list, locale);

    const std::vector<qsizetype> order = referenceOrder(lines, locale);
    QStringList expected;
    QList<int> expectedMarks;
    for (size_t r = 0; r < order.size(); ++r) {
        expected.append(lines[order[r]]);
        if (order[r] % 3 == 0)
            expectedMarks.append(int(r));
    }
    const QStringList sorted = linesOf(list);
    for (qsizetype r = 0; r < sorted.size(); ++r)
        QVERIFY2(sorted[r] == expected[r],
                 qPrintable(u"row %1: %2 instead of %3"_s.arg(r).arg(sorted[r], expected[r])));
    QCOMPARE(marksOf(list), expectedMarks);
    QCOMPARE(list.selectedIndex(), 5);
}

void TestRecipientSort::shortListsAlike()
{
    // Lists too short to be shared out among cores, down to none at all.
    std::mt19937 random(11);
    for (const QLocale &locale : {QLocale(u"fr_FR"_s), QLocale::c()}) {
        for (int count : {0, 1, 2, 3, 17, 300}) {
            const QStringList lines = randomLines(count, random) + narrowOnly(kFixedLines).mid(0, count);
            RecipientList list;
            fill(list, lines);
            SortRecipientLines(list, locale);
            QStringList expected;
            for (qsizetype index : referenceOrder(lines, locale))
                expected.append(lines[index]);
            QCOMPARE(linesOf(list), expected);
        }
    }
}

QTEST_GUILESS_MAIN(TestRecipientSort)
#include "tst_recipientsort.moc"
