// getswfSize: prints the frame size of an SWF file as "W|H" in pixels.
#include "SwfFileReader.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: getswfSize FILE.swf\n");
        return 2;
    }
    SwfInfo info;
    std::string error;
    if (!SwfFileReader::readFile(argv[1], info, error)) {
        std::fprintf(stderr, "getswfSize: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::printf("%d|%d\n", info.widthPixels(), info.heightPixels());
    return 0;
}
