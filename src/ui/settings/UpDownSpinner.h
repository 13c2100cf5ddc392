#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrow buttons that steps a position between limits, optionally
// writing it into an attached box. It takes no keyboard focus; the up and down
// arrow keys in the attached (or a listening) box step it instead.
class UpDownSpinner : public QWidget
{
    Q_OBJECT

public:
    UpDownSpinner(int minimum, int maximum, int increment, int position, QWidget *parent = nullptr);

    int position() const { return m_position; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // Moves to position, clamped to the limits; emits changing() first when it moves.
    void setPosition(int position);
    void stepBy(int steps);

    // The box shows the position; when its text is a number, a step starts from it.
    void attachTo(QLineEdit *box);
    // Arrow keys in box step this spinner, without it showing the position.
    void listenTo(QLineEdit *box);

signals:
    void changing(int newPosition);
    void changed(int position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_minimum;
    int m_maximum;
    int m_increment;
    int m_position;
    QLineEdit *m_buddy = nullptr;
    QToolButton *m_up;
    QToolButton *m_down;
};
