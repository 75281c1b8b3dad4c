// batch.h — answers a stream of scenes, one JSON line per scene line.
//
// Input lines are scenes as scene_line.h reads them; blank lines and '#' comments are
// skipped. Every other line gets exactly one output line, in input order: its report,
// or {"line":N,"error":"..."} (N counting every input line from 1) with the same
// message on `err` as "quillfen-frame: line N: ...". A bad line never stops the lines
// after it. One SearchState is allocated per call and reset for every scene.
// Lines are read whole with std::getline, so a line's length is bounded only by memory.
#pragma once

#include <iosfwd>

#include "cli/exit_status.h"
#include "cli/frame_report.h"
#include "curve/bernstein.h"

// Answers every scene line of `in`. Returns STATUS_OK, STATUS_BAD_LINE when some line
// held no valid scene, or STATUS_IO_ERROR (after a message on `err`) when reading `in`
// or writing `out` failed.
int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const ReportOptions& options,
             const BernsteinTable& table);
