#pragma once
// An up-down control bound to a text field, as the radio page's spins are: its two arrows
// step the number shown in the field within a range and write the new number into it.  The
// keyboard's arrow keys are not taken over: the field keeps them for its cursor.

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int min, int max, int position, QWidget* parent = nullptr);

    // The field the arrows write into; its text is set to the position at once.
    void SetAssociate(QLineEdit* field);
    QLineEdit* Associate() const { return m_associate; }

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    // Limited to the range; the bound field shows the result.  No signal: this is how the
    // window shows a stored value, not a user's change.
    void SetPosition(int position);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    // The user stepped the spin and the field now shows `position`.
    void Stepped(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    int m_min;
    int m_max;
    int m_position;
    QLineEdit* m_associate = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
};
