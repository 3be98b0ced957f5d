#pragma once

#include "CaptionPanel.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class Clock;
class Dialogs;
class DropZone;
class LineListHolder;
class MailHandoff;
class QMenu;
class RecipientList;
class TextHolder;
struct WorkingState;

namespace Ui {
class Form1;
}

// Sees every handler of the window as it starts, by name. Tests record the calls with it,
// and an exception it throws stands for a failure of that handler.
class HandlerProbe
{
public:
    virtual ~HandlerProbe() = default;
    virtual void entered(const QString &handler) = 0;
};

// The main window's title, with the program's version.
QString MainWindowTitle();

// What the window is given from outside: the boxes, the hand-off to the mail program, the
// clock that times typing in the recipient list, and optionally a probe of its handlers.
struct FormServices
{
    Dialogs &dialogs;
    MailHandoff &mail;
    const Clock &clock;
    HandlerProbe *probe = nullptr;
};

// The main window: its controls (Form1.ui), commands, menus, drop zones and the binding of
// every event to its handler (bindEvents, the one table to read). A handler is short: it
// calls the commands and operations of the core. Every event enters through dispatch(), the
// one place where an escaping error is reported and the silent abort is dropped, so that no
// exception reaches the event loop.
//
// Key policy: Tab, Shift+Tab and the arrows never move the focus from control to control,
// Enter presses no button, Escape presses nothing. Every typed character goes first to
// FormKeyPress, then to the key-press handler of the focused control (Edit1, Memo_MSG,
// Memo_SIGN); a handler that sets the character to 0 swallows it.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the controls over the working state and runs the create hook.
    TForm1(WorkingState state, const FormServices &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // Runs operation as one guarded call: an AppError (or any exception) goes to
    // ReportError, a SilentAbort ends it silently. True when it ran to its end.
    bool dispatch(const char *handler, const std::function<void()> &operation);

    // The data held by the controls, as the core sees it.
    RecipientList &recipients() const;
    LineListHolder &subjects() const;
    TextHolder &messageText() const;
    TextHolder &signatureText() const;
    // Where that data goes.
    const WorkingState &workingState() const;

    // The height of the signature pane (its top edge can be dragged).
    int signaturePaneHeight() const;
    void setSignaturePaneHeight(int height);

    // The current recipient: the caption of the recipient pane.
    QString currentRecipient() const;
    void setCurrentRecipient(const QString &recipient);

    // Gives the keyboard focus to a control of the window, as a handler does when it moves
    // the focus on. Before the window is on screen the control gets it when the window first
    // appears; while a box has the keyboard, when the window gets it back.
    void moveFocusTo(QWidget *control);

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Core;

    // ---- Hooks
    void FormCreate();
    void FormShow();
    void FormClose();
    // ---- Key-press handlers: key is the typed character (Tab 9, Enter 13, Escape 27);
    // setting it to 0 swallows it.
    void FormKeyPress(QChar &key);
    void Edit1KeyPress(QChar &key);
    void Memo_MSGKeyPress(QChar &key);
    void Memo_SIGNKeyPress(QChar &key);
    // ---- Commands (ActionList1)
    void FichierFileExit1Execute();
    void MAILTOExecute();
    void INI_GETExecute();
    void INI_SAVEExecute();
    void CHARGE_MAILExecute();
    void SAUVE_MAILExecute();
    void MSG_SAVEExecute();
    void SIGN_SAVEExecute();
    // ---- Control events
    void ComboObjetClick();
    void ComboObjetExit();
    void panel_msgButtonClick(CaptionPanel::ButtonKind kind);
    void panel_SIGNButtonClick(CaptionPanel::ButtonKind kind);
    void FileList_SIGNChange();
    void JvCheckListBox1Click();
    // A character typed in the recipient list (its type-ahead), Backspace as 8.
    void JvCheckListBox1TypeAhead(QChar key);
    void Edit1Change();
    void btn_NEXTClick();
    // ---- Drop zones: every dropped path, in the drag's order, and the drop point.
    void JvDragDrop1Drop(const QStringList &paths, const QPoint &pos);
    void dropMessageDrop(const QStringList &paths, const QPoint &pos);
    void drop_SIGNDrop(const QStringList &paths, const QPoint &pos);
    // ---- Their keyboard twins: a file chosen in the file chooser goes to the drop's handler.
    void Ouvrir1Click();
    void dropMessageChoose();
    void drop_SIGNChoose();
    // ---- Popup menus
    void Raffraichir1Click();
    void Rechercher1Click();
    void MenuItem1Click();
    void mnu_EMAILS_editClick();
    void rier1Click();
    void Majuscules1Click();
    void Minuscules1Click();
    void Supprimerlesetles1Click();
    void Enregistrerlesmodifications1Click();
    void Supprimer1Click();
    void Raffraichir2Click();

    // ---- Binding events to handlers
    // Connects signal to operation, run as one guarded call entering the handler name.
    template <typename Sender, typename Signal, typename Operation>
    void route(Sender *sender, Signal signal, const char *name, Operation operation);
    // The same for a handler of this window, called with the signal's arguments.
    template <typename Sender, typename Signal, typename... Args>
    void route(Sender *sender, Signal signal, const char *name, void (TForm1::*handler)(Args...));
    // A command of ActionList1: its action runs its handler, and other handlers can run it.
    void command(QAction *action, const char *name, void (TForm1::*handler)());
    // A control or menu item that carries a command runs it, as its own handler.
    template <typename Sender, typename Signal>
    void carry(Sender *carrier, Signal signal, QAction *action);
    // A handler called by another handler: it runs inside the caller's guarded call.
    void call(const char *handler, const std::function<void()> &operation);
    void enter(const char *handler);
    // Runs a command of ActionList1 by its action, inside the current operation.
    void execute(QAction *command);

    void buildMenus();
    void setUpLook();
    void nameControls();
    void nameRecipientList();
    void bindEvents();
    void refuseDropsOutsideZones();
    bool previewKey(QWidget *receiver, QKeyEvent *event);
    bool openContextMenu(QWidget *control);

    std::unique_ptr<Ui::Form1> ui;
    Dialogs &m_dialogs;
    MailHandoff &m_mail;
    HandlerProbe *m_probe;
    std::unique_ptr<Core> m_core;
    QObject *ActionList1;
    QMenu *Popup_ListeEmails = nullptr;
    QMenu *Popup_SUBJECTS = nullptr;
    QMenu *Popup_FileSIGN = nullptr;
    DropZone *JvDragDrop1 = nullptr;
    DropZone *dropMessage = nullptr;
    DropZone *drop_SIGN = nullptr;
    QHash<QAction *, std::pair<const char *, void (TForm1::*)()>> m_commands;
    QPointer<QWidget> m_startFocus;
    QPointer<QWidget> m_focusOnActivation;
    bool m_showHookRan = false;
    int m_signatureHeight = 0; // the height asked for while the splitter is not laid out
};
