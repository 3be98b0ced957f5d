// The line the user sees is the line the program acts on: the highlighted row of each list is
// the model's selected row, only the user's own gestures choose, and the send command acts on
// that selection. Driven through the real views of the window.
#include "CheckListView.h"
#include "FileNameList.h"
#include "FormFixture.h"
#include "SimpleComboBox.h"
#include "TestFiles.h"
#include "subjects/SignatureTemplates.h"
#include "subjects/SubjectList.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Time for the list's type-ahead, moved by the test.
class ManualClock : public Clock
{
public:
    qint64 now = 0;
    qint64 nowMs() const override { return now; }
};

const QString NoLineSelected = u"Vous devez sélectionner un destinataire = liste EMAIL"_s;
const QString EmptyRecipientOrSubject = u"Le message est vide ou n'a pas de destinaire ou d'objet"_s;

QPoint rowCentre(const QListView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

// A point on the check box of a line.
QPoint checkBoxOf(const QListView *view, int row)
{
    const QRect line = view->visualRect(view->model()->index(row, 0));
    return QPoint(line.left() + 8, line.center().y());
}

// The row a view highlights: its current row when that is its one selected row, -1 when it
// shows none, -2 when the two disagree (a current row that is not selected, or the reverse).
int highlightedRow(const QListView *view)
{
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    const QModelIndex current = view->currentIndex();
    if (selected.isEmpty())
        return current.isValid() ? -2 : -1;
    if (selected.size() != 1 || selected.first() != current)
        return -2;
    return current.row();
}

QStringList Lines(int count)
{
    static const QStringList names{u"zero"_s, u"un"_s, u"deux"_s, u"trois"_s, u"quatre"_s};
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const QString name = i < names.size() ? names.at(i) : u"n%1"_s.arg(i);
        lines.append(u"L%1 <%2@exemple.test>"_s.arg(i).arg(name));
    }
    return lines;
}

} // namespace

class SelectionTest : public QObject
{
    Q_OBJECT

