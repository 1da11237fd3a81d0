// getswfSize's reader on arbitrary bytes: every length is checked against the
// data, so it must refuse, never crash or read outside the buffer.
#include "SwfFileReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SwfInfo info;
    std::string error;
    if (SwfFileReader::read(data, size, info, error)) {
        for (const SwfTag &tag : info.tags) {
            if (tag.offset > info.movie.size() || tag.length > info.movie.size() - tag.offset)
                std::abort();
        }
        (void)info.widthPixels();
        (void)info.heightPixels();
    }
    return 0;
}
