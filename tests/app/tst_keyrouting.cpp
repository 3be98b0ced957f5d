// How keys travel in the main window: no focus traversal, no default or cancel button, the
// window previewing every character, popup shortcuts only on their control.
#include "FormFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class KeyRoutingTest : public QObject
{
    Q_OBJECT

private:
    // The control named as the tests name it; "ComboObjet" is its edit field.
    static QWidget *focusTarget(FormFixture &f, const QString &name)
    {
        if (name == u"ComboObjet")
            return f.control<QWidget>(QStringLiteral("ComboObjet_edit"));
        return f.control<QWidget>(name);
    }

    static void prepare(FormFixture &f)
    {
        f.form->recipients().replaceLines({u"Anne <anne@exemple.test>", u"Bruno <bruno@exemple.test>"});
        f.form->recipients().selectIndex(1);
        f.control<QLineEdit>(QStringLiteral("Edit1"))->setText(QStringLiteral("bru"));
        f.control<QPlainTextEdit>(QStringLiteral("Memo_MSG"))->setPlainText(QStringLiteral("Bonjour"));
        f.control<QPlainTextEdit>(QStringLiteral("Memo_SIGN"))->setPlainText(QStringLiteral("Signé"));
    }

    static QString textOf(QWidget *w)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            return edit->text();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
            return memo->toPlainText();
        return QString();
    }

