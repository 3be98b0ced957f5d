#include "RecordingMailHandoff.h"
#include "ScriptedDialogs.h"
#include "dispatch/MailLink.h"
#include "dispatch/MailTo.h"
#include "recipients/CurrentRecipient.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestMailTo : public QObject
{
    Q_OBJECT
private slots:
    void refusals_data();
    void refusals();
    void confirmedSendHandsOverOnce();
    void cancelHandsNothingOver();
    void lineWithoutAddressSendsToTheMarker();
    void lengthRule_data();
    void lengthRule();
};

static MailInputs offer()
{
    MailInputs inputs;
    inputs.lineSelected = true;
    inputs.recipient = u"nom@exemple.test"_s;
    inputs.subject = u"Offre de prix"_s;
    inputs.message = u"Bonjour,\r\nVoici notre offre."_s;
    inputs.signature = u"Service commercial"_s;
    return inputs;
}

void TestMailTo::refusals_data()
{
    QTest::addColumn<bool>("lineSelected");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("warning");
    const QString noLine = u"Vous devez sélectionner un destinataire = liste EMAIL"_s;
    const QString empty = u"Le message est vide ou n'a pas de destinaire ou d'objet"_s;
    QTest::newRow("no line selected, an address shown") << false << u"nom@exemple.test"_s << u"Offre"_s << noLine;
    QTest::newRow("no line selected, nothing else") << false << QString() << QString() << noLine;
    QTest::newRow("empty recipient") << true << QString() << u"Offre"_s << empty;
    QTest::newRow("empty subject") << true << u"nom@exemple.test"_s << QString() << empty;
}

void TestMailTo::refusals()
{
    QFETCH(bool, lineSelected);
    QFETCH(QString, recipient);
    QFETCH(QString, subject);
    QFETCH(QString, warning);
    MailInputs inputs = offer();
    inputs.lineSelected = lineSelected;
    inputs.recipient = recipient;
    inputs.subject = subject;
    ScriptedDialogs dialogs;
    RecordingMailHandoff handoff;
    MAILTO(inputs, dialogs, handoff);
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(dialogs.boxes.at(0).text, warning);
    QCOMPARE(dialogs.boxes.at(0).kind, MsgKind::Warning);
    QCOMPARE(dialogs.boxes.at(0).buttons, QList{MsgButton::OK});
    QVERIFY(handoff.links.isEmpty());
}

void TestMailTo::confirmedSendHandsOverOnce()
{
    ScriptedDialogs dialogs;
    dialogs.boxAnswers = {MsgButton::OK};
    RecordingMailHandoff handoff;
    MAILTO(offer(), dialogs, handoff);
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(dialogs.boxes.at(0).kind, MsgKind::Confirmation);
    QCOMPARE(dialogs.boxes.at(0).buttons, (QList{MsgButton::OK, MsgButton::Cancel}));
    QCOMPARE(dialogs.boxes.at(0).text,
             u"Envoyer  \r\n\r\nOffre de prix\r\n\r\nà : \r\n\r\nnom@exemple.test\r\n\r\n"_s + QString(40, u'-'));
    QCOMPARE(handoff.links,
             QByteArrayList{"mailto:nom@exemple.test?subject=Offre%20de%20prix&body=Bonjour%2C%0D%0AVoici%20notre"
                            "%20offre.%0D%0A%0D%0A%0D%0AService%20commercial"});
}

void TestMailTo::cancelHandsNothingOver()
{
    ScriptedDialogs dialogs;
    dialogs.boxAnswers = {MsgButton::Cancel};
    RecordingMailHandoff handoff;
    MAILTO(offer(), dialogs, handoff);
    QCOMPARE(dialogs.boxes.size(), 1);
    QVERIFY(handoff.links.isEmpty());
}

