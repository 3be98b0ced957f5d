#include "AccessibleWidgets.h"

#include "CaptionPanel.h"
#include "PaneSplitter.h"
#include "PlainPanel.h"
#include "SelectionListView.h"
#include "SimpleComboBox.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

// Runs an accessibility action once the screen reader's request has been answered: the action
// may open a modal box, which must not hold that answer back until it is closed.
template <typename Widget, typename Action>
void later(Widget *widget, Action action)
{
    QMetaObject::invokeMethod(
        widget,
        [target = QPointer<Widget>(widget), action] {
            if (target)
                action(target.data());
        },
        Qt::QueuedConnection);
}

QRect globalRect(const QWidget *widget, const QRect &local)
{
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

// A child of a widget that is no widget itself: a caption bar's button, a list's line.
class AccessiblePart : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit AccessiblePart(QWidget *owner) : m_owner(owner) {}

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_owner ? m_owner->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_owner); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

protected:
    QPointer<QWidget> m_owner;
};

// ---------------------------------------------------------------- caption panels

class AccessibleCaptionButton : public AccessiblePart
{
public:
    AccessibleCaptionButton(CaptionPanel *panel, CaptionPanel::ButtonKind kind) : AccessiblePart(panel), m_kind(kind) {}

    CaptionPanel *panel() const { return static_cast<CaptionPanel *>(m_owner.data()); }
    CaptionPanel::ButtonKind kind() const { return m_kind; }

    bool isValid() const override { return m_owner && panel()->buttons().contains(m_kind); }
    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? panel()->buttonName(m_kind) : QString();
    }
    QRect rect() const override { return isValid() ? globalRect(panel(), panel()->buttonRect(m_kind)) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::PushButton; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !isValid() || !panel()->isVisible();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (isValid() && action == pressAction())
            later(panel(), [kind = m_kind](CaptionPanel *p) { p->clickButton(kind); });
    }

private:
    CaptionPanel::ButtonKind m_kind;
};

class AccessibleCaptionPanel : public QAccessibleWidget
{
public:
    explicit AccessibleCaptionPanel(CaptionPanel *panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}
    ~AccessibleCaptionPanel() override
    {
        for (QAccessible::Id id : std::as_const(m_buttons))
            QAccessible::deleteAccessibleInterface(id);
    }

    CaptionPanel *panel() const { return static_cast<CaptionPanel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && panel()->accessibleName().isEmpty())
            return panel()->caption();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return QAccessibleWidget::childCount() + int(panel()->buttons().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const QList<CaptionPanel::ButtonKind> kinds = panel()->buttons();
        return index - widgets < kinds.size() ? button(kinds.at(index - widgets)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child) {
                const qsizetype position = panel()->buttons().indexOf(it.key());
                return position < 0 ? -1 : QAccessibleWidget::childCount() + int(position);
            }
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (CaptionPanel::ButtonKind kind : panel()->buttons())
            if (globalRect(panel(), panel()->buttonRect(kind)).contains(x, y))
                return button(kind);
        return QAccessibleWidget::childAt(x, y);
    }

private:
    QAccessibleInterface *button(CaptionPanel::ButtonKind kind) const
    {
        if (const auto found = m_buttons.constFind(kind); found != m_buttons.cend())
            return QAccessible::accessibleInterface(*found);
        auto *button = new AccessibleCaptionButton(panel(), kind);
        m_buttons.insert(kind, QAccessible::registerAccessibleInterface(button));
        return button;
    }

    mutable QHash<CaptionPanel::ButtonKind, QAccessible::Id> m_buttons;
};

// ---------------------------------------------------------------- lists

class AccessibleLine : public AccessiblePart
{
public:
    AccessibleLine(SelectionListView *view, int row) : AccessiblePart(view), m_row(row) {}

    SelectionListView *view() const { return static_cast<SelectionListView *>(m_owner.data()); }
    int row() const { return m_row; }

    bool isValid() const override
    {
        return m_owner && view()->model() && m_row >= 0 && m_row < view()->model()->rowCount();
    }
    QModelIndex index() const { return isValid() ? view()->model()->index(m_row, 0) : QModelIndex(); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? index().data(Qt::DisplayRole).toString() : QString();
    }
    QRect rect() const override
    {
        return isValid() ? globalRect(view()->viewport(), view()->visualRect(index())) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invisible = true;
            return state;
        }
        const QModelIndex at = index();
        state.selectable = true;
        state.selected = view()->selectionModel() && view()->selectionModel()->isSelected(at);
        state.focusable = view()->focusPolicy() != Qt::NoFocus;
        state.focused = view()->hasFocus() && view()->currentIndex() == at;
        state.invisible = !view()->isVisible();
        state.offscreen = !view()->viewport()->rect().intersects(view()->visualRect(at));
        if (checkable()) {
            state.checkable = true;
            state.checked = at.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        }
        return state;
    }
    QStringList actionNames() const override
    {
        if (!isValid())
            return {};
        return checkable() ? QStringList{pressAction(), toggleAction()} : QStringList{pressAction()};
    }
    void doAction(const QString &action) override
    {
        if (!isValid())
            return;
        if (action == pressAction())
            later(view(), [row = m_row](SelectionListView *v) { v->pressLine(row); });
        else if (action == toggleAction() && checkable())
            later(view(), [row = m_row](SelectionListView *v) { v->toggleLine(row); });
    }

