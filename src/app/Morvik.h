#pragma once
// The program entry, the same on every platform: each platform's own main installs its platform
// and calls MorvikMain.

// Initialises the application, creates the main window and runs the message loop until the
// application terminates. An exception that escapes is shown in the application's error box;
// the program then ends in order, its windows destroyed. Returns 0.
int MorvikMain();
