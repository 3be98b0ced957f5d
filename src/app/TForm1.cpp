#include "TForm1.h"

#include "ui_Form1.h"

#include "AccessibleWidgets.h"
#include "BusyCursor.h"
#include "DropZone.h"
#include "ImageList.h"
#include "TForm1Core.h"
#include "WindowFonts.h"
#include "WindowLook.h"
#include "dispatch/MailTo.h"
#include "helpers/AppError.h"
#include "helpers/Guard.h"
#include "recipients/CurrentRecipient.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

QString MainWindowTitle()
{
    return u"Ferravel : Ostrande 2020 : (v %1)"_s.arg(QLatin1StringView(FERRAVEL_VERSION));
}

TForm1::TForm1(WorkingState state, const FormServices &services, QWidget *parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::Form1>()),
      m_dialogs(services.dialogs),
      m_mail(services.mail),
      m_probe(services.probe),
      ActionList1(new QObject(this))
{
    InstallAccessibleWidgets(); // before the first control is made
    ui->setupUi(this);
    setWindowTitle(MainWindowTitle());
    m_core = std::make_unique<Core>(*this, *ui, std::move(state), services);
    setWindowIcon(ProgramIcon());
    ui->JvCheckListBox1->setRecipientList(&m_core->recipients);
    ui->ComboObjet->setSubjectList(&m_core->subjects);
    ui->FileList_SIGN->setTemplates(&m_core->templates);
    ui->panel_emails->setCaption(InitialRecipientCaption());
    ui->MAILTO->setText(MailToCaption());

    buildMenus();
    setUpLook();
    nameControls();

    JvDragDrop1 = new DropZone(u"JvDragDrop1"_s, ui->JvCheckListBox1);
    dropMessage = new DropZone(u"dropMessage"_s, ui->Memo_MSG);
    drop_SIGN = new DropZone(u"drop_SIGN"_s, ui->Memo_SIGN);
    refuseDropsOutsideZones();

    bindEvents();
    // A send the desktop could not hand over is often known only after MAILTO has returned:
    // the failure then enters, like every event, through the guarded call.
    m_mail.setFailureReport([this](const AppError &error) { dispatch("MailHandoffFailed", [&] { throw error; }); });
    qApp->installEventFilter(this);
    m_startFocus = ui->ComboObjet; // the first control of the tab order

    dispatch("FormCreate", [this] { FormCreate(); });
    nameRecipientList(); // the configuration may have named the list's file
}

