#pragma once

#include "files/TextHolders.h"
#include "helpers/AppError.h"

#include <QStringList>

// Plain holders standing for the window's list and text field.
class FakeLineList : public LineListHolder
{
public:
    QStringList lines;
    RememberedEncoding encoding;

    qsizetype lineCount() const override { return lines.size(); }
    QString lineAt(qsizetype index) const override { return lines.at(index); }
    void replaceLines(const QList<QStringView> &views) override
    {
        QStringList copy;
        copy.reserve(views.size());
        for (QStringView v : views)
            copy.append(v.toString());
        lines = std::move(copy);
    }
    RememberedEncoding rememberedEncoding() const override { return encoding; }
    void setRememberedEncoding(RememberedEncoding e) override { encoding = e; }
};

class FakeText : public TextHolder
{
public:
    QString content;
    RememberedEncoding encoding;

    QString text() const override { return content; }
    void setText(const QString &t) override { content = t; }
    RememberedEncoding rememberedEncoding() const override { return encoding; }
    void setRememberedEncoding(RememberedEncoding e) override { encoding = e; }
};
