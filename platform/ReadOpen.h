#pragma once
// Opens a file that the user or a setting names, for reading. The open never waits (a FIFO
// without a writer, a device) and only a regular file stays open: anything else is refused before
// a byte is read, so that no name can hold the program. Without Qt, so that the World Data Bank
// reader shared with the data tools opens its files here too; the program's readers use it
// through ReadableFile.

#include <cstdint>

namespace kiv {

struct ReadOpen {
    int fd = -1;             // reads wait as usual; closed on exec; the caller closes it
    int error = 0;           // the system's error number of a failed open
    bool notRegular = false; // a FIFO, a device, a socket or a folder
    std::int64_t size = 0;   // the file's size when it was opened
};

ReadOpen openForReading(const char* path);

} // namespace kiv
