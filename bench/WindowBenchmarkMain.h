#pragma once

// The main of a benchmark of the windows: the user's folders (desktop files,
// registry, Wine prefix) in a temporary folder of this name, removed at the
// end, and the application the windows need.
int RunWindowBenchmarks(int argc, char** argv, const char* userFolder);