TForm1::~TForm1()
{
    m_mail.setFailureReport({});
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------- dispatching

bool TForm1::dispatch(const char *handler, const std::function<void()> &operation)
{
    return RunGuarded(m_dialogs, [&] {
        enter(handler);
        operation();
    });
}

void TForm1::call(const char *handler, const std::function<void()> &operation)
{
    enter(handler);
    operation();
}

void TForm1::enter(const char *handler)
{
    if (m_probe)
        m_probe->entered(QString::fromLatin1(handler));
}

void TForm1::execute(QAction *command)
{
    const auto found = m_commands.constFind(command);
    if (found != m_commands.constEnd())
        call(found->first, [this, handler = found->second] { (this->*handler)(); });
}

template <typename Sender, typename Signal, typename Operation>
void TForm1::route(Sender *sender, Signal signal, const char *name, Operation operation)
{
    connect(sender, signal, this, [this, name, operation] { dispatch(name, operation); });
}

template <typename Sender, typename Signal, typename... Args>
void TForm1::route(Sender *sender, Signal signal, const char *name, void (TForm1::*handler)(Args...))
{
    connect(sender, signal, this,
            [this, name, handler](Args... args) { dispatch(name, [&] { (this->*handler)(args...); }); });
}

void TForm1::command(QAction *action, const char *name, void (TForm1::*handler)())
{
    action->setParent(ActionList1);
    m_commands.insert(action, {name, handler});
    route(action, &QAction::triggered, name, handler);
}

template <typename Sender, typename Signal>
void TForm1::carry(Sender *carrier, Signal signal, QAction *action)
{
    // The carrier's name is its handler's: the name lives as long as the carrier.
    auto *name = new QByteArray(carrier->objectName().toLatin1());
    connect(carrier, &QObject::destroyed, this, [name] { delete name; });
    route(carrier, signal, name->constData(), [this, action] { execute(action); });
}

// The one table of what every control does: a signal, and the handler of that name.
#define ROUTE(sender, signal, handler) route(sender, signal, #handler, &TForm1::handler)
#define COMMAND(action, handler) command(ui->action, #handler, &TForm1::handler)

void TForm1::bindEvents()
{
    // The commands of ActionList1, each with its handler.
    COMMAND(FichierFileExit1, FichierFileExit1Execute);
    COMMAND(MAILTO, MAILTOExecute);
    COMMAND(INI_GET, INI_GETExecute);
    COMMAND(INI_SAVE, INI_SAVEExecute);
    COMMAND(CHARGE_MAIL, CHARGE_MAILExecute);
    COMMAND(SAUVE_MAIL, SAUVE_MAILExecute);
    COMMAND(MSG_SAVE, MSG_SAVEExecute);
    COMMAND(SIGN_SAVE, SIGN_SAVEExecute);
    // The controls and menu items that carry a command.
    carry(ui->INISAVE1, &QAction::triggered, ui->INI_SAVE);
    carry(ui->Quitter1, &QAction::triggered, ui->FichierFileExit1);
    carry(ui->btn_SEND, &QPushButton::clicked, ui->MAILTO);

    // The file chooser, the keyboard's twin of a drop on the list.
    ROUTE(ui->Ouvrir1, &QAction::triggered, Ouvrir1Click);
    // Popup menus.
    ROUTE(ui->Raffraichir1, &QAction::triggered, Raffraichir1Click);
    ROUTE(ui->Rechercher1, &QAction::triggered, Rechercher1Click);
    ROUTE(ui->MenuItem1, &QAction::triggered, MenuItem1Click);
    ROUTE(ui->mnu_EMAILS_edit, &QAction::triggered, mnu_EMAILS_editClick);
    ROUTE(ui->rier1, &QAction::triggered, rier1Click);
    ROUTE(ui->Majuscules1, &QAction::triggered, Majuscules1Click);
    ROUTE(ui->Minuscules1, &QAction::triggered, Minuscules1Click);
    ROUTE(ui->Supprimerlesetles1, &QAction::triggered, Supprimerlesetles1Click);
    ROUTE(ui->Enregistrerlesmodifications1, &QAction::triggered, Enregistrerlesmodifications1Click);
    ROUTE(ui->Supprimer1, &QAction::triggered, Supprimer1Click);
    ROUTE(ui->Raffraichir2, &QAction::triggered, Raffraichir2Click);

    // Controls.
    ROUTE(ui->ComboObjet, &SimpleComboBox::picked, ComboObjetClick);
    ROUTE(ui->ComboObjet, &SimpleComboBox::left, ComboObjetExit);
    ROUTE(ui->panel_msg, &CaptionPanel::buttonClicked, panel_msgButtonClick);
    ROUTE(ui->panel_SIGN, &CaptionPanel::buttonClicked, panel_SIGNButtonClick);
    ROUTE(ui->FileList_SIGN, &FileNameList::picked, FileList_SIGNChange);
    ROUTE(ui->FileList_SIGN, &FileNameList::reread, FileList_SIGNChange);
    // The template list is read when it first appears, before the window is on screen.
    route(ui->FileList_SIGN, &FileNameList::firstShown, "FileList_SIGN", [this] { m_core->templates.Read(); });
    ROUTE(&m_core->recipients.selection(), &ListSelection::chosen, JvCheckListBox1Click);
    ROUTE(ui->JvCheckListBox1, &CheckListView::lineDoubleClicked, MAILTOExecute);
    ROUTE(ui->JvCheckListBox1, &CheckListView::characterTyped, JvCheckListBox1TypeAhead);
    ROUTE(ui->Edit1, &QLineEdit::textChanged, Edit1Change);
    ROUTE(ui->btn_NEXT, &QPushButton::clicked, btn_NEXTClick);

    // Drop zones.
    ROUTE(JvDragDrop1, &DropZone::filesDropped, JvDragDrop1Drop);
    ROUTE(dropMessage, &DropZone::filesDropped, dropMessageDrop);
    ROUTE(drop_SIGN, &DropZone::filesDropped, drop_SIGNDrop);
    // Their keyboard twins: a file chosen from the fields' context menus.
    ROUTE(ui->Memo_MSG, &MemoEdit::loadFileRequested, dropMessageChoose);
    ROUTE(ui->Memo_SIGN, &MemoEdit::loadFileRequested, drop_SIGNChoose);

    // Popup menus open on the line or entry selected before the right-click.
    connect(ui->JvCheckListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_ListeEmails->popup(ui->JvCheckListBox1->viewport()->mapToGlobal(pos)); });
    connect(ui->ComboObjet, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_SUBJECTS->popup(ui->ComboObjet->mapToGlobal(pos)); });
    connect(ui->FileList_SIGN, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { Popup_FileSIGN->popup(ui->FileList_SIGN->viewport()->mapToGlobal(pos)); });
}