void TestMailTo::lineWithoutAddressSendsToTheMarker()
{
    MailInputs inputs = offer();
    inputs.recipient = RecipientForLine(u"Nom Prénom"_s);
    ScriptedDialogs dialogs;
    dialogs.boxAnswers = {MsgButton::OK};
    RecordingMailHandoff handoff;
    MAILTO(inputs, dialogs, handoff);
    QVERIFY(dialogs.boxes.at(0).text.contains(u"\r\n*** EMAIL Non Conforme *** (F2)\r\n"_s));
    QCOMPARE(handoff.links.size(), 1);
    QVERIFY(handoff.links.at(0).startsWith(
        "mailto:%2A%2A%2A%20EMAIL%20Non%20Conforme%20%2A%2A%2A%20%28F2%29?subject=Offre%20de%20prix&body="));
}

// The link must fit in one program argument; its length is counted once encoded, where an
// accent takes 6 bytes and a line break 6.
void TestMailTo::lengthRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<qsizetype>("linkBytes");
    QTest::addColumn<bool>("sent");

    // offer()'s recipient and subject: "mailto:nom@exemple.test?subject=Offre%20de%20prix&body=",
    // then the three line breaks between message and signature.
    const qsizetype fixed = 55 + 18;
    const qsizetype room = MaxMailLinkBytes - fixed;
    QTest::newRow("ASCII, at the limit") << QString(room, u'a') << QString() << MaxMailLinkBytes << true;
    QTest::newRow("ASCII, one byte over") << QString(room + 1, u'a') << QString() << MaxMailLinkBytes + 1 << false;
    QTest::newRow("signature counts too") << QString(room, u'a') << u"a"_s << MaxMailLinkBytes + 1 << false;
    QTest::newRow("accents, at the limit")
        << QString(room / 6, u'é') + QString(room % 6, u'a') << QString() << MaxMailLinkBytes << true;
    QTest::newRow("accents, one byte over")
        << QString(room / 6, u'é') + QString(room % 6 + 1, u'a') << QString() << MaxMailLinkBytes + 1 << false;
    QTest::newRow("a last accent that does not fit")
        << QString(room - 5, u'a') + u'é' << QString() << MaxMailLinkBytes + 1 << false;
    QTest::newRow("the same accent one character earlier")
        << QString(room - 6, u'a') + u'é' << QString() << MaxMailLinkBytes << true;
    QTest::newRow("line breaks in the signature")
        << QString(room - 12, u'a') << u"\r\n\r\n"_s << MaxMailLinkBytes << true;
    QTest::newRow("a last character beyond the BMP that does not fit")
        << QString(room - 11, u'a') + u"\U0001F600"_s << QString() << MaxMailLinkBytes + 1 << false;
    const QString line = u"Ligne é à ç"_s;
    QTest::newRow("8,000 characters of accented lines")
        << QStringList(8000 / 13, line).join(u"\r\n"_s) << u"Jean"_s << qsizetype(-1) << true;
    QTest::newRow("50,000 characters of accented lines")
        << QStringList(50000 / 13, line).join(u"\r\n"_s) << u"Jean"_s << qsizetype(-1) << false;
}

void TestMailTo::lengthRule()
{
    QFETCH(QString, message);
    QFETCH(QString, signature);
    QFETCH(qsizetype, linkBytes);
    QFETCH(bool, sent);
    MailInputs inputs = offer();
    inputs.message = message;
    inputs.signature = signature;
    const QByteArray link = ComposeMailLink(inputs.recipient, inputs.subject, ComposeMailBody(message, signature));
    if (linkBytes >= 0)
        QCOMPARE(MailLinkArgument(link).size(), linkBytes);

    ScriptedDialogs dialogs;
    dialogs.boxAnswers = {MsgButton::OK};
    RecordingMailHandoff handoff;
    MAILTO(inputs, dialogs, handoff);
    QCOMPARE(dialogs.boxes.size(), 1);
    if (sent) {
        QCOMPARE(dialogs.boxes.at(0).kind, MsgKind::Confirmation);
        QCOMPARE(handoff.links, QByteArrayList{link});
    } else {
        QCOMPARE(dialogs.boxes.at(0).kind, MsgKind::Warning);
        QCOMPARE(dialogs.boxes.at(0).text,
                 u"Le message est trop long pour le programme de messagerie : raccourcissez le "
                 u"message ou la signature."_s);
        QVERIFY(handoff.links.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestMailTo)
#include "tst_mailto.moc"