    // A shown window holding the lines (dropped as a list file, as a user does) and a subject.
    bool openWith(FormFixture &f, const QStringList &lines)
    {
        if (!f.open())
            return false;
        const QString file = f.sandbox.path(u"EMAILS.TXT"_s);
        if (!WriteAll(file, (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()))
            return false;
        if (!f.dropFiles(f.control(u"JvCheckListBox1"_s), {file}))
            return false;
        // The focus leaves the subject field while it is empty: nothing is added or loaded.
        f.control(u"JvCheckListBox1"_s)->setFocus();
        f.control<QLineEdit>(u"ComboObjet_edit"_s)->setText(u"Réunion"_s);
        return f.form->recipients().lineCount() == lines.size() && f.dialogs.errors.isEmpty();
    }

    // Sends as the user does and says what happened: the link's recipient, or the warning.
    static QString sendOutcome(FormFixture &f)
    {
        const qsizetype links = f.mail.links.size();
        const qsizetype boxes = f.dialogs.boxes.size();
        f.dialogs.boxAnswers = {MsgButton::OK};
        f.form->findChild<QAction *>(u"MAILTO"_s)->trigger();
        f.dialogs.boxAnswers.clear();
        if (f.mail.links.size() == links + 1)
            return u"link to "_s + QUrl::fromEncoded(f.mail.links.last()).path(QUrl::FullyDecoded);
        if (f.mail.links.size() != links)
            return u"%1 links"_s.arg(f.mail.links.size() - links);
        if (f.dialogs.boxes.size() == boxes + 1)
            return f.dialogs.boxes.last().text;
        return u"nothing"_s;
    }

    // What a send must do in the window's present state.
    static QString expectedSend(FormFixture &f)
    {
        if (f.form->recipients().selectedIndex() < 0)
            return NoLineSelected;
        if (f.form->currentRecipient().isEmpty() || f.control<QLineEdit>(u"ComboObjet_edit"_s)->text().isEmpty())
            return EmptyRecipientOrSubject;
        return u"link to "_s + f.form->currentRecipient();
    }

private slots:
    void deleteThroughTheView_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QList<int>>("ticked"); // boxes clicked, in this order
        QTest::addColumn<int>("clicked"); // then this line's text clicked; -1: none
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("remaining"); // the lines' L numbers
        QTest::addColumn<QString>("selectedAfter"); // empty: none

        // Ticking a box also chooses its line, so the last ticked is the selected one. The
        // selected line goes first and the line before it is selected; then the marked lines
        // go, the selected one among them leaving none selected.
        QTest::newRow("boxes of L1 and L2 ticked")
            << 5 << QList<int>{1, 2} << -1 << true << QStringList{u"L0"_s, u"L3"_s, u"L4"_s} << QString();
        QTest::newRow("L3 chosen, L1 and L2 marked")
            << 5 << QList<int>{1, 2} << 3 << true << QStringList{u"L0"_s, u"L4"_s} << QString();
        QTest::newRow("the first line, selected and marked")
            << 5 << QList<int>{0} << -1 << true << QStringList{u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s} << u"L1"_s;
        QTest::newRow("a middle line, selected and marked")
            << 5 << QList<int>{2} << -1 << true << QStringList{u"L0"_s, u"L1"_s, u"L3"_s, u"L4"_s} << u"L1"_s;
        QTest::newRow("the last line, selected and marked")
            << 5 << QList<int>{4} << -1 << true << QStringList{u"L0"_s, u"L1"_s, u"L2"_s, u"L3"_s} << u"L3"_s;
        QTest::newRow("a marked line below the selection")
            << 5 << QList<int>{4} << 2 << true << QStringList{u"L0"_s, u"L1"_s, u"L3"_s} << u"L1"_s;
        QTest::newRow("a marked line above the selection")
            << 5 << QList<int>{0} << 3 << true << QStringList{u"L1"_s, u"L2"_s, u"L4"_s} << u"L2"_s;
        QTest::newRow("the selected line only")
            << 5 << QList<int>{} << 2 << true << QStringList{u"L0"_s, u"L1"_s, u"L3"_s, u"L4"_s} << u"L1"_s;
        QTest::newRow("every line") << 3 << QList<int>{0, 1, 2} << -1 << true << QStringList{} << QString();
        QTest::newRow("Annuler changes nothing") << 5 << QList<int>{1, 2} << 3 << false
                                                 << QStringList{u"L0"_s, u"L1"_s, u"L2"_s, u"L3"_s, u"L4"_s} << u"L3"_s;
        // More runs of marked lines than are removed one by one: the list is rebuilt at once.
        QList<int> evens;
        for (int i = 0; i < 60; i += 2)
            evens.append(i);
        QStringList odds;
        for (int i = 1; i < 60; i += 2)
            odds.append(u"L%1"_s.arg(i));
        QTest::newRow("many runs, the selection kept") << 60 << evens << 32 << true << odds << u"L31"_s;
        QList<int> evensThenL29 = evens;
        evensThenL29.removeAll(30);
        evensThenL29 << 29 << 30; // L30 selected last, L29 before it marked
        QStringList oddsButL29 = odds;
        oddsButL29.removeAll(u"L29"_s);
        QTest::newRow("many runs, the selection marked") << 60 << evensThenL29 << -1 << true << oddsButL29 << QString();
    }

