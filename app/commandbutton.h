#pragma once

#include <QPushButton>

// The runtime's command button: Return and Enter click it when it has the focus, as Space
// does, the way Windows users know it. Qt's own button takes them only in dialogs.
class CommandButton : public QPushButton
{
public:
    explicit CommandButton(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
