#include "platform/SystemClock.h"
#include "platform/WaitCursor.h"
#include "tests/support/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <stdexcept>

using kiv::MessageAnswer;
using kiv::MessageButtons;

TEST(UiServices, WaitCursorEndsOnEveryWayOut)
{
    kiv::test::ScriptedUiServices scripted;
    const kiv::UiServices services = scripted.services();
    try {
        const kiv::WaitCursor outer(services.cursors);
        const kiv::WaitCursor inner(services.cursors);
        EXPECT_EQ(scripted.waitDepth(), 2);
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(scripted.waitDepth(), 0);
    EXPECT_EQ(scripted.waitCursorsShown(), 2);
}

TEST(UiServices, ScriptedMessagesRecordAndAnswer)
{
    kiv::test::ScriptedUiServices scripted;
    kiv::MessageBoxes& messages = scripted.services().messages;
    scripted.messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(messages.show({QStringLiteral("Attention !"), QStringLiteral("Save?"), MessageButtons::YesNo}),
              MessageAnswer::No);
    EXPECT_EQ(messages.show({QStringLiteral("Attention"), QStringLiteral(" Sorry")}), MessageAnswer::Ok);
    EXPECT_EQ(messages.show({QStringLiteral("Note : "), QStringLiteral("Again?"), MessageButtons::YesNo}),
              MessageAnswer::Yes);
    EXPECT_EQ(scripted.messages.unanswered(), 1);
    EXPECT_EQ(scripted.messages.captions(),
              (std::vector<QString>{QStringLiteral("Attention !"), QStringLiteral("Attention"), QStringLiteral("Note : ")}));
    EXPECT_EQ(scripted.messages.texts().at(1), QStringLiteral(" Sorry"));

    scripted.files.queueAnswer(QStringLiteral("/tmp/a.set"));
    EXPECT_EQ(scripted.services().files.saveFile({QStringLiteral("Save")}), QStringLiteral("/tmp/a.set"));
    EXPECT_EQ(scripted.services().files.openFile({}), std::nullopt);
    ASSERT_EQ(scripted.files.shown().size(), 2u);
    EXPECT_EQ(scripted.files.shown()[0].kind, kiv::test::ScriptedFileDialogs::Kind::Save);
}

TEST(UiServices, TickCountDifferencesSurviveTheWrap)
{
    kiv::test::ScriptedUiServices scripted;
    kiv::Clock& clock = scripted.services().clock;
    scripted.clock.setMonotonicMs(0xFFFFFFF0u);
    const std::uint32_t before = clock.tickCount();
    scripted.clock.advanceMs(0x30);
    EXPECT_LT(clock.tickCount(), before);
    EXPECT_EQ(static_cast<std::uint32_t>(clock.tickCount() - before), 0x30u);

    kiv::SystemClock system;
    const std::uint64_t first = system.monotonicMs();
    EXPECT_GE(system.monotonicMs(), first);
    EXPECT_GT(system.now().secondsSince1970(), 1'700'000'000);
}
