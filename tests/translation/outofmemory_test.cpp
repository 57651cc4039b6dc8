// Memory exhaustion while a text is built: the process ends with status -1 after the host's error
// service has shown the out-of-memory message, passed through this component's translator.

#include "frame/component.h"
#include "host/errorservice.h"
#include "host/hostcontext.h"
#include "host/translatorservice.h"
#include "memory/heaphook.h"
#include "memory/outofmemory.h"
#include "translation/currenttranslator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The heap refuses every request above one megabyte; smaller ones (the message itself) still succeed.
constexpr std::size_t kLargestGranted = std::size_t(1) << 20;
VelHeapFunctions g_realHeap;

void* allocateSmallOnly(std::size_t bytes) {
    return bytes > kLargestGranted ? nullptr : g_realHeap.allocate(bytes);
}
void* reallocateSmallOnly(void* block, std::size_t bytes) {
    return bytes > kLargestGranted ? nullptr : g_realHeap.reallocate(block, bytes);
}

// Builds a text of two megabytes with the heap refusing large requests. Runs in the death test's child.
void buildTooLargeText(const std::u16string& source) {
    g_realHeap = g_velHeap;
    const VelHeapFunctions refusing{allocateSmallOnly, reallocateSmallOnly, g_realHeap.release};
    velSetHeapFunctions(&refusing);
    PooledString text;
    text.setUtf16(source.data(), int32_t(source.size()));
}

TEST(StringsOutOfMemoryDeathTest, TheMessageIsShownInThisComponentsTranslation) {
    const std::u16string source(kLargestGranted, u'x');
    EXPECT_EXIT(
        {
            velForgetTranslator();
            auto* context = new VelHostContext(); // kept until the child process ends
            auto* errors = new VelHostErrorService();
            errors->setEchoToStderr(true);
            context->offer<IVelErrorService>(errors);
            auto* translators = new VelHostTranslatorService();
            translators->tableTranslator(velComponentId())
                ->add(kVelOutOfMemoryMessage, QStringLiteral("Kein Speicher mehr."));
            context->offer<IVelTranslatorService>(translators);
            velSetHostContext(context);
            buildTooLargeText(source);
        },
        ::testing::ExitedWithCode(255), "\\[level 1\\] Kein Speicher mehr\\.");
}

} // namespace
