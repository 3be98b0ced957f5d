#include "DesktopMailHandoff.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
// The test Qt itself makes before it hands links to the portal.
bool InsideSandbox()
{
    return QFileInfo::exists(u"/.flatpak-info"_s) || qEnvironmentVariableIsSet("SNAP");
}
} // namespace

DesktopMailHandoff::DesktopMailHandoff()
{
    m_launcher.setFailureReport([this](const AppError &error) { reportFailure(error); });
}

void DesktopMailHandoff::openMailLink(const QByteArray &link)
{
    if (!InsideSandbox()) {
        m_launcher.openMailLink(link);
        return;
    }
    // The link is already encoded: parsed strictly from its bytes, QUrl gives back the very
    // same bytes, so nothing is encoded twice.
    if (!QDesktopServices::openUrl(QUrl::fromEncoded(link, QUrl::StrictMode)))
        throw AppError::NoMailProgram({});
}
