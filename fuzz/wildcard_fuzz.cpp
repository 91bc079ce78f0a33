// The wildcard engine and its pattern checks on any text and pattern.
#include "FuzzInput.h"
#include "commands/Wildcard.h"

using namespace quirnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::u16string text = in.Text(64), pattern = in.Text(16), replacement = in.Text(16);
    const std::u16string whole = WildcardReplace(text, pattern, replacement, WildcardOutput::WholeText);
    const std::u16string only = WildcardReplace(text, pattern, replacement, WildcardOutput::ReplacementsOnly);
    if (!PatternFound(text, pattern)) FUZZ_CHECK(whole == text);
    const std::u16string shape = PatternShape(pattern);
    FUZZ_CHECK(shape.find(u"__") == std::u16string::npos);
    (void)only;
    (void)CheckWildcardArguments(pattern, replacement);
    (void)HasWildcard(pattern);
    return 0;
}
