#pragma once
// The modes that need Qt (the viewer, --render and --report) live in a module of their
// own, loaded only for them: linking Qt's libraries costs every start of the
// program about 25 ms, which the windowless modes need not pay.

// The module's file name, found through the program's library path.
#define VX_WINDOW_MODULE "varmonix-window.so"
#define VX_WINDOW_ENTRY "VxWindowMain"

// Runs the viewer, --render or --report for the program's own arguments.
extern "C" int VxWindowMain(int argc, char** argv);
