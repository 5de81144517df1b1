// The program's resources for the backends without resources of their own: the compiled
// resource script, embedded in the executable as a byte array, read through ResImage.
#include "shell/platform/resfile/res_directory.h"

extern const uint8_t vantorelResImage[];
extern const size_t vantorelResImageSize;

bool FindProgramResource(uint16_t type, uint16_t id, ResBytes* out) {
    static const ResImage image = [] {
        ResImage parsed;
        (void)parsed.Parse(vantorelResImage, vantorelResImageSize);  // empty when malformed
        return parsed;
    }();
    return image.Find(type, id, out);
}
