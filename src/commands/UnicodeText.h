#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace quirnel {

// Unicode's canonical forms for every script: composed (NFC) and decomposed
// (NFD). A text already in the form is returned as it is, found by ICU's
// quick check without normalising it.
enum class NormalForm { Composed, Decomposed };
std::u16string Normalized(std::u16string_view text, NormalForm form);

// ICU transforms, built once per command. Korean to Latin letters spells
// each Hangul letter (hangeul, doglibmun: reversible, not the pronunciation);
// Latin without accents folds Latin letters to ASCII (é→e, ß→ss, Æ→AE) and
// leaves other scripts and symbols alone.
enum class Transliteration { KoreanToLatin, LatinWithoutAccents };
class Transliterator {
public:
    explicit Transliterator(Transliteration which);
    ~Transliterator();
    Transliterator(const Transliterator&) = delete;
    Transliterator& operator=(const Transliterator&) = delete;
    // False when the ICU data lacks the transform: every text stays as it is.
    bool ok() const { return impl_ != nullptr; }
    std::u16string apply(std::u16string_view text) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quirnel
