#pragma once

#include "files/TextHolders.h"

#include <QStringListModel>

// The subjects offered under the subject field, in the order read from OBJETS.TXT and then
// added: never sorted; equal and empty entries are allowed. Also the holder that OBJETS.TXT
// is loaded into and saved from, with its own remembered encoding.
//
// The selected entry lives here; the combo's list view mirrors selectedIndexChanged.
// A selection made by the program never counts as the user's pick.
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

    // The selected entry, or -1.
    int selectedIndex() const;
    // An entry's index selects it, -1 selects none; any other value changes nothing.
    void setSelectedIndex(int index);

signals:
    void selectedIndexChanged(int index);

private:
    RememberedEncoding m_encoding;
    int m_selected = -1;
};
