#include "PlainEmailRule.h"
#include "recipients/CurrentRecipient.h"
#include "recipients/ExtractEmail.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestExtractEmail : public QObject
{
    Q_OBJECT
private slots:
    void addressInLine_data();
    void addressInLine();
    void agreesWithPlainRule();
    void recipientForLine_data();
    void recipientForLine();
};

void TestExtractEmail::addressInLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("address");
    const QString none;
    QTest::newRow("name and angle brackets")
        << u"Nom Prénom <prenom.nom@exemple.test>"_s << u"prenom.nom@exemple.test"_s;
    QTest::newRow("case kept") << u"PRENOM.NOM@EXEMPLE.TEST"_s << u"PRENOM.NOM@EXEMPLE.TEST"_s;
    QTest::newRow("brackets and final dot") << u"<prenom@exemple.test>."_s << u"prenom@exemple.test"_s;
    QTest::newRow("mailto prefix") << u"mailto:prenom@exemple.test"_s << u"prenom@exemple.test"_s;
    QTest::newRow("underscore and hyphen") << u"prenom_nom-2@exemple.test"_s << u"prenom_nom-2@exemple.test"_s;
    QTest::newRow("leading dot kept") << u".prenom@exemple.test"_s << u".prenom@exemple.test"_s;
    QTest::newRow("double dot") << u"prenom..nom@exemple.test"_s << u"prenom..nom@exemple.test"_s;
    QTest::newRow("plus ends the name") << u"prenom+liste@exemple.test"_s << u"liste@exemple.test"_s;
    QTest::newRow("two-character ending") << u"prenom@exemple.zz"_s << u"prenom@exemple.zz"_s;
    QTest::newRow("ending cut to 5") << u"prenom@domaine.example"_s << u"prenom@domaine.examp"_s;
    QTest::newRow("second part taken as ending") << u"prenom@mail.exemple.test"_s << u"prenom@mail.exemp"_s;
    QTest::newRow("one dot kept") << u"prenom@exemple.test.zz"_s << u"prenom@exemple.test"_s;
    QTest::newRow("one character after the dot") << u"a@b.c.test"_s << none;
    QTest::newRow("one-character ending") << u"prenom@exemple.t"_s << none;
    QTest::newRow("no dot") << u"prenom@exemple"_s << none;
    QTest::newRow("hyphen in the domain") << u"prenom@mon-site.test"_s << none;
    QTest::newRow("accent before @") << u"café@exemple.test"_s << none;
    QTest::newRow("name after the last accent") << u"élève.numéro@exemple.test"_s << u"ro@exemple.test"_s;
    QTest::newRow("accent in the domain") << u"contact@société.test"_s << none;
    QTest::newRow("two addresses: the first") << u"a@exemple.test; b@exemple.test"_s << u"a@exemple.test"_s;
    QTest::newRow("first @ does not qualify") << u"a@b@exemple.test"_s << u"b@exemple.test"_s;
    QTest::newRow("no @") << u"Nom Prénom"_s << none;
    QTest::newRow("empty line") << QString() << none;
    // A damaged UTF-16 file can leave half a character in a line.
    QTest::newRow("lone surrogate before the address")
        << u"Nom "_s + QChar(0xD83D) + u" <nom@exemple.test>"_s << u"nom@exemple.test"_s;
    QTest::newRow("lone surrogate ends the name")
        << u"nom"_s + QChar(0xDE00) + u"a@exemple.test"_s << u"a@exemple.test"_s;
}

void TestExtractEmail::addressInLine()
{
    QFETCH(QString, line);
    QFETCH(QString, address);
    QCOMPARE(ExtractEmail(line), address);
    QCOMPARE(PlainEmailRule(line), address);
}

// Many short lines from a small alphabet rich in "@" and "." so that most of the rule's
// branches are reached; a fixed seed keeps any failure reproducible.
void TestExtractEmail::agreesWithPlainRule()
{
    const QString word = u"abZx07_"_s;
    const QStringList others = {u"é"_s, u"ç"_s, u"É"_s, u"@"_s, u"@"_s, u"."_s,         u"."_s,
                                u"-"_s, u"+"_s, u"<"_s, u">"_s, u" "_s, u"\U0001F600"_s};
    QRandomGenerator random(20240611);
    int matches = 0;
    for (int i = 0; i < 200000; ++i) {
        const int length = random.bounded(25);
        QString line;
        for (int k = 0; k < length; ++k) {
            if (random.bounded(3) < 2)
                line += word.at(random.bounded(int(word.size())));
            else
                line += others.at(random.bounded(int(others.size())));
        }
        const QString expected = PlainEmailRule(line);
        if (ExtractEmail(line) != expected)
            QFAIL(qPrintable(
                u"line «%1»: ExtractEmail gives «%2», the plain rule «%3»"_s.arg(line, ExtractEmail(line), expected)));
        matches += !expected.isEmpty();
    }
    // The generator must exercise addresses, not only their absence.
    QVERIFY2(matches > 1000, qPrintable(QString::number(matches)));
}

void TestExtractEmail::recipientForLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("recipient");
    QTest::newRow("address") << u"Nom <nom@exemple.test>"_s << u"nom@exemple.test"_s;
    QTest::newRow("no address: the marker") << u"Nom Prénom"_s << u"*** EMAIL Non Conforme *** (F2)"_s;
    QTest::newRow("empty line: the marker") << QString() << u"*** EMAIL Non Conforme *** (F2)"_s;
}

void TestExtractEmail::recipientForLine()
{
    QFETCH(QString, line);
    QFETCH(QString, recipient);
    QCOMPARE(RecipientForLine(line), recipient);
    QCOMPARE(SendButtonCaption(RecipientForLine(line)), u"Envoyer à\r\n\r\n"_s + recipient);
}

QTEST_GUILESS_MAIN(TestExtractEmail)
#include "tst_extractemail.moc"
