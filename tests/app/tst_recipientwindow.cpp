// The recipient list in the window: its commands reached by their keys, drops on it, the
// searches, typing in the list, and which line the send command mails to.
#include "CheckListView.h"
#include "FormFixture.h"
#include "RecipientLines.h"
#include "TestFiles.h"

#include "files/IniFile.h"
#include "files/WorkingFiles.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
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

const QStringList FourLines{u"Service Annexe <service@exemple.test>"_s, u"Mairie Centrale <mairie@exemple.test>"_s,
                            u"annexe.mairie"_s, u"Bureau Nord - Société"_s};

[[nodiscard]] bool writeLines(const QString &path, const QStringList &lines)
{
    return WriteAll(path, (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QPoint rowCentre(QListView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

} // namespace

class RecipientWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static bool open(FormFixture &f) { return f.open(); }

    // The four lines as the list file's content, dropped on the list; the file removed
    // afterwards so that only a command that saves brings it back.
    QString loadFourLines(FormFixture &f)
    {
        const QString path = m_dir.filePath(u"EMAILS.TXT"_s);
        if (!writeLines(path, FourLines) || !f.dropFiles(f.control(u"JvCheckListBox1"_s), {path}))
            qFatal("cannot load the four lines");
        QFile::remove(path);
        return path;
    }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void theListFileIsLoadedWhenTheWindowShows()
    {
        const QString path = m_dir.filePath(u"au-demarrage.txt"_s);
        QVERIFY(writeLines(path, FourLines));
        FormFixture f; // starts without a configuration file: this one names the list
        IniWriteString(u"FICHIER"_s, u"EMAILS"_s, path, f.sandbox.iniPath());
        QVERIFY(open(f));
        QCOMPARE(linesOf(f.form->recipients()), FourLines);
        QCOMPARE(f.form->recipients().selectedIndex(), -1);
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    // The send command mails to the current recipient: the line last chosen by the user,
    // not the line a search selected since.
    void theMailGoesToTheLineTheUserChose_data()
    {
        QTest::addColumn<QString>("search"); // how a line is selected after the click
        QTest::addColumn<int>("selected");
        QTest::addColumn<QByteArray>("recipient");

        QTest::newRow("click only") << QString() << 1 << QByteArray("mairie@exemple.test");
        QTest::newRow("typed in Edit1") << u"service"_s << 0 << QByteArray("mairie@exemple.test");
        QTest::newRow("Tab in Edit1") << u"tab"_s << 2 << QByteArray("mairie@exemple.test");
        QTest::newRow("Suivant") << u"next"_s << 2 << QByteArray("mairie@exemple.test");
        QTest::newRow("Rechercher") << u"find"_s << 3 << QByteArray("mairie@exemple.test");
        QTest::newRow("click on the found line") << u"service+click"_s << 0 << QByteArray("service@exemple.test");
    }

    void theMailGoesToTheLineTheUserChose()
    {
        QFETCH(QString, search);
        QFETCH(int, selected);
        QFETCH(QByteArray, recipient);

        FormFixture f;
        QVERIFY(open(f));
        loadFourLines(f);
        f.control<QLineEdit>(u"ComboObjet_edit"_s)->setText(u"Réunion"_s);
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        auto *edit1 = f.control<QLineEdit>(u"Edit1"_s);

        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
        QCOMPARE(f.form->currentRecipient(), u"mairie@exemple.test"_s);

        if (search == u"service" || search == u"service+click") {
            edit1->setFocus();
            QTest::keyClicks(edit1, u"service"_s);
        } else if (search == u"tab" || search == u"next") {
            edit1->setFocus();
            QTest::keyClicks(edit1, u"mairie"_s); // Mairie Centrale, already selected
            if (search == u"tab")
                QTest::keyClick(edit1, Qt::Key_Tab);
            else
                QTest::mouseClick(f.control(u"btn_NEXT"_s), Qt::LeftButton);
            QCOMPARE(edit1->text(), u"mairie"_s);
        } else if (search == u"find") {
            f.dialogs.inputAnswers.append({true, u"bur"_s});
            QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        }
        if (search.endsWith(u"+click")) {
            view->setFocus();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, selected));
        }
        QCOMPARE(f.form->recipients().selectedIndex(), selected);

        f.dialogs.boxAnswers.append(MsgButton::OK); // the send confirmation
        QTest::mouseClick(f.control(u"btn_SEND"_s), Qt::LeftButton);
        QCOMPARE(f.mail.links.size(), 1);
        QVERIFY2(f.mail.links.at(0).startsWith("mailto:" + recipient + "?"), f.mail.links.at(0).constData());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void dropsOnTheList_data()
    {
        QTest::addColumn<QStringList>("names"); // dropped, in the folder of the test
        QTest::addColumn<bool>("loaded"); // the first file's lines replace the list's
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("error");

        QTest::newRow("liste.txt") << QStringList{u"liste.txt"_s} << true << QString() << false;
        QTest::newRow("LISTE.Txt") << QStringList{u"LISTE.Txt"_s} << true << QString() << false;
        QTest::newRow("three files: the first only")
            << QStringList{u"liste.txt"_s, u"autre.txt"_s, u"troisième.txt"_s} << true << QString() << false;
        QTest::newRow("liste.csv") << QStringList{u"liste.csv"_s} << false << u"Extension TXT uniquement"_s << false;
        QTest::newRow("no extension") << QStringList{u"liste"_s} << false << u"Extension TXT uniquement"_s << false;
        QTest::newRow("liste.txt.bak") << QStringList{u"liste.txt.bak"_s} << false << u"Extension TXT uniquement"_s
                                       << false;
        QTest::newRow("a .csv first, a .txt second")
            << QStringList{u"liste.csv"_s, u"liste.txt"_s} << false << u"Extension TXT uniquement"_s << false;
        QTest::newRow("a .txt that cannot be read") << QStringList{u"absent.txt"_s} << false << QString() << true;
    }

    void dropsOnTheList()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, loaded);
        QFETCH(QString, notice);
        QFETCH(bool, error);

        FormFixture f;
        // The former list, long enough to scroll, with a mark and a selection, loaded at start.
        const QString former = m_dir.filePath(u"ancienne.txt"_s);
        QStringList formerLines;
        for (int i = 0; i < 300; ++i)
            formerLines.append(u"ancien%1@exemple.test"_s.arg(i));
        QVERIFY(writeLines(former, formerLines));
        IniWriteString(u"FICHIER"_s, u"EMAILS"_s, former, f.sandbox.iniPath());
        const QByteArray iniBefore = ReadAll(f.sandbox.iniPath());
        QVERIFY(open(f));
        RecipientList &list = f.form->recipients();
        QCOMPARE(list.lineCount(), 300);
        list.setMarked(3, true);
        list.selectIndex(299);
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        QTRY_VERIFY(view->verticalScrollBar()->value() > 0);
        f.form->setCurrentRecipient(u"avant@exemple.test"_s);

        QStringList paths;
        for (const QString &name : names) {
            const QString path = m_dir.filePath(name);
            if (name != u"absent.txt")
                QVERIFY(writeLines(path, {u"Déposé <"_s + name + u"@exemple.test>"_s, u"deuxième"_s}));
            paths.append(path);
        }
        f.probe.calls.clear();
        QVERIFY(f.dropFiles(f.control(u"JvCheckListBox1"_s), paths));
        QCOMPARE(f.probe.calls.value(0), u"JvDragDrop1Drop"_s);

        QCOMPARE(f.dialogs.texts(), notice.isEmpty() ? QStringList() : QStringList{notice});
        QCOMPARE(f.dialogs.errors.size(), error ? 1 : 0);
        QCOMPARE(f.form->currentRecipient(), u"avant@exemple.test"_s); // a drop chooses no recipient
        if (loaded) {
            QCOMPARE(linesOf(list), (QStringList{u"Déposé <"_s + names.first() + u"@exemple.test>"_s, u"deuxième"_s}));
            QCOMPARE(list.selectedIndex(), -1);
            QCOMPARE(marksOf(list), QList<int>());
            QCOMPARE(f.form->workingState().FILES.LISTE_EMAILS, paths.first());
            QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, QString(), f.sandbox.iniPath()), paths.first());
            QCOMPARE(view->verticalScrollBar()->value(), 0); // the first line at the top
        } else {
            QCOMPARE(linesOf(list), formerLines);
            QCOMPARE(list.selectedIndex(), 299);
            QCOMPARE(marksOf(list), QList<int>{3});
            // A later save still goes to the former file.
            QCOMPARE(f.form->workingState().FILES.LISTE_EMAILS, former);
            QCOMPARE(ReadAll(f.sandbox.iniPath()), iniBefore);
        }
    }

    // Each command of the list's popup menu, reached by its key with the list focused, on
    // the four lines with Mairie Centrale chosen, annexe.mairie selected and Service Annexe
    // marked. The list file is absent until a command saves it.
    void listCommandsByTheirKeys_data()
    {
        QTest::addColumn<int>("key"); // 0: the menu item has no key and is clicked
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("input"); // the text entered in the input box; null: Cancel
        QTest::addColumn<bool>("confirm"); // the answer to a question
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("marks");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QStringList>("boxes");

        const QString chosen = u"mairie@exemple.test"_s;
        const QString none;
        QTest::newRow("F5 repaints") << int(Qt::Key_F5) << 0 << u"Raffraichir1"_s << none << false << FourLines << 2
                                     << QList<int>{0} << false << chosen << QStringList();
        QTest::newRow("Ctrl+F selects the line beginning with the text")
            << int(Qt::Key_F) << int(Qt::ControlModifier) << u"Rechercher1"_s << u"BUR"_s << false << FourLines << 3
            << QList<int>{0} << false << chosen << QStringList();
        QTest::newRow("Ctrl+F with no line beginning with it")
            << int(Qt::Key_F) << int(Qt::ControlModifier) << u"Rechercher1"_s << u"centrale"_s << false << FourLines
            << -1 << QList<int>{0} << false << chosen << QStringList{u"centrale non trouvé"_s};
        QTest::newRow("Ctrl+Del removes the selected line, then the marked ones")
            << int(Qt::Key_Delete) << int(Qt::ControlModifier) << u"MenuItem1"_s << none << true
            << QStringList{FourLines.at(1), FourLines.at(3)} << 0 << QList<int>() << false << chosen
            << QStringList{u"Supprimer la ou les lignes pointées ?"_s};
        QTest::newRow("Ctrl+Del cancelled")
            << int(Qt::Key_Delete) << int(Qt::ControlModifier) << u"MenuItem1"_s << none << false << FourLines << 2
            << QList<int>{0} << false << chosen << QStringList{u"Supprimer la ou les lignes pointées ?"_s};
        QTest::newRow("F2 corrects, saves and chooses the line")
            << int(Qt::Key_F2) << 0 << u"mnu_EMAILS_edit"_s << u"Annexe <annexe@mairie.test>"_s << false
            << QStringList{FourLines.at(0), FourLines.at(1), u"Annexe <annexe@mairie.test>"_s, FourLines.at(3)} << 2
            << QList<int>{0} << true << u"annexe@mairie.test"_s << QStringList();
        QTest::newRow("F2 cancelled") << int(Qt::Key_F2) << 0 << u"mnu_EMAILS_edit"_s << none << false << FourLines << 2
                                      << QList<int>{0} << false << chosen << QStringList();
        QTest::newRow("Ctrl+T sorts; the mark moves, the selection keeps its row")
            << int(Qt::Key_T) << int(Qt::ControlModifier) << u"rier1"_s << none << false
            << QStringList{FourLines.at(2), FourLines.at(3), FourLines.at(1), FourLines.at(0)} << 2 << QList<int>{3}
            << false << chosen << QStringList();
        QTest::newRow("Ctrl+M: ASCII capitals")
            << int(Qt::Key_M) << int(Qt::ControlModifier) << u"Majuscules1"_s << none << false
            << QStringList{u"SERVICE ANNEXE <SERVICE@EXEMPLE.TEST>"_s, u"MAIRIE CENTRALE <MAIRIE@EXEMPLE.TEST>"_s,
                           u"ANNEXE.MAIRIE"_s, u"BUREAU NORD - SOCIéTé"_s}
            << -1 << QList<int>() << false << chosen << QStringList();
        QTest::newRow("Ctrl+N: ASCII small letters")
            << int(Qt::Key_N) << int(Qt::ControlModifier) << u"Minuscules1"_s << none << false
            << QStringList{u"service annexe <service@exemple.test>"_s, u"mairie centrale <mairie@exemple.test>"_s,
                           u"annexe.mairie"_s, u"bureau nord - société"_s}
            << -1 << QList<int>() << false << chosen << QStringList();
        QTest::newRow("Supprimer les < et les >")
            << 0 << 0 << u"Supprimerlesetles1"_s << none << false
            << QStringList{u"Service Annexe service@exemple.test"_s, u"Mairie Centrale mairie@exemple.test"_s,
                           FourLines.at(2), FourLines.at(3)}
            << -1 << QList<int>() << false << chosen << QStringList();
        QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << int(Qt::ControlModifier) << u"Enregistrerlesmodifications1"_s
                                      << none << false << FourLines << 2 << QList<int>{0} << true << chosen
                                      << QStringList();
    }

    void listCommandsByTheirKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, item);
        QFETCH(QString, input);
        QFETCH(bool, confirm);
        QFETCH(QStringList, lines);
        QFETCH(int, selected);
        QFETCH(QList<int>, marks);
        QFETCH(bool, written);
        QFETCH(QString, recipient);
        QFETCH(QStringList, boxes);

        FormFixture f;
        QVERIFY(open(f));
        const QString path = loadFourLines(f);
        RecipientList &list = f.form->recipients();
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, 1));
        list.selectIndex(2);
        list.setMarked(0, true);
        if (!input.isNull())
            f.dialogs.inputAnswers.append({true, input});
        f.dialogs.boxAnswers.append(confirm ? MsgButton::OK : MsgButton::Cancel);
        f.probe.calls.clear();

        if (key)
            QTest::keyClick(view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            f.form->findChild<QAction *>(item)->trigger();

        QCOMPARE(f.probe.calls.value(0), item + u"Click"_s);
        QCOMPARE(linesOf(list), lines);
        QCOMPARE(list.selectedIndex(), selected);
        QCOMPARE(view->currentIndex().row(), selected);
        QCOMPARE(marksOf(list), marks);
        QCOMPARE(QFile::exists(path), written);
        if (written)
            QCOMPARE(fileLines(path), lines);
        QCOMPARE(f.form->currentRecipient(), recipient);
        QCOMPARE(f.dialogs.texts(), boxes);
        QVERIFY(f.dialogs.errors.isEmpty());
        QCOMPARE(linesOf(list).size(), view->model()->rowCount());
    }

    void savingWithNoListFileReportsIt()
    {
        FormFixture f;
        QVERIFY(open(f)); // no list file configured
        f.form->recipients().replaceLines({u"a@exemple.test"});
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.dialogs.errors.size(), 1);
        QVERIFY(f.form->isVisible());
    }

    // Typing in the list jumps to the first line beginning with the characters typed less
    // than 500 ms apart, and chooses it.
    void typingInTheList_data()
    {
        QTest::addColumn<QString>("typed"); // "\b" is Backspace
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<int>("choices");
        QTest::addColumn<QList<int>>("marks");

        const QString before = u"avant"_s;
        const QString mairie = u"mairie@exemple.test"_s;
        const QString marker = u"*** EMAIL Non Conforme *** (F2)"_s;
        QTest::newRow("m then a within 500 ms") << u"ma"_s << QList<int>{0, 200} << 1 << mairie << 2 << QList<int>();
        QTest::newRow("a 499 ms later continues") << u"ma"_s << QList<int>{0, 499} << 1 << mairie << 2 << QList<int>();
        QTest::newRow("a 500 ms later starts again")
            << u"ma"_s << QList<int>{0, 500} << 2 << marker << 2 << QList<int>();
        QTest::newRow("a after a second starts again")
            << u"ma"_s << QList<int>{0, 1000} << 2 << marker << 2 << QList<int>();
        QTest::newRow("a capital finds a small letter") << u"A"_s << QList<int>{0} << 2 << marker << 1 << QList<int>();
        QTest::newRow("no line begins with it") << u"z"_s << QList<int>{0} << -1 << before << 0 << QList<int>();
        QTest::newRow("Backspace after a pause: the first line")
            << u"m\b"_s << QList<int>{0, 1000} << 0 << u"service@exemple.test"_s << 2 << QList<int>();
        QTest::newRow("Backspace within 500 ms: one character less")
            << u"mz\b"_s << QList<int>{0, 100, 200} << 1 << mairie << 2 << QList<int>();
        QTest::newRow("Space toggles the mark, then is typed")
            << u"s "_s << QList<int>{0, 100} << 0 << u"service@exemple.test"_s << 1 << QList<int>{0};
        QTest::newRow("the same line again is chosen again")
            << u"mm"_s << QList<int>{0, 1000} << 1 << mairie << 2 << QList<int>();
    }

    void typingInTheList()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, times);
        QFETCH(int, selected);
        QFETCH(QString, recipient);
        QFETCH(int, choices);
        QFETCH(QList<int>, marks);

        FormFixture f;
        ManualClock clock;
        clock.now = 50'000;
        f.clock = &clock;
        QVERIFY(open(f));
        loadFourLines(f);
        f.form->setCurrentRecipient(u"avant"_s);
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        view->setFocus();
        f.probe.calls.clear();

        for (qsizetype i = 0; i < typed.size(); ++i) {
            clock.now = 50'000 + times.at(i);
            const QChar c = typed.at(i);
            if (c == u'\b')
                QTest::keyClick(view, Qt::Key_Backspace);
            else if (c == u' ')
                QTest::keyClick(view, Qt::Key_Space);
            else
                QTest::keyClick(view, c.toLatin1());
        }
        QCOMPARE(f.form->recipients().selectedIndex(), selected);
        QCOMPARE(view->currentIndex().row(), selected);
        QCOMPARE(f.form->currentRecipient(), recipient);
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), choices);
        QCOMPARE(marksOf(f.form->recipients()), marks);
        QCOMPARE(f.form->recipients().searchPosition(), 0); // type-ahead leaves the search alone
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void escapeStartsTheSearchOver_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("from the list") << u"JvCheckListBox1"_s;
        QTest::newRow("from the message") << u"Memo_MSG"_s;
        QTest::newRow("from the signature") << u"Memo_SIGN"_s;
        QTest::newRow("from Edit1") << u"Edit1"_s;
    }

    void escapeStartsTheSearchOver()
    {
        QFETCH(QString, focus);
        FormFixture f;
        QVERIFY(open(f));
        loadFourLines(f);
        f.control<QPlainTextEdit>(u"Memo_MSG"_s)->setPlainText(u"Bonjour"_s);
        auto *edit1 = f.control<QLineEdit>(u"Edit1"_s);
        edit1->setFocus();
        QTest::keyClicks(edit1, u"mairie"_s);
        QTest::keyClick(edit1, Qt::Key_Tab);
        QCOMPARE(f.form->recipients().selectedIndex(), 2);
        QCOMPARE(f.form->recipients().searchPosition(), 2);
        f.form->setCurrentRecipient(u"avant"_s);

        QWidget *w = f.control(focus);
        w->setFocus();
        f.probe.calls.clear();
        QTest::keyClick(w, Qt::Key_Escape);

        QCOMPARE(edit1->text(), QString());
        QCOMPARE(f.form->recipients().searchPosition(), 0);
        QCOMPARE(f.form->recipients().selectedIndex(), -1);
        QCOMPARE(f.control<QListView>(u"JvCheckListBox1"_s)->selectionModel()->selectedIndexes().size(), 0);
        QCOMPARE(QApplication::focusWidget(), edit1);
        QCOMPARE(f.form->currentRecipient(), u"avant"_s);
        QCOMPARE(f.control<QPlainTextEdit>(u"Memo_MSG"_s)->toPlainText(), u"Bonjour"_s);
        QVERIFY(!f.probe.calls.contains(u"JvCheckListBox1TypeAhead"_s));

        // The next search starts from the top again.
        QTest::keyClicks(edit1, u"annexe"_s);
        QCOMPARE(f.form->recipients().selectedIndex(), 0);
    }

    // Only the user selects a line: giving the list the focus selects none; an arrow does.
    void focusingTheListSelectsNoLine()
    {
        FormFixture f;
        QVERIFY(open(f));
        loadFourLines(f);
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        f.probe.calls.clear();
        view->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(f.form->recipients().selectedIndex(), -1);
        QVERIFY(view->selectionModel()->selectedIndexes().isEmpty());
        QVERIFY(!f.probe.calls.contains(u"JvCheckListBox1Click"_s));
        f.probe.calls.clear();

        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(f.form->recipients().selectedIndex(), 0);
        QCOMPARE(f.probe.calls, QStringList{u"JvCheckListBox1Click"_s});
        QCOMPARE(f.form->currentRecipient(), u"service@exemple.test"_s);
    }

    // A click on a line's check box marks it, selects it and makes it the recipient.
    void theCheckBoxChoosesItsLine()
    {
        FormFixture f;
        QVERIFY(open(f));
        loadFourLines(f);
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        RecipientList &list = f.form->recipients();
        const QRect line = view->visualRect(list.index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(line.left() + 8, line.center().y()));
        QCOMPARE(marksOf(list), QList<int>{1});
        QCOMPARE(list.selectedIndex(), 1);
        QCOMPARE(f.form->currentRecipient(), u"mairie@exemple.test"_s);
        QCOMPARE(f.control<QPushButton>(u"btn_SEND"_s)->text(), u"Envoyer à\r\n\r\nmairie@exemple.test"_s);

        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(line.left() + 8, line.center().y()));
        QCOMPARE(marksOf(list), QList<int>());
        QCOMPARE(list.selectedIndex(), 1);
    }
};

QTEST_MAIN(RecipientWindowTest)
#include "tst_recipientwindow.moc"