    void deleteThroughTheView()
    {
        QFETCH(int, lineCount);
        QFETCH(QList<int>, ticked);
        QFETCH(int, clicked);
        QFETCH(bool, confirm);
        QFETCH(QStringList, remaining);
        QFETCH(QString, selectedAfter);

        FormFixture f;
        QVERIFY(openWith(f, Lines(lineCount)));
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        for (int row : ticked) {
            view->scrollTo(view->model()->index(row, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, checkBoxOf(view, row));
        }
        if (clicked >= 0) {
            view->scrollTo(view->model()->index(clicked, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, clicked));
        }
        const QString recipientBefore = f.form->currentRecipient();

        f.dialogs.boxAnswers = {confirm ? MsgButton::OK : MsgButton::Cancel};
        QTest::keyClick(view, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.dialogs.boxes.last().text, u"Supprimer la ou les lignes pointées ?"_s);
        QCoreApplication::processEvents();

        const RecipientList &list = f.form->recipients();
        QStringList numbers;
        for (qsizetype i = 0; i < list.lineCount(); ++i)
            numbers.append(list.lineAt(i).section(u' ', 0, 0));
        QCOMPARE(numbers, remaining);
        const qsizetype selected = list.selectedIndex();
        QCOMPARE(selected < 0 ? QString() : list.lineAt(selected).section(u' ', 0, 0), selectedAfter);
        QCOMPARE(highlightedRow(view), int(selected));
        QCOMPARE(f.form->currentRecipient(), recipientBefore); // deleting chooses no recipient
        QCOMPARE(sendOutcome(f), expectedSend(f));
    }

    // A seeded storm of the user's own actions; after each one the highlighted line is the
    // selected line, and a send does what that selection says.
    // FERRAVEL_SELECTION_STEPS and FERRAVEL_SELECTION_SEED make it longer or another one.
    void randomUserActionsKeepTheSelectionTrue()
    {
        const int steps = qEnvironmentVariableIsSet("FERRAVEL_SELECTION_STEPS")
            ? qEnvironmentVariableIntValue("FERRAVEL_SELECTION_STEPS")
            : 400;
        const quint32 seed = qEnvironmentVariableIsSet("FERRAVEL_SELECTION_SEED")
            ? quint32(qEnvironmentVariableIntValue("FERRAVEL_SELECTION_SEED"))
            : 20261210u;
        QRandomGenerator random(seed);

        FormFixture f;
        ManualClock clock;
        f.clock = &clock;
        QVERIFY(WriteAll(f.sandbox.subjectsFile(), "Devis\r\nRelance\r\nRappel\r\n"));
        QVERIFY(openWith(f, Lines(40)));
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        auto *subjects = f.control<QListView>(u"ComboObjet_list"_s);
        auto *subjectEdit = f.control<QLineEdit>(u"ComboObjet_edit"_s);
        auto *edit1 = f.control<QLineEdit>(u"Edit1"_s);
        const auto answer = [&](MsgButton button) { f.dialogs.boxAnswers = {button}; };
        const auto popupKey = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            view->setFocus();
            QTest::keyClick(view, key, modifiers);
        };

        QStringList log;
        for (int step = 0; step < steps; ++step) {
            clock.now += random.bounded(700);
            const int rows = int(f.form->recipients().lineCount());
            const int row = rows > 0 ? int(random.bounded(rows)) : 0;
            QString action;
            switch (random.bounded(18)) {
            case 0:
            case 1:
                action = u"click line %1"_s.arg(row);
                if (rows > 0) {
                    view->setFocus();
                    view->scrollTo(view->model()->index(row, 0));
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, row));
                }
                break;
            case 2:
                action = u"tick line %1"_s.arg(row);
                if (rows > 0) {
                    view->setFocus();
                    view->scrollTo(view->model()->index(row, 0));
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, checkBoxOf(view, row));
                }
                break;
            case 3:
            case 4: {
                static const Qt::Key keys[] = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left, Qt::Key_Right,
                                               Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
                const Qt::Key key = keys[random.bounded(8)];
                action = u"key %1"_s.arg(QKeySequence(key).toString());
                view->setFocus();
                QTest::keyClick(view, key);
                break;
            }
            case 5:
                action = u"Space"_s;
                popupKey(Qt::Key_Space, Qt::NoModifier);
                break;
            case 6: {
                const char letter = char('a' + random.bounded(26));
                action = u"type %1"_s.arg(QChar::fromLatin1(letter));
                view->setFocus();
                QTest::keyClick(view, letter);
                break;
            }
            case 7: {
                const bool ok = random.bounded(3) != 0;
                action = ok ? u"Ctrl+Del, OK"_s : u"Ctrl+Del, Annuler"_s;
                view->setFocus();
                answer(ok ? MsgButton::OK : MsgButton::Cancel);
                QTest::keyClick(view, Qt::Key_Delete, Qt::ControlModifier);
                break;
            }
            case 8: {
                static const Qt::Key keys[] = {Qt::Key_T, Qt::Key_M, Qt::Key_N};
                const Qt::Key key = keys[random.bounded(3)];
                action = u"Ctrl+%1"_s.arg(QKeySequence(key).toString());
                popupKey(key, Qt::ControlModifier);
                break;
            }
            case 9:
                action = u"strip brackets"_s;
                view->setFocus();
                f.form->findChild<QAction *>(u"Supprimerlesetles1"_s)->trigger();
                break;
            case 10: {
                const QString text = random.bounded(2) ? u"L%1"_s.arg(random.bounded(45)) : u"exemple"_s;
                action = u"search %1"_s.arg(text);
                edit1->setFocus();
                edit1->clear();
                QTest::keyClicks(edit1, text);
                break;
            }
            case 11:
                action = u"Suivant"_s;
                QTest::mouseClick(f.control(u"btn_NEXT"_s), Qt::LeftButton);
                break;
            case 12:
                action = u"Escape"_s;
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f.form.get(),
                                Qt::Key_Escape);
                break;
            case 13: {
                const int entry = int(random.bounded(qMax(1, subjects->model()->rowCount())));
                action = u"pick subject %1"_s.arg(entry);
                if (subjects->model()->rowCount() > 0)
                    QTest::mouseClick(subjects->viewport(), Qt::LeftButton, {}, rowCentre(subjects, entry));
                break;
            }
            case 14: {
                const char letter = "rdaxz"[random.bounded(5)];
                action = u"type %1 in the subject field"_s.arg(QChar::fromLatin1(letter));
                subjectEdit->setFocus();
                QTest::keyClick(subjectEdit, letter);
                break;
            }
            case 15:
                action = u"Backspace in the subject field"_s;
                subjectEdit->setFocus();
                QTest::keyClick(subjectEdit, Qt::Key_Backspace);
                break;
            case 16:
                action = u"focus the list"_s;
                view->setFocus(Qt::MouseFocusReason);
                break;
            default:
                action = u"send"_s;
                break;
            }
            f.dialogs.boxAnswers.clear();
            QCoreApplication::processEvents();
            log.append(action);
            const auto where = [&] {
                return u"seed %1, step %2 (%3); the last actions: %4"_s.arg(seed).arg(step).arg(action).arg(
                    log.mid(qMax(0, int(log.size()) - 8)).join(u" | "_s));
            };
            const int selected = int(f.form->recipients().selectedIndex());
            QVERIFY2(
                highlightedRow(view) == selected,
                qPrintable(u"the list shows row %1, the selected row is %2; "_s.arg(highlightedRow(view)).arg(selected)
                           + where()));
            QVERIFY2(highlightedRow(subjects) == f.form->findChild<SimpleComboBox *>(u"ComboObjet"_s)->currentIndex(),
                     qPrintable(u"the subject list disagrees; "_s + where()));
            const QString expected = expectedSend(f);
            const QString outcome = sendOutcome(f);
            QVERIFY2(outcome == expected, qPrintable(u"sent: %1, expected: %2; "_s.arg(outcome, expected) + where()));
            QVERIFY2(f.dialogs.errors.isEmpty(), qPrintable(f.dialogs.errors.join(u'\n') + u"; "_s + where()));
        }
    }

    // A click on the entry already selected leaves the keyboard in the edit part: typed letters
    // go there, and only a completion or a click on another entry picks.
    void theSubjectFieldKeepsTheKeyboard()
    {
        FormFixture f;
        QVERIFY(WriteAll(f.sandbox.subjectsFile(), "Devis\r\nRelance\r\nRappel\r\n"));
        QVERIFY(f.open());
        auto *list = f.control<QListView>(u"ComboObjet_list"_s);
        auto *edit = f.control<QLineEdit>(u"ComboObjet_edit"_s);
        QCOMPARE(edit->text(), u"Devis"_s); // the first subject, selected at start
        const auto picks = [&] { return f.probe.calls.count(u"ComboObjetClick"_s); };
        f.probe.calls.clear();

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        QCOMPARE(picks(), 0);
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(highlightedRow(list), 0);

        edit->end(false);
        QTest::keyClick(QApplication::focusWidget(), 'r'); // "Devisr": no entry begins so
        QCOMPARE(edit->text(), u"Devisr"_s);
        QCOMPARE(picks(), 0);
        QCOMPARE(highlightedRow(list), 0);

        edit->selectAll();
        QTest::keyClick(QApplication::focusWidget(), 'r'); // completes to Relance: one pick
        QCOMPARE(edit->text(), u"Relance"_s);
        QCOMPARE(picks(), 1);
        QCOMPARE(highlightedRow(list), 1);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
        QCOMPARE(edit->text(), u"Rappel"_s);
        QCOMPARE(picks(), 2);
        QCOMPARE(highlightedRow(list), 2);
        QCOMPARE(list->focusPolicy(), Qt::NoFocus);
    }

    void leftAndRightMoveTheSelectionInLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("recipients") << u"JvCheckListBox1"_s;
        QTest::newRow("templates") << u"FileList_SIGN"_s;
    }

    void leftAndRightMoveTheSelectionInLists()
    {
        QFETCH(QString, list);
        FormFixture f;
        QVERIFY(WriteAll(f.sandbox.path(u"A.SIGNX"_s), "signature A"));
        QVERIFY(WriteAll(f.sandbox.path(u"B.SIGNX"_s), "signature B"));
        QVERIFY(WriteAll(f.sandbox.path(u"C.SIGNX"_s), "signature C"));
        QVERIFY(openWith(f, Lines(3)));
        auto *view = f.control<QListView>(list);
        if (list == u"FileList_SIGN")
            f.control<FileNameList>(list)->templates()->Read();
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
        const QString handler = list == u"FileList_SIGN" ? u"FileList_SIGNChange"_s : u"JvCheckListBox1Click"_s;
        f.probe.calls.clear();

        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(highlightedRow(view), 2);
        QCOMPARE(f.probe.calls.count(handler), 1);
        QTest::keyClick(view, Qt::Key_Right); // already the last: nothing moves
        QCOMPARE(f.probe.calls.count(handler), 1);
        QTest::keyClick(view, Qt::Key_Left);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(highlightedRow(view), 0);
        QCOMPARE(f.probe.calls.count(handler), 3);
        if (list == u"FileList_SIGN")
            QCOMPARE(f.control<QPlainTextEdit>(u"Memo_SIGN"_s)->toPlainText(), u"signature A"_s);
        else
            QCOMPARE(f.form->currentRecipient(), u"zero@exemple.test"_s);
    }

    void leftAndRightMoveTheCaretInTheSubjectField()
    {
        FormFixture f;
        QVERIFY(WriteAll(f.sandbox.subjectsFile(), "Devis\r\nRelance\r\n"));
        QVERIFY(f.open());
        auto *edit = f.control<QLineEdit>(u"ComboObjet_edit"_s);
        edit->setFocus();
        edit->end(false);
        f.probe.calls.clear();
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Left);
        QCOMPARE(edit->cursorPosition(), 3);
        QTest::keyClick(edit, Qt::Key_Right);
        QCOMPARE(edit->cursorPosition(), 4);
        QCOMPARE(edit->text(), u"Devis"_s);
        QCOMPARE(f.form->subjects().lineCount(), 2);
        QCOMPARE(f.probe.calls.count(u"ComboObjetClick"_s), 0);
    }

    // Typing in the list: Tab is nothing to it, a control character typed with Ctrl is typed.
    void typingInTheList_data()
    {
        QTest::addColumn<QStringList>("keys"); // a character, "Tab", "Back" or "Ctrl+B", each at its time
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("choices");

        // A Tab that joined the prefix would leave "m" after Backspace: Mairie, not the first line.
        QTest::newRow("Tab leaves the prefix alone")
            << QStringList{u"m"_s, u"Tab"_s, u"Back"_s} << QList<int>{0, 100, 200} << 0 << 2;
        // A Tab that restarted the clock would make "a" join "m" (300 ms after it), not restart.
        QTest::newRow("Tab leaves the clock alone")
            << QStringList{u"m"_s, u"Tab"_s, u"a"_s} << QList<int>{0, 400, 700} << 2 << 2;
        // Ctrl+B joins the prefix (no line begins with it) and restarts the clock, so "a" 300 ms
        // later joins it too.
        QTest::newRow("Ctrl+B is typed and restarts the clock")
            << QStringList{u"m"_s, u"Ctrl+B"_s, u"a"_s} << QList<int>{0, 400, 700} << 1 << 1;
        QTest::newRow("Ctrl+B then Backspace")
            << QStringList{u"m"_s, u"Ctrl+B"_s, u"Back"_s} << QList<int>{0, 100, 200} << 1 << 2;
    }

    void typingInTheList()
    {
        QFETCH(QStringList, keys);
        QFETCH(QList<int>, times);
        QFETCH(int, selected);
        QFETCH(int, choices);

        FormFixture f;
        ManualClock clock;
        clock.now = 50'000;
        f.clock = &clock;
        QVERIFY(openWith(f,
                         {u"Service Annexe <service@exemple.test>"_s, u"Mairie Centrale <mairie@exemple.test>"_s,
                          u"annexe.mairie"_s, u"Bureau Nord - Société"_s}));
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        f.probe.calls.clear();
        for (qsizetype i = 0; i < keys.size(); ++i) {
            clock.now = 50'000 + times.at(i);
            const QString &key = keys.at(i);
            if (key == u"Tab")
                QTest::keyClick(view, Qt::Key_Tab);
            else if (key == u"Back")
                QTest::keyClick(view, Qt::Key_Backspace);
            else if (key == u"Ctrl+B") // as the X server gives it: the control character itself
                QTest::sendKeyEvent(QTest::Click, view, Qt::Key_B, QString(QChar(2)), Qt::ControlModifier);
            else
                QTest::keyClick(view, key.at(0).toLatin1());
        }
        QCOMPARE(f.form->recipients().selectedIndex(), qsizetype(selected));
        QCOMPARE(highlightedRow(view), selected);
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), choices);
        QCOMPARE(QApplication::focusWidget(), view); // Tab moved no focus
    }
};

QTEST_MAIN(SelectionTest)
#include "tst_selection.moc"
