#pragma once

#include <QString>

class Dialogs;
class GeometryWindow;
class SubjectCommands;

// What the configuration commands ask of the main window.
class ConfigWindow
{
public:
    virtual ~ConfigWindow() = default;

    // The main window as the geometry helpers see it.
    virtual GeometryWindow &geometryWindow() = 0;
    // The height of the signature pane panel_SIGN, in pixels; set without any limit.
    virtual int signaturePaneHeight() const = 0;
    virtual void setSignaturePaneHeight(int height) = 0;
    // The caption of the recipient pane panel_emails.
    virtual void setRecipientCaption(const QString &caption) = 0;
};

// Reads the remembered state when the window is created: its geometry, the signature pane's
// height, the recipient list's path (FILES.LISTE_EMAILS, its current value by default) whose
// file name becomes the recipient pane's caption, then the subject list.
// A stored geometry that cannot be restored is reported through dialogs and the rest still
// loads: otherwise the next save would write an empty subject list over the user's.
// Other errors (the subjects file cannot be read) go on to the caller.
void INI_GET(ConfigWindow &window, SubjectCommands &subjects, Dialogs &dialogs);

// Writes the geometry, the pane height and the recipient list's path to the configuration
// file, then the subject list to OBJETS.TXT. The first failed write ends it with its error
// (AppError); the steps after it are skipped. Neither the recipient list nor the documents
// are saved.
void INI_SAVE(ConfigWindow &window, SubjectCommands &subjects);
