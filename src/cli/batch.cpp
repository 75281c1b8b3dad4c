#include "cli/batch.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "cli/scene_line.h"

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const ReportOptions& options,
             const BernsteinTable& table) {
    const std::unique_ptr<SearchState> state = std::make_unique<SearchState>();
    int status = STATUS_OK;
    long lineNumber = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (isSkippedLine(line)) continue;
        const SceneNumbers parsed = parseSceneNumbers(line);
        if (parsed.error.empty()) {
            const Scene scene = makeScene(parsed.points, options.boxBounds);
            searchScene(*state, scene, table);
            out << formatReport(scene, *state, options.exact) << '\n';
        } else {
            out << formatLineError(lineNumber, parsed.error) << '\n';
            err << "quillfen-frame: line " << lineNumber << ": " << parsed.error << '\n';
            status = STATUS_BAD_LINE;
        }
        if (!out) break;  // nothing more can be written; reported below
    }
    // getline stops on end of input (eof) or on a read error (bad).
    if (in.bad()) {
        err << "quillfen-frame: reading standard input failed after line " << lineNumber << '\n';
        return STATUS_IO_ERROR;
    }
    if (!out || !out.flush()) {
        err << "quillfen-frame: writing standard output failed\n";
        return STATUS_IO_ERROR;
    }
    return status;
}