private slots:
    void keyReachesItsHandlers_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("called"); // in this order
        QTest::addColumn<QStringList>("notCalled");
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<bool>("textKept"); // the focused field's text did not change
        QTest::addColumn<int>("errors"); // errors reported

        const QStringList send{u"MAILTOExecute"_s, u"btn_SEND"_s};
        QTest::newRow("Tab in Edit1 presses Suivant")
            << u"Edit1"_s << int(Qt::Key_Tab) << 0
            << QStringList{u"FormKeyPress"_s, u"Edit1KeyPress"_s, u"btn_NEXTClick"_s} << QStringList() << u"Edit1"_s
            << true << 0;
        QTest::newRow("Tab in Memo_MSG without a subject: the failed save is reported")
            << u"Memo_MSG"_s << int(Qt::Key_Tab) << 0 << QStringList{u"FormKeyPress"_s, u"Memo_MSGKeyPress"_s}
            << QStringList() << u"Memo_MSG"_s << true << 1;
        QTest::newRow("Shift+Tab in Memo_MSG without a subject")
            << u"Memo_MSG"_s << int(Qt::Key_Backtab) << int(Qt::ShiftModifier)
            << QStringList{u"FormKeyPress"_s, u"Memo_MSGKeyPress"_s} << QStringList() << u"Memo_MSG"_s << true << 1;
        QTest::newRow("Tab in Memo_SIGN without a subject: the failed save is reported")
            << u"Memo_SIGN"_s << int(Qt::Key_Tab) << 0 << QStringList{u"FormKeyPress"_s, u"Memo_SIGNKeyPress"_s}
            << QStringList() << u"Memo_SIGN"_s << true << 1;
        QTest::newRow("Shift+Tab in Memo_SIGN without a subject")
            << u"Memo_SIGN"_s << int(Qt::Key_Backtab) << int(Qt::ShiftModifier)
            << QStringList{u"FormKeyPress"_s, u"Memo_SIGNKeyPress"_s} << QStringList() << u"Memo_SIGN"_s << true << 1;
        QTest::newRow("Tab in the list moves nothing")
            << u"JvCheckListBox1"_s << int(Qt::Key_Tab) << 0 << QStringList{u"FormKeyPress"_s} << QStringList()
            << u"JvCheckListBox1"_s << true << 0;
        QTest::newRow("Tab on btn_SEND moves nothing")
            << u"btn_SEND"_s << int(Qt::Key_Tab) << 0 << QStringList{u"FormKeyPress"_s} << send << u"btn_SEND"_s << true
            << 0;
        QTest::newRow("Enter in Edit1 sends nothing")
            << u"Edit1"_s << int(Qt::Key_Return) << 0 << QStringList{u"FormKeyPress"_s, u"Edit1KeyPress"_s} << send
            << u"Edit1"_s << true << 0;
        QTest::newRow("Enter in the list sends nothing")
            << u"JvCheckListBox1"_s << int(Qt::Key_Return) << 0 << QStringList{u"FormKeyPress"_s} << send
            << u"JvCheckListBox1"_s << true << 0;
        QTest::newRow("Enter on btn_SEND sends nothing")
            << u"btn_SEND"_s << int(Qt::Key_Return) << 0 << QStringList{u"FormKeyPress"_s} << send << u"btn_SEND"_s
            << true << 0;
        QTest::newRow("keypad Enter on btn_SEND sends nothing")
            << u"btn_SEND"_s << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QStringList{u"FormKeyPress"_s} << send
            << u"btn_SEND"_s << true << 0;
        QTest::newRow("Space on btn_SEND sends") << u"btn_SEND"_s << int(Qt::Key_Space) << 0
                                                 << QStringList{u"FormKeyPress"_s, u"btn_SEND"_s, u"MAILTOExecute"_s}
                                                 << QStringList() << u"btn_SEND"_s << true << 0;
        QTest::newRow("Down in Edit1 keeps the focus")
            << u"Edit1"_s << int(Qt::Key_Down) << 0 << QStringList() << QStringList() << u"Edit1"_s << true << 0;
        QTest::newRow("Right on btn_NEXT keeps the focus")
            << u"btn_NEXT"_s << int(Qt::Key_Right) << 0 << QStringList() << QStringList() << u"btn_NEXT"_s << true << 0;
        QTest::newRow("Down on btn_SEND keeps the focus")
            << u"btn_SEND"_s << int(Qt::Key_Down) << 0 << QStringList() << QStringList() << u"btn_SEND"_s << true << 0;
        QTest::newRow("Escape from Memo_MSG")
            << u"Memo_MSG"_s << int(Qt::Key_Escape) << 0 << QStringList{u"FormKeyPress"_s, u"Memo_MSGKeyPress"_s}
            << QStringList() << u"Edit1"_s << true << 0;
        QTest::newRow("Escape from Memo_SIGN")
            << u"Memo_SIGN"_s << int(Qt::Key_Escape) << 0 << QStringList{u"FormKeyPress"_s, u"Memo_SIGNKeyPress"_s}
            << QStringList() << u"Edit1"_s << true << 0;
        QTest::newRow("Escape from the list")
            << u"JvCheckListBox1"_s << int(Qt::Key_Escape) << 0 << QStringList{u"FormKeyPress"_s} << QStringList()
            << u"Edit1"_s << true << 0;
        QTest::newRow("Escape from the template list")
            << u"FileList_SIGN"_s << int(Qt::Key_Escape) << 0 << QStringList{u"FormKeyPress"_s} << QStringList()
            << u"Edit1"_s << true << 0;
        QTest::newRow("Escape from btn_SEND") << u"btn_SEND"_s << int(Qt::Key_Escape) << 0
                                              << QStringList{u"FormKeyPress"_s} << send << u"Edit1"_s << true << 0;
        QTest::newRow("Escape from the subject field leaves it")
            << u"ComboObjet"_s << int(Qt::Key_Escape) << 0 << QStringList{u"FormKeyPress"_s, u"ComboObjetExit"_s}
            << QStringList() << u"Edit1"_s << true << 0;
        QTest::newRow("Ctrl+F in Edit1 does nothing")
            << u"Edit1"_s << int(Qt::Key_F) << int(Qt::ControlModifier) << QStringList()
            << QStringList{u"Rechercher1Click"_s} << u"Edit1"_s << true << 0;
        QTest::newRow("Ctrl+F in the list searches")
            << u"JvCheckListBox1"_s << int(Qt::Key_F) << int(Qt::ControlModifier) << QStringList{u"Rechercher1Click"_s}
            << QStringList{u"FormKeyPress"_s} << u"JvCheckListBox1"_s << true << 0;
        QTest::newRow("Ctrl+S in Memo_MSG does nothing")
            << u"Memo_MSG"_s << int(Qt::Key_S) << int(Qt::ControlModifier) << QStringList()
            << QStringList{u"Enregistrerlesmodifications1Click"_s} << u"Memo_MSG"_s << true << 0;
        QTest::newRow("Ctrl+W in Memo_SIGN saves the configuration")
            << u"Memo_SIGN"_s << int(Qt::Key_W) << int(Qt::ControlModifier)
            << QStringList{u"INISAVE1"_s, u"INI_SAVEExecute"_s} << QStringList() << u"Memo_SIGN"_s << true << 0;
        QTest::newRow("a letter in Memo_MSG is typed after the preview")
            << u"Memo_MSG"_s << int(Qt::Key_X) << 0 << QStringList{u"FormKeyPress"_s, u"Memo_MSGKeyPress"_s}
            << QStringList() << u"Memo_MSG"_s << false << 0;
    }

    void keyReachesItsHandlers()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, called);
        QFETCH(QStringList, notCalled);
        QFETCH(QString, focusAfter);
        QFETCH(bool, textKept);
        QFETCH(int, errors);

        FormFixture f;
        QVERIFY(f.open());
        prepare(f);
        QWidget *target = focusTarget(f, focus);
        QVERIFY(target);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        const QString textBefore = textOf(target);
        f.probe.calls.clear();

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        qsizetype from = 0;
        for (const QString &handler : called) {
            const qsizetype at = f.probe.calls.indexOf(handler, from);
            QVERIFY2(at >= 0, qPrintable(handler + u" missing or out of order in: "_s + f.probe.calls.join(u", ")));
            from = at + 1;
        }
        for (const QString &handler : notCalled)
            QVERIFY2(!f.probe.calls.contains(handler), qPrintable(handler + u" ran: "_s + f.probe.calls.join(u", ")));
        QCOMPARE(QApplication::focusWidget(), focusTarget(f, focusAfter));
        if (textKept && focusAfter == focus)
            QCOMPARE(textOf(target), textBefore);
        QCOMPARE(f.dialogs.errors.size(), errors);
        QVERIFY(f.form->isVisible());
    }

    void escapeResetsTheSearch()
    {
        FormFixture f;
        QVERIFY(f.open());
        prepare(f);
        f.form->recipients().setSearchPosition(2);
        auto *memo = f.control<QPlainTextEdit>(QStringLiteral("Memo_MSG"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Escape);
        QCOMPARE(f.control<QLineEdit>(QStringLiteral("Edit1"))->text(), QString());
        QCOMPARE(f.form->recipients().searchPosition(), 0);
        QCOMPARE(f.form->recipients().selectedIndex(), -1);
        QCOMPARE(memo->toPlainText(), QStringLiteral("Bonjour"));
        // the reset is the program's: it does not choose a recipient
        QVERIFY(!f.probe.calls.contains(u"JvCheckListBox1Click"_s));
    }

    void enterInTheMessageStartsANewLine()
    {
        FormFixture f;
        QVERIFY(f.open());
        auto *memo = f.control<QPlainTextEdit>(QStringLiteral("Memo_MSG"));
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("ab"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("c"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("ab\nc"));
        QCOMPARE(QApplication::focusWidget(), memo);
    }

    void popupShortcutsWorkOnlyOnTheirControl_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("handler");

        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << u"Raffraichir1Click"_s;
        QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << u"Rechercher1Click"_s;
        QTest::newRow("Ctrl+Del") << int(Qt::Key_Delete) << int(Qt::ControlModifier) << u"MenuItem1Click"_s;
        QTest::newRow("F2") << int(Qt::Key_F2) << 0 << u"mnu_EMAILS_editClick"_s;
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << int(Qt::ControlModifier) << u"rier1Click"_s;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(Qt::ControlModifier) << u"Majuscules1Click"_s;
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier) << u"Minuscules1Click"_s;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << u"Enregistrerlesmodifications1Click"_s;
    }

    void popupShortcutsWorkOnlyOnTheirControl()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, handler);

        FormFixture f;
        QVERIFY(f.open());
        prepare(f);
        for (const QString &elsewhere :
             {u"Memo_MSG"_s, u"Edit1"_s, u"ComboObjet"_s, u"btn_SEND"_s, u"FileList_SIGN"_s}) {
            QWidget *w = focusTarget(f, elsewhere);
            w->setFocus();
            f.probe.calls.clear();
            QTest::keyClick(w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QVERIFY2(!f.probe.calls.contains(handler), qPrintable(elsewhere));
        }
        QWidget *list = f.control(QStringLiteral("JvCheckListBox1"));
        list->setFocus();
        f.probe.calls.clear();
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.probe.calls.count(handler), 1);
    }

    void ctrlQClosesFromAnyControl_data()
    {
        QTest::addColumn<QString>("focus");
        for (const char *name : {"ComboObjet", "Memo_MSG", "Memo_SIGN", "FileList_SIGN", "Edit1", "btn_NEXT",
                                 "JvCheckListBox1", "btn_SEND"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void ctrlQClosesFromAnyControl()
    {
        QFETCH(QString, focus);
        FormFixture f;
        QVERIFY(f.open());
        QWidget *w = focusTarget(f, focus);
        w->setFocus();
        f.probe.calls.clear();
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(f.probe.calls.mid(0, 4),
                 (QStringList{u"Quitter1"_s, u"FichierFileExit1Execute"_s, u"FormClose"_s, u"INI_SAVEExecute"_s}));
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.dialogs.boxes.isEmpty()); // no question
    }
};

QTEST_MAIN(KeyRoutingTest)
#include "tst_keyrouting.moc"
