#pragma once

#include "helpers/ListSelection.h"

#include <QString>
#include <QStringListModel>

// The template list FileList_SIGN: the signature documents ("*.SIGNX", extension matched
// without regard to letter case) of the folder that was the working directory when the list
// was made. Folders and hidden files are left out; names are sorted without regard to case.
class SignatureTemplates : public QStringListModel
{
    Q_OBJECT
public:
    // folder: the folder to list; the working directory of the moment when empty.
    explicit SignatureTemplates(const QString &folder = QString(), QObject *parent = nullptr);

    // Makes the folder the working directory again, then lists it afresh, leaving no entry
    // selected. A folder that has gone or cannot be listed throws AppError with the open
    // message and that folder's path; the list is then left as it was.
    void Read();

    ListSelection &selection() { return m_selection; }
    const ListSelection &selection() const { return m_selection; }
    // The selected entry, or -1.
    int selectedIndex() const { return int(m_selection.row()); }

    // The folder joined with the selected name; empty when nothing is selected.
    QString selectedPath() const;

private:
    QString m_folder;
    ListSelection m_selection;
};
