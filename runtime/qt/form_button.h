// A command button of a form as a real push button. It never takes Qt's keyboard focus and owns
// no shortcut: the model routes every key and says which button has the focus.
#pragma once

#include <QPushButton>

namespace vb {
class CommandButton;
}

namespace vb::qt {

class FormButton : public QPushButton {
    Q_OBJECT
public:
    FormButton(vb::CommandButton& button, QWidget* parent);

    vb::CommandButton* button() const { return button_; }
    void detach() { button_ = nullptr; }

    // Brings caption, geometry, visibility and focus in line with the model.
    void sync();
    bool hasModelFocus() const { return modelFocus_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    vb::CommandButton* button_;
    bool modelFocus_ = false;
    QString caption_;
};

}  // namespace vb::qt
