#pragma once

class Dialogs;
class GeometryWindow;
class RecipientsWindow;
class SubjectCommands;
struct WorkingState;

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
};

// INI_GET and INI_SAVE: the remembered state across runs, in the working state's
// configuration file, plus the subject list in its own file.
class ConfigCommands
{
public:
    ConfigCommands(WorkingState &state, ConfigWindow &window, RecipientsWindow &recipients, SubjectCommands &subjects,
                   Dialogs &dialogs);

    // Reads the remembered state when the window is created: its geometry, the signature
    // pane's height, the recipient list's path (FILES.LISTE_EMAILS, its current value by
    // default) whose file name becomes the recipient pane's caption, then the subject list.
    // A stored geometry that cannot be restored is reported through the dialogs and the rest
    // still loads: otherwise the next save would write an empty subject list over the user's.
    // Other errors (the subjects file cannot be read) go on to the caller.
    void INI_GET();

    // Writes the geometry, the pane height and the recipient list's path to the configuration
    // file, then the subject list. The first failed write ends it with its error (AppError);
    // the steps after it are skipped. Neither the recipient list nor the documents are saved.
    void INI_SAVE();

private:
    WorkingState &m_state;
    ConfigWindow &m_window;
    RecipientsWindow &m_recipients;
    SubjectCommands &m_subjects;
    Dialogs &m_dialogs;
};
