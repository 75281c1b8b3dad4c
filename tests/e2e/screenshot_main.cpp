// quillfen_screenshot — saves the viewer's default frame as a PNG.
//
// Usage: quillfen_screenshot OUTPUT.png. Starts a private Xvfb and the viewer, waits
// for the first complete frame and writes it; exit status 0 only if the file was
// written.
#include <iostream>

#include "harness/png_writer.h"
#include "harness/viewer_session.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.png\n";
        return 2;
    }
    std::string error;
    std::unique_ptr<XServer> server = XServer::start(Deadline(START_BUDGET), error);
    if (!server) {
        std::cerr << "quillfen_screenshot: " << error << "\n";
        return 1;
    }
    std::unique_ptr<ViewerSession> viewer = ViewerSession::launch(*server, QUILLFEN_VIEWER, error);
    if (!viewer) {
        std::cerr << "quillfen_screenshot: " << error << "\n";
        return 1;
    }
    if (!writePng(argv[1], viewer->firstFrame())) {
        std::cerr << "quillfen_screenshot: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
