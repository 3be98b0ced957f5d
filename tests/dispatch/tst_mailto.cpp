#include "RecordingMailHandoff.h"
#include "ScriptedDialogs.h"
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

QTEST_GUILESS_MAIN(TestMailTo)
#include "tst_mailto.moc"