private:
    bool checkable() const { return index().flags().testFlag(Qt::ItemIsUserCheckable); }

    int m_row;
};

// One item per line of the model's first column, made when a screen reader first asks for it
// (a list can hold a million lines) and dropped when the lines move.
class AccessibleLineList : public QAccessibleWidget
{
public:
    explicit AccessibleLineList(SelectionListView *view) : QAccessibleWidget(view, QAccessible::List) { watchModel(); }
    ~AccessibleLineList() override
    {
        for (const QMetaObject::Connection &c : std::as_const(m_connections))
            QObject::disconnect(c);
        forgetLines();
    }

    SelectionListView *view() const { return static_cast<SelectionListView *>(widget()); }

    int childCount() const override
    {
        const QAbstractItemModel *model = view()->model();
        return model ? model->rowCount() : 0;
    }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (m_watched != view()->model())
            const_cast<AccessibleLineList *>(this)->watchModel();
        if (const auto found = m_lines.constFind(index); found != m_lines.cend())
            return QAccessible::accessibleInterface(*found);
        auto *line = new AccessibleLine(view(), index);
        m_lines.insert(index, QAccessible::registerAccessibleInterface(line));
        return line;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child->role() == QAccessible::ListItem && child->parent() == this)
            return static_cast<const AccessibleLine *>(child)->row();
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex at = view()->indexAt(local);
        return at.isValid() ? child(at.row()) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
    }

private:
    // The lines move with every reset, insertion, removal or sort of the model.
    void watchModel()
    {
        for (const QMetaObject::Connection &c : std::as_const(m_connections))
            QObject::disconnect(c);
        m_connections.clear();
        forgetLines();
        m_watched = view()->model();
        if (!m_watched)
            return;
        const auto forget = [this] { forgetLines(); };
        m_connections = {
            QObject::connect(m_watched, &QAbstractItemModel::modelReset, forget),
            QObject::connect(m_watched, &QAbstractItemModel::rowsInserted, forget),
            QObject::connect(m_watched, &QAbstractItemModel::rowsRemoved, forget),
            QObject::connect(m_watched, &QAbstractItemModel::rowsMoved, forget),
            QObject::connect(m_watched, &QAbstractItemModel::layoutChanged, forget),
            QObject::connect(m_watched, &QAbstractItemModel::dataChanged,
                             [this](const QModelIndex &first, const QModelIndex &last, const QList<int> &roles) {
                                 announce(first.row(), last.row(), roles);
                             }),
        };
    }

    // A line's mark or text changed: told to the screen reader for the lines it knows.
    void announce(int first, int last, const QList<int> &roles) const
    {
        const bool mark = roles.isEmpty() || roles.contains(Qt::CheckStateRole);
        const bool name = roles.isEmpty() || roles.contains(Qt::DisplayRole);
        for (auto it = m_lines.cbegin(); it != m_lines.cend(); ++it) {
            if (it.key() < first || it.key() > last)
                continue;
            QAccessibleInterface *line = QAccessible::accessibleInterface(it.value());
            if (mark) {
                QAccessible::State changed;
                changed.checked = true;
                QAccessibleStateChangeEvent event(line, changed);
                QAccessible::updateAccessibility(&event);
            }
            if (name) {
                QAccessibleEvent event(line, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&event);
            }
        }
    }

    void forgetLines() const
    {
        const QHash<int, QAccessible::Id> lines = std::exchange(m_lines, {});
        for (QAccessible::Id id : lines)
            QAccessible::deleteAccessibleInterface(id);
    }

    mutable QHash<int, QAccessible::Id> m_lines;
    QPointer<QAbstractItemModel> m_watched;
    QList<QMetaObject::Connection> m_connections;
};

// ---------------------------------------------------------------- the rest

class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(SimpleComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = true; // its list is always shown
        return state;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<SimpleComboBox *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleWidget(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("CaptionPanel"))
        return new AccessibleCaptionPanel(static_cast<CaptionPanel *>(object));
    if (className == QLatin1String("SelectionListView"))
        return new AccessibleLineList(static_cast<SelectionListView *>(object));
    if (className == QLatin1String("SimpleComboBox"))
        return new AccessibleComboBox(static_cast<SimpleComboBox *>(object));
    if (className == QLatin1String("PlainPanel"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Client);
    if (className == QLatin1String("PaneEdge"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Separator);
    return nullptr;
}

} // namespace

void InstallAccessibleWidgets()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleWidget);
        return true;
    }();
    Q_UNUSED(installed);
}
