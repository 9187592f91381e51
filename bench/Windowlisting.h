#pragma once
// The window's listing of a large group file, timed on whatever platform is installed: the
// headless one in grp_bench, the Win32 one (the system's list box) in window_listing_bench
// under Wine.

#include <string>

// Writes a group file of entries entries into folder, starts the main window on it as the
// program does (no settings, the folder chosen, extracting mode), and returns the fastest of
// several listings in seconds: a click on the group file in the file list, from the press to the
// entries shown in ListBox1.
double TimeWindowListing(const std::string& folder, int entries);

// Prints the figure for the platform named platformName.
void PrintWindowListing(const std::string& folder, const std::string& platformName);
