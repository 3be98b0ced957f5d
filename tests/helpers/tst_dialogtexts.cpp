#include "helpers/DialogTexts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MsgKind)
Q_DECLARE_METATYPE(MsgButton)
Q_DECLARE_METATYPE(std::optional<MsgButton>)

class TestDialogTexts : public QObject
{
    Q_OBJECT
private slots:
    void applicationTitle_data();
    void applicationTitle();
    void kindTitles_data();
    void kindTitles();
    void defaultAndCancelButtons_data();
    void defaultAndCancelButtons();
    void errorReportText_data();
    void errorReportText();
    void clipboardText();
};

void TestDialogTexts::applicationTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("cut at the first dot") << u"OUTIL.MAIL.EXE"_s << u"Outil"_s;
    QTest::newRow("directory dropped") << u"/home/u/Ferravel/Ferravel"_s << u"Ferravel"_s;
    QTest::newRow("dot in a directory") << u"/opt/a.b/PROG"_s << u"Prog"_s;
    QTest::newRow("first letter kept lower") << u"ferravel.bin"_s << u"ferravel"_s;
    QTest::newRow("accented letters") << u"ÉCOLE-ÉTÉ.exe"_s << u"École-été"_s;
    QTest::newRow("name starting with a dot") << u"/x/.hidden"_s << QString();
}

void TestDialogTexts::applicationTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(ApplicationTitle(path), title);
}

void TestDialogTexts::kindTitles_data()
{
    QTest::addColumn<MsgKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("warning") << MsgKind::Warning << u"Avertissement"_s;
    QTest::newRow("error") << MsgKind::Error << u"Erreur"_s;
    QTest::newRow("information") << MsgKind::Information << u"Informations"_s;
    QTest::newRow("confirmation") << MsgKind::Confirmation << u"Confirmer"_s;
    QTest::newRow("plain: the application title") << MsgKind::Plain << u"Outil"_s;
}

void TestDialogTexts::kindTitles()
{
    QFETCH(MsgKind, kind);
    QFETCH(QString, title);
    SetAppTitle(ApplicationTitle(u"/bin/OUTIL.MAIL.EXE"_s));
    QCOMPARE(MsgKindTitle(kind), title);
}

void TestDialogTexts::defaultAndCancelButtons_data()
{
    using B = MsgButton;
    QTest::addColumn<QList<MsgButton>>("buttons");
    QTest::addColumn<std::optional<MsgButton>>("requested");
    QTest::addColumn<std::optional<MsgButton>>("defaultButton");
    QTest::addColumn<std::optional<MsgButton>>("cancelButton");
    const std::optional<MsgButton> none;
    QTest::newRow("OK alone") << QList{B::OK} << none << std::optional(B::OK) << std::optional(B::OK);
    QTest::newRow("OK and Cancel") << QList{B::OK, B::Cancel} << std::optional(B::OK) << std::optional(B::OK)
                                   << std::optional(B::Cancel);
    QTest::newRow("Cancel chosen as default")
        << QList{B::OK, B::Cancel} << std::optional(B::Cancel) << std::optional(B::Cancel) << std::optional(B::Cancel);
    QTest::newRow("Close alone, no default") << QList{B::Close} << none << none << none;
    QTest::newRow("default not among the buttons") << QList{B::Close} << std::optional(B::OK) << none << none;
}

void TestDialogTexts::defaultAndCancelButtons()
{
    QFETCH(QList<MsgButton>, buttons);
    QFETCH(std::optional<MsgButton>, requested);
    QFETCH(std::optional<MsgButton>, defaultButton);
    QFETCH(std::optional<MsgButton>, cancelButton);
    QCOMPARE(EffectiveDefaultButton(buttons, requested), defaultButton);
    QCOMPARE(CancelButtonOf(buttons), cancelButton);
}

void TestDialogTexts::errorReportText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ends in a letter") << u"Fichier introuvable"_s << u"Fichier introuvable."_s;
    QTest::newRow("ends in a digit") << u"Erreur 5"_s << u"Erreur 5."_s;
    QTest::newRow("ends in an accented letter") << u"Accès refusé"_s << u"Accès refusé."_s;
    QTest::newRow("ends in an apostrophe (below the dot)") << u"Valeur 'x'"_s << u"Valeur 'x'"_s;
    QTest::newRow("ends in a double quote") << u"Fichier \"a\""_s << u"Fichier \"a\""_s;
    QTest::newRow("ends in a colon") << u"Cause :"_s << u"Cause :."_s;
    QTest::newRow("already a dot") << u"Terminé."_s << u"Terminé."_s;
    QTest::newRow("exclamation mark") << u"Stop!"_s << u"Stop!"_s;
    QTest::newRow("parenthesis") << u"Erreur (5)"_s << u"Erreur (5)"_s;
    QTest::newRow("space") << u"Erreur "_s << u"Erreur "_s;
    QTest::newRow("hyphen") << u"Erreur -"_s << u"Erreur -"_s;
    QTest::newRow("line break") << u"Erreur\r\n"_s << u"Erreur\r\n"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestDialogTexts::errorReportText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorReportText(message), shown);
}

void TestDialogTexts::clipboardText()
{
    const QString rule = u"---------------------------\r\n"_s;
    QCOMPARE(MessageBoxClipboardText(u"Confirmer"_s, u"Prix & délais\r\nsuite"_s, {MsgButton::OK, MsgButton::Cancel}),
             rule + u"Confirmer\r\n"_s + rule + u"Prix & délais\r\nsuite\r\n"_s + rule + u"OK   Annuler   \r\n"_s
                 + rule);
    QCOMPARE(MessageBoxClipboardText(u"Erreur"_s, u"Style 'x' non trouvé"_s, {MsgButton::Close}),
             rule + u"Erreur\r\n"_s + rule + u"Style 'x' non trouvé\r\n"_s + rule + u"Fermer   \r\n"_s + rule);
}

QTEST_GUILESS_MAIN(TestDialogTexts)
#include "tst_dialogtexts.moc"
