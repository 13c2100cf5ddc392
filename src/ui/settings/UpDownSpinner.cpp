#include "UpDownSpinner.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

UpDownSpinner::UpDownSpinner(int minimum, int maximum, int increment, int position, QWidget *parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_increment(increment)
    , m_position(std::clamp(position, minimum, maximum))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton *button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDownSpinner::setPosition(int position)
{
    position = std::clamp(position, m_minimum, m_maximum);
    if (position == m_position)
        return;
    emit changing(position);
    m_position = position;
    if (m_buddy)
        m_buddy->setText(QString::number(m_position));
    emit changed(m_position);
}

void UpDownSpinner::stepBy(int steps)
{
    int from = m_position;
    if (m_buddy) {
        bool isNumber = false;
        const int typed = m_buddy->text().toInt(&isNumber);
        if (isNumber)
            from = std::clamp(typed, m_minimum, m_maximum);
    }
    const int target = std::clamp(from + steps * m_increment, m_minimum, m_maximum);
    if (target == m_position && m_buddy && m_buddy->text() != QString::number(target))
        m_buddy->setText(QString::number(target));
    setPosition(target);
}

void UpDownSpinner::attachTo(QLineEdit *box)
{
    m_buddy = box;
    box->setText(QString::number(m_position));
    listenTo(box);
}

void UpDownSpinner::listenTo(QLineEdit *box)
{
    box->installEventFilter(this);
}

bool UpDownSpinner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownSpinner::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
