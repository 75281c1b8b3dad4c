// output_file.h — writes a whole file or leaves the path as it was.
//
// The content goes to a temporary file next to the target (same directory, so the
// final rename cannot cross file systems), is flushed to disk, and only then renamed
// over the target. On any failure the temporary is removed and the target is left
// untouched: a reader never finds a half-written file under the target's name. The
// new file gets the permissions a plain create would (0666 less the umask). A target
// that is a symbolic link is replaced by the file, not written through.
#pragma once

#include <string>
#include <string_view>

// Writes `content` to `path`; on failure returns false with a message in `error`.
bool writeFileReplacing(const std::string& path, std::string_view content, std::string& error);
