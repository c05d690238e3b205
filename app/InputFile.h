#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace voltaro {

// Every file the program reads from outside (data files, CSV files, setting files, the Parameter file)
// is opened here. Only a regular file is taken (a symbolic link to one is), and anything else is refused
// before a byte is read from it, so that a FIFO or a device cannot hold a run up.

// Opens `path` for reading. Returns the descriptor and the file's size, or -1 with "PATH: reason" in
// `error` and the reason's number in errno (ENOENT when there is no such file).
int OpenRegularFile(const std::string& path, std::uint64_t& size, std::string& error);

// The whole content of `path` when it is a regular file of at most `maxBytes`; a larger one is refused
// without being read ("File too large"). False with the reason as OpenRegularFile gives it.
bool ReadSmallRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error);

}  // namespace voltaro
