// molvane --path: the job's path listed, one step written, its energy profile drawn, played in
// the window or written as a GIF.
#pragma once

#include "driver/command_line.h"

// Runs the path options; returns the exit status.
int runPath(const driver::Options& options);
