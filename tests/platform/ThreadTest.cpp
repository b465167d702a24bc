#include "gui/MessageBoxes.h"
#include "loop/Scheduler.h"
#include "support/TestSupport.h"
#include <fw/Exceptions.h>
#include <fw/MessageBox.h>
#include <fw/Runtime.h>

#include <gtest/gtest.h>

using namespace fw;
using namespace testing_support;

namespace {

TEST(Threads, InterleaveOnlyAtYields)
{
    std::vector<std::string> log;
    auto a = StartThread([&] {
        log.push_back("a1");
        log.push_back("a2");
        RuntimeBackgroundTask();
        log.push_back("a3");
    });
    auto b = StartThread([&] {
        log.push_back("b1");
        RuntimeBackgroundTask();
        log.push_back("b2");
        RuntimeBackgroundTask();
        log.push_back("b3");
    });
    EXPECT_TRUE(log.empty()) << "Run does not switch to the new thread";
    RuntimeBackgroundTask();
    log.push_back("main");
    RuntimeBackgroundTask();
    log.push_back("main");
    RuntimeBackgroundTask();
    EXPECT_EQ(log, (std::vector<std::string> { "a1", "a2", "b1", "main", "a3", "b2", "main", "b3" }));
    EXPECT_EQ(a->state(), Thread::State::Finished);
    EXPECT_EQ(b->state(), Thread::State::Finished);
}

TEST(Threads, AThreadWaitingInAMessageBoxLetsTheOthersRun)
{
    RecordingObserver observer;
    bool dismissedSeen = false;
    int otherPasses = 0;
    auto waiting = StartThread([&] {
        MsgBox("Hello");
        dismissedSeen = true;
    });
    auto other = StartThread([&] {
        while (!dismissedSeen) {
            ++otherPasses;
            RuntimeBackgroundTask();
        }
    });
    RunRounds(5);
    EXPECT_TRUE(IsMessageBoxShowing());
    EXPECT_EQ(ShowingMessageText(), "Hello");
    EXPECT_GE(otherPasses, 5);
    EXPECT_FALSE(dismissedSeen);
    EXPECT_TRUE(DismissMessageBox());
    EXPECT_TRUE(RunRoundsUntil([&] { return other->state() == Thread::State::Finished && waiting->state() == Thread::State::Finished; }, 10));
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "message: Hello" }));
}

TEST(Threads, AThreadObjectLivesWhileItsRunLasts)
{
    bool finished = false;
    Thread* raw = nullptr;
    {
        auto thread = StartThread([&] {
            RuntimeBackgroundTask();
            finished = true;
        });
        raw = thread.get();
    }
    EXPECT_EQ(raw->refCount(), 1) << "only the run holds it";
    RunRounds(3);
    EXPECT_TRUE(finished);
    EXPECT_EQ(Scheduler::instance().liveThreadCount(), 0u);
}

// Nests until the stack gives out; the bound only keeps the compiler from calling it endless.
void Recurse(int depth, int& deepest)
{
    volatile char frame[2048];
    frame[0] = char(depth);
    deepest = depth;
    RuntimeBackgroundTask();
    if (depth < 1000000)
        Recurse(depth + 1, deepest);
    (void)frame[0];
}

TEST(Threads, DeepNestingRaisesStackOverflowAndTheProgramGoesOn)
{
    RecordingObserver observer;
    int deepest = 0;
    auto thread = StartThread([&] { Recurse(0, deepest); });
    EXPECT_TRUE(RunRoundsUntil([] { return IsMessageBoxShowing(); }, 20000));
    ASSERT_FALSE(observer.lines.empty());
    EXPECT_EQ(observer.lines.front().rfind("exception: StackOverflowException", 0), 0u) << observer.lines.front();
    EXPECT_GT(deepest, 1000);
    DismissMessageBox();
    EXPECT_TRUE(RunRoundsUntil([&] { return thread->state() == Thread::State::Finished; }, 10));

    bool ranAfterwards = false;
    StartThread([&] { ranAfterwards = true; });
    RunRounds(1);
    EXPECT_TRUE(ranAfterwards);
}

TEST(Threads, AnExceptionEndsItsThreadOnly)
{
    RecordingObserver observer;
    int otherPasses = 0;
    auto failing = StartThread([] {
        RuntimeBackgroundTask();
        throw NilObjectException("Canvas1");
    });
    auto other = StartThread([&] {
        for (int i = 0; i < 5; ++i) {
            ++otherPasses;
            RuntimeBackgroundTask();
        }
    });
    EXPECT_TRUE(RunRoundsUntil([] { return IsMessageBoxShowing(); }, 10));
    EXPECT_EQ(observer.lines.front(), "exception: NilObjectException: Canvas1 is nil");
    DismissMessageBox();
    EXPECT_TRUE(RunRoundsUntil([&] { return failing->state() == Thread::State::Finished && other->state() == Thread::State::Finished; }, 20));
    EXPECT_EQ(otherPasses, 5);
}

TEST(Threads, KillAbandonsTheRun)
{
    int passes = 0;
    auto thread = StartThread([&] {
        while (true) {
            ++passes;
            RuntimeBackgroundTask();
        }
    });
    RunRounds(3);
    thread->Kill();
    int seen = passes;
    RunRounds(3);
    EXPECT_EQ(passes, seen);
    EXPECT_EQ(thread->state(), Thread::State::Finished);
}

}
