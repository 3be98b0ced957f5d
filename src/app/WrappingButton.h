#pragma once

#include <QPushButton>

// A push button whose caption wraps over several lines, with its image at the left at a
// fixed margin. Only a click and Space press it: Enter never does, even though it is drawn
// as the window's default button.
class WrappingButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int imageMargin READ imageMargin WRITE setImageMargin)
public:
    explicit WrappingButton(QWidget *parent = nullptr);

    int imageMargin() const { return m_imageMargin; }
    void setImageMargin(int margin);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where the caption is drawn, in the button's coordinates.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_imageMargin = 22;
};
