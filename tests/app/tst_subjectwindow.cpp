// The subject field, the two documents, the templates and the configuration as the user
// meets them in the window: real clicks, keys and drops on a window started in a sandbox
// with OBJETS.TXT beside the program and the documents in the working directory.
#include "FileNameList.h"
#include "FormFixture.h"
#include "SimpleComboBox.h"
#include "TestFiles.h"
#include "files/IniFile.h"
#include "files/TextCodec.h"
#include "subjects/SubjectList.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QPoint RowCentre(QListView *view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

} // namespace

class SubjectWindowTest : public QObject
{
    Q_OBJECT

private:
    // Two subjects with their documents; the window starts on the first, Devis.
    static void prepareTwoSubjects(FormFixture &f)
    {
        QVERIFY(WriteAll(f.sandbox.subjectsFile(), "Devis\r\nRelance\r\n"));
        QVERIFY(WriteAll(f.sandbox.path(u"Devis.MSGX"_s), "Message devis"));
        QVERIFY(WriteAll(f.sandbox.path(u"Devis.SIGNX"_s), "Signature devis"));
        QVERIFY(WriteAll(f.sandbox.path(u"Relance.MSGX"_s), "Message relance"));
        QVERIFY(WriteAll(f.sandbox.path(u"Relance.SIGNX"_s), "Signature relance"));
    }