#undef ROUTE
#undef COMMAND

// ---------------------------------------------------------------- building

void TForm1::buildMenus()
{
    // The images of the commands, menu items and the send button, by their index in ImageList1.
    const std::pair<QAction *, int> images[] = {
        {ui->FichierFileExit1, 1},
        {ui->MAILTO, 3},
        {ui->INI_SAVE, 0},
        {ui->CHARGE_MAIL, 7},
        {ui->SAUVE_MAIL, 0},
        {ui->MSG_SAVE, 0},
        {ui->SIGN_SAVE, 0},
        {ui->INISAVE1, 0},
        {ui->Quitter1, 1},
        {ui->Rechercher1, 4},
        {ui->MenuItem1, 2},
        {ui->mnu_EMAILS_edit, 6},
        {ui->Enregistrerlesmodifications1, 0},
        {ui->Supprimer1, 2},
        {ui->Ouvrir1, 7},
    };
    for (const auto &[action, index] : images)
        action->setIcon(ImageList1(index));
    ui->btn_SEND->setIcon(ImageList1(3));

    ActionList1->setObjectName(u"ActionList1"_s);
    ui->FichierFileExit1->setProperty("category", u"Fichier"_s);
    ui->MAILTO->setProperty("category", u"MAIL"_s);
    ui->INI_GET->setProperty("category", u"INI"_s);
    ui->INI_SAVE->setProperty("category", u"INI"_s);
    ui->CHARGE_MAIL->setProperty("category", u"MAIL"_s);
    ui->SAUVE_MAIL->setProperty("category", u"MAIL"_s);
    ui->MSG_SAVE->setProperty("category", u"Fichier"_s);
    ui->SIGN_SAVE->setProperty("category", u"Fichier"_s);

    // "Enregistrer la configuration" and "&Quitter" are parted by N2; the list opened from a
    // chooser comes first, on its own.
    const QList<QAction *> separators = [&] {
        QList<QAction *> found;
        for (QAction *action : ui->Fichier1->actions())
            if (action->isSeparator())
                found.append(action);
        return found;
    }();
    separators.last()->setObjectName(u"N2"_s);

    const auto separator = [](QMenu *menu, const QString &name) { menu->addSeparator()->setObjectName(name); };

    Popup_ListeEmails = new QMenu(this);
    Popup_ListeEmails->setObjectName(u"Popup_ListeEmails"_s);
    Popup_ListeEmails->addAction(ui->Ouvrir1);
    Popup_ListeEmails->addSeparator();
    Popup_ListeEmails->addAction(ui->Raffraichir1);
    separator(Popup_ListeEmails, u"N1"_s);
    Popup_ListeEmails->addActions({ui->Rechercher1, ui->MenuItem1, ui->mnu_EMAILS_edit});
    separator(Popup_ListeEmails, u"N4"_s);
    Popup_ListeEmails->addActions({ui->rier1, ui->Majuscules1, ui->Minuscules1, ui->Supprimerlesetles1});
    separator(Popup_ListeEmails, u"N3"_s);
    Popup_ListeEmails->addAction(ui->Enregistrerlesmodifications1);

    Popup_SUBJECTS = new QMenu(this);
    Popup_SUBJECTS->setObjectName(u"Popup_SUBJECTS"_s);
    Popup_SUBJECTS->addAction(ui->Supprimer1);

    Popup_FileSIGN = new QMenu(this);
    Popup_FileSIGN->setObjectName(u"Popup_FileSIGN"_s);
    Popup_FileSIGN->addAction(ui->Raffraichir2);

    // A popup's shortcuts work only while its control has the focus: each item is an action
    // of that control with a widget-wide shortcut context (set in Form1.ui).
    ui->JvCheckListBox1->addActions(Popup_ListeEmails->actions());
    ui->ComboObjet->addActions(Popup_SUBJECTS->actions());
    ui->FileList_SIGN->addActions(Popup_FileSIGN->actions());
    ui->JvCheckListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->ComboObjet->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->FileList_SIGN->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TForm1::setUpLook()
{
    ui->panel_emails->setCaptionColor(QColor()); // the active title bar's colour

    // The signature and its templates wear the platform's tooltip colours; a window style
    // may change their text colour and border, never their background (their own style
    // sheet outweighs the application's).
    const QColor tooltipBase = QApplication::palette().color(QPalette::ToolTipBase);
    for (QWidget *w : {static_cast<QWidget *>(ui->Memo_SIGN), static_cast<QWidget *>(ui->FileList_SIGN)}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Base, tooltipBase);
        palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::ToolTipText));
        w->setPalette(palette);
        w->setStyleSheet(u"#%1 { background-color: %2; }"_s.arg(w->objectName(), tooltipBase.name()));
    }
    // After every control's own style sheet: setting one resets the control's font.
    SetWindowFonts(this);

    ScaleWidgetTree(this);
    ui->splitter_columns->setStretchFactor(0, 0);
    ui->splitter_columns->setStretchFactor(1, 1);
    ui->splitter_documents->setStretchFactor(0, 1);
    ui->splitter_documents->setStretchFactor(1, 0);
    const int width = Scaled(839);
    ui->splitter_columns->setSizes({Scaled(281), width - Scaled(281) - ui->splitter_columns->handleWidth()});
    setSignaturePaneHeight(Scaled(98));
    ui->panel_emails->setMinimumWidth(0);
    ui->panel_emails->setMinimumWidth(Scaled(120));
    ui->centralwidget->setMinimumSize(0, 0);
    resize(width, Scaled(467) + ui->MainMenu1->sizeHint().height());
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

