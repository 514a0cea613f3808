// The program's life: start-up, the message loop and the exit clean-up.
#pragma once

// Runs the whole program on the GUI thread and gives the process's exit code.
int startUp();

// Creates the global objects with their defaults. Called once, before any window exists.
void initGlobals();

// Releases the global state. Runs at most once per process; later calls do nothing.
void exitCleanUp();
