// How frames reach an X display is chosen before Qt connects to it, from the environment and the
// display's pixel size.
#include "gui/FrameTransport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include <optional>

using namespace fw;

namespace {

// The variable's value; none when it is not set, which differs from set and empty.
std::optional<QByteArray> Variable(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

// Sets a variable for one test and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QByteArray> value)
        : m_name(name)
        , m_saved(Variable(name))
    {
        set(value);
    }
    ~ScopedVariable() { set(m_saved); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const std::optional<QByteArray>& value)
    {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char* m_name;
    std::optional<QByteArray> m_saved;
};

TEST(FrameTransport, TheUsersSettingWinsAndZeroOrEmptyKeepSharedMemoryOn)
{
    struct Case {
        const char* what;
        std::optional<QByteArray> given;
        std::optional<QByteArray> left;
    };
    const Case cases[] = {
        { "off, as the user set it", QByteArray("1"), QByteArray("1") },
        { "off, in any other word", QByteArray("yes"), QByteArray("yes") },
        { "\"0\": on, so Qt must not see it set", QByteArray("0"), std::nullopt },
        { "empty: on", QByteArray(""), std::nullopt },
        { "unset, on a platform that is no X display: left alone", std::nullopt, std::nullopt },
    };
    ScopedVariable platform("QT_QPA_PLATFORM", QByteArray("offscreen"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariable variable("QT_XCB_NO_MITSHM", c.given);
        ChooseFrameTransport();
        EXPECT_EQ(Variable("QT_XCB_NO_MITSHM"), c.left);
    }
}

TEST(FrameTransport, ADisplayThatCannotBeReachedHasNoPixelSize)
{
    for (const char* display : { "", ":4711" }) {
        SCOPED_TRACE(display);
        ScopedVariable variable("DISPLAY", *display ? std::optional<QByteArray>(display) : std::nullopt);
        EXPECT_EQ(DisplayBitsPerPixel(), 0);
    }
}

}