void TForm1::refuseDropsOutsideZones()
{
    setAcceptDrops(false);
    for (QWidget *w : findChildren<QWidget *>())
        w->setAcceptDrops(false);
    for (DropZone *zone : {JvDragDrop1, dropMessage, drop_SIGN}) {
        zone->target()->setAcceptDrops(true);
        if (auto *area = qobject_cast<QAbstractScrollArea *>(zone->target()))
            area->viewport()->setAcceptDrops(true);
    }
}

// ---------------------------------------------------------------- key policy

bool TForm1::focusNextPrevChild(bool)
{
    return false; // Tab, Shift+Tab and the arrows never move the focus between controls
}

static QChar typedCharacter(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(9);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Backspace:
        return QChar(8);
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 ? text.at(0) : QChar();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        // The key reaches the focused control first; its parents see it again only when
        // the control leaves it, and must not preview it twice.
        const QWidget *focus = QApplication::focusWidget();
        const bool firstReceiver = focus ? widget == focus : widget->isWindow();
        if (firstReceiver && widget->window() == this) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)
                return openContextMenu(widget);
            return previewKey(widget, key);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Shift+F10 opens the focused control's context menu, as the context menu key does.
bool TForm1::openContextMenu(QWidget *control)
{
    QPoint at = control->rect().center();
    if (auto *text = qobject_cast<QPlainTextEdit *>(control))
        at = text->viewport()->mapTo(text, text->cursorRect().center());
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &event);
    return true;
}

bool TForm1::previewKey(QWidget *receiver, QKeyEvent *event)
{
    QChar key = typedCharacter(event);
    if (key.isNull())
        return false;
    dispatch("FormKeyPress", [&] { FormKeyPress(key); });
    if (key.isNull())
        return true;
    if (receiver == ui->Edit1)
        dispatch("Edit1KeyPress", [&] { Edit1KeyPress(key); });
    else if (receiver == ui->Memo_MSG)
        dispatch("Memo_MSGKeyPress", [&] { Memo_MSGKeyPress(key); });
    else if (receiver == ui->Memo_SIGN)
        dispatch("Memo_SIGNKeyPress", [&] { Memo_SIGNKeyPress(key); });
    return key.isNull();
}

