#pragma once

#include <fw/Object.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fw {

// One entry of a property list as the program writes it: a name, a type and a value.
struct PropertyEntry {
    std::string_view name;
    PropertyType type;
    std::int32_t integer { 0 };
    bool boolean { false };
    std::uint32_t rgb { 0 };
    // Text values are Mac Roman bytes; a carriage return separates lines and rows.
    std::string_view text {};

    constexpr std::size_t valueSize() const
    {
        switch (type) {
        case PropertyType::Int32:
            return 4;
        case PropertyType::Boolean:
            return 1;
        case PropertyType::Color:
            return 3;
        case PropertyType::String:
            return 4 + text.size();
        }
        return 0;
    }
    constexpr std::size_t encodedSize() const { return name.size() + 1 + valueSize(); }
};

// Typed entries, so that a list reads as name, type and value.
namespace plist {
constexpr PropertyEntry Int32(std::string_view name, std::int32_t value) { return { name, PropertyType::Int32, value }; }
constexpr PropertyEntry Bool(std::string_view name, bool value) { return { name, PropertyType::Boolean, 0, value }; }
constexpr PropertyEntry Rgb(std::string_view name, std::uint32_t rgb) { return { name, PropertyType::Color, 0, false, rgb }; }
constexpr PropertyEntry String(std::string_view name, std::string_view text) { return { name, PropertyType::String, 0, false, 0, text }; }
}

template<std::size_t N>
constexpr std::size_t EncodedSize(const PropertyEntry (&entries)[N])
{
    std::size_t size = 0;
    for (const PropertyEntry& entry : entries)
        size += entry.encodedSize();
    return size;
}

// The bytes of a list: entries back to back, each its name, a space and its value. Integers and
// string lengths are big-endian, a colour is red, green, blue, a Boolean one byte.
template<const auto& Entries>
constexpr auto EncodePropertyList()
{
    std::array<unsigned char, EncodedSize(Entries)> bytes {};
    std::size_t at = 0;
    auto put32 = [&](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes[at++] = static_cast<unsigned char>(value >> shift);
    };
    for (const PropertyEntry& entry : Entries) {
        for (char c : entry.name)
            bytes[at++] = static_cast<unsigned char>(c);
        bytes[at++] = ' ';
        switch (entry.type) {
        case PropertyType::Int32:
            put32(static_cast<std::uint32_t>(entry.integer));
            break;
        case PropertyType::Boolean:
            bytes[at++] = entry.boolean ? 1 : 0;
            break;
        case PropertyType::Color:
            bytes[at++] = static_cast<unsigned char>(entry.rgb >> 16);
            bytes[at++] = static_cast<unsigned char>(entry.rgb >> 8);
            bytes[at++] = static_cast<unsigned char>(entry.rgb);
            break;
        case PropertyType::String:
            put32(static_cast<std::uint32_t>(entry.text.size()));
            for (char c : entry.text)
                bytes[at++] = static_cast<unsigned char>(c);
            break;
        }
    }
    return bytes;
}

// A serialised list of initial properties: raw bytes with a stated length, and a name to tell it by.
class PropertyList {
public:
    constexpr PropertyList(std::string_view name, std::span<const unsigned char> bytes)
        : m_name(name)
        , m_bytes(bytes)
    {
    }
    std::string_view name() const { return m_name; }
    std::span<const unsigned char> bytes() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }

private:
    std::string_view m_name;
    std::span<const unsigned char> m_bytes;
};

// Gives every property that the list names the listed value. Each name is looked up without
// regard to case among the declared properties of the target's class and its bases, and its value
// is read by that property's type. A malformed list raises RuntimeException naming the list and
// the offset; nothing is read outside the list.
void SetProperties(Object& target, const PropertyList& list);
// Reads the list against a class without applying it: the entries' count, or the exception.
std::size_t CountPropertyEntries(const ClassInfo& targetClass, const PropertyList& list);

// Mac Roman bytes as UTF-8 text.
std::string MacRomanToUtf8(std::string_view bytes);

}
