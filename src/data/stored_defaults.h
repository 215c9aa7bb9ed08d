#pragma once
// The defaults in their stored form, generated at build time from defaults/*.txt
// by embed_defaults. Private to the data library.
#include <cstddef>

namespace data::stored {

extern const unsigned char kSystemFileNotes[];
extern const std::size_t kSystemFileNotesSize;
extern const unsigned char kExtensionList[];
extern const std::size_t kExtensionListSize;
extern const unsigned char kExtensionNotes[];
extern const std::size_t kExtensionNotesSize;

}  // namespace data::stored
