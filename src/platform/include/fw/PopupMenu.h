#pragma once

#include <fw/TextControl.h>

#include <vector>

namespace fw {

// A pop-up menu of text rows, one of them selected.
class PopupMenu : public TextControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    // The rows, separated by carriage returns.
    void setInitialValue(const std::string& rows);
    void setListIndex(std::int32_t index);
    std::int32_t ListIndex() const { return m_index; }
    // The selected row's text; empty when no row is selected.
    std::string Text() const;
    const std::vector<std::string>& rows() const { return m_rows; }

    // A user's choice of the row with that text; false when there is none.
    bool choose(const std::string& rowText);

protected:
    void createWidget() override;
    void applyToWidget() override;
    std::int32_t leastHeight() const override;

private:
    void applyToMenu();

    std::vector<std::string> m_rows;
    std::int32_t m_index { -1 };
};

}
