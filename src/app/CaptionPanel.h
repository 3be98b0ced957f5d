#pragma once

#include <QColor>
#include <QHash>
#include <QWidget>

// A panel with a coloured caption bar along its top or its right side. The bar is as thick
// as a window title bar (4 pixels thinner and flush with the edge in the thin look) and
// carries the caption in white bold Tahoma, 8 pixels from the bar's start (fewer when it
// would run under the bar's buttons), turned a quarter turn clockwise on a right-side bar.
// Optional title-bar buttons sit at the bar's end and raise buttonClicked. The content (a layout set on the panel)
// fills the rest.
class CaptionPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
    Q_PROPERTY(bool captionOnRight READ captionOnRight WRITE setCaptionOnRight)
    Q_PROPERTY(bool thinLook READ thinLook WRITE setThinLook)
    Q_PROPERTY(bool restoreButton READ hasRestoreButton WRITE setRestoreButton)
public:
    // In the order of the kinds a caption-bar button event can carry.
    enum class ButtonKind { Close, Maximise, Minimise, Restore, Help };
    Q_ENUM(ButtonKind)

    explicit CaptionPanel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // An invalid colour means the active title bar's colour (the palette's highlight).
    QColor captionColor() const { return m_color; }
    void setCaptionColor(const QColor &color);
    bool captionOnRight() const { return m_onRight; }
    void setCaptionOnRight(bool onRight);
    bool thinLook() const { return m_thin; }
    void setThinLook(bool thin);
    bool hasRestoreButton() const { return m_buttons.contains(ButtonKind::Restore); }
    void setRestoreButton(bool shown);
    void setButtons(const QList<ButtonKind> &buttons);
    QList<ButtonKind> buttons() const { return m_buttons; }

    // What a screen reader calls a button of the bar (accessibility data only: the bar
    // shows the button's glyph).
    QString buttonName(ButtonKind kind) const { return m_buttonNames.value(kind); }
    void setButtonName(ButtonKind kind, const QString &name);
    // Presses a button of the bar as a click does (for the accessibility action).
    void clickButton(ButtonKind kind);

    // The bar's rectangle and a button's rectangle, in the panel's coordinates.
    QRect captionBarRect() const;
    QRect buttonRect(ButtonKind kind) const;
    // Where the caption is drawn on its bar, whole: 8 pixels from the bar's start, or fewer
    // when it would otherwise run under the bar's buttons.
    QRect captionTextRect() const;

signals:
    void buttonClicked(CaptionPanel::ButtonKind kind);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int barThickness() const;
    int barInset() const;
    void updateMargins();
    int buttonAt(const QPoint &pos) const;

    QString m_caption;
    QColor m_color;
    bool m_onRight = false;
    bool m_thin = false;
    QList<ButtonKind> m_buttons;
    QHash<ButtonKind, QString> m_buttonNames;
    int m_pressedButton = -1;
};
