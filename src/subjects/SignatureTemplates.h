#pragma once

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

    QString folder() const;

    // Makes the folder the working directory again, then lists it afresh, leaving no entry
    // selected. A folder that has gone or cannot be listed throws AppError with the open
    // message and that folder's path; the list is then left as it was.
    void Read();

    // The selected entry, or -1.
    int selectedIndex() const;
    // An entry's index selects it, -1 selects none; any other value changes nothing.
    void setSelectedIndex(int index);

    // The folder joined with the selected name; empty when nothing is selected.
    QString selectedPath() const;

signals:
    void selectedIndexChanged(int index);

private:
    QString m_folder;
    int m_selected = -1;
};
