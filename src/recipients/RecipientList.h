#pragma once

#include "files/TextHolders.h"

#include <QAbstractListModel>

// The recipient lines with their marks, the one selected line and the search position.
// A Qt item model (Qt Core only) shown by the window's check-list view; built to hold
// millions of lines compactly.
//
// Roles: Qt::DisplayRole gives the line's text, Qt::CheckStateRole its mark (Checked or
// Unchecked); setData with Qt::CheckStateRole sets the mark. Every item is checkable.
//
// The selection lives here, not in the view: the view mirrors selectedIndexChanged and
// reports the user's own changes (click, arrows, type-ahead) to the window, which runs
// the recipient choice. Changes made by the program only emit selectedIndexChanged.
class RecipientList : public QAbstractListModel, public LineListHolder
{
    Q_OBJECT
public:
    explicit RecipientList(QObject *parent = nullptr);
    ~RecipientList() override;

    // QAbstractListModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // LineListHolder
    qsizetype lineCount() const override;
    QString lineAt(qsizetype index) const override;
    void replaceLines(const QList<QStringView> &lines) override;
    RememberedEncoding rememberedEncoding() const override;
    void setRememberedEncoding(RememberedEncoding encoding) override;

    bool isMarked(qsizetype index) const;
    void setMarked(qsizetype index, bool marked);

    // The selected line, or -1.
    qsizetype selectedIndex() const;
    // Selects a line by the program: an index of a line selects it (and asks the view to
    // scroll it into view), -1 leaves none selected, any other value changes nothing.
    void selectIndex(qsizetype index);

    // The search position (the list's Tag).
    qsizetype searchPosition() const;
    void setSearchPosition(qsizetype position);

    // A few rows holding the longest lines (in characters), longest first: the view measures
    // only these to size its horizontal scroll range, never every line.
    QList<qsizetype> longestLineRows(int count) const;

signals:
    void selectedIndexChanged(qsizetype index);
    void scrollToRequested(qsizetype index);
    void longestLinesChanged();

private:
    struct Store;
    Store *d;
};
