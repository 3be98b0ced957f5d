#include "helpers/Guard.h"

#include "helpers/AppError.h"

bool RunGuarded(Dialogs &dialogs, const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const SilentAbort &) {
        return false;
    } catch (const AppError &error) {
        dialogs.ReportError(error.message());
    } catch (const std::exception &error) {
        dialogs.ReportError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        dialogs.ReportError(QStringLiteral("Erreur inconnue"));
    }
    return false;
}
