#include "SimpleComboBox.h"

#include "SelectionListView.h"
#include "subjects/SubjectList.h"
#include "subjects/SubjectRules.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

SimpleComboBox::SimpleComboBox(QWidget *parent)
    : QWidget(parent),
      m_edit(new QLineEdit(this)),
      m_list(new SelectionListView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);

    m_edit->setObjectName(QStringLiteral("ComboObjet_edit"));
    m_list->setObjectName(QStringLiteral("ComboObjet_list"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_list->setContextMenuPolicy(Qt::NoContextMenu);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);

    m_edit->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &SelectionListView::linePressed, this, &SimpleComboBox::listLinePressed);

    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &SimpleComboBox::onFocusChanged);
}

SimpleComboBox::~SimpleComboBox()
{
    // The focus leaves the parts while QWidget's destructor runs: too late to watch it.
    disconnect(m_focusWatch);
}

bool SimpleComboBox::owns(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void SimpleComboBox::onFocusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of this window leaves the field: no focus at all
    // (another application is active) and the windows of menus and boxes do not count.
    if (owns(old) && now && !owns(now) && now->window() == window())
        emit left();
}

QListView *SimpleComboBox::listView() const
{
    return m_list;
}

QString SimpleComboBox::text() const
{
    return m_edit->text();
}

void SimpleComboBox::setText(const QString &text)
{
    m_edit->setText(text);
}

void SimpleComboBox::setSubjectList(SubjectList *subjects)
{
    disconnect(m_choiceWatch);
    m_subjects = subjects;
    QItemSelectionModel *previous = m_list->selectionModel();
    m_list->setModel(subjects);
    delete previous; // setModel leaves the old selection model to its owner
    if (!subjects)
        return;
    m_list->showSelection(subjects->selection());
    m_choiceWatch =
        connect(&subjects->selection(), &ListSelection::chosen, this, [this](qsizetype row) { emit picked(int(row)); });
}

int SimpleComboBox::currentIndex() const
{
    return m_subjects ? m_subjects->selectedIndex() : -1;
}

void SimpleComboBox::pick(int row)
{
    m_edit->setText(m_subjects->lineAt(row));
    m_subjects->selection().choose(row);
}

void SimpleComboBox::moveSelection(int step)
{
    const int count = m_subjects ? m_subjects->rowCount() : 0;
    if (count == 0)
        return;
    const int current = currentIndex();
    const int target = current < 0 ? 0 : qBound(0, current + step, count - 1);
    if (target == current)
        return;
    pick(target);
    m_edit->selectAll();
}

bool SimpleComboBox::complete(const QString &typed)
{
    if (!m_subjects)
        return false;
    const int selStart = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    const int selEnd = m_edit->hasSelectedText() ? selStart + int(m_edit->selectedText().size()) : selStart;
    const QString current = m_edit->text();
    const auto completion = CompleteSubject(m_subjects->stringList(), QStringView(current).first(selStart), typed,
                                            QStringView(current).sliced(selEnd));
    if (!completion)
        return false;
    m_edit->setText(completion->text);
    m_edit->setSelection(int(completion->selectionStart), int(completion->selectionLength));
    if (currentIndex() != completion->entryIndex)
        m_subjects->selection().choose(completion->entryIndex);
    return true;
}

// A click in the list part picks the entry under it, unless it is the selected one; either
// way the keyboard goes to the edit part. The list never selects anything by itself.
bool SimpleComboBox::listMouseEvent(QMouseEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress || event->button() != Qt::LeftButton)
        return true; // the popup menu opens on a right-click; no selection by dragging
    listLinePressed(m_list->indexAt(event->position().toPoint()).row());
    return true;
}

void SimpleComboBox::listLinePressed(int row)
{
    m_edit->setFocus(Qt::MouseFocusReason);
    if (m_subjects && row >= 0 && row < m_subjects->rowCount() && row != currentIndex())
        pick(row);
}

bool SimpleComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Up:
            moveSelection(-1);
            return true;
        case Qt::Key_Down:
            moveSelection(+1);
            return true;
        case Qt::Key_Backspace:
            if (!m_edit->text().isEmpty()) {
                m_edit->backspace();
                if (m_subjects)
                    m_subjects->setSelectedIndex(-1);
            }
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        default:
            break;
        }
        const QString typed = key->text();
        const bool printable = typed.size() == 1 && typed.at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (printable && complete(typed))
            return true;
        return false;
    }
    if (event->type() == QEvent::ContextMenu && (watched == m_edit || watched == m_list->viewport())) {
        // One popup menu for the whole control, whichever part was right-clicked.
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        QContextMenuEvent forwarded(menuEvent->reason(), mapFromGlobal(menuEvent->globalPos()), menuEvent->globalPos(),
                                    menuEvent->modifiers());
        QApplication::sendEvent(this, &forwarded);
        return true;
    }
    if (watched == m_list->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return listMouseEvent(static_cast<QMouseEvent *>(event));
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
