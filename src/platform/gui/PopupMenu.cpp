#include <fw/PopupMenu.h>

#include "gui/PopupMenuStyle.h"
#include "gui/RectControlPrivate.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace fw {

namespace {

QComboBox* QtComboOf(const PopupMenu& control)
{
    return control.d().widgetAs<QComboBox>();
}

}

const ClassInfo& PopupMenu::StaticClass()
{
    static const ClassInfo info("PopupMenu", &TextControl::StaticClass(), FactoryOf<PopupMenu>(),
        {
            DeclareProperty("InitialValue", &PopupMenu::setInitialValue),
            DeclareProperty("ListIndex", &PopupMenu::setListIndex),
            DeclareKeptProperty("DataSource", PropertyType::String),
            DeclareKeptProperty("DataField", PropertyType::String),
        });
    return info;
}

void PopupMenu::createWidget()
{
    auto* combo = d().make<QComboBox>();
    auto* style = new PopupMenuStyle;
    style->setParent(combo);
    combo->setStyle(style);
    QObject::connect(combo, &QComboBox::activated, [this](int index) {
        m_index = index;
        raiseEvent("Change");
    });
}

void PopupMenu::applyToWidget()
{
    applyToMenu();
    TextControl::applyToWidget();
}

std::int32_t PopupMenu::leastHeight() const
{
    QWidget* widget = WidgetOf(*this);
    return widget ? widget->sizeHint().height() : 0;
}

void PopupMenu::applyToMenu()
{
    QComboBox* combo = QtComboOf(*this);
    if (!combo)
        return;
    QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& row : m_rows)
        combo->addItem(QString::fromStdString(row));
    combo->setCurrentIndex(m_index);
}

void PopupMenu::setInitialValue(const std::string& rows)
{
    m_rows.clear();
    if (!rows.empty()) {
        std::size_t start = 0;
        while (true) {
            std::size_t end = rows.find('\r', start);
            m_rows.push_back(rows.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    if (m_index >= std::int32_t(m_rows.size()))
        m_index = -1;
    applyToMenu();
}

void PopupMenu::setListIndex(std::int32_t index)
{
    m_index = index >= 0 && index < std::int32_t(m_rows.size()) ? index : -1;
    applyToMenu();
}

std::string PopupMenu::Text() const
{
    return m_index >= 0 ? m_rows[std::size_t(m_index)] : std::string();
}

bool PopupMenu::choose(const std::string& rowText)
{
    QComboBox* combo = QtComboOf(*this);
    if (!combo || !combo->isEnabled())
        return false;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i] == rowText) {
            combo->setCurrentIndex(int(i));
            m_index = std::int32_t(i);
            raiseEvent("Change");
            return true;
        }
    }
    return false;
}

}
