// The window as a screen reader sees it through Qt's accessibility interfaces: every control's
// role, name and states, the actions on lines and caption-bar buttons taking the mouse's path,
// and the boxes. (The events that announce changes are read through the bus, end to end.)
#include "CaptionPanel.h"
#include "CheckListView.h"
#include "FormFixture.h"
#include "InputBox.h"
#include "MessageBox.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMetaEnum>
#include <QPushButton>
#include <QSplitter>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The child of iface named name, or null.
QAccessibleInterface *childNamed(QAccessibleInterface *iface, const QString &name)
{
    for (int i = 0; iface && i < iface->childCount(); ++i)
        if (QAccessibleInterface *child = iface->child(i); child && child->text(QAccessible::Name) == name)
            return child;
    return nullptr;
}

void doAction(QAccessibleInterface *iface, const QString &action)
{
    QVERIFY(iface && iface->actionInterface());
    QVERIFY2(iface->actionInterface()->actionNames().contains(action), qPrintable(action));
    iface->actionInterface()->doAction(action);
    QCoreApplication::processEvents(); // the action runs once the request has been answered
}

const QStringList Lines{u"Anne <anne@exemple.test>"_s, u"Bruno Martin <bruno.martin@exemple.test>"_s};

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

    // The window as a user starts it: a recipient list named by the configuration, two
    // subjects with their documents, and a signature template.
    static bool open(FormFixture &f)
    {
        const QString list = f.sandbox.path(u"EMAILS.TXT"_s);
        const bool written = WriteAll(list, (Lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8())
            && WriteAll(f.sandbox.iniPath(), "[FICHIER]\r\nEMAILS=" + list.toUtf8() + "\r\n")
            && WriteAll(f.sandbox.subjectsFile(), "Devis\r\nRelance\r\n")
            && WriteAll(f.sandbox.path(u"Devis.MSGX"_s), "Bonjour")
            && WriteAll(f.sandbox.path(u"Devis.SIGNX"_s), "Jean")
            && WriteAll(f.sandbox.path(u"Modele.SIGNX"_s), "Modèle");
        return written && f.open();
    }

private slots:
    void controlsHaveRolesAndNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *control, QAccessible::Role role, const QString &name) {
            QTest::newRow(control) << QString::fromLatin1(control) << int(role) << name;
        };
        // The panes by their captions, the fields in them by the same.
        row("panel_emails", QAccessible::Grouping, u"EMAILS.TXT"_s);
        row("panel_objet", QAccessible::Grouping, u"Choisisez ou créez un Objet pour l'EMAIL"_s);
        row("JvCaptionPanel1", QAccessible::Grouping, u"Rédigez votre message"_s);
        row("panel_msg", QAccessible::Grouping, u"Messages"_s);
        row("panel_SIGN", QAccessible::Grouping, u"Signatures"_s);
        row("ComboObjet", QAccessible::ComboBox, u"Choisisez ou créez un Objet pour l'EMAIL"_s);
        row("ComboObjet_edit", QAccessible::EditableText, u"Choisisez ou créez un Objet pour l'EMAIL"_s);
        row("ComboObjet_list", QAccessible::List, u"Liste des objets"_s);
        row("Memo_MSG", QAccessible::EditableText, u"Messages"_s);
        row("Memo_SIGN", QAccessible::EditableText, u"Signatures"_s);
        row("FileList_SIGN", QAccessible::List, u"Modèles de signature"_s);
        // The list by its file; the search field by the label beside it.
        row("JvCheckListBox1", QAccessible::List, u"EMAILS.TXT"_s);
        row("Edit1", QAccessible::EditableText, u"Chercher"_s);
        row("btn_NEXT", QAccessible::Button, u"Suivant"_s);
        row("btn_SEND", QAccessible::Button, u"Envoyer"_s);
        // Plain panels are walked through, never read as windows of their own.
        row("Panel2", QAccessible::Client, QString());
        row("Panel_RIGHT", QAccessible::Client, QString());
    }
    void controlsHaveRolesAndNames()
    {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        FormFixture f;
        QVERIFY(open(f));
        QObject *widget = f.control<QWidget>(control);
        QVERIFY(widget);
        QAccessibleInterface *iface = accessible(widget);
        QVERIFY(iface);
        QCOMPARE(int(iface->role()), role);
        QCOMPARE(iface->text(QAccessible::Name), name);
    }

    // Walked from the window down, as a screen reader walks it: every control that can take
    // the focus or be acted on has a name, and none has a role a screen reader cannot use.
    void everyReachableControlHasAName()
    {
        FormFixture f;
        QVERIFY(open(f));
        QStringList problems;
        const std::function<void(QAccessibleInterface *, const QString &)> walk = [&](QAccessibleInterface *node,
                                                                                      const QString &path) {
            const QString here = path + u" > "_s
                + QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())) + u' '
                + node->text(QAccessible::Name) + u" ("_s + node->text(QAccessible::Description) + u')';
            const QAccessible::State state = node->state();
            QAccessibleActionInterface *actions = node->actionInterface();
            QStringList acts = actions ? actions->actionNames() : QStringList();
            acts.removeAll(QAccessibleActionInterface::setFocusAction());
            const bool acted = !acts.isEmpty();
            const bool reachable = !state.invisible && (state.focusable || acted);
            if (reachable && node->role() != QAccessible::ScrollBar
                && node->text(QAccessible::Name).trimmed().isEmpty())
                problems.append(u"no name: "_s + here);
            if (node->role() == QAccessible::Grip || node->role() == QAccessible::Border)
                problems.append(u"no usable role: "_s + here);
            for (int i = 0; i < node->childCount(); ++i)
                if (QAccessibleInterface *child = node->child(i))
                    walk(child, here);
        };
        walk(accessible(f.form.get()), QString());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void captionButtonsAndEdgesHaveNames_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("handler");
        QTest::newRow("message") << u"panel_msg"_s << u"Enregistrer le message"_s << u"panel_msgButtonClick"_s;
        QTest::newRow("signature") << u"panel_SIGN"_s << u"Enregistrer la signature"_s << u"panel_SIGNButtonClick"_s;
    }
    // A restore button is a push button of its pane, and pressing it runs the pane's handler.
    void captionButtonsAndEdgesHaveNames()
    {
        QFETCH(QString, pane);
        QFETCH(QString, button);
        QFETCH(QString, handler);
        FormFixture f;
        QVERIFY(open(f));
        QAccessibleInterface *panel = accessible(f.control<CaptionPanel>(pane));
        QAccessibleInterface *restore = childNamed(panel, button);
        QVERIFY(restore);
        QCOMPARE(restore->role(), QAccessible::Button);
        QCOMPARE(restore->parent(), panel);
        QCOMPARE(panel->child(panel->indexOfChild(restore)), restore);
        const QRect bar = f.control<CaptionPanel>(pane)->buttonRect(CaptionPanel::ButtonKind::Restore);
        QCOMPARE(panel->childAt(restore->rect().center().x(), restore->rect().center().y()), restore);
        QCOMPARE(restore->rect().size(), bar.size());
        f.probe.calls.clear();
        doAction(restore, QAccessibleActionInterface::pressAction());
        QVERIFY2(f.probe.calls.contains(handler), qPrintable(f.probe.calls.join(u' ')));
    }

    void panesEdgesAreNamedSeparators()
    {
        FormFixture f;
        QVERIFY(open(f));
        const QStringList expected{u"Largeur de la colonne des destinataires"_s, u"Hauteur des signatures"_s};
        const QList<QSplitter *> splitters{f.control<QSplitter>(u"splitter_columns"_s),
                                           f.control<QSplitter>(u"splitter_documents"_s)};
        for (int i = 0; i < 2; ++i) {
            QAccessibleInterface *edge = accessible(splitters.at(i)->handle(1));
            QVERIFY(edge);
            QCOMPARE(edge->role(), QAccessible::Separator);
            QCOMPARE(edge->text(QAccessible::Name), expected.at(i));
        }
    }

    void linesCarryTheirStates()
    {
        FormFixture f;
        QVERIFY(open(f));
        auto *view = f.control<CheckListView>(u"JvCheckListBox1"_s);
        f.form->recipients().setMarked(1, true);
        f.form->recipients().selection().select(1);
        view->setFocus();
        QAccessibleInterface *list = accessible(view);
        QCOMPARE(list->childCount(), 2);
        QAccessibleInterface *first = list->child(0);
        QAccessibleInterface *second = list->child(1);
        QCOMPARE(first->role(), QAccessible::ListItem);
        QCOMPARE(first->text(QAccessible::Name), Lines.at(0));
        QCOMPARE(second->text(QAccessible::Name), Lines.at(1));
        QVERIFY(!first->state().checked && !first->state().selected && !first->state().focused);
        QVERIFY(second->state().checkable && second->state().checked);
        QVERIFY(second->state().selected && second->state().focused);
        QCOMPARE(list->focusChild(), second);
        QCOMPARE(list->indexOfChild(second), 1);
        // The subject and template lists have no boxes, only choices.
        QAccessibleInterface *subject = accessible(f.control<QListView>(u"ComboObjet_list"_s))->child(0);
        QCOMPARE(subject->text(QAccessible::Name), u"Devis"_s);
        QVERIFY(subject->state().selected && !subject->state().checkable);
        QCOMPARE(subject->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    }

    void toggleTakesTheClicksPath_data()
    {
        QTest::addColumn<int>("selectedBefore");
        QTest::addColumn<bool>("markedBefore");
        QTest::addColumn<int>("row");
        QTest::newRow("another line, unmarked") << 0 << false << 1;
        QTest::newRow("another line, marked") << 0 << true << 1;
        QTest::newRow("the selected line") << 1 << false << 1;
        QTest::newRow("no line selected") << -1 << false << 0;
    }
    // As a click on a line's box: the line is chosen (the current recipient follows) and its
    // mark flips; no other line changes.
    void toggleTakesTheClicksPath()
    {
        QFETCH(int, selectedBefore);
        QFETCH(bool, markedBefore);
        QFETCH(int, row);
        FormFixture f;
        QVERIFY(open(f));
        RecipientList &recipients = f.form->recipients();
        recipients.setMarked(row, markedBefore);
        recipients.selection().select(selectedBefore);
        f.probe.calls.clear();
        QAccessibleInterface *line = accessible(f.control<CheckListView>(u"JvCheckListBox1"_s))->child(row);
        doAction(line, QAccessibleActionInterface::toggleAction());
        QCOMPARE(recipients.isMarked(row), !markedBefore);
        QCOMPARE(recipients.isMarked(1 - row), false);
        QCOMPARE(recipients.selectedIndex(), row);
        QCOMPARE(f.probe.calls.count(u"JvCheckListBox1Click"_s), 1);
        QVERIFY(f.form->currentRecipient().contains(u"@exemple.test"_s));
        QCOMPARE(line->state().checked, !markedBefore);
    }

    void pressChoosesAsAClick_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("handler");
        QTest::newRow("recipient") << u"JvCheckListBox1"_s << 1 << u"JvCheckListBox1Click"_s;
        QTest::newRow("subject") << u"ComboObjet_list"_s << 1 << u"ComboObjetClick"_s;
        QTest::newRow("template") << u"FileList_SIGN"_s << 1 << u"FileList_SIGNChange"_s;
    }
    void pressChoosesAsAClick()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, handler);
        FormFixture f;
        QVERIFY(open(f));
        auto *view = f.control<QListView>(list);
        f.probe.calls.clear();
        doAction(accessible(view)->child(row), QAccessibleActionInterface::pressAction());
        QVERIFY2(f.probe.calls.contains(handler), qPrintable(f.probe.calls.join(u' ')));
        QCOMPARE(view->selectionModel()->selectedIndexes().value(0).row(), row);
        QVERIFY(accessible(view)->child(row)->state().selected);
    }

    void messageBoxesReadAsDialogs_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::newRow("confirmation") << int(MsgKind::Confirmation) << u"Confirmer"_s
                                      << u"Supprimer la ou les lignes pointées ?"_s
                                      << QStringList{u"OK"_s, u"Annuler"_s} << u"OK"_s;
        QTest::newRow("warning") << int(MsgKind::Warning) << u"Avertissement"_s << u"Extension TXT uniquement"_s
                                 << QStringList{u"OK"_s} << u"OK"_s;
        // No default given: the one button has the focus, and Enter presses it.
        QTest::newRow("error, no default")
            << int(MsgKind::Error) << u"Erreur"_s << u"Style 'Metropolis UI Blue' non trouvé"_s
            << QStringList{u"Fermer"_s} << u"Fermer"_s;
    }
    void messageBoxesReadAsDialogs()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QList<MsgButton> which;
        for (const QString &caption : buttons)
            which.append(caption == u"OK"_s            ? MsgButton::OK
                             : caption == u"Annuler"_s ? MsgButton::Cancel
                                                       : MsgButton::Close);
        std::optional<MsgButton> chosen;
        if (defaultButton == u"OK"_s)
            chosen = MsgButton::OK;
        MessageBox box(text, MsgKind(kind), which, chosen);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QAccessibleInterface *dialog = accessible(&box);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Name), title);
        QAccessibleInterface *label = childNamed(dialog, text);
        QVERIFY(label);
        QCOMPARE(label->role(), QAccessible::StaticText);
        for (const QString &caption : buttons) {
            QAccessibleInterface *button = childNamed(dialog, caption);
            QVERIFY2(button, qPrintable(caption));
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(bool(button->state().defaultButton), caption == defaultButton);
        }
    }

    void inputBoxFieldIsNamedByItsPrompt()
    {
        InputBox box(u"Corriger"_s, u"EMAIL"_s, u"anne@exemple.test"_s);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QAccessibleInterface *dialog = accessible(&box);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Name), u"Corriger"_s);
        QAccessibleInterface *field = accessible(box.field());
        QCOMPARE(field->role(), QAccessible::EditableText);
        QCOMPARE(field->text(QAccessible::Name), u"EMAIL"_s);
        QCOMPARE(field->text(QAccessible::Value), u"anne@exemple.test"_s);
        QVERIFY(accessible(box.okButton())->state().defaultButton);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
