// exit_status.h — the exit statuses of quillfen-frame.
#pragma once

constexpr int STATUS_OK = 0;
constexpr int STATUS_BAD_LINE = 1;  // batch mode: at least one line held no valid scene
constexpr int STATUS_USAGE = 2;     // bad option, option value or combination of options
constexpr int STATUS_IO_ERROR = 3;  // reading input, writing output or the SVG file failed
