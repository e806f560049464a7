// DDS textures, as the texture registry reads them from the bitmaps folders.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "engine/DdsImage.h"

namespace fuzz {

void FuzzDds(std::string_view input) {
    Guarded([input] {
        std::string error;
        const platform::Image image = DecodeDds(input, &error);
        // A picture comes whole or not at all, and a refusal says why.
        if (image.IsEmpty() && error.empty()) std::abort();
        if (!image.IsEmpty() && image.pixels.size() != size_t(image.width) * size_t(image.height)) std::abort();
    });
}

}  // namespace fuzz
