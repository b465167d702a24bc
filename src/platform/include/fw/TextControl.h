#pragma once

#include <fw/Control.h>
#include <fw/TextStyle.h>

namespace fw {

// A control that shows text in a font of its own: buttons, labels, check boxes, fields, pop-ups.
class TextControl : public RectControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void setTextSize(float size);
    void setTextUnit(std::int32_t unit);
    void setTextFont(const std::string& font);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);

protected:
    void applyToWidget() override;

private:
    void applyStyle();

    TextStyle m_style;
};

}
