#pragma once

#include <string>
#include <string_view>

namespace voltaro {

// Every write below puts a file in place at `path`. When `path` is a symbolic link, the file
// its links lead to is replaced (in that file's folder) and the link stays. A target that is
// not a regular file (a device, a FIFO, a socket, a folder) is refused with
// "PATH: Not a regular file" in `error`, and nothing is written.

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk and renames
// it over `path`, so readers see the old file or the new one, never half of one. On
// failure `path` is untouched, the temporary file is gone, and `error` holds the
// system's text.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// The same for a copy of the file `source`; `error` names the file that failed. Both flush to the disk.
bool CopyFileAtomically(const std::string& source, const std::string& path, std::string& error);

// For a writer that opens its file by name: a new empty file beside `path` (so that a rename
// can replace `path`), or an empty name with the system's text in `error`. The writer fills
// it and hands it to MoveFileIntoPlace, or removes it when it fails.
std::string CreateFileBeside(const std::string& path, std::string& error);

// The same, left open for writing: its descriptor, with its name in `temporary`, or -1 with
// the system's text in `error`. (Opening it again by name to write would truncate it, which
// some file systems answer with a flush to the disk when it is closed.)
int OpenFileBeside(const std::string& path, std::string& temporary, std::string& error);

// How a finished file goes into place. Either way a reader sees the whole file or none of it;
// ToDisk also survives a power cut (settings, copies, workbooks: small and precious), while
// the streamed data files leave the writing to the system, which a flush would slow to the
// disk's own speed.
enum class Flush { ToDisk, BySystem };

// Renames the finished `temporary` over `path`. On failure `path` is untouched, `temporary`
// is gone, and `error` holds the system's text.
bool MoveFileIntoPlace(const std::string& temporary, const std::string& path, Flush flush, std::string& error);

// Like MoveFileIntoPlace, but only when no file, link or anything else is at `path`;
// `NameTaken` leaves `temporary` as it is, so that the caller may try another name.
enum class Placement { Placed, NameTaken, Failed };
Placement MoveFileToFreeName(const std::string& temporary, const std::string& path, Flush flush, std::string& error);

// Removes what interrupted writes of `path` left beside it: its temporary files (its name, a
// point and six letters or digits) and nothing else. A file younger than a minute may be
// another instance's write in progress and stays.
void RemoveLeftoverTemporaryFiles(const std::string& path);

}  // namespace voltaro
