// The window's command runner against the stand-in user interface.

#include "app/command_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/native/fakes.h"

namespace tarvin {
namespace {

// Each command runs under the busy pointer, with the end of the session held
// back for its reason (Wine shows no such reason): both set before the command
// and cleared after it. (That a click meanwhile is dropped, that a close and
// the end of the session wait for the command's end, shows end to end.)
TEST(CommandRunnerTest, EachCommandRunsBusyWithTheEndOfTheSessionHeldBackForItsReason) {
    Log log;
    FakeUserInterface ui(log);
    CommandRunner commands(ui);
    for (const wchar_t* reason : {L"deleting", L"moving"}) {
        EXPECT_FALSE(commands.Run(reason, [&] { log.push_back(L"command"); }));
    }
    EXPECT_THAT(log, testing::ElementsAre(L"hold deleting", L"busy", L"command", L"not busy", L"release",
                                            L"hold moving", L"busy", L"command", L"not busy", L"release"));
}

}  // namespace
}  // namespace tarvin
