#pragma once
// A JPEG's EXIF read by ourselves, for the common photo whose segments hold
// nothing unusual: it saves the library's whole parse. Whatever it does not
// know for certain it hands back, and the photo goes to Exiv2.
#include <string_view>

#include "metadata/FieldTypes.h"

namespace quirnel::media {

// The fields a JPEG's first bytes give, as ReadPhoto would set them; false
// (and out untouched) when the file should go to Exiv2 instead: not a JPEG,
// no EXIF segment, an XMP segment, a value of an unexpected type, anything
// out of bounds, or the frame header beyond these bytes.
bool ReadJpegExif(std::string_view bytes, MediaFields& out);

}  // namespace quirnel::media
