#include "UpDown.h"

#include "model/SettingsEdit.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

TUpDown::TUpDown(int min, int max, int position, QWidget* parent)
    : QWidget(parent), m_min(min), m_max(max), m_position(std::clamp(position, min, max)),
      m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::SetAssociate(QLineEdit* field) {
    m_associate = field;
    if (m_associate) m_associate->setText(QString::number(m_position));
}

void TUpDown::SetPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
    if (m_associate) m_associate->setText(QString::number(m_position));
}

void TUpDown::Step(int delta) {
    // The field may have been typed into since the last step: step from what it shows.
    int from = m_position;
    if (m_associate)
        if (const auto shown = SettingsEdit::ParseSignedDecimal(m_associate->text()))
            from = std::clamp(*shown, m_min, m_max);
    const int to = std::clamp(from + delta, m_min, m_max);
    const bool textDiffers = m_associate && m_associate->text() != QString::number(to);
    m_position = to;
    if (!textDiffers) return;
    m_associate->setText(QString::number(to));
    emit Stepped(to);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
