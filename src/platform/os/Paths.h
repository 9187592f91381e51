#pragma once
// The path rules of the operating system the program is built for.

#ifdef _WIN32
// The delimiter the program writes between folders.
inline constexpr char PathDelim = '\\';
// The characters after which a file name starts: the delimiter and a drive's colon ("C:NAME").
inline constexpr const char* FileNameDelimiters = "\\:";
// Those, and "/", which the system's functions take between folders as well.
inline constexpr const char* AnyPathDelimiters = "\\/:";
#else
inline constexpr char PathDelim = '/';
inline constexpr const char* FileNameDelimiters = "/";
inline constexpr const char* AnyPathDelimiters = "/";
#endif
