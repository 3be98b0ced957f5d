#pragma once

#include <QListWidget>

// A list of the plain names of the files of one folder that match a mask, sorted, one name
// per line of a fixed height. A right-click opens the context menu without changing the
// selection.
class FileNameList : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString mask READ mask WRITE setMask)
public:
    explicit FileNameList(QWidget *parent = nullptr);

    QString mask() const { return m_mask; }
    void setMask(const QString &mask) { m_mask = mask; }
    QString directory() const { return m_directory; }

    // Reads the names again from folder (hidden files and folders left out). No entry is
    // selected afterwards; reread() is emitted at the end.
    void readDirectory(const QString &folder);

    static constexpr int LineHeight = 13;

signals:
    // The list's content was read again.
    void reread();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_mask = QStringLiteral("*");
    QString m_directory;
};
