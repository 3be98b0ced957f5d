#pragma once

#include "dispatch/MailHandoff.h"

#include <QByteArrayList>

// A hand-off for tests: keeps every link instead of opening a mail program.
class RecordingMailHandoff : public MailHandoff
{
public:
    QByteArrayList links;
    void openMailLink(const QByteArray &link) override { links.append(link); }
};
