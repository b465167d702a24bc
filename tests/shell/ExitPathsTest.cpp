// Every way out of the process, each in a process of its own: the program's own (Quit, also
// mid-flight or while a thread waits in its message; the last window closing; an exception that
// nothing caught, of any type) and exit() called by a library while the framework still stands (with the
// sound loaded, with a message box up during a flight, with a thread mid-flight or on its own
// stack). Each ends with its status and touches no freed memory: in the sanitizer build any
// report on standard error fails the case.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <ostream>

namespace {

struct WayOut {
    const char* name;
    int status;
};

void PrintTo(const WayOut& way, std::ostream* out)
{
    *out << way.name;
}

class ExitPaths : public ::testing::TestWithParam<WayOut> { };

TEST_P(ExitPaths, EndWithTheirStatusAndReportNothing)
{
    QProcess probe;
    probe.start(QStringLiteral(QUENDAL_EXIT_PROBE), { QString::fromLatin1(GetParam().name) });
    ASSERT_TRUE(probe.waitForFinished(120000)) << "the probe did not end";
    QString errors = QString::fromLocal8Bit(probe.readAllStandardError());
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(probe.exitCode(), GetParam().status) << errors.toStdString();
    static const QRegularExpression report(QStringLiteral(QUENDAL_SANITIZER_REPORT));
    EXPECT_FALSE(errors.contains(report)) << errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ways, ExitPaths,
    ::testing::Values(WayOut { "quit", 0 }, WayOut { "quit-mid-flight", 0 }, WayOut { "quit-with-message-in-flight", 0 },
        WayOut { "last-window-closed", 0 },
        WayOut { "unhandled-exception", 1 }, WayOut { "unhandled-foreign-exception", 1 }, WayOut { "exit-with-sound", 3 }, WayOut { "exit-with-message-in-flight", 3 },
        WayOut { "exit-mid-flight", 3 }, WayOut { "exit-on-thread", 3 }),
    [](const ::testing::TestParamInfo<WayOut>& tested) {
        std::string name;
        for (const char* c = tested.param.name; *c; ++c)
            name += *c == '-' ? '_' : *c;
        return name;
    });

}
