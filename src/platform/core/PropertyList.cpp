#include <fw/PropertyList.h>

#include <fw/Exceptions.h>

#include <array>

namespace fw {

namespace {

constexpr std::array<std::uint16_t, 128> kMacRomanHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7
};

bool IsNameByte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Walks a list entry by entry, checking every read against its end.
class ListReader {
public:
    ListReader(const ClassInfo& targetClass, const PropertyList& list)
        : m_class(targetClass)
        , m_list(list)
        , m_bytes(list.bytes())
    {
    }

    bool atEnd() const { return m_at == m_bytes.size(); }

    std::pair<const PropertyInfo*, PropertyValue> next()
    {
        std::size_t entryStart = m_at;
        std::size_t nameEnd = m_at;
        while (nameEnd < m_bytes.size() && IsNameByte(m_bytes[nameEnd]))
            ++nameEnd;
        if (nameEnd == m_at)
            fail(m_at, "no property name");
        if (nameEnd == m_bytes.size() || m_bytes[nameEnd] != ' ')
            fail(nameEnd, "the name does not end in a space");
        std::string_view name(reinterpret_cast<const char*>(m_bytes.data() + m_at), nameEnd - m_at);
        const PropertyInfo* property = m_class.findProperty(name);
        if (!property)
            fail(entryStart, m_class.name() + " has no property \"" + std::string(name) + "\"");
        m_at = nameEnd + 1;
        return { property, readValue(*property) };
    }

private:
    [[noreturn]] void fail(std::size_t offset, const std::string& what) const
    {
        throw RuntimeException("property list " + std::string(m_list.name()) + ", byte " + std::to_string(offset) + ": " + what);
    }

    void need(std::size_t count, const PropertyInfo& property) const
    {
        if (count > m_bytes.size() - m_at)
            fail(m_at, "the value of " + property.name + " is cut off by the end of the list");
    }

    std::uint32_t read32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | m_bytes[m_at++];
        return value;
    }

    PropertyValue readValue(const PropertyInfo& property)
    {
        switch (property.type) {
        case PropertyType::Int32:
            need(4, property);
            return static_cast<std::int32_t>(read32());
        case PropertyType::Boolean: {
            need(1, property);
            unsigned char byte = m_bytes[m_at];
            if (byte > 1)
                fail(m_at, "the value of " + property.name + " is no Boolean");
            ++m_at;
            return byte == 1;
        }
        case PropertyType::Color: {
            need(3, property);
            Color color { m_bytes[m_at], m_bytes[m_at + 1], m_bytes[m_at + 2] };
            m_at += 3;
            return color;
        }
        case PropertyType::String: {
            need(4, property);
            std::uint32_t length = read32();
            m_at -= 4;
            need(4 + std::size_t(length), property);
            m_at += 4;
            std::string_view text(reinterpret_cast<const char*>(m_bytes.data() + m_at), length);
            m_at += length;
            return MacRomanToUtf8(text);
        }
        }
        fail(m_at, "unknown type");
    }

    const ClassInfo& m_class;
    const PropertyList& m_list;
    std::span<const unsigned char> m_bytes;
    std::size_t m_at { 0 };
};

}

void SetProperties(Object& target, const PropertyList& list)
{
    ListReader reader(target.classInfo(), list);
    while (!reader.atEnd()) {
        auto [property, value] = reader.next();
        target.setProperty(*property, value);
    }
}

std::size_t CountPropertyEntries(const ClassInfo& targetClass, const PropertyList& list)
{
    ListReader reader(targetClass, list);
    std::size_t count = 0;
    while (!reader.atEnd()) {
        reader.next();
        ++count;
    }
    return count;
}

std::string MacRomanToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        std::uint32_t code = byte < 0x80 ? byte : kMacRomanHigh[byte - 0x80];
        if (code < 0x80) {
            text += char(code);
        } else if (code < 0x800) {
            text += char(0xC0 | (code >> 6));
            text += char(0x80 | (code & 0x3F));
        } else {
            text += char(0xE0 | (code >> 12));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        }
    }
    return text;
}

}
