// Writing the program's outputs (the log file, the table exports) so that a failed write never
// leaves half a file, and a link, a pipe or a device named as the output stays what it is.
#pragma once

#include <filesystem>
#include <string>

namespace scanner {

// Writes bytes as the whole content of path:
// - a regular file, or a path where nothing is yet, is replaced atomically (a temporary file
//   in the same folder, renamed over it);
// - a symbolic link is written through: the file it finally leads to is replaced that way in
//   that file's own folder, and the link stays;
// - anything else that exists (a FIFO, a character device such as a terminal or /dev/null, the
//   pipe behind /dev/stdout) is opened and written directly.
// Throws framework::Exception "Cannot write file \"PATH\": REASON" on failure.
void WriteOutputFile(const std::filesystem::path& path, const std::string& bytes);

// Fails as WriteOutputFile would when path cannot be written (its folder is missing or takes no
// new file, it is a folder, a device or FIFO that is not writable), without changing anything;
// for checking the outputs of a run before its first fetch. A FIFO is not opened: its reader
// would take that for the end of the data.
void CheckOutputFile(const std::filesystem::path& path);

} // namespace scanner
