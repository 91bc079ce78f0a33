#include "commands/UnicodeText.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace quirnel {
namespace {

// A read-only alias: the text is not copied.
icu::UnicodeString Alias(std::u16string_view text) {
    return icu::UnicodeString(false, text.data(), static_cast<int32_t>(text.size()));
}

std::u16string Text(const icu::UnicodeString& s) { return std::u16string(s.getBuffer(), s.length()); }

const char16_t* TransformId(Transliteration which) {
    switch (which) {
        // Hangul-Latin is the Korean transform Debian's ICU data holds that
        // works on syllables (Korean-Latin/BGN leaves them as they are).
        case Transliteration::KoreanToLatin: return u"Hangul-Latin";
        // Only Latin letters and combining marks are handed on, so that
        // Latin-ASCII's folding of « to << and — to - stays out of names.
        case Transliteration::LatinWithoutAccents: return u"[[:Latin:][:Mn:]] Latin-ASCII";
    }
    return u"";
}

}  // namespace

std::u16string Normalized(std::u16string_view text, NormalForm form) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* n = form == NormalForm::Composed ? icu::Normalizer2::getNFCInstance(status)
                                                             : icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) return std::u16string(text);
    const icu::UnicodeString source = Alias(text);
    const int32_t normalPrefix = n->spanQuickCheckYes(source, status);
    if (U_FAILURE(status) || normalPrefix == source.length()) return std::u16string(text);
    // Only the tail from the first doubtful character is normalised.
    icu::UnicodeString out(source, 0, normalPrefix);
    n->normalizeSecondAndAppend(out, source.tempSubString(normalPrefix), status);
    return U_FAILURE(status) ? std::u16string(text) : Text(out);
}

struct Transliterator::Impl {
    std::unique_ptr<icu::Transliterator> transform;
};

Transliterator::Transliterator(Transliteration which) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::Transliterator> t(
        icu::Transliterator::createInstance(icu::UnicodeString(TransformId(which)), UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status) || !t) return;
    impl_ = std::make_unique<Impl>(Impl{std::move(t)});
}

Transliterator::~Transliterator() = default;

std::u16string Transliterator::apply(std::u16string_view text) const {
    if (!impl_) return std::u16string(text);
    icu::UnicodeString s(text.data(), static_cast<int32_t>(text.size()));
    impl_->transform->transliterate(s);
    return Text(s);
}

}  // namespace quirnel
