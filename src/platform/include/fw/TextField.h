#pragma once

#include <fw/Color.h>
#include <fw/TextControl.h>

namespace fw {

// A one-line text field.
class TextField : public TextControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    std::string Text() const;
    void setText(const std::string& text);
    void setBackColor(Color color);
    void setTextColor(Color color);
    void setBorder(bool border);
    void setPassword(bool password);
    void setCueText(const std::string& cue);
    void setReadOnly(bool readOnly);
    void setLimitText(std::int32_t limit);
    void setAlignment(std::int32_t alignment);

    // A user's typing that replaces the whole text.
    void type(const std::string& text);

protected:
    void createWidget() override;
    void applyToWidget() override;

private:
    void applyToField();
    void applyText();

    std::string m_text;
    Color m_backColor { 255, 255, 255 };
    Color m_textColor;
    bool m_border { true };
    bool m_password { false };
    std::string m_cueText;
    bool m_readOnly { false };
    std::int32_t m_limit { 0 };
    std::int32_t m_alignment { 0 };
};

}
