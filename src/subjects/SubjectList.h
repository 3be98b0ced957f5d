#pragma once

#include "files/TextHolders.h"
#include "helpers/ListSelection.h"

#include <QStringListModel>

// The subjects offered under the subject field, in the order read from OBJETS.TXT and then
// added: never sorted; equal and empty entries are allowed. Also the holder that OBJETS.TXT
// is loaded into and saved from, with its own remembered encoding.
//
// The selected entry lives here; the combo's list part only shows it. A selection made by the
// program never counts as the user's pick.
class SubjectList : public QStringListModel, public LineListHolder
{
    Q_OBJECT
public:
    explicit SubjectList(QObject *parent = nullptr);

    // LineListHolder
    qsizetype lineCount() const override;
    QString lineAt(qsizetype index) const override;
    void replaceLines(const QList<QStringView> &lines) override;
    RememberedEncoding rememberedEncoding() const override;
    void setRememberedEncoding(RememberedEncoding encoding) override;

    // Adds one entry at the end, as given.
    void append(const QString &entry);
    // Removes one entry; the selection is cleared.
    void removeEntry(int index);

    ListSelection &selection() { return m_selection; }
    const ListSelection &selection() const { return m_selection; }
    // The selected entry, or -1.
    int selectedIndex() const { return int(m_selection.row()); }
    // An entry's index selects it, -1 selects none; any other value changes nothing.
    void setSelectedIndex(int index) { m_selection.select(index); }

private:
    RememberedEncoding m_encoding;
    ListSelection m_selection;
};