    static QLineEdit *field(FormFixture &f) { return f.control<QLineEdit>(u"ComboObjet_edit"_s); }
    static QListView *subjectList(FormFixture &f) { return f.control<QListView>(u"ComboObjet_list"_s); }
    static QPlainTextEdit *memo(FormFixture &f, const QString &name) { return f.control<QPlainTextEdit>(name); }
    static QStringList listed(FormFixture &f) { return static_cast<SubjectList &>(f.form->subjects()).stringList(); }

private slots:
    void theFirstSubjectIsShownAtStart()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        QCOMPARE(field(f)->text(), u"Devis"_s);
        QCOMPARE(subjectList(f)->selectionModel()->selectedRows().value(0).row(), 0);
        QCOMPARE(memo(f, u"Memo_MSG"_s)->toPlainText(), u"Message devis"_s);
        QCOMPARE(memo(f, u"Memo_SIGN"_s)->toPlainText(), u"Signature devis"_s);
        QCOMPARE(QApplication::focusWidget(), memo(f, u"Memo_MSG"_s));
        // The template list was read as the window appeared, nothing selected.
        auto *templates = f.control<FileNameList>(u"FileList_SIGN"_s);
        QCOMPARE(templates->model()->rowCount(), 2);
        QVERIFY(templates->selectionModel()->selectedRows().isEmpty());
        QVERIFY(f.dialogs.errors.isEmpty());
        QVERIFY(f.dialogs.boxes.isEmpty());
    }

    void pickingByMouseSavesThePreviousDocumentsThenLoads()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        memo(f, u"Memo_MSG"_s)->setPlainText(u"Devis modifié\nligne 2"_s);
        memo(f, u"Memo_SIGN"_s)->setPlainText(u"Signature modifiée"_s);
        field(f)->setFocus();

        QTest::mouseClick(subjectList(f)->viewport(), Qt::LeftButton, {}, RowCentre(subjectList(f), 1));

        QCOMPARE(field(f)->text(), u"Relance"_s);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)), "Devis modifi\xC3\xA9\r\nligne 2");
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.SIGNX"_s)),
                 "Signature modifi\xC3\xA9"
                 "e");
        QCOMPARE(memo(f, u"Memo_MSG"_s)->toPlainText(), u"Message relance"_s);
        QCOMPARE(memo(f, u"Memo_SIGN"_s)->toPlainText(), u"Signature relance"_s);
        QCOMPARE(QApplication::focusWidget(), memo(f, u"Memo_MSG"_s));
        QCOMPARE(listed(f), (QStringList{u"Devis"_s, u"Relance"_s})); // present: no notice
        QVERIFY(f.dialogs.boxes.isEmpty());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    // Keys typed into the field, which starts with "Devis" selected and its message edited.
    void typingInTheSubjectField_data()
    {
        QTest::addColumn<QString>("keys"); // "\b" stands for Backspace, "\x1" for End
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("picked"); // previous documents saved and the entry's loaded
        QTest::addColumn<QString>("focus");

        QTest::newRow("a letter completes to the entry as listed")
            << u"r"_s << u"Relance"_s << 1 << true << u"Memo_MSG"_s;
        QTest::newRow("completion ignores letter case") << u"R"_s << u"Relance"_s << 1 << true << u"Memo_MSG"_s;
        QTest::newRow("completing the selected entry again is no pick")
            << u"d"_s << u"Devis"_s << 0 << false << u"ComboObjet_edit"_s;
        QTest::newRow("no entry begins so: typed as is, the entry stays selected")
            << u"x"_s << u"x"_s << 0 << false << u"ComboObjet_edit"_s;
        QTest::newRow("Backspace deletes without completing")
            << u"\x1\b"_s << u"Devi"_s << -1 << false << u"ComboObjet_edit"_s;
    }

    void typingInTheSubjectField()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(int, selected);
        QFETCH(bool, picked);
        QFETCH(QString, focus);

        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        memo(f, u"Memo_MSG"_s)->setPlainText(u"non enregistré"_s);
        field(f)->setFocus();
        field(f)->selectAll();
        for (QChar c : keys) {
            if (c == u'\b')
                QTest::keyClick(field(f), Qt::Key_Backspace);
            else if (c == u'\x1')
                QTest::keyClick(field(f), Qt::Key_End);
            else
                QTest::sendKeyEvent(QTest::Click, field(f), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }

        QCOMPARE(field(f)->text(), shown);
        QCOMPARE(f.control<SimpleComboBox>(u"ComboObjet"_s)->currentIndex(), selected);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)) == "non enregistr\xC3\xA9", picked);
        QCOMPARE(memo(f, u"Memo_MSG"_s)->toPlainText(), picked ? u"Message relance"_s : u"non enregistré"_s);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void leavingTheFieldWithANewSubjectAddsItAndLoadsItsDocuments()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        memo(f, u"Memo_MSG"_s)->setPlainText(u"perdu"_s);
        field(f)->setFocus();
        field(f)->setText(u"Nouveau sujet"_s);

        QTest::mouseClick(f.control(u"Edit1"_s), Qt::LeftButton);

        QCOMPARE(f.dialogs.texts(), QStringList{u"\"Nouveau sujet\" ajouté à la liste"_s});
        QCOMPARE(f.dialogs.boxes.constFirst().kind, MsgKind::Information);
        QCOMPARE(listed(f), (QStringList{u"Devis"_s, u"Relance"_s, u"Nouveau sujet"_s}));
        // Typing a new subject saves nothing: the edits of Devis are lost.
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)), "Message devis");
        QCOMPARE(ReadAll(f.sandbox.path(u"Nouveau sujet.MSGX"_s)), QByteArray());
        QCOMPARE(ReadAll(f.sandbox.path(u"Nouveau sujet.SIGNX"_s)), QByteArray());
        QCOMPARE(memo(f, u"Memo_MSG"_s)->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), memo(f, u"Memo_MSG"_s));
    }

    // The notices are real modal boxes: they take the keyboard while they are open, and the
    // focus must still move on to where the handler sends it once the box has gone.
    void focusMovesOnAfterARealNotice_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("focus");
        QTest::newRow("a new subject, Escape") << u"ComboObjet_edit"_s << u"Nouveau sujet"_s << int(Qt::Key_Escape)
                                               << u"\"Nouveau sujet\" ajouté à la liste"_s << u"Memo_MSG"_s;
        QTest::newRow("Tab in the message")
            << u"Memo_MSG"_s << QString() << int(Qt::Key_Tab) << u"Message enregistré !"_s << u"Memo_SIGN"_s;
        QTest::newRow("Tab in the signature")
            << u"Memo_SIGN"_s << QString() << int(Qt::Key_Tab) << u"Signature enregistrée!"_s << u"btn_SEND"_s;
    }

    void focusMovesOnAfterARealNotice()
    {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, notice);
        QFETCH(QString, focus);
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        f.dialogs.onEveryBox = [] {
            QDialog box;
            box.setModal(true);
            QTimer::singleShot(50, &box, &QDialog::accept);
            box.exec();
        };
        QWidget *control = f.control(start);
        control->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(control); edit && !typed.isEmpty())
            edit->setText(typed);

        QTest::keyClick(control, Qt::Key(key));

        QCOMPARE(f.dialogs.texts(), QStringList{notice});
        // The window manager gives the window the keyboard back once the box has gone.
        QApplication::setActiveWindow(f.form.get());
        QTRY_COMPARE(QApplication::focusWidget(), f.control(focus));
    }

    void escapeFromTheFieldHoldingASubjectEndsInTheMessage()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        field(f)->setFocus();
        f.probe.calls.clear();

        QTest::keyClick(field(f), Qt::Key_Escape);

        // Escape sends the focus to the search field; leaving the subject field loads the
        // subject's documents, which gives the focus to the message.
        QCOMPARE(f.probe.calls, (QStringList{u"FormKeyPress"_s, u"ComboObjetExit"_s}));
        QCOMPARE(QApplication::focusWidget(), memo(f, u"Memo_MSG"_s));
        QCOMPARE(field(f)->text(), u"Devis"_s);
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void tabInTheMemosSavesAnnouncesAndMovesOn()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        auto *message = memo(f, u"Memo_MSG"_s);
        auto *signature = memo(f, u"Memo_SIGN"_s);
        // A non-breaking space and a final line break must reach the file as typed.
        message->setPlainText(u"Prix\u00A0: 10\u00A0€\nMerci\n"_s);
        signature->setPlainText(u"Jean\u00A0Dupont"_s);
        message->setFocus();

        QTest::keyClick(message, Qt::Key_Tab);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)), "Prix\xC2\xA0: 10\xC2\xA0\xE2\x82\xAC\r\nMerci\r\n");
        QCOMPARE(f.dialogs.texts(), QStringList{u"Message enregistré !"_s});
        QCOMPARE(QApplication::focusWidget(), signature);
        QCOMPARE(message->toPlainText(), u"Prix : 10 €\nMerci\n"_s); // no Tab inserted

        QTest::keyClick(signature, Qt::Key_Tab);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.SIGNX"_s)),
                 "Jean\xC2\xA0"
                 "Dupont");
        QCOMPARE(f.dialogs.texts(), (QStringList{u"Message enregistré !"_s, u"Signature enregistrée!"_s}));
        QCOMPARE(QApplication::focusWidget(), f.control(u"btn_SEND"_s));
        QVERIFY(!signature->toPlainText().contains(u'\t'));

        // The saved text comes back whole.
        f.form->findChild<QAction *>(u"CHARGE_MAIL"_s)->trigger();
        QCOMPARE(f.form->messageText().text(), u"Prix\u00A0: 10\u00A0€\r\nMerci\r\n"_s);
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    // The editor's own marks (paragraph and line separators, frame marks) loaded from a
    // document are characters of the document, not line breaks: an edit elsewhere and a save
    // give the file back byte for byte but for the edit, and the field shows them visibly.
    void loadedEditorMarksSurviveAnEditAndASave_data()
    {
        QTest::addColumn<QString>("memoName");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown"); // a stand-in the field shows
        QTest::addColumn<QByteArray>("saved"); // after "X" typed at the start
        QTest::newRow("line separator") << u"Memo_MSG"_s << u"Devis.MSGX"_s
                                        << "a\xE2\x80\xA8"
                                           "b"_ba
                                        << u"\u00AC"_s
                                        << "Xa\xE2\x80\xA8"
                                           "b"_ba;
        QTest::newRow("paragraph separator and lines")
            << u"Memo_MSG"_s << u"Devis.MSGX"_s << "l1\r\na\xE2\x80\xA9z\r\n"_ba << u"\u00B6"_s
            << "Xl1\r\na\xE2\x80\xA9z\r\n"_ba;
        QTest::newRow("frame marks") << u"Memo_MSG"_s << u"Devis.MSGX"_s << "a\xEF\xB7\x90mid\xEF\xB7\x91"_ba
                                     << u"\u25C7"_s << "Xa\xEF\xB7\x90mid\xEF\xB7\x91"_ba;
        QTest::newRow("all four in UTF-16") << u"Memo_MSG"_s << u"Devis.MSGX"_s
                                            << QByteArray("\xFF\xFE"
                                                          "a\0\x28\x20\x29\x20\xD0\xFD\xD1\xFD",
                                                          12)
                                            << u"\u25C6"_s
                                            << QByteArray("\xFF\xFE"
                                                          "X\0a\0\x28\x20\x29\x20\xD0\xFD\xD1\xFD",
                                                          14);
        QTest::newRow("stand-in itself stays itself") << u"Memo_MSG"_s << u"Devis.MSGX"_s << "\xC2\xAC\xE2\x80\xA8"_ba
                                                      << u"\u00AC"_s << "X\xC2\xAC\xE2\x80\xA8"_ba;
        QTest::newRow("signature") << u"Memo_SIGN"_s << u"Devis.SIGNX"_s
                                   << "Jean\xE2\x80\xA8"
                                      "Dupont"_ba
                                   << u"\u00AC"_s
                                   << "XJean\xE2\x80\xA8"
                                      "Dupont"_ba;
    }

    void loadedEditorMarksSurviveAnEditAndASave()
    {
        QFETCH(QString, memoName);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QByteArray, saved);
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(WriteAll(f.sandbox.path(fileName), bytes));
        QVERIFY(f.open());
        auto *field = memo(f, memoName);
        QVERIFY(field->toPlainText().contains(shown));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(field, u"X"_s);
        QTest::keyClick(field, Qt::Key_Tab); // saves the field's document
        QCOMPARE(ReadAll(f.sandbox.path(fileName)), saved);
        QVERIFY(f.dialogs.errors.isEmpty());
        // A copy carries the characters loaded, not the stand-ins shown.
        field->selectAll();
        field->copy();
        QCOMPARE(QApplication::clipboard()->text(), DecodeTextBytes(saved).text.replace(u"\r\n"_s, u"\n"_s));
    }

    // A line break the user types is a CR LF, also in a field holding loaded marks.
    void typedLineBreaksAreCrLf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("plain document") << "fin"_ba
                                        << "a\r\nb\r\ncfin"_ba;
        QTest::newRow("document holding a loaded mark") << "\xE2\x80\xA8"
                                                           "fin"_ba
                                                        << "a\r\nb\r\nc\xE2\x80\xA8"
                                                           "fin"_ba;
    }

    void typedLineBreaksAreCrLf()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(WriteAll(f.sandbox.path(u"Devis.MSGX"_s), bytes));
        QVERIFY(f.open());
        auto *message = memo(f, u"Memo_MSG"_s);
        message->setFocus();
        QTest::keyClick(message, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(message, u"a"_s);
        QTest::keyClick(message, Qt::Key_Return);
        QTest::keyClicks(message, u"b"_s);
        QTest::keyClick(message, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(message, u"c"_s);
        QTest::keyClick(message, Qt::Key_Tab);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)), saved);
    }

    void aFailedTabSaveSaysNothingAndKeepsTheFocus()
    {
        FormFixture f;
        QVERIFY(f.open()); // no subject: no document path yet
        auto *message = memo(f, u"Memo_MSG"_s);
        message->setPlainText(u"texte"_s);
        message->setFocus();
        QTest::keyClick(message, Qt::Key_Tab);
        QCOMPARE(f.dialogs.errors.size(), 1);
        QVERIFY(f.dialogs.errors.constFirst().startsWith(u"Impossible de créer le fichier"_s));
        QVERIFY(f.dialogs.boxes.isEmpty());
        QCOMPARE(QApplication::focusWidget(), message);
        QCOMPARE(message->toPlainText(), u"texte"_s);
    }

    void theRestoreButtonsSave_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("memoName");
        QTest::addColumn<QString>("document");
        QTest::newRow("message") << u"panel_msg"_s << u"Memo_MSG"_s << u"Devis.MSGX"_s;
        QTest::newRow("signature") << u"panel_SIGN"_s << u"Memo_SIGN"_s << u"Devis.SIGNX"_s;
    }

    void theRestoreButtonsSave()
    {
        QFETCH(QString, panel);
        QFETCH(QString, memoName);
        QFETCH(QString, document);
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        memo(f, memoName)->setPlainText(u"enregistré\npar le bouton"_s);
        auto *caption = f.control<CaptionPanel>(panel);
        QTest::mouseClick(caption, Qt::LeftButton, {}, caption->buttonRect(CaptionPanel::ButtonKind::Restore).center());
        QCOMPARE(ReadAll(f.sandbox.path(document)), "enregistr\xC3\xA9\r\npar le bouton");
        QVERIFY(f.dialogs.boxes.isEmpty());
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void aTemplateReplacesTheSignatureWithoutSaving()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        auto *templates = f.control<FileNameList>(u"FileList_SIGN"_s);
        QCOMPARE(templates->model()->index(1, 0).data().toString(), u"Relance.SIGNX"_s);

        QTest::mouseClick(templates->viewport(), Qt::LeftButton, {}, RowCentre(templates, 1));
        QCOMPARE(memo(f, u"Memo_SIGN"_s)->toPlainText(), u"Signature relance"_s);
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.SIGNX"_s)), "Signature devis");
        QCOMPARE(field(f)->text(), u"Devis"_s);

        // A new subject's documents are listed after "Raffraichir" only, nothing selected.
        QVERIFY(WriteAll(f.sandbox.path(u"Autre.SIGNX"_s), "x"));
        QCOMPARE(templates->model()->rowCount(), 2);
        f.form->findChild<QAction *>(u"Raffraichir2"_s)->trigger();
        QCOMPARE(templates->model()->rowCount(), 3);
        QVERIFY(templates->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(memo(f, u"Memo_SIGN"_s)->toPlainText(), u"Signature relance"_s);
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void dropsOnTheMemosLoadTheFirstFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("firstContent");
        QTest::addColumn<QString>("shown"); // empty: refused, the memo keeps its text
        QTest::addColumn<QString>("error");

        QTest::newRow("message") << u"Memo_MSG"_s << QByteArray("premier\r\nfichier") << u"premier\nfichier"_s
                                 << QString();
        QTest::newRow("signature") << u"Memo_SIGN"_s << QByteArray("premier") << u"premier"_s << QString();
        QTest::newRow("beyond the memo's capacity") << u"Memo_MSG"_s << QByteArray(MaxTextDocumentChars + 1, 'x')
                                                    << QString() << u"Le texte dépasse la capacité du mémo"_s;
    }

    void dropsOnTheMemosLoadTheFirstFile()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, firstContent);
        QFETCH(QString, shown);
        QFETCH(QString, error);

        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        auto *dropTarget = memo(f, target);
        const QString before = dropTarget->toPlainText();
        const QString first = f.sandbox.path(u"premier fichier.txt"_s);
        const QString second = f.sandbox.path(u"second.txt"_s);
        QVERIFY(WriteAll(first, firstContent));
        QVERIFY(WriteAll(second, "second"));

        QVERIFY(f.dropFiles(dropTarget, {first, second}));

        QCOMPARE(dropTarget->toPlainText(), shown.isEmpty() ? before : shown);
        QCOMPARE(f.dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
        // Nothing saved.
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.MSGX"_s)), "Message devis");
        QCOMPARE(ReadAll(f.sandbox.path(u"Devis.SIGNX"_s)), "Signature devis");
    }

    void supprimerRemovesTheSelectedSubjectOnly()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        field(f)->setFocus();
        f.form->findChild<QAction *>(u"Supprimer1"_s)->trigger();
        QCOMPARE(listed(f), QStringList{u"Relance"_s});
        QVERIFY(subjectList(f)->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(field(f)->text(), u"Devis"_s);
        f.form->findChild<QAction *>(u"Supprimer1"_s)->trigger(); // nothing selected now
        QCOMPARE(listed(f), QStringList{u"Relance"_s});

        // Leaving the field still showing the removed subject adds it again, with the notice.
        QTest::mouseClick(f.control(u"Edit1"_s), Qt::LeftButton);
        QCOMPARE(listed(f), (QStringList{u"Relance"_s, u"Devis"_s}));
        QCOMPARE(f.dialogs.texts(), QStringList{u"\"Devis\" ajouté à la liste"_s});
        QVERIFY(QFile::exists(f.sandbox.path(u"Devis.MSGX"_s))); // documents stay on disk
    }

    void ctrlWSavesTheConfigurationAndTheSubjects()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(f.open());
        QVERIFY(!QFile::exists(f.sandbox.iniPath()));
        field(f)->setFocus();
        field(f)->setText(u"Tarifs 2.1"_s);
        QTest::mouseClick(f.control(u"Edit1"_s), Qt::LeftButton); // added
        QTest::keyClick(memo(f, u"Memo_MSG"_s), Qt::Key_W, Qt::ControlModifier);

        QVERIFY(f.form->isVisible());
        QCOMPARE(ReadAll(f.sandbox.subjectsFile()), "Devis\r\nRelance\r\nTarifs 2.1\r\n");
        QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, -1, f.sandbox.iniPath()), f.form->signaturePaneHeight());
        QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"absent"_s, f.sandbox.iniPath()), QString());
        QCOMPARE(SplitString(IniReadString(u"Ferravel"_s, u"Form1"_s, QString(), f.sandbox.iniPath()), u":"_s).size(),
                 4);
        // The documents are not part of the configuration: "Tarifs 2.1" shares "Tarifs 2".
        QVERIFY(QFile::exists(f.sandbox.path(u"Tarifs 2.MSGX"_s)));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    // Stored values the layout cannot show are clamped, and the close saves what is shown.
    void outOfRangeValuesAreClampedAndSavedSo_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("pane taller than the window") << u"[HAUTEUR]\r\nSIGN=5000\r\n"_s;
        QTest::newRow("negative pane") << u"[HAUTEUR]\r\nSIGN=-16\r\n"_s;
        QTest::newRow("empty pane") << u"[HAUTEUR]\r\nSIGN=0\r\n"_s;
        QTest::newRow("window too small") << u"[Ferravel]\r\nForm1=10:10:20:20\r\n"_s;
        QTest::newRow("window of no size") << u"[Ferravel]\r\nForm1=10:10:0:-3\r\n"_s;
    }

    void outOfRangeValuesAreClampedAndSavedSo()
    {
        QFETCH(QString, stored);
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(WriteAll(f.sandbox.iniPath(), stored.toUtf8()));
        QVERIFY(f.open());
        auto *splitter = f.control<QSplitter>(u"splitter_documents"_s);
        QTRY_VERIFY(splitter->isVisible());
        const QList<int> sizes = splitter->sizes();
        for (int i = 0; i < 2; ++i) {
            // The splitter's rule: a pane's own minimum height, else the least its layout needs.
            const QWidget *pane = splitter->widget(i);
            const int least = pane->minimumHeight() > 0 ? pane->minimumHeight() : pane->minimumSizeHint().height();
            QVERIFY2(sizes.value(i) >= least, qPrintable(u"pane %1: %2 < %3"_s.arg(i).arg(sizes.value(i)).arg(least)));
        }
        const int shown = f.form->signaturePaneHeight();
        QCOMPARE(shown, sizes.value(1));
        const QSize minimum = f.form->minimumSizeHint();
        QVERIFY(f.form->width() >= minimum.width() && f.form->height() >= minimum.height());
        QTest::qWait(300); // the frame is known and a restored size settled, as long before any close
        const QRect frame = f.form->frameGeometry();
        QVERIFY(f.form->close());
        QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, -1, f.sandbox.iniPath()), shown);
        QCOMPARE(IniReadString(u"Ferravel"_s, u"Form1"_s, QString(), f.sandbox.iniPath()),
                 u"%1:%2:%3:%4"_s.arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
    }

    void aWriteProtectedConfigurationKeepsTheWindowOpen()
    {
        FormFixture f;
        prepareTwoSubjects(f);
        QVERIFY(WriteAll(f.sandbox.iniPath(), u"[FICHIER]\r\nEMAILS=/listes/CLIENTS.TXT\r\n"_s.toUtf8()));
        QVERIFY(f.open());
        QCOMPARE(f.form->currentRecipient(), u"CLIENTS.TXT"_s);
        const QByteArray stored = ReadAll(f.sandbox.iniPath());
        QFile::setPermissions(f.sandbox.iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        f.form->subjects().replaceLines({u"Un seul"});

        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.errors, QStringList{u"Impossible d'écrire dans %1"_s.arg(f.sandbox.iniPath())});
        QCOMPARE(ReadAll(f.sandbox.iniPath()), stored);
        QCOMPARE(ReadAll(f.sandbox.subjectsFile()), "Devis\r\nRelance\r\n"); // skipped with the rest

        QVERIFY(!f.form->close()); // every attempt saves again
        QCOMPARE(f.dialogs.errors.size(), 2);

        QFile::setPermissions(f.sandbox.iniPath(), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(f.form->close());
        QCOMPARE(ReadAll(f.sandbox.subjectsFile()), "Un seul\r\n");
        QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, QString(), f.sandbox.iniPath()), u"/listes/CLIENTS.TXT"_s);
    }

    void aRestartBringsBackTheWindowAndItsLists()
    {
        PortableFolderSandbox sandbox; // kept for both runs
        ScriptedDialogs dialogs;
        RecordingMailHandoff mail;
        SteadyClock clock;
        const FormServices services{dialogs, mail, clock};
        {
            TForm1 form(sandbox.state(), services);
            form.show();
            QApplication::setActiveWindow(&form);
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.setSignaturePaneHeight(150);
            QTRY_COMPARE(form.signaturePaneHeight(), 150);
            auto *subject = form.findChild<QLineEdit *>(u"ComboObjet_edit"_s);
            subject->setFocus();
            subject->setText(u"Devis"_s);
            QTest::mouseClick(form.findChild<QWidget *>(u"Edit1"_s), Qt::LeftButton);
            QVERIFY(form.close());
        }
        TForm1 form(sandbox.state(), services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(form.signaturePaneHeight(), 150);
        QCOMPARE(static_cast<SubjectList &>(form.subjects()).stringList(), QStringList{u"Devis"_s});
        QCOMPARE(form.findChild<QLineEdit *>(u"ComboObjet_edit"_s)->text(), u"Devis"_s);
        QVERIFY(dialogs.errors.isEmpty());
    }
};

QTEST_MAIN(SubjectWindowTest)
#include "tst_subjectwindow.moc"
