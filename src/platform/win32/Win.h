#pragma once
// The one place that includes the Win32 headers. Everything of the Win32 platform includes this
// file instead of <windows.h>, so that the macros colliding with the toolkit's names are gone
// wherever both are seen.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

// The ...A functions are called by their full names; these macros would rename the toolkit's
// own functions and methods (TCanvas::DrawText, TCanvas::TextOut, DeleteFile, RGB, ...).
#undef DeleteFile
#undef DrawText
#undef TextOut
#undef GetObject
#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
