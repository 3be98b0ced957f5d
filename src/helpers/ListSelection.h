#pragma once

#include <QObject>

class QAbstractItemModel;

// Which line of a list is selected: one row or none. Each list model owns one, and its view
// only shows it. The model's own changes move it with its line (rows removed before it or
// inserted before it) or drop it (its row removed, the model reset); a row the program
// selects is only announced; a row the user chose (a click, an arrow, Page, Home/End, typing
// in the list) is announced and reported as chosen, also when it was already selected. Only
// a choice runs the user's selection handler.
class ListSelection : public QObject
{
    Q_OBJECT
public:
    // model: the rows this selection points into; the selection follows its row changes.
    explicit ListSelection(const QAbstractItemModel &model, QObject *parent = nullptr);

    // The selected row, or -1.
    qsizetype row() const { return m_row; }

    // The program's selection: a row of the list selects it, -1 selects none, any other value
    // changes nothing. Returns true when the row given is now the selected one.
    bool select(qsizetype row);
    // The user's choice of a row of the list: selected, then reported by chosen(). Any other
    // value changes nothing and reports nothing.
    void choose(qsizetype row);

signals:
    // The selected row changed, by whatever cause; -1 for none.
    void changed(qsizetype row);
    // The user chose this row (now the selected one).
    void chosen(qsizetype row);

private:
    void setRow(qsizetype row);
    bool inRange(qsizetype row) const;

    const QAbstractItemModel &m_model;
    qsizetype m_row = -1;
};
