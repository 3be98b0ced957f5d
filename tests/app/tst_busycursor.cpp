// The busy cursor: shown while a long command works, never while a box waits for the user,
// and gone whatever way the command ends.
#include "BusyCursor.h"
#include "DialogDriver.h"
#include "FormFixture.h"
#include "QtDialogs.h"
#include "TestFiles.h"

#include <QAction>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace {

bool Busy()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace

class BusyCursorTest : public QObject
{
    Q_OBJECT
private slots:
    void commandsEndWithTheNormalCursor_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("fails");
        QTest::newRow("save without a list file") << u"Enregistrerlesmodifications1"_s << true;
        QTest::newRow("sort") << u"rier1"_s << false;
        QTest::newRow("upper case") << u"Majuscules1"_s << false;
        QTest::newRow("strip brackets") << u"Supprimerlesetles1"_s << false;
        QTest::newRow("delete, confirmed") << u"MenuItem1"_s << false;
        QTest::newRow("correct, then the save fails") << u"mnu_EMAILS_edit"_s << true;
        QTest::newRow("drop of a list that cannot be read") << u"drop"_s << true;
    }

    void commandsEndWithTheNormalCursor()
    {
        QFETCH(QString, command);
        QFETCH(bool, fails);
        FormFixture f;
        QVERIFY(f.open());
        f.form->recipients().replaceLines({u"b <b@exemple.test>", u"a <a@exemple.test>"});
        f.form->recipients().selectIndex(0);
        QStringList cursorAtBoxes;
        f.dialogs.onEveryBox = [&] { cursorAtBoxes.append(Busy() ? u"busy"_s : u"normal"_s); };
        f.dialogs.boxAnswers = {MsgButton::OK};
        f.dialogs.inputAnswers = {{true, u"c <c@exemple.test>"_s}};

        if (command == u"drop")
            QVERIFY(f.dropFiles(f.control(u"JvCheckListBox1"_s), {f.sandbox.path(u"absente.txt"_s)}));
        else
            f.form->findChild<QAction *>(command)->trigger();

        QCOMPARE(f.dialogs.errors.size(), fails ? 1 : 0);
        QVERIFY(!QGuiApplication::overrideCursor());
        // The error report comes after the command, when its busy cursor is gone. (Boxes asked
        // during a command lift it on screen; the scripted boxes here show where it stands.)
        if (fails)
            QCOMPARE(cursorAtBoxes.last(), u"normal"_s);
    }

    // The real boxes lift every cursor the program set while they wait, and set it again after.
    void aBoxNeverOpensUnderTheBusyCursor_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("message box") << u"message"_s;
        QTest::newRow("input box") << u"input"_s;
        QTest::newRow("error report") << u"error"_s;
    }

    void aBoxNeverOpensUnderTheBusyCursor()
    {
        QFETCH(QString, box);
        QtDialogs dialogs;
        const BusyCursor busy;
        QVERIFY(Busy());
        bool busyWhileOpen = true;
        DialogDriver::onModal([&](QWidget *open) {
            busyWhileOpen = QGuiApplication::overrideCursor() != nullptr;
            DialogDriver::step(open, u"Escape"_s);
        });
        QString value;
        if (box == u"message")
            dialogs.AskConfirm(u"Supprimer la ou les lignes pointées ?"_s, MsgKind::Confirmation);
        else if (box == u"input")
            dialogs.InputQuery(u"Corriger"_s, u"EMAIL"_s, value);
        else
            dialogs.ReportError(u"Impossible"_s);
        QVERIFY(!busyWhileOpen);
        QVERIFY(Busy()); // the command goes on working, busy again
    }
};

QTEST_MAIN(BusyCursorTest)
#include "tst_busycursor.moc"
