#include "app/DecoderContext.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DecoderContext, EveryVariantStartsWithItsNamesAndInterpreter) {
    const Installation installation = Installation::fromCommandLine({});
    Settings settings;
    for (const ProtocolVariant &variant : kProtocolVariants) {
        RecordingUserMessages messages;
        DecoderContext context;
        EXPECT_TRUE(context.start(installation, settings, variant.code, messages));
        EXPECT_EQ(context.startProblem(), DecoderContext::StartProblem::None) << variant.code;
        EXPECT_TRUE(context.hasTables()) << variant.code;
        EXPECT_TRUE(messages.entries().empty()) << variant.code;
    }
}

TEST(DecoderContext, AMissingNotationFolderIsAStartProblem) {
    const Installation installation("/nonexistent-quorvane-home");
    Settings settings;
    RecordingUserMessages messages;
    DecoderContext context;
    context.start(installation, settings, {}, messages);
    EXPECT_EQ(context.startProblem(), DecoderContext::StartProblem::IsdnManager);
    EXPECT_STREQ(DecoderContext::startProblemMessage(context.startProblem()),
                 "ISDN manager problem !");
    EXPECT_FALSE(context.start(installation, settings, "NOSUCH", messages));
    EXPECT_STREQ(DecoderContext::startProblemMessage(context.startProblem()), "Unknown protocol!");
}

} // namespace
} // namespace qv