// ---------------------------------------------------------------- lifecycle

void TForm1::setVisible(bool visible)
{
    if (visible && !m_showHookRan) {
        m_showHookRan = true;
        dispatch("FormShow", [this] { FormShow(); });
        QMainWindow::setVisible(true);
        if (m_startFocus)
            m_startFocus->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    QMainWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (dispatch("FormClose", [this] { FormClose(); }))
        event->accept();
    else
        event->ignore(); // the configuration could not be saved: the window stays open
}

void TForm1::moveFocusTo(QWidget *control)
{
    if (!isVisible()) {
        m_startFocus = control;
        return;
    }
    if (!control->isVisible())
        return;
    control->setFocus(Qt::OtherFocusReason);
    // A box that has just closed (a notice shown by the same handler) leaves the window
    // without the keyboard, and when the handler runs inside a focus change (leaving the
    // subject field), that change ends after it and would keep its own target: the move is
    // made again when the window is active again.
    if (!isActiveWindow())
        m_focusOnActivation = control;
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_focusOnActivation) {
        m_focusOnActivation->setFocus(Qt::OtherFocusReason);
        m_focusOnActivation = nullptr;
    }
}

// ---------------------------------------------------------------- data seams

RecipientList &TForm1::recipients() const
{
    return m_core->recipients;
}

LineListHolder &TForm1::subjects() const
{
    return m_core->subjects;
}

const WorkingState &TForm1::workingState() const
{
    return m_core->state;
}

TextHolder &TForm1::messageText() const
{
    return *ui->Memo_MSG;
}

TextHolder &TForm1::signatureText() const
{
    return *ui->Memo_SIGN;
}

int TForm1::signaturePaneHeight() const
{
    // Until the splitter is laid out its sizes are not the panes' yet.
    if (!ui->splitter_documents->isVisible())
        return m_signatureHeight;
    return ui->splitter_documents->sizes().value(1);
}

// A height the layout cannot show (negative, or leaving the message pane less than its
// minimum) is clamped on purpose, against the rule that the stored value is applied without
// any limit: the splitter keeps each pane at least at its minimum, and the height it shows is
// the one read back and saved.
void TForm1::setSignaturePaneHeight(int height)
{
    m_signatureHeight = height;
    const QList<int> sizes = ui->splitter_documents->sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (total <= 0)
        total = ui->splitter_documents->height();
    ui->splitter_documents->setSizes({qMax(0, total - height), height});
}

QString TForm1::currentRecipient() const
{
    return m_core->seams.currentRecipient();
}

void TForm1::setCurrentRecipient(const QString &recipient)
{
    m_core->seams.setCurrentRecipient(recipient);
}

// ---------------------------------------------------------------- hooks

void TForm1::FormCreate()
{
    execute(ui->INI_GET);
}

void TForm1::FormShow()
{
    const BusyCursor busy; // a long list loads here
    // The recipient list first; a failed load leaves the first subject unselected.
    m_core->recipientCommands.LoadAtShow();
    m_core->subjectCommands.SelectFirstSubject();
}

void TForm1::FormClose()
{
    execute(ui->INI_SAVE);
}

void TForm1::FichierFileExit1Execute()
{
    close();
}

// ---------------------------------------------------------------- keys

void TForm1::FormKeyPress(QChar &key)
{
    if (key != QChar(27))
        return;
    // Escape resets the search wherever the focus is.
    ui->Edit1->clear(); // runs Edit1Change when the field held a text
    ResetSearch(m_core->recipients);
    ui->Edit1->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::Edit1KeyPress(QChar &key)
{
    if (key == QChar(9)) {
        ui->btn_NEXT->click();
        key = QChar(); // the field keeps its text and the focus
    }
}

// ---------------------------------------------------------------- recipients

void TForm1::MAILTOExecute()
{
    MailInputs inputs;
    inputs.lineSelected = m_core->recipients.selectedIndex() >= 0;
    inputs.recipient = m_core->seams.currentRecipient();
    inputs.subject = ui->ComboObjet->text();
    inputs.message = ui->Memo_MSG->text();
    inputs.signature = ui->Memo_SIGN->text();
    MAILTO(inputs, m_dialogs, m_mail);
}
