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
    QLineEdit* Associate() const { return Associate_; }

    int Min() const { return Min_; }
    int Max() const { return Max_; }
    int Position() const { return Position_; }
    // Limited to the range; the bound field shows the result.  No signal: this is how the
    // window shows a stored value, not a user's change.
    void SetPosition(int position);

    QToolButton* UpButton() const { return Up_; }
    QToolButton* DownButton() const { return Down_; }

signals:
    // The user stepped the spin and the field now shows `position`.
    void Stepped(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    int Min_;
    int Max_;
    int Position_;
    QLineEdit* Associate_ = nullptr;
    QToolButton* Up_;
    QToolButton* Down_;
};
