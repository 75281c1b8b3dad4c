// quillfen-frame: the viewer's search and frame without a window. Prints one JSON line
// per scene; optionally writes the frame as SVG. Exit statuses are in exit_status.h.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/frame_report.h"
#include "cli/output_file.h"
#include "cli/scene_line.h"
#include "draw/svg_canvas.h"

namespace {

constexpr int MAX_WINDOW_SIDE = 16384;

constexpr const char* DESCRIPTION =
    "Runs Quillfen's nearest-point search on a cubic Bezier curve and a query point Q\n"
    "exactly as the viewer does for one frame, and prints its figures as one JSON line.\n";

constexpr const char* FOOTER =
    "Scenes: ten numbers X0,Y0,X1,Y1,X2,Y2,X3,Y3,QX,QY (control points P0..P3, then Q)\n"
    "in scene units, origin at the window centre, y up, separated by commas and/or\n"
    "spaces. Each is a plain decimal: optional '-', digits, optional fraction and\n"
    "exponent; no leading '+', hex, inf or nan. Coordinate bound: |value| <= 1e6.\n"
    "\n"
    "Exit status: 0 success; 1 some --batch line held no valid scene; 2 usage error\n"
    "(unknown option, bad value, bad --points, --batch with --points or --svg);\n"
    "3 reading input, writing output or writing the SVG file failed.";

constexpr const char* BATCH_HELP =
    "Read scenes from standard input, one per line, skipping blank lines and '#' comments; "
    "print one JSON line per scene line, or {\"line\":N,\"error\":...} for a bad one";

struct Options {
    std::string points;
    bool box = false;
    bool exact = false;
    std::string svgPath;
    bool hideOutlines = false;
    int width = DEFAULT_WINDOW_WIDTH;
    int height = DEFAULT_WINDOW_HEIGHT;
    bool batch = false;
    bool pointsGiven = false;  // an empty --points or --svg value is an error, not a default
    bool svgGiven = false;
};

int runSingle(const Options& options, const BernsteinTable& table) {
    Scene scene = defaultScene();
    if (options.pointsGiven) {
        const SceneNumbers parsed = parseSceneNumbers(options.points);
        if (!parsed.error.empty()) {
            std::cerr << "quillfen-frame: --points: " << parsed.error << '\n';
            return STATUS_USAGE;
        }
        scene = makeScene(parsed.points, options.box);
    }
    scene.boxBounds = options.box;  // the default scene too
    scene.hideOutlines = options.hideOutlines;
    scene.windowWidth = options.width;
    scene.windowHeight = options.height;

    const std::unique_ptr<SearchState> state = std::make_unique<SearchState>();
    if (!options.svgGiven) {
        searchScene(*state, scene, table);
    } else {
        SvgCanvas canvas(options.width, options.height);
        drawScene(canvas, *state, scene, table);
        std::string error;
        if (!writeFileReplacing(options.svgPath, canvas.document(), error)) {
            std::cerr << "quillfen-frame: --svg: " << error << '\n';
            return STATUS_IO_ERROR;
        }
    }
    std::cout << formatReport(scene, *state, options.exact) << '\n';
    if (!std::cout.flush()) {
        std::cerr << "quillfen-frame: writing standard output failed\n";
        return STATUS_IO_ERROR;
    }
    return STATUS_OK;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    CLI::App app{DESCRIPTION, "quillfen-frame"};
    app.footer(FOOTER);
    app.get_formatter()->column_width(26);
    CLI::Option* points = app.add_option("--points", options.points,
                                         "The scene (default: the viewer's start-up scene)")
                              ->type_name("X0,Y0,...,QX,QY");
    app.add_flag("--box", options.box, "Bound pieces with rounded boxes instead of capsules");
    app.add_flag("--exact", options.exact,
                 "Add the exact nearest point of the curve and the search's distance error");
    CLI::Option* svg = app.add_option("--svg", options.svgPath, "Write the frame as SVG to FILE")
                           ->type_name("FILE");
    app.add_flag("--hide-outlines", options.hideOutlines,
                 "Leave the retired regions out of the SVG (the figures do not change)");
    app.add_option("--width", options.width, "Window width for the SVG (default 800)")
        ->type_name("W")
        ->check(CLI::Range(1, MAX_WINDOW_SIDE));
    app.add_option("--height", options.height, "Window height for the SVG (default 800)")
        ->type_name("H")
        ->check(CLI::Range(1, MAX_WINDOW_SIDE));
    app.add_flag("--batch", options.batch, BATCH_HELP)->excludes(points)->excludes(svg);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? STATUS_OK : STATUS_USAGE;
    }
    options.pointsGiven = points->count() > 0;
    options.svgGiven = svg->count() > 0;

    BernsteinTable table;
    buildBernsteinTable(table, buildBinomials());
    if (!options.batch) return runSingle(options, table);
    // Unsynced, untied streams: cin would otherwise flush cout before every line read.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    return runBatch(std::cin, std::cout, std::cerr, {options.box, options.exact}, table);
}
