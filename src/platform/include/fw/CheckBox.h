#pragma once

#include <fw/TextControl.h>

namespace fw {

// A check box. A user's click raises Action; setting its value from code does not.
class CheckBox : public TextControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    enum CheckedStates : std::int32_t {
        Unchecked = 0,
        Checked = 1,
        Indeterminate = 2
    };

    bool Value() const { return m_state == Checked; }
    void setValue(bool value) { setState(value ? Checked : Unchecked); }
    std::int32_t State() const { return m_state; }
    void setState(std::int32_t state);
    void setCaption(const std::string& caption);
    const std::string& caption() const { return m_caption; }

    // A user's click: toggles the box and raises Action, when it is enabled and on screen.
    void click();

protected:
    void createWidget() override;
    void applyToWidget() override;

private:
    void applyToCheckBox();
    void userToggled(bool checked);

    std::string m_caption;
    std::int32_t m_state { Unchecked };
};

}
