#pragma once
#include <string>

namespace quirnel {

// "Quirnel v<version> (<date> Release)", two line breaks and the contact
// line, from the version and date the build was made with.
std::u16string VersionText();

}  // namespace quirnel
