#pragma once

#include "files/TextHolders.h"
#include "helpers/ListSelection.h"

#include <QAbstractListModel>

#include <memory>
#include <vector>

// The recipient lines with their marks, the one selected line and the search position.
// A Qt item model (Qt Core only) shown by the window's check-list view; built to hold
// millions of lines compactly (one byte per character for nearly every line).
//
// Roles: Qt::DisplayRole gives the line's text, Qt::CheckStateRole its mark (Checked or
// Unchecked); setData with Qt::CheckStateRole sets the mark. Every item is checkable.
//
// The selection lives here, not in the view: the view only shows it, and reports the user's
// own choices (click, arrows, type-ahead) through it; the window runs the recipient choice
// for those. A selection made by the program is only announced.
class RecipientList : public QAbstractListModel, public LineListHolder
{
    Q_OBJECT
public:
    explicit RecipientList(QObject *parent = nullptr);
    ~RecipientList() override;

    // QAbstractListModel
    // index() as QAbstractListModel's, without its calls back into the model: a view laying
    // out a million rows asks for every one.
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // LineListHolder. replaceLines clears every mark and leaves no line selected.
    qsizetype lineCount() const override;
    QString lineAt(qsizetype index) const override;
    void replaceLines(const QList<QStringView> &lines) override;
    // A file's lines straight from its bytes, kept in them: no UTF-16 copy of the whole text.
    bool replaceLinesFromFileText(FileText &text) override;
    RememberedEncoding rememberedEncoding() const override;
    void setRememberedEncoding(RememberedEncoding encoding) override;

    bool isMarked(qsizetype index) const;
    void setMarked(qsizetype index, bool marked);
    qsizetype markedCount() const;

    // The one selected line.
    ListSelection &selection() { return m_selection; }
    const ListSelection &selection() const { return m_selection; }
    // The selected line, or -1.
    qsizetype selectedIndex() const { return m_selection.row(); }
    // Selects a line by the program: an index of a line selects it (and asks the view to
    // scroll it into view), -1 leaves none selected, any other value changes nothing.
    void selectIndex(qsizetype index);

    // The search position (the list's Tag).
    qsizetype searchPosition() const;
    void setSearchPosition(qsizetype position);

    // The one-byte text of a line kept one byte per character (NarrowCodePage); a null view
    // for a line that does not fit (lineAt gives its text). Valid until the list changes.
    QByteArrayView narrowLineAt(qsizetype index) const;

    // A few rows holding the longest lines (in characters), longest first: the view measures
    // only these to size its horizontal scroll range, never every line.
    QList<qsizetype> longestLineRows(int count) const;

    // --- Editing, for the list's commands ---

    // Replaces one line's text; its mark and the selection stay.
    void setLineText(qsizetype index, QStringView text);
    // Removes one line. The selection follows its line; removing the selected line leaves
    // none selected.
    void removeLine(qsizetype index);
    // Removes every marked line, with the same selection rule. Returns how many went.
    qsizetype removeMarkedLines();
    // Puts the lines in a new order: row r receives the line that was at order[r] (a
    // permutation of every row). Marks move with their lines; the selection keeps its row.
    void reorderLines(const std::vector<qsizetype> &order);

    // The whole-text rewrites: every line's text rewritten by itself, as if the text of the
    // whole list had been rewritten and split again. Marks are cleared, no line is selected.
    enum class Rewrite { AsciiUpper, AsciiLower, RemoveAngleBrackets };
    // False when some line holds a CR, an LF or a U+0000: splitting the rewritten whole text
    // again would then not give back line for line, so the caller must go through the text.
    bool rewritesLineByLine() const;
    void rewriteLines(Rewrite rewrite);

    // --- Searching, without touching the selection or the search position ---

    // The first line at or after start that contains text, ignoring case (each UTF-16 unit
    // upper-cased on its own, so é matches É); lineCount() when none does. An empty text is
    // contained in no line.
    qsizetype findContaining(QStringView text, qsizetype start) const;
    // The first line that begins with text, ignoring case in the same way; -1 when none does
    // or when text is empty.
    qsizetype findStartingWith(QStringView text) const;

signals:
    void scrollToRequested(qsizetype index);
    void longestLinesChanged();

private:
    struct Store;
    std::unique_ptr<Store> d;
    ListSelection m_selection;

    // Puts freshly built lines in place of the old ones: marks cleared, no line selected.
    void adoptLines(Store &&fresh);
};
