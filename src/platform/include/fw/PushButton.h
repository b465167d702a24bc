#pragma once

#include <fw/TextControl.h>

namespace fw {

// A push button; a click raises its Action.
class PushButton : public TextControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void setCaption(const std::string& caption);
    void setDefault(bool value) { m_default = value; }
    const std::string& caption() const { return m_caption; }
    bool isDefault() const { return m_default; }

    // A user's click: raises Action when the button is enabled and on screen.
    void push();

protected:
    void createWidget() override;
    void applyToWidget() override;

private:
    bool pressAsDefault(Badge<WindowPrivate>) override;

    void applyToButton();

    std::string m_caption;
    bool m_default { false };
};

}
