// A read-only COM stream over bytes in memory, for the system codecs. Internal, Windows only.
#pragma once
#include <objidl.h>

#include <string_view>

namespace imglib::system {

// A stream over a copy of the bytes; nullptr when memory runs out. The caller releases it.
// A read never goes past the last byte: at or past the end it delivers nothing and
// answers S_FALSE, however far a seek went.
IStream* NewBoundedStream(std::string_view bytes);

}  // namespace imglib::system
