#pragma once
// The system's own words for an error, for the messages of the Windows file services and shell.

#include <string>

// The text of a GetLastError code or an HRESULT without its closing full stop and line break
// (the messages add their own); "Windows error N" where the system has no text for it, an
// HRESULT's number in hexadecimal.
std::string SystemErrorText(unsigned long code);
