// Windows bitmaps, the textures' other format, through the decoder the
// texture registry uses for every file that is not a DDS.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "engine/DdsImage.h"
#include "platform/ImageFiles.h"

namespace fuzz {

void FuzzBmp(std::string_view input) {
    Guarded([input] {
        if (LooksLikeDds(input)) return;  // the registry hands those to the DDS reader
        std::string error;
        const platform::Image image = platform::DecodeBmp(input, &error);
        if (image.IsEmpty() && error.empty()) std::abort();
        if (!image.IsEmpty() && image.pixels.size() != size_t(image.width) * size_t(image.height)) std::abort();
    });
}

}  // namespace fuzz
