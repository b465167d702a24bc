#pragma once

#include <fw/Color.h>
#include <fw/TextControl.h>

namespace fw {

// A label. A carriage return in its text starts a new line.
class StaticText : public TextControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    const std::string& Text() const { return m_text; }
    void setText(const std::string& text);
    void setTextAlign(std::int32_t align);
    void setTextColor(Color color);
    void setMultiLine(bool multiLine);
    Color textColor() const { return m_textColor; }
    bool multiLine() const { return m_multiLine; }

protected:
    void createWidget() override;
    void applyToWidget() override;

private:
    void applyToLabel();

    std::string m_text;
    std::int32_t m_align { 0 };
    Color m_textColor;
    bool m_multiLine { false };
};

}
