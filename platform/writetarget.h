#pragma once

#include <string>

// How a write to a path reaches the disk, decided here for every file the
// program writes:
// - a regular file, or a name that does not exist yet, is written beside
//   itself and replaces the old file only when whole; a symbolic link, even
//   one whose file does not exist yet, is followed, so that the link stays
//   and the file it names is the one written;
// - a pipe, FIFO or character device (/dev/null, a terminal), a name of an
//   open descriptor (/dev/stdout, /dev/fd/N) and "-" (the standard output)
//   are streamed to as they are, never replaced by a regular file;
// - a read-only file, a folder and anything else are refused with the reason.
struct WriteTarget {
    enum class Kind { File, Stream, Refused };

    Kind kind = Kind::File;
    // The file that is really written (symbolic links followed), or the
    // stream's own name.
    std::string path;
    // Why a refused target cannot be written, as the end of a sentence.
    std::string refusal;

    static WriteTarget Of(const std::string& path);
};
