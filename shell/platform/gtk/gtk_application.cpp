// The application's message loop over GLib's default main context, GTK's start, and the
// calendar clock.
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#include <unistd.h>
#endif

#include <ctime>
#include <vector>

#include "shell/platform/gtk/gtk_backend.h"
#include "shell/platform/w_application.h"

namespace {

bool ready = false;
bool quitPosted = false;
std::vector<GMainLoop*> runningLoops;

#ifdef GDK_WINDOWING_X11
// The connection to the X server is lost: no message can be taken any more. The loop would end
// as if the quit message had come and the process with the exit code it has; but nothing can be
// done with the windows without their display (Xlib ends the process should this return), so
// the process ends here with that exit code.
int OnDisplayLost(Display* /*display*/) {
    const WExeApplication* application = WExeApplication::Current();
    _exit(application != nullptr ? application->ExitCode() : 0);
}
#endif

}  // namespace

namespace gtkbackend {

void Initialise(const char* programName) {
    // GTK sees no argument but the program's name: the command line is not the toolkit's either.
    char* name = const_cast<char*>(programName);
    char* arguments[] = {name, nullptr};
    char** argv = arguments;
    int argc = 1;
    g_set_prgname("vantorel");
    ready = gtk_init_check(&argc, &argv) != FALSE;
#ifdef GDK_WINDOWING_X11
    if (ready && GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        XSetIOErrorHandler(OnDisplayLost);
    }
#endif
}

bool Ready() {
    return ready;
}

}  // namespace gtkbackend

bool WExeApplication::RunMessageLoop() {
    if (!ready) {
        return false;  // no display: there are no messages to take
    }
    if (!quitPosted) {
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        runningLoops.push_back(loop);
        g_main_loop_run(loop);
        runningLoops.pop_back();
        g_main_loop_unref(loop);
    }
    const bool quit = quitPosted;
    quitPosted = false;
    return quit;
}

void WExeApplication::Quit(int32_t /*code*/) {
    // The quit message ends the loop that takes it; a modal run in between ends first.
    quitPosted = true;
    gtkbackend::EndModalRuns();
    for (GMainLoop* loop : runningLoops) {
        g_main_loop_quit(loop);
    }
}

uint32_t WCalendarSeconds() {
    return static_cast<uint32_t>(std::time(nullptr));
}
