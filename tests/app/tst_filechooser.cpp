// Everything a drop does, the keyboard does too: a file chosen in the file chooser goes to
// exactly the handler a drop of that file runs, and Cancel changes nothing.
#include "FormFixture.h"
#include "MemoEdit.h"
#include "TestFiles.h"
#include "files/IniFile.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDirIterator>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Every file of the sandbox and its bytes: the program's files and the working directory.
QMap<QString, QByteArray> Files(const FormFixture &f)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(f.sandbox.root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(f.sandbox.root.path()).relativeFilePath(path), ReadAll(path));
    }
    return files;
}

// Chooses "Charger un fichier…", the first item of a field's context menu, as the user does:
// the menu opens (by the keyboard's context menu key), then its first item is taken.
void ChooseLoadInContextMenu(QWidget *field)
{
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        menu->setActiveAction(menu->actions().first());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, field->rect().center(),
                            field->mapToGlobal(field->rect().center()));
    QApplication::sendEvent(static_cast<QPlainTextEdit *>(field)->viewport(), &event);
    QCoreApplication::processEvents(); // the item's request reaches the window after the menu
}

} // namespace

class FileChooserTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files; // the files dropped or chosen, the same for both ways

    struct Outcome
    {
        QStringList lines;
        QString message;
        QString signature;
        QString caption;
        QMap<QString, QByteArray> files;
        QStringList boxes;
        QStringList errors;
        bool operator==(const Outcome &) const = default;
    };

    static Outcome outcomeOf(FormFixture &f)
    {
        Outcome o;
        for (qsizetype i = 0; i < f.form->recipients().lineCount(); ++i)
            o.lines.append(f.form->recipients().lineAt(i));
        o.message = f.form->messageText().text();
        o.signature = f.form->signatureText().text();
        o.caption = f.form->currentRecipient();
        o.files = Files(f);
        o.boxes = f.dialogs.texts();
        o.errors = f.dialogs.errors;
        return o;
    }

    // A window holding a former list, a message and a signature.
    bool openWithFormerState(FormFixture &f)
    {
        if (!WriteAll(m_files.filePath(u"ancienne.txt"_s), "ancienne@exemple.test\r\n"))
            return false;
        IniWriteString(u"FICHIER"_s, u"EMAILS"_s, m_files.filePath(u"ancienne.txt"_s), f.sandbox.iniPath());
        if (!f.open())
            return false;
        f.form->messageText().setText(u"message d'avant"_s);
        f.form->signatureText().setText(u"signature d'avant"_s);
        return f.form->recipients().lineCount() == 1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(WriteAll(m_files.filePath(u"nouvelle.TXT"_s), "Anne <anne@exemple.test>\r\nBruno\r\n"));
        QVERIFY(WriteAll(m_files.filePath(u"liste.csv"_s), "csv@exemple.test\r\n"));
        QVERIFY(WriteAll(m_files.filePath(u"Devis.MSGX"_s), "Bonjour,\r\nvoici le devis."));
        QVERIFY(WriteAll(m_files.filePath(u"Devis.SIGNX"_s), "Jean"));
    }

    void theChooserDoesWhatTheDropDoes_data()
    {
        QTest::addColumn<QString>("zone"); // the control a drop lands on
        QTest::addColumn<QString>("file"); // empty: the chooser is cancelled
        QTest::newRow("a list") << u"JvCheckListBox1"_s << u"nouvelle.TXT"_s;
        QTest::newRow("a list of another extension") << u"JvCheckListBox1"_s << u"liste.csv"_s;
        QTest::newRow("a list that cannot be read") << u"JvCheckListBox1"_s << u"absente.txt"_s;
        QTest::newRow("a list, Cancel") << u"JvCheckListBox1"_s << QString();
        QTest::newRow("a message") << u"Memo_MSG"_s << u"Devis.MSGX"_s;
        QTest::newRow("a message of any kind") << u"Memo_MSG"_s << u"nouvelle.TXT"_s;
        QTest::newRow("a message, Cancel") << u"Memo_MSG"_s << QString();
        QTest::newRow("a signature") << u"Memo_SIGN"_s << u"Devis.SIGNX"_s;
        QTest::newRow("a signature, Cancel") << u"Memo_SIGN"_s << QString();
    }

    void theChooserDoesWhatTheDropDoes()
    {
        QFETCH(QString, zone);
        QFETCH(QString, file);

        // The drop, in one window.
        FormFixture dropped;
        QVERIFY(openWithFormerState(dropped));
        const Outcome before = outcomeOf(dropped);
        if (!file.isEmpty())
            QVERIFY(dropped.dropFiles(dropped.control(zone), {m_files.filePath(file)}));

        // The chooser, in another.
        FormFixture chosen;
        QVERIFY(openWithFormerState(chosen));
        chosen.dialogs.fileAnswers = {file.isEmpty() ? std::nullopt : std::optional(m_files.filePath(file))};
        chosen.probe.calls.clear();
        if (zone == u"JvCheckListBox1")
            QTest::keyClick(chosen.control(u"Memo_MSG"_s), Qt::Key_O, Qt::ControlModifier); // from any control
        else
            ChooseLoadInContextMenu(chosen.control(zone));
        QCOMPARE(chosen.dialogs.choosers.size(), 1);

        const Outcome afterDrop = outcomeOf(dropped);
        const Outcome afterChoice = outcomeOf(chosen);
        QCOMPARE(afterChoice.lines, afterDrop.lines);
        QCOMPARE(afterChoice.message, afterDrop.message);
        QCOMPARE(afterChoice.signature, afterDrop.signature);
        QCOMPARE(afterChoice.caption, afterDrop.caption);
        QCOMPARE(afterChoice.files, afterDrop.files);
        QCOMPARE(afterChoice.boxes, afterDrop.boxes);
        QCOMPARE(afterChoice.errors, afterDrop.errors);
        if (file.isEmpty()) {
            QVERIFY(afterChoice == before); // Cancel changes no byte anywhere
        } else {
            const QString handler = zone == u"JvCheckListBox1" ? u"JvDragDrop1Drop"_s
                : zone == u"Memo_MSG"                          ? u"dropMessageDrop"_s
                                                               : u"drop_SIGNDrop"_s;
            QVERIFY2(chosen.probe.calls.contains(handler), qPrintable(chosen.probe.calls.join(u' ')));
        }
    }

    void theChooserOpensWhereTheUserLooks_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("listConfigured");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("filters");
        QTest::newRow("a list: the folder of the current one")
            << u"JvCheckListBox1"_s << true << u"Ouvrir une liste d'EMAILS"_s
            << QStringList{u"Listes d'EMAILS (*.txt *.TXT)"_s, u"Tous les fichiers (*)"_s};
        QTest::newRow("a list: the working directory when there is none")
            << u"JvCheckListBox1"_s << false << u"Ouvrir une liste d'EMAILS"_s
            << QStringList{u"Listes d'EMAILS (*.txt *.TXT)"_s, u"Tous les fichiers (*)"_s};
        QTest::newRow("a message: the documents' folder")
            << u"Memo_MSG"_s << true << u"Charger un fichier"_s
            << QStringList{u"Messages (*.MSGX *.msgx)"_s, u"Tous les fichiers (*)"_s};
        QTest::newRow("a signature: the documents' folder")
            << u"Memo_SIGN"_s << true << u"Charger un fichier"_s
            << QStringList{u"Signatures (*.SIGNX *.signx)"_s, u"Tous les fichiers (*)"_s};
    }

    void theChooserOpensWhereTheUserLooks()
    {
        QFETCH(QString, zone);
        QFETCH(bool, listConfigured);
        QFETCH(QString, caption);
        QFETCH(QStringList, filters);
        FormFixture f;
        if (listConfigured)
            QVERIFY(openWithFormerState(f));
        else
            QVERIFY(f.open());
        if (zone == u"JvCheckListBox1")
            f.form->findChild<QAction *>(u"Ouvrir1"_s)->trigger();
        else
            ChooseLoadInContextMenu(f.control(zone));
        QCOMPARE(f.dialogs.choosers.size(), 1);
        const auto &chooser = f.dialogs.choosers.first();
        QCOMPARE(chooser.caption, caption);
        QCOMPARE(chooser.filters, filters);
        const QString folder = zone == u"JvCheckListBox1" && listConfigured ? m_files.path() : QDir::currentPath();
        QCOMPARE(QDir(chooser.folder).canonicalPath(), QDir(folder).canonicalPath());
    }

    // The new item opens the menu "Fichier", with the load image; the list's popup menu has it
    // too, and the fields' context menus start with theirs.
    void theItemsStandFirst()
    {
        FormFixture f;
        QVERIFY(f.open());
        auto *open = f.form->findChild<QAction *>(u"Ouvrir1"_s);
        QCOMPARE(open->text(), u"Ouvrir une liste d'EMAILS…"_s);
        QCOMPARE(open->shortcut(), QKeySequence(u"Ctrl+O"_s));
        QVERIFY(!open->icon().isNull());
        QCOMPARE(f.form->findChild<QMenu *>(u"Fichier1"_s)->actions().first(), open);
        QCOMPARE(f.form->findChild<QMenu *>(u"Popup_ListeEmails"_s)->actions().first(), open);

        // Opened from the keyboard, the field's menu starts on its first item: Enter takes it.
        QString firstItem, activeItem;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                firstItem = menu->actions().first()->text();
                activeItem = menu->activeAction() ? menu->activeAction()->text() : QString();
                menu->close();
            }
        });
        auto *memo = f.control<QPlainTextEdit>(u"Memo_SIGN"_s);
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_F10, Qt::ShiftModifier); // the keyboard's way to the menu
        QCOMPARE(firstItem, u"Charger un fichier…"_s);
        QCOMPARE(activeItem, firstItem);

        // The list's popup menu opens by the same key, where the list is.
        auto *list = f.control(u"JvCheckListBox1"_s);
        QApplication::setActiveWindow(f.form.get()); // back from the menu
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        auto *popup = f.form->findChild<QMenu *>(u"Popup_ListeEmails"_s);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(list->rect().contains(list->mapFromGlobal(popup->pos())));
        popup->close();
    }
};

QTEST_MAIN(FileChooserTest)
#include "tst_filechooser.moc"
